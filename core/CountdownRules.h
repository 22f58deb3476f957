#pragma once

// The pure rules of the countdown: the power actions, the minute count and
// what may be typed into the hours and minutes boxes.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

namespace qorvane {

// Values are the positions of the entries in the action list.
enum class PowerAction : std::int16_t { ShutDown = 0, Restart = 1, LogOff = 2 };

struct ActionRow {
    PowerAction action;
    std::wstring_view entry;    // list entry
    std::wstring_view suffix;   // shown after "分钟" in the setup line
    std::wstring_view heading;  // shown above the countdown numbers
    std::wstring_view commandLine;
};

inline constexpr int kActionCount = 3;

// No row for positions outside 0..2 (nothing selected is -1).
std::optional<ActionRow> actionRow(int position);

// Whole minutes left before the action.
using RemainingMinutes = std::int16_t;

// Minutes for a start from the two box texts; nothing when a text is not a
// number or the total does not fit in RemainingMinutes.
std::optional<RemainingMinutes> startValue(std::wstring_view hoursText, std::wstring_view minutesText);

RemainingMinutes decrement(RemainingMinutes value);

// (hours text, minutes text), plain decimal numbers.
std::pair<std::wstring, std::wstring> splitForDisplay(RemainingMinutes value);

// True for the digits and Backspace: the only keystrokes the boxes take.
bool acceptsKey(wchar_t character);

// True when the minutes box holds more than 60 and must be emptied.
bool minutesTooLarge(std::wstring_view minutesText);

// The digits of a text, in order; what is left of a paste into a box.
std::wstring keepDigits(std::wstring_view text);

}  // namespace qorvane
