// Drives the controller with random sequences of the events the window can
// deliver (a hidden or disabled control delivers none; a timer elapse can come
// at any time, also inside a message box) and checks the window's invariants
// after every one of them.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "CountdownController.h"
#include "FuzzText.h"
#include "Texts.h"

using namespace qorvane;

namespace {

void require(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "invariant broken: %s\n", what);
        std::abort();
    }
}

class Harness;

class FuzzPlatform : public PlatformServices {
public:
    explicit FuzzPlatform(Harness& harness) : harness_(harness) {}
    bool isPreviousInstanceRunning() override { return anotherCopy; }
    void showMessage(const std::wstring& text, const std::wstring& title, MessageIcon icon) override;
    void terminate() override { terminated = true; }
    bool runHidden(const std::wstring& commandLine) override;
    void setTaskbarButtonVisible(bool) override {}
    void openDocument(const std::wstring&, const std::wstring& file, const std::wstring&, const std::wstring&,
                      int) override {
        require(file == texts::kCreditLink, "only the credit link is opened");
    }
    bool isKeyDown(int key) override { return key == kVirtualKeyF12 ? f12Down : controlDown; }
    void bringToFront(bool) override;

    bool anotherCopy = false;
    bool terminated = false;
    bool commandsStart = true;
    bool f12Down = false;
    bool controlDown = false;

private:
    Harness& harness_;
};

class Harness {
public:
    explicit Harness(FuzzedDataProvider& input) : input_(input), platform_(*this), controller_(platform_) {}

    void run() {
        platform_.anotherCopy = input_.ConsumeIntegralInRange<int>(0, 15) == 15;
        controller_.load();
        if (platform_.terminated) {
            require(messages_ == 1, "a second copy says why it ends");
            return;
        }
        loaded_ = true;
        check();
        while (input_.remaining_bytes() > 0) {
            event(input_.ConsumeIntegralInRange<int>(0, 10));
            check();
        }
    }

    // Inside a message box the window is disabled: only timers get through.
    // The window shows the model as it is when a message box opens.
    void nestedEvents() {
        if (!loaded_) return;  // a second copy's window is never shown
        check();
        ++depth_;
        const int count = depth_ < 3 ? input_.ConsumeIntegralInRange<int>(0, 3) : 0;
        for (int i = 0; i < count; ++i) {
            if (input_.ConsumeBool()) {
                controller_.tick();
            } else {
                pollKeys();
            }
            check();
        }
        --depth_;
    }

    // No operation may start inside another: the window stays as it is under a message.
    void broughtToFront() const { require(depth_ == 0, "no recall while a message is open"); }

    void launched(const std::wstring& commandLine) {
        require(controller_.remainingMinutes() == 0, "a command is launched only at 0");
        require(++launchesThisStart_ == 1, "a command is launched at most once per start");
        const auto row = actionRow(model().comboSelected);
        require(row && commandLine == row->commandLine, "the command is the chosen action's");
    }

    void messageShown(const std::wstring& text, const std::wstring& title) {
        ++messages_;
        static const std::set<std::wstring> kTexts{
            std::wstring(texts::kAlreadyRunning), std::wstring(texts::kChooseAction), std::wstring(texts::kSetTime),
            std::wstring(texts::kInvalidTime),    std::wstring(texts::kInBackground), texts::launchFailed(L"关机"),
            texts::launchFailed(L"重新启动"),     texts::launchFailed(L"注销")};
        require(kTexts.count(text) == 1, "every message is one of the program's own");
        require(title == texts::kTitleAttention || title == texts::kTitleSystemNotice, "message title");
    }

private:
    const WindowModel& model() const { return controller_.model(); }

    bool usable(Widget widget) const {
        return model().formVisible && model()[widget].visible && model()[widget].enabled;
    }

