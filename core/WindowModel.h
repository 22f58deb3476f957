#pragma once

// The state of every widget of the window that the controller changes. The
// window shows exactly this after each controller operation.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace qorvane {

enum class Widget : std::uint8_t {
    Label1,    // prompt
    Combo1,    // action list
    Text1,     // hours box
    Label2,    // "小时"
    Text2,     // minutes box
    Label3,    // "分钟"
    Label4,    // action suffix
    Label8,    // countdown heading
    Label9,    // hours left
    Label10,   // "小时"
    Label11,   // minutes left
    Label12,   // "分钟"
    Command1,  // "执行"
    Count
};

inline constexpr std::size_t kWidgetCount = static_cast<std::size_t>(Widget::Count);

struct WidgetState {
    bool visible = true;
    bool enabled = true;
    std::wstring text;  // caption of a label, text of a box

    bool operator==(const WidgetState&) const = default;
};

struct WindowModel {
    WindowModel();

    WidgetState& operator[](Widget widget) { return widgets[static_cast<std::size_t>(widget)]; }
    const WidgetState& operator[](Widget widget) const { return widgets[static_cast<std::size_t>(widget)]; }

    // The entry at the selected position; empty when nothing is selected.
    std::wstring comboText() const;

    std::array<WidgetState, kWidgetCount> widgets;
    std::vector<std::wstring> comboEntries;
    std::int16_t comboSelected = -1;
    bool timer1Running = false;
    bool formVisible = true;

    bool operator==(const WindowModel&) const = default;
};

}  // namespace qorvane
