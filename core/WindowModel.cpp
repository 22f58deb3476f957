#include "WindowModel.h"

#include "CountdownRules.h"

namespace qorvane {

WindowModel::WindowModel() {
    // The window as designed, before load: the hours line hidden, the
    // countdown labels still showing.
    for (const Widget hidden : {Widget::Text1, Widget::Label2, Widget::Text2, Widget::Label3}) {
        (*this)[hidden].visible = false;
    }
    (*this)[Widget::Label8].text = std::wstring(actionRow(0)->heading);
}

std::wstring WindowModel::comboText() const {
    if (comboSelected < 0 || static_cast<std::size_t>(comboSelected) >= comboEntries.size()) {
        return {};
    }
    return comboEntries[static_cast<std::size_t>(comboSelected)];
}

}  // namespace qorvane
