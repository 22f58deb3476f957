#include "CountdownController.h"

#include <array>

#include "Texts.h"

namespace qorvane {

namespace {

// Widgets shown and hidden together.
constexpr std::array kCountdownView{Widget::Label8, Widget::Label9, Widget::Label10, Widget::Label11, Widget::Label12};
constexpr std::array kSetupView{Widget::Label1, Widget::Label2, Widget::Label3, Widget::Label4,
                                Widget::Combo1, Widget::Text1,  Widget::Text2};
// The hours and minutes boxes with their labels; the suffix after them has a life of its own.
constexpr std::array kTimeEntry{Widget::Text1, Widget::Label2, Widget::Text2, Widget::Label3};

}  // namespace

void CountdownController::load() {
    if (platform_.isPreviousInstanceRunning()) {
        showMessage(texts::kAlreadyRunning, texts::kTitleSystemNotice, MessageIcon::Information);
        platform_.terminate();
        return;
    }
    for (int position = 0; position < kActionCount; ++position) {
        model_.comboEntries.emplace_back(actionRow(position)->entry);
    }
    setVisible(kCountdownView, false);
}

void CountdownController::selectAction(std::int16_t position) {
    model_.comboSelected = position;
    chooseAction();
}

void CountdownController::chooseAction() {
    if (const auto row = actionRow(model_.comboSelected)) {
        model_[Widget::Label4].text = row->suffix;
        model_[Widget::Label8].text = row->heading;
    }
    setVisible(kTimeEntry, true);
}

void CountdownController::execute() {
    if (model_.comboText().empty() && !model_[Widget::Text2].visible) {
        showMessage(texts::kChooseAction, texts::kTitleAttention, MessageIcon::None);
        return;
    }
    std::wstring& hours = model_[Widget::Text1].text;
    const std::wstring& minutes = model_[Widget::Text2].text;
    if (minutes.empty() && hours.empty()) {
        showMessage(texts::kSetTime, texts::kTitleAttention, MessageIcon::None);
        return;
    }
    if (!minutes.empty() && hours.empty()) {
        hours = L"0";
    }
    if (minutes.empty() && !hours.empty()) {
        setMinutesText(L"0");
    }

    // The timer starts only for a valid time, so a refused entry leaves the
    // setup view exactly as it is.
    const auto start = startValue(hours, minutes);
    if (!start) {
        showMessage(texts::kInvalidTime, texts::kTitleAttention, MessageIcon::None);
        return;
    }
    remaining_ = *start;
    // At 0 the timer is never started: a launch failure shows a modal
    // message, and no elapse may come in under it.
    setTimer1Running(remaining_ != 0);
    if (remaining_ == 0) {
        launchAction();
    }

    model_[Widget::Command1].enabled = false;
    platform_.setTaskbarButtonVisible(false);
    const auto [hoursLeft, minutesLeft] = splitForDisplay(remaining_);
    model_[Widget::Label9].text = hoursLeft;
    model_[Widget::Label11].text = minutesLeft;
    setVisible(kCountdownView, true);
    setVisible(kSetupView, false);
}

void CountdownController::tick() {
    // An elapse queued before the timer was stopped must not count.
    if (!model_.timer1Running) {
        return;
    }
    remaining_ = decrement(remaining_);
    const auto [hoursLeft, minutesLeft] = splitForDisplay(remaining_);
    model_[Widget::Text1].text = hoursLeft;
    setMinutesText(minutesLeft);
    model_[Widget::Label9].text = hoursLeft;
    model_[Widget::Label11].text = minutesLeft;
    if (remaining_ == 0) {
        setTimer1Running(false);
        launchAction();
    }
}

void CountdownController::launchAction() {
    const auto row = actionRow(model_.comboSelected);
    if (!row) {
        return;
    }
    launchedEntry_ = row->entry;
    if (!platform_.runHidden(std::wstring(row->commandLine))) {
        reportLaunchFailed(row->entry);
    }
}

// Windows can refuse the command once it runs (a shutdown already under way,
// no right to shut down, a policy): the user hears of it as of a failed start.
// A command that succeeded is ending the session, and nothing may hold it up.
void CountdownController::commandEnded(std::uint32_t exitCode) {
    if (exitCode != 0 && !launchedEntry_.empty()) {
        reportLaunchFailed(launchedEntry_);
    }
}

// At zero nobody may be at the keyboard: the message waits over every program.
void CountdownController::reportLaunchFailed(std::wstring_view actionEntry) {
    showMessage(texts::launchFailed(actionEntry), texts::kTitleAttention, MessageIcon::None,
                MessageFront::OverEverything);
}

void CountdownController::cancel() {
    setTimer1Running(false);
    model_[Widget::Command1].enabled = true;
    model_[Widget::Text1].text.clear();
    setMinutesText(L"");
    platform_.setTaskbarButtonVisible(true);
    setVisible(kCountdownView, false);
    model_[Widget::Label1].visible = true;
    model_[Widget::Combo1].visible = true;
    const bool chosen = !model_.comboText().empty();
    setVisible(kTimeEntry, chosen);
    model_[Widget::Label4].visible = chosen;
}

void CountdownController::minutesTextChanged() {
    if (minutesTooLarge(model_[Widget::Text2].text)) {
        setMinutesText(L"");
    }
}

void CountdownController::openCreditLink() {
    platform_.openDocument(L"open", std::wstring(texts::kCreditLink), L"", L"", kShowCommandShow);
}

void CountdownController::boxTextEdited(Widget box, const std::wstring& text) {
    if (box != Widget::Text1 && box != Widget::Text2) {
        return;
    }
    model_[box].text = keepDigits(text);
    if (box == Widget::Text2) {
        minutesTextChanged();
    }
}

void CountdownController::hideToBackground() {
    model_.formVisible = false;
    showMessage(texts::kInBackground, texts::kTitleAttention, MessageIcon::None);
}

void CountdownController::pollRecallHotkey() {
    // A message of ours is on screen and waits for the user: showing the
    // window under it would let an operation start inside another one.
    if (messagesOpen_ > 0) {
        return;
    }
    const bool f12 = platform_.isKeyDown(kVirtualKeyF12);
    const bool control = platform_.isKeyDown(kVirtualKeyControl);
    const bool firstPollOfPress = !recallKeysDown_;
    recallKeysDown_ = f12 && control;
    if (recallKeysDown_) {
        platform_.bringToFront(firstPollOfPress);
        model_.formVisible = true;
    }
}

void CountdownController::showMessage(std::wstring_view text, std::wstring_view title, MessageIcon icon,
                                      MessageFront front) {
    ++messagesOpen_;
    platform_.showMessage(std::wstring(text), std::wstring(title), icon, front);
    --messagesOpen_;
}

void CountdownController::setTimer1Running(bool running) {
    if (running != model_.timer1Running) {
        model_.timer1Running = running;
        // The timer does not run while the system sleeps: an idle PC would
        // otherwise be found asleep in the morning with the count stopped.
        platform_.keepSystemAwake(running);
    }
}

void CountdownController::setMinutesText(std::wstring text) {
    model_[Widget::Text2].text = std::move(text);
    minutesTextChanged();
}

void CountdownController::setVisible(std::span<const Widget> widgets, bool visible) {
    for (const Widget widget : widgets) {
        model_[widget].visible = visible;
    }
}

}  // namespace qorvane
