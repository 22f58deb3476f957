#pragma once
// Texts as a user can put them into a box: mostly ASCII digits (so the
// fuzzer reaches the numeric paths quickly), with look-alike digits, signs,
// control characters, any UTF-16 unit and very long digit runs mixed in.

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

namespace qorvane::fuzz {

// The fuzzers' own idea of a digit, written apart from the program's.
inline bool isAsciiDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }
inline bool allAsciiDigits(const std::wstring& text) { return std::all_of(text.begin(), text.end(), isAsciiDigit); }

inline std::wstring boxText(FuzzedDataProvider& input) {
    static constexpr std::array<wchar_t, 12> kLookAlikes{L'\0',     L'\b', L' ', L'-', L'+', L'.', L'e',
                                                         L'\xFF10',  // full-width 0
                                                         L'\x0663',  // Arabic-Indic 3
                                                         L'\x00B2',  // superscript 2
                                                         L'\x4E00',  // 一
                                                         L'\xFEFF'};
    std::wstring text;
    const auto pieces = input.ConsumeIntegralInRange<int>(0, 16);
    for (int piece = 0; piece < pieces && input.remaining_bytes() > 0; ++piece) {
        const auto kind = input.ConsumeIntegral<std::uint8_t>();
        if (kind < 160) {
            text += static_cast<wchar_t>(L'0' + kind % 10);
        } else if (kind < 240) {
            text += kLookAlikes[kind % kLookAlikes.size()];
        } else if (kind < 255) {
            text += static_cast<wchar_t>(input.ConsumeIntegral<std::uint16_t>());
        } else {
            text.append(input.ConsumeIntegralInRange<std::size_t>(1, 5000), static_cast<wchar_t>(L'1' + piece % 9));
        }
    }
    return text;
}

}  // namespace qorvane::fuzz
