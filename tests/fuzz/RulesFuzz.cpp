// Feeds arbitrary texts and keys to the countdown rules and checks each answer
// against a plain integer reading of the same texts.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "CountdownRules.h"
#include "FuzzText.h"

using namespace qorvane;

namespace {

// Exact value of a digit run, or kTooBig once past anything the rules accept.
constexpr std::uint64_t kTooBig = 1'000'000'000'000'000ULL;
std::uint64_t integerValue(const std::wstring& digits) {
    std::uint64_t value = 0;
    for (const wchar_t c : digits) {
        value = std::min(value * 10 + static_cast<std::uint64_t>(c - L'0'), kTooBig);
    }
    return value;
}

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::wstring hours = fuzz::boxText(input);
    const std::wstring minutes = fuzz::boxText(input);

    // A start exists exactly for two digit runs whose total fits in a count.
    const auto start = startValue(hours, minutes);
    const bool numbers =
        !hours.empty() && !minutes.empty() && fuzz::allAsciiDigits(hours) && fuzz::allAsciiDigits(minutes);
    const std::uint64_t total = numbers ? std::min(integerValue(hours) * 60, kTooBig) + integerValue(minutes) : 0;
    require(start.has_value() == (numbers && total <= 32767));
    if (start) {
        require(static_cast<std::uint64_t>(*start) == total);
        // Shown back as the same hours and minutes, in plain decimals.
        const auto [shownHours, shownMinutes] = splitForDisplay(*start);
        require(integerValue(shownHours) * 60 + integerValue(shownMinutes) == total);
        require(shownMinutes.size() <= 2 && integerValue(shownMinutes) < 60);
        require(shownHours.size() == 1 || shownHours.front() != L'0');
        // One minute less.
        require(decrement(*start) == *start - 1);
    }

    // The minutes box is too large when its leading digits exceed 60.
    const auto leading = std::find_if_not(minutes.begin(), minutes.end(), fuzz::isAsciiDigit);
    require(minutesTooLarge(minutes) == (integerValue(std::wstring(minutes.begin(), leading)) > 60));

    // What survives a paste is the digits, in order, and nothing else.
    const std::wstring kept = keepDigits(hours);
    require(fuzz::allAsciiDigits(kept));
    require(static_cast<std::size_t>(std::count_if(hours.begin(), hours.end(), fuzz::isAsciiDigit)) == kept.size());

    const wchar_t key = input.ConsumeIntegral<wchar_t>();
    require(acceptsKey(key) == (fuzz::isAsciiDigit(key) || key == L'\b'));
    return 0;
}
