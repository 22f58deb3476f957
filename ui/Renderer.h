#pragma once

// Shows the controller's WindowModel on the controls: the only code that writes them.

#include <windows.h>

#include <cstdint>
#include <string>

#include "Form.h"
#include "WindowModel.h"

namespace qorvane::ui {

class Renderer {
public:
    // The controls show the start-up model; the window is not on screen yet.
    Renderer(HWND window, const Form& form, WindowModel startUp);

    // Brings the controls in line with the model, touching only what differs.
    // The window itself is shown or hidden only once showing is allowed.
    // False when nothing had to change.
    bool render(const WindowModel& model);
    void allowShowingWindow() { windowMayShow_ = true; }
    bool showsAlready(const WindowModel& model) const { return model == shown_; }
    // True while the controls are being written: their notifications are ours.
    bool rendering() const { return rendering_; }

    // The user changed a control directly, so it shows this already.
    void userSelected(std::int16_t position) { shown_.comboSelected = position; }
    void userEdited(Widget box, const std::wstring& text) { shown_[box].text = text; }

private:
    void renderList(const WindowModel& model);
    void renderWidgets(const WindowModel& model);
    void renderTimer1(const WindowModel& model);
    void renderWindowVisibility(const WindowModel& model);

    HWND window_;
    const Form& form_;
    WindowModel shown_;  // what the controls show now
    bool windowMayShow_ = false;
    bool rendering_ = false;
};

}  // namespace qorvane::ui
