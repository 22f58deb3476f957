#pragma once

// Carries out every event of the window as changes to the WindowModel plus
// calls to the platform. It never draws: the window shows the model after
// each operation.

#include <span>
#include <string>

#include "CountdownRules.h"
#include "PlatformServices.h"
#include "WindowModel.h"

namespace qorvane {

class CountdownController {
public:
    explicit CountdownController(PlatformServices& platform) : platform_(platform) {}

    CountdownController(const CountdownController&) = delete;
    CountdownController& operator=(const CountdownController&) = delete;

    // The window's events, one operation each.
    void load();
    // The user picked the entry at this position of the list.
    void selectAction(std::int16_t position);
    void execute();
    void cancel();
    void tick();
    // The user changed the text of the hours or minutes box (typing, pasting,
    // deleting). Only its digits are kept; the minutes rule then runs once.
    void boxTextEdited(Widget box, const std::wstring& text);
    void openCreditLink();
    bool acceptsKey(wchar_t character) const { return qorvane::acceptsKey(character); }
    void hideToBackground();
    void pollRecallHotkey();
    // A command that runHidden started has ended with this exit code.
    void commandEnded(std::uint32_t exitCode);

    const WindowModel& model() const { return model_; }
    RemainingMinutes remainingMinutes() const { return remaining_; }

private:
    void chooseAction();
    void minutesTextChanged();
    void launchAction();
    // Every message of ours goes through here, so the controller knows when one is open.
    void showMessage(std::wstring_view text, std::wstring_view title, MessageIcon icon,
                     MessageFront front = MessageFront::OverWindow);
    void reportLaunchFailed(std::wstring_view actionEntry);
    void setMinutesText(std::wstring text);
    void setVisible(std::span<const Widget> widgets, bool visible);
    // Timer1 runs exactly while the system must stay awake for it.
    void setTimer1Running(bool running);

    PlatformServices& platform_;
    WindowModel model_;
    RemainingMinutes remaining_ = 0;
    std::wstring_view launchedEntry_;  // the list entry of the last action launched
    int messagesOpen_ = 0;
    bool recallKeysDown_ = false;  // at the last poll
};

}  // namespace qorvane
