#include <gtest/gtest.h>

#include <string>

#include "CountdownRules.h"

namespace qorvane {
namespace {

TEST(StartValue, AddsHoursAndMinutesUpToTheSixteenBitLimit) {
    EXPECT_EQ(startValue(L"0", L"0"), 0);
    EXPECT_EQ(startValue(L"1", L"30"), 90);
    EXPECT_EQ(startValue(L"0", L"60"), 60);
    EXPECT_EQ(startValue(L"007", L"07"), 427);
    EXPECT_EQ(startValue(L"546", L"7"), 32767);
    EXPECT_EQ(startValue(L"0", L"32767"), 32767);
    EXPECT_EQ(startValue(L"546", L"8"), std::nullopt);
    EXPECT_EQ(startValue(L"0", L"32768"), std::nullopt);
    EXPECT_EQ(startValue(L"99999999999999999999", L"0"), std::nullopt);
}

TEST(StartValue, RefusesTextsThatAreNotNumbers) {
    for (const wchar_t* text : {L"", L"a", L"1a", L"-1", L"1.5", L" 1", L"１"}) {
        EXPECT_EQ(startValue(text, L"0"), std::nullopt) << "hours " << text;
        EXPECT_EQ(startValue(L"0", text), std::nullopt) << "minutes " << text;
    }
    // A pasted wall of digits is refused, neither overflowing nor wrapping round.
    EXPECT_EQ(startValue(std::wstring(10000, L'9'), L"0"), std::nullopt);
    EXPECT_EQ(startValue(L"0", std::wstring(10000, L'0') + L"5"), 5);
}

TEST(CountRules, SplitShowsWholeHoursAndTheMinutesLeft) {
    using Pair = std::pair<std::wstring, std::wstring>;
    EXPECT_EQ(splitForDisplay(90), Pair(L"1", L"30"));
    EXPECT_EQ(splitForDisplay(59), Pair(L"0", L"59"));
    EXPECT_EQ(splitForDisplay(60), Pair(L"1", L"0"));
    EXPECT_EQ(splitForDisplay(0), Pair(L"0", L"0"));
    EXPECT_EQ(splitForDisplay(32767), Pair(L"546", L"7"));
    EXPECT_EQ(splitForDisplay(-61), Pair(L"-1", L"-1"));
    EXPECT_EQ(splitForDisplay(-32768), Pair(L"-546", L"-8"));
}

TEST(CountRules, DecrementTakesOneMinuteAndNeverWraps) {
    EXPECT_EQ(decrement(90), 89);
    EXPECT_EQ(decrement(1), 0);
    EXPECT_EQ(decrement(-32768), -32768);
}

TEST(KeyFilter, LetsOnlyDigitsAndBackspaceThrough) {
    for (wchar_t digit = L'0'; digit <= L'9'; ++digit) {
        EXPECT_TRUE(acceptsKey(digit)) << static_cast<int>(digit);
    }
    EXPECT_TRUE(acceptsKey(L'\b'));
    // Letters, space, minus, point, Enter, Ctrl+C/V/X, Tab, a full-width digit.
    for (const wchar_t refused :
         {L'a', L'Z', L' ', L'-', L'.', L'\r', L'\x03', L'\x16', L'\x18', L'\t', L'１', L'/', L':'}) {
        EXPECT_FALSE(acceptsKey(refused)) << static_cast<int>(refused);
    }
}

TEST(MinutesRule, EmptiesTheBoxOnlyAboveSixty) {
    for (const wchar_t* kept : {L"", L"0", L"59", L"60", L"060", L"x"}) {
        EXPECT_FALSE(minutesTooLarge(kept)) << kept;
    }
    for (const wchar_t* emptied : {L"61", L"99", L"600", L"0061", L"61abc"}) {
        EXPECT_TRUE(minutesTooLarge(emptied)) << emptied;
    }
    EXPECT_TRUE(minutesTooLarge(std::wstring(10000, L'7')));
}

TEST(Paste, KeepsOnlyTheDigitsInOrder) {
    EXPECT_EQ(keepDigits(L"1a2 b-3.４"), L"123");
    EXPECT_EQ(keepDigits(L"abc"), L"");
}

TEST(Actions, EachPositionHasItsOwnRowAndOthersNone) {
    EXPECT_FALSE(actionRow(-1));
    EXPECT_FALSE(actionRow(3));
    const auto shutDown = actionRow(0);
    const auto restart = actionRow(1);
    const auto logOff = actionRow(2);
    ASSERT_TRUE(shutDown && restart && logOff);
    EXPECT_EQ(shutDown->entry, L"关机");
    EXPECT_EQ(shutDown->suffix, L"后关机");
    EXPECT_EQ(shutDown->heading, L"离关机还有：");
    EXPECT_EQ(shutDown->commandLine, L"shutdown -s -f -t 0");
    EXPECT_EQ(restart->entry, L"重新启动");
    EXPECT_EQ(restart->suffix, L"后重新启动");
    EXPECT_EQ(restart->heading, L"离重新启动还有：");
    EXPECT_EQ(restart->commandLine, L"shutdown -r -f -t 0");
    EXPECT_EQ(logOff->entry, L"注销");
    EXPECT_EQ(logOff->suffix, L"后注销");
    EXPECT_EQ(logOff->heading, L"离注销还有：");
    // Log-off cannot take a delay switch.
    EXPECT_EQ(logOff->commandLine, L"shutdown -l -f");
}

}  // namespace
}  // namespace qorvane
