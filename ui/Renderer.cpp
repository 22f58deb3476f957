// Shows the controller's WindowModel on the controls: the only code that writes them.
#include "Renderer.h"

#include <utility>

#include "Timers.h"

namespace qorvane::ui {

namespace {

// Sets a flag for as long as it lives.
class ScopedFlag {
public:
    explicit ScopedFlag(bool& flag) : flag_(flag) { flag_ = true; }
    ScopedFlag(const ScopedFlag&) = delete;
    ScopedFlag& operator=(const ScopedFlag&) = delete;
    ~ScopedFlag() { flag_ = false; }

private:
    bool& flag_;
};

}  // namespace

Renderer::Renderer(HWND window, const Form& form, WindowModel startUp)
    : window_(window), form_(form), shown_(std::move(startUp)) {
    shown_.formVisible = false;  // not on screen until showing is allowed
}

bool Renderer::render(const WindowModel& model) {
    if (rendering_ || model == shown_) {
        return false;
    }
    const ScopedFlag rendering(rendering_);
    renderList(model);
    renderWidgets(model);
    renderTimer1(model);
    renderWindowVisibility(model);
    return true;
}

void Renderer::renderList(const WindowModel& model) {
    const HWND list = form_.control(IdCombo1);
    if (model.comboEntries != shown_.comboEntries) {
        ::SendMessageW(list, CB_RESETCONTENT, 0, 0);
        for (const std::wstring& entry : model.comboEntries) {
            ::SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
        }
        shown_.comboEntries = model.comboEntries;
        shown_.comboSelected = -1;
    }
    if (model.comboSelected != shown_.comboSelected) {
        ::SendMessageW(list, CB_SETCURSEL, static_cast<WPARAM>(model.comboSelected), 0);
        shown_.comboSelected = model.comboSelected;
    }
}

void Renderer::renderWidgets(const WindowModel& model) {
    for (const ControlSpec& item : kForm1Controls) {
        if (!item.widget) {
            continue;
        }
        const WidgetState& wanted = model[*item.widget];
        WidgetState& current = shown_[*item.widget];
        const HWND child = form_.control(item.id);
        if (wanted.text != current.text) {
            ::SetWindowTextW(child, wanted.text.c_str());
            if (item.kind == Kind::Box) {
                // After a correction the caret stays at the end, where typing goes on.
                const auto end = static_cast<WPARAM>(wanted.text.size());
                ::SendMessageW(child, EM_SETSEL, end, static_cast<LPARAM>(end));
            }
        }
        if (wanted.enabled != current.enabled) {
            ::EnableWindow(child, wanted.enabled ? TRUE : FALSE);
        }
        if (wanted.visible != current.visible) {
            ::ShowWindow(child, wanted.visible ? SW_SHOWNA : SW_HIDE);
        }
        current = wanted;
    }
}

void Renderer::renderTimer1(const WindowModel& model) {
    if (model.timer1Running == shown_.timer1Running) {
        return;
    }
    // Starting again begins a new full interval.
    if (model.timer1Running) {
        ::SetTimer(window_, kTimer1.id, kTimer1.intervalMs, nullptr);
    } else {
        ::KillTimer(window_, kTimer1.id);
    }
    shown_.timer1Running = model.timer1Running;
}

void Renderer::renderWindowVisibility(const WindowModel& model) {
    if (windowMayShow_ && model.formVisible != shown_.formVisible) {
        ::ShowWindow(window_, model.formVisible ? SW_SHOW : SW_HIDE);
        shown_.formVisible = model.formVisible;
    }
}

}  // namespace qorvane::ui
