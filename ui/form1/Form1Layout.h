#pragma once

// The widgets of form1: kind, place and caption, at 96 DPI, in tab order.

#include <windows.h>

#include <array>
#include <optional>
#include <string_view>

#include "ControlIds.h"
#include "Texts.h"
#include "WindowModel.h"

namespace qorvane::ui {

// Client area at 96 DPI.
inline constexpr int kClientWidth = 329;
inline constexpr int kClientHeight = 150;

// Frame1's corner; the widgets inside it are placed from there.
inline constexpr int kFrameLeft = 8;
inline constexpr int kFrameTop = 0;

// Room for the drop-down list under the selection field of Combo1.
inline constexpr int kComboListHeight = 90;

enum class Kind { Frame, Label, ClickableLabel, Box, List, Button };

// The Win32 control that makes each kind.
struct WindowClass {
    const wchar_t* name;
    DWORD style;
    DWORD exStyle;
};

constexpr WindowClass windowClassFor(Kind kind) {
    switch (kind) {
        case Kind::Frame:
            return {L"BUTTON", BS_GROUPBOX, 0};
        // One line each: a label that wrapped in a wider font would lose its second line.
        case Kind::Label:
            return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX, 0};
        case Kind::ClickableLabel:
            return {L"STATIC", SS_LEFTNOWORDWRAP | SS_NOPREFIX | SS_NOTIFY, 0};
        case Kind::Box:
            return {L"EDIT", ES_LEFT | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
        case Kind::List:
            return {L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0};
        case Kind::Button:
            return {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0};
    }
    return {L"STATIC", 0, 0};
}

struct ControlSpec {
    ControlId id;
    Kind kind;
    bool inFrame;
    int left, top, width, height;
    std::wstring_view caption;     // fixed captions; model-bound widgets take theirs from the model
    std::optional<Widget> widget;  // the WindowModel entry it shows
    bool headingFont = false;
};

inline constexpr std::array<ControlSpec, kControlCount> kForm1Controls{{
    {IdFrame1, Kind::Frame, false, kFrameLeft, kFrameTop, 233, 105, L"", std::nullopt},
    {IdLabel1, Kind::Label, true, 8, 16, 169, 17, texts::kPrompt, Widget::Label1},
    {IdCombo1, Kind::List, true, 8, 32, 161, 20, L"", Widget::Combo1},
    {IdText1, Kind::Box, true, 8, 64, 41, 25, L"", Widget::Text1},
    // Narrower than first drawn (41 px): it lies above the minutes box now, and
    // ends where that begins.
    {IdLabel2, Kind::Label, true, 56, 72, 32, 25, texts::kHours, Widget::Label2},
    {IdText2, Kind::Box, true, 88, 64, 41, 25, L"", Widget::Text2},
    {IdLabel3, Kind::Label, true, 136, 72, 41, 25, texts::kMinutes, Widget::Label3},
    {IdLabel4, Kind::Label, true, 160, 72, 65, 17, L"", Widget::Label4},
    {IdCommand1, Kind::Button, false, 248, 8, 73, 25, texts::kExecute, Widget::Command1},
    {IdCommand2, Kind::Button, false, 248, 40, 73, 25, texts::kCancelTask, std::nullopt},
    {IdCommand3, Kind::Button, false, 248, 72, 73, 25, texts::kHide, std::nullopt},
    {IdLabel5, Kind::Label, false, 80, 128, 73, 25, texts::kBy, std::nullopt},
    {IdLabel6, Kind::ClickableLabel, false, 104, 128, 49, 17, texts::kMaker, std::nullopt},
    // Wider than first drawn (17 px): two digits must fit beside "分钟".
    {IdLabel11, Kind::Label, true, 120, 56, 24, 41, L"", Widget::Label11},
    {IdLabel12, Kind::Label, true, 144, 56, 25, 41, texts::kMinutes, Widget::Label12},
    {IdLabel10, Kind::Label, true, 80, 56, 25, 41, texts::kHours, Widget::Label10},
    // Wider than first drawn (17 px), up to "小时": the count reaches 546 hours.
    {IdLabel9, Kind::Label, true, 56, 56, 24, 33, L"", Widget::Label9},
    {IdLabel8, Kind::Label, true, 24, 24, 169, 25, L"", Widget::Label8, true},
    {IdLabel7, Kind::Label, false, 184, 128, 137, 25, texts::kContact, std::nullopt},
}};

// controlSpec finds a row by its id's distance from the first.
constexpr bool rowsInIdOrder() {
    for (std::size_t row = 0; row < kForm1Controls.size(); ++row) {
        if (kForm1Controls[row].id != IdFrame1 + static_cast<int>(row)) return false;
    }
    return true;
}
static_assert(rowsInIdOrder(), "kForm1Controls must list the controls in id order");

constexpr const ControlSpec& controlSpec(ControlId id) {
    return kForm1Controls[static_cast<std::size_t>(id - IdFrame1)];
}

}  // namespace qorvane::ui