    void event(int kind) {
        switch (kind) {
            case 0:  // a list entry chosen
                if (usable(Widget::Combo1)) {
                    controller_.selectAction(input_.ConsumeIntegralInRange<std::int16_t>(0, kActionCount - 1));
                }
                break;
            case 1:  // a key typed into a box; the filter decides whether it gets in
            case 2: {
                const Widget box = kind == 1 ? Widget::Text1 : Widget::Text2;
                const auto key = static_cast<wchar_t>(input_.ConsumeIntegral<std::uint16_t>() % 0x80);
                if (usable(box) && controller_.acceptsKey(key)) {
                    std::wstring text = model()[box].text;
                    if (key == L'\b') {
                        if (!text.empty()) text.pop_back();
                    } else {
                        text += key;
                    }
                    controller_.boxTextEdited(box, text);
                }
                break;
            }
            case 3:  // a paste or other edit that bypasses the key filter
            case 4: {
                const Widget box = kind == 3 ? Widget::Text1 : Widget::Text2;
                const std::wstring text = fuzz::boxText(input_);
                if (usable(box)) controller_.boxTextEdited(box, text);
                break;
            }
            case 5:
                if (usable(Widget::Command1)) {
                    launchesThisStart_ = 0;
                    controller_.execute();
                }
                break;
            case 6:  // 取消任务
                if (model().formVisible) controller_.cancel();
                break;
            case 7:  // 隐藏
                if (model().formVisible) controller_.hideToBackground();
                break;
            case 8:  // a Timer1 elapse, possibly one queued before the timer stopped
                controller_.tick();
                break;
            case 9:
                pollKeys();
                break;
            default:
                if (input_.ConsumeBool()) {
                    platform_.commandsStart = !platform_.commandsStart;
                } else if (model().formVisible) {
                    controller_.openCreditLink();
                }
                break;
        }
    }

    void pollKeys() {
        platform_.f12Down = input_.ConsumeBool();
        platform_.controlDown = input_.ConsumeBool();
        const bool visibleBefore = model().formVisible;
        controller_.pollRecallHotkey();
        if (depth_ > 0) {
            require(model().formVisible == visibleBefore, "a message of ours keeps the window as it is");
        } else if (platform_.f12Down && platform_.controlDown) {
            require(model().formVisible, "Ctrl+F12 shows the window");
        }
    }

    void check() const {
        const WindowModel& m = model();
        const bool setupShown = m[Widget::Label1].visible || m[Widget::Combo1].visible;
        const bool countdownShown = m[Widget::Label8].visible || m[Widget::Label9].visible ||
                                    m[Widget::Label10].visible || m[Widget::Label11].visible ||
                                    m[Widget::Label12].visible;
        require(setupShown != countdownShown, "exactly one of the two views shows");
        require(controller_.remainingMinutes() >= 0, "the count never goes below 0");
        if (m.timer1Running) {
            require(countdownShown, "Timer1 runs only in the countdown view");
            require(controller_.remainingMinutes() > 0, "Timer1 runs only with a count above 0");
        }
        if (countdownShown) {
            require(!m[Widget::Command1].enabled, "执行 is disabled while counting down");
            const auto [hours, minutes] = splitForDisplay(controller_.remainingMinutes());
            require(m[Widget::Label9].text == hours && m[Widget::Label11].text == minutes,
                    "the countdown shows the count");
        }
        for (const Widget box : {Widget::Text1, Widget::Text2}) {
            require(fuzz::allAsciiDigits(m[box].text), "a box holds digits only");
        }
        require(!minutesTooLarge(m[Widget::Text2].text), "the minutes box never holds more than 60");
        require(m.comboSelected >= -1 && m.comboSelected < kActionCount, "a listed action is selected");
    }

    FuzzedDataProvider& input_;
    FuzzPlatform platform_;
    CountdownController controller_;
    bool loaded_ = false;
    int depth_ = 0;
    int messages_ = 0;
    int launchesThisStart_ = 0;
};

void FuzzPlatform::showMessage(const std::wstring& text, const std::wstring& title, MessageIcon) {
    harness_.messageShown(text, title);
    harness_.nestedEvents();
}

void FuzzPlatform::bringToFront(bool) { harness_.broughtToFront(); }

bool FuzzPlatform::runHidden(const std::wstring& commandLine) {
    harness_.launched(commandLine);
    return commandsStart;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    Harness(input).run();
    return 0;
}
