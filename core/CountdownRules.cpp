#include "CountdownRules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

namespace qorvane {

namespace {

constexpr std::array<ActionRow, kActionCount> kActions{{
    {PowerAction::ShutDown, L"关机", L"后关机", L"离关机还有：", L"shutdown -s -f -t 0"},
    {PowerAction::Restart, L"重新启动", L"后重新启动", L"离重新启动还有：", L"shutdown -r -f -t 0"},
    // Windows refuses /l together with /t, so log-off gets no delay switch.
    {PowerAction::LogOff, L"注销", L"后注销", L"离注销还有：", L"shutdown -l -f"},
}};

bool isDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// Anything past this is "too large" for every rule, and capping here keeps a
// pasted run of thousands of digits exact and finite.
constexpr double kReadCap = 1e12;

double readDigits(std::wstring_view digits) {
    double value = 0.0;
    for (const wchar_t c : digits) {
        value = std::min(value * 10.0 + static_cast<double>(c - L'0'), kReadCap);
    }
    return value;
}

// A number is one or more digits and nothing else.
std::optional<double> readNumber(std::wstring_view text) {
    if (text.empty() || !std::all_of(text.begin(), text.end(), isDigit)) {
        return std::nullopt;
    }
    return readDigits(text);
}

}  // namespace

std::optional<ActionRow> actionRow(int position) {
    if (position < 0 || position >= kActionCount) {
        return std::nullopt;
    }
    return kActions[static_cast<std::size_t>(position)];
}

std::optional<RemainingMinutes> startValue(std::wstring_view hoursText, std::wstring_view minutesText) {
    const auto hours = readNumber(hoursText);
    const auto minutes = readNumber(minutesText);
    if (!hours || !minutes) {
        return std::nullopt;
    }
    // Hours first, in double precision; halves round to even.
    const double total = std::nearbyint(*hours * 60.0 + *minutes);
    if (total < std::numeric_limits<RemainingMinutes>::min() || total > std::numeric_limits<RemainingMinutes>::max()) {
        return std::nullopt;
    }
    return static_cast<RemainingMinutes>(total);
}

RemainingMinutes decrement(RemainingMinutes value) {
    // The count stops at 0, so the floor is never reached; saturate rather than wrap.
    if (value == std::numeric_limits<RemainingMinutes>::min()) {
        return value;
    }
    return static_cast<RemainingMinutes>(value - 1);
}

namespace {
// std::to_wstring goes through the C library's wide printf, which on Windows
// links a whole formatter (and its floating-point code) into the program.
std::wstring decimalText(int value) {
    std::wstring digits;
    unsigned magnitude = value < 0 ? 0U - static_cast<unsigned>(value) : static_cast<unsigned>(value);
    do {
        digits.insert(digits.begin(), static_cast<wchar_t>(L'0' + magnitude % 10U));
        magnitude /= 10U;
    } while (magnitude != 0U);
    if (value < 0) {
        digits.insert(digits.begin(), L'-');
    }
    return digits;
}
}  // namespace

std::pair<std::wstring, std::wstring> splitForDisplay(RemainingMinutes value) {
    return {decimalText(value / 60), decimalText(value % 60)};
}

bool acceptsKey(wchar_t character) { return isDigit(character) || character == L'\b'; }

bool minutesTooLarge(std::wstring_view minutesText) {
    // Reads the leading digits; the empty text, or one without leading digits, is 0.
    const auto end = std::find_if_not(minutesText.begin(), minutesText.end(), isDigit);
    return readDigits(minutesText.substr(0, static_cast<std::size_t>(end - minutesText.begin()))) > 60.0;
}

std::wstring keepDigits(std::wstring_view text) {
    std::wstring digits;
    std::copy_if(text.begin(), text.end(), std::back_inserter(digits), isDigit);
    return digits;
}

}  // namespace qorvane
