#pragma once

// Carries out every event of the window as changes to the WindowModel plus
// calls to the platform. It never draws: the window shows the model after
// each operation.

#include <initializer_list>
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

    // Window events.
    void load();
    // The user picked the entry at this position of the list: it is stored,
    // then chooseAction runs.
    void selectAction(std::int16_t position);
    void chooseAction();
    void execute();
    void cancel();
    void tick();
    void minutesTextChanged();
    void openCreditLink();
    bool acceptsKey(wchar_t character) const { return qorvane::acceptsKey(character); }

    // The user changed the text of the hours or minutes box (typing, pasting,
    // deleting). Only its digits are kept; the minutes rule then runs once.
    void boxTextEdited(Widget box, const std::wstring& text);

    // Background mode.
    void hideToBackground();
    void pollRecallHotkey();

    const WindowModel& model() const { return model_; }
    RemainingMinutes remainingMinutes() const { return remaining_; }

private:
    void launchAction();
    // Every message of ours goes through here, so the controller knows when one is open.
    void showMessage(std::wstring_view text, std::wstring_view title, MessageIcon icon);
    void setMinutesText(std::wstring text);
    void setVisible(std::initializer_list<Widget> widgets, bool visible);
    void stopTimer1() { model_.timer1Running = false; }

    PlatformServices& platform_;
    WindowModel model_;
    RemainingMinutes remaining_ = 0;
    int messagesOpen_ = 0;
    bool recallKeysDown_ = false;  // at the last poll
};

}  // namespace qorvane
