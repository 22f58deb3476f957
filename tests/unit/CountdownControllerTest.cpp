#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "CountdownController.h"
#include "FakePlatform.h"

namespace qorvane {
namespace {

using testing::FakePlatform;
using testing::Message;

const std::vector<Widget> kSetupLine{Widget::Text1, Widget::Label2, Widget::Text2, Widget::Label3, Widget::Label4};
const std::vector<Widget> kCountdownLabels{Widget::Label8, Widget::Label9, Widget::Label10, Widget::Label11,
                                           Widget::Label12};

Message attention(std::wstring_view text) { return {std::wstring(text), L"注意", MessageIcon::None}; }

class Controller : public ::testing::Test {
protected:
    const WindowModel& model() const { return controller.model(); }
    bool visible(Widget widget) const { return model()[widget].visible; }

    void choose(std::int16_t position) { controller.selectAction(position); }
    void type(const std::wstring& hours, const std::wstring& minutes) {
        controller.boxTextEdited(Widget::Text1, hours);
        controller.boxTextEdited(Widget::Text2, minutes);
    }
    void ticks(int count) {
        for (int i = 0; i < count; ++i) controller.tick();
    }
    // The countdown view showing hours and minutes, and nothing of the setup view.
    void expectCountdownShowing(const wchar_t* hours, const wchar_t* minutes) const {
        for (const Widget widget : kCountdownLabels) EXPECT_TRUE(visible(widget));
        for (const Widget widget : {Widget::Label1, Widget::Combo1, Widget::Text1, Widget::Label2, Widget::Text2,
                                    Widget::Label3, Widget::Label4}) {
            EXPECT_FALSE(visible(widget));
        }
        EXPECT_FALSE(model()[Widget::Command1].enabled);
        EXPECT_EQ(model()[Widget::Label9].text, hours);
        EXPECT_EQ(model()[Widget::Label11].text, minutes);
    }

    FakePlatform platform;
    CountdownController controller{platform};
};

TEST_F(Controller, LoadFillsTheListAndHidesTheCountdown) {
    controller.load();
    EXPECT_EQ(model().comboEntries, (std::vector<std::wstring>{L"关机", L"重新启动", L"注销"}));
    EXPECT_EQ(model().comboSelected, -1);
    EXPECT_EQ(model().comboText(), L"");
    for (const Widget widget : kCountdownLabels) EXPECT_FALSE(visible(widget));
    for (const Widget widget : {Widget::Text1, Widget::Label2, Widget::Text2, Widget::Label3}) {
        EXPECT_FALSE(visible(widget));
    }
    EXPECT_TRUE(visible(Widget::Label4));
    EXPECT_EQ(model()[Widget::Label4].text, L"");
    EXPECT_TRUE(visible(Widget::Label1) && visible(Widget::Combo1) && model().formVisible);
    EXPECT_FALSE(model().timer1Running);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(platform.terminateCalls, 0);
}

TEST_F(Controller, LoadEndsASecondCopyWithItsNotice) {
    platform.anotherCopyRunning = true;
    const WindowModel before = model();
    controller.load();
    EXPECT_EQ(platform.messages,
              (std::vector<Message>{{L"该程序已经处于运行状态", L"系统提示", MessageIcon::Information}}));
    EXPECT_EQ(platform.terminateCalls, 1);
    EXPECT_EQ(model(), before);
}

TEST_F(Controller, ChoosingAnActionSetsSuffixAndHeadingAndShowsTheHoursLine) {
    controller.load();
    choose(1);
    EXPECT_EQ(model()[Widget::Label4].text, L"后重新启动");
    EXPECT_EQ(model()[Widget::Label8].text, L"离重新启动还有：");
    for (const Widget widget : kSetupLine) EXPECT_TRUE(visible(widget));
    EXPECT_FALSE(visible(Widget::Label8));
    choose(2);
    EXPECT_EQ(model()[Widget::Label4].text, L"后注销");
    EXPECT_EQ(model()[Widget::Label8].text, L"离注销还有：");
}

TEST_F(Controller, ExecuteRefusesAMissingActionOrTime) {
    controller.load();
    const WindowModel start = model();
    controller.execute();
    EXPECT_EQ(platform.messages, (std::vector<Message>{attention(L"请选择操作类型！")}));
    EXPECT_EQ(model(), start);

    choose(0);
    const WindowModel chosen = model();
    controller.execute();
    EXPECT_EQ(platform.messages.back(), attention(L"请设置时间！"));
    EXPECT_EQ(model(), chosen);
    EXPECT_TRUE(platform.taskbar.empty());
    EXPECT_TRUE(platform.commands.empty());
}

TEST_F(Controller, ExecuteRefusesMoreThanTheLargestCountAndStaysInSetup) {
    controller.load();
    choose(0);
    type(L"546", L"8");
    controller.execute();
    EXPECT_EQ(platform.messages, (std::vector<Message>{attention(L"请输入有效的时间（最多546小时7分钟）！")}));
    EXPECT_FALSE(model().timer1Running);
    EXPECT_TRUE(model()[Widget::Command1].enabled);
    for (const Widget widget : kSetupLine) EXPECT_TRUE(visible(widget));
    for (const Widget widget : kCountdownLabels) EXPECT_FALSE(visible(widget));
    EXPECT_EQ(model()[Widget::Text1].text, L"546");
    EXPECT_EQ(model()[Widget::Text2].text, L"8");
    EXPECT_TRUE(platform.taskbar.empty());

    // The largest count is accepted and shown whole.
    type(L"546", L"7");
    controller.execute();
    EXPECT_EQ(controller.remainingMinutes(), 32767);
    expectCountdownShowing(L"546", L"7");
}

TEST_F(Controller, AnEmptyBoxCountsAsZero) {
    controller.load();
    choose(0);
    type(L"", L"5");
    controller.execute();
    EXPECT_EQ(model()[Widget::Text1].text, L"0");
    EXPECT_EQ(controller.remainingMinutes(), 5);
    expectCountdownShowing(L"0", L"5");

    controller.cancel();
    type(L"2", L"");
    controller.execute();
    EXPECT_EQ(model()[Widget::Text2].text, L"0");
    EXPECT_EQ(controller.remainingMinutes(), 120);
    expectCountdownShowing(L"2", L"0");
}

TEST_F(Controller, ACountdownRunsToZeroAndLaunchesTheActionOnce) {
    controller.load();
    choose(0);
    type(L"1", L"30");
    controller.execute();
    EXPECT_TRUE(model().timer1Running);
    EXPECT_EQ(controller.remainingMinutes(), 90);
    EXPECT_EQ(platform.taskbar, std::vector<bool>{false});
    expectCountdownShowing(L"1", L"30");
    EXPECT_EQ(model()[Widget::Label8].text, L"离关机还有：");

    controller.tick();
    expectCountdownShowing(L"1", L"29");
    // The hidden boxes follow the count too.
    EXPECT_EQ(model()[Widget::Text1].text, L"1");
    EXPECT_EQ(model()[Widget::Text2].text, L"29");

    ticks(88);
    expectCountdownShowing(L"0", L"1");
    EXPECT_TRUE(platform.commands.empty());
    EXPECT_TRUE(model().timer1Running);

    controller.tick();
    expectCountdownShowing(L"0", L"0");
    EXPECT_EQ(platform.commands, std::vector<std::wstring>{L"shutdown -s -f -t 0"});
    EXPECT_FALSE(model().timer1Running);

    // A stray elapse after the stop changes nothing.
    controller.tick();
    EXPECT_EQ(controller.remainingMinutes(), 0);
    EXPECT_EQ(platform.commands.size(), 1U);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(Controller, ZeroTimeLaunchesAtOnceForEachAction) {
    const wchar_t* expected[] = {L"shutdown -s -f -t 0", L"shutdown -r -f -t 0", L"shutdown -l -f"};
    controller.load();
    for (std::int16_t position = 0; position < 3; ++position) {
        controller.cancel();
        choose(position);
        type(L"", L"0");
        controller.execute();
        EXPECT_EQ(platform.commands.back(), expected[position]);
        EXPECT_FALSE(model().timer1Running);
        expectCountdownShowing(L"0", L"0");
    }
    EXPECT_EQ(platform.commands.size(), 3U);
}

TEST_F(Controller, TheActionRunIsTheOneSelectedWhenTheCountEnds) {
    controller.load();
    choose(1);
    type(L"0", L"2");
    controller.execute();
    ticks(1);
    EXPECT_TRUE(platform.commands.empty());
    ticks(1);
    EXPECT_EQ(platform.commands, std::vector<std::wstring>{L"shutdown -r -f -t 0"});
}

TEST_F(Controller, AFailedLaunchIsReportedAndCanStillBeCancelled) {
    platform.commandsStart = false;
    controller.load();
    choose(2);
    bool timerRunningDuringMessage = true;
    platform.onMessage = [&] { timerRunningDuringMessage = controller.model().timer1Running; };
    type(L"0", L"1");
    controller.execute();
    controller.tick();
    EXPECT_EQ(platform.messages, (std::vector<Message>{attention(L"无法执行注销操作！")}));
    EXPECT_FALSE(timerRunningDuringMessage);
    EXPECT_EQ(platform.commands.size(), 1U);

    controller.cancel();
    EXPECT_TRUE(model()[Widget::Command1].enabled);
    EXPECT_TRUE(visible(Widget::Combo1));
}

TEST_F(Controller, CancelDuringCountingRestoresTheSetupWithTheActionKept) {
    controller.load();
    choose(1);
    type(L"0", L"10");
    controller.execute();
    ticks(3);
    controller.cancel();

    EXPECT_FALSE(model().timer1Running);
    EXPECT_TRUE(model()[Widget::Command1].enabled);
    EXPECT_EQ(model()[Widget::Text1].text, L"");
    EXPECT_EQ(model()[Widget::Text2].text, L"");
    EXPECT_EQ(platform.taskbar, (std::vector<bool>{false, true}));
    for (const Widget widget : kCountdownLabels) EXPECT_FALSE(visible(widget));
    for (const Widget widget : kSetupLine) EXPECT_TRUE(visible(widget));
    EXPECT_TRUE(visible(Widget::Label1) && visible(Widget::Combo1));
    EXPECT_EQ(model().comboText(), L"重新启动");
    EXPECT_EQ(controller.remainingMinutes(), 7);

    // An elapse already queued when the timer stopped must not count.
    controller.tick();
    EXPECT_EQ(controller.remainingMinutes(), 7);
    EXPECT_TRUE(platform.commands.empty());

    // A new start counts from the newly entered time.
    type(L"0", L"3");
    controller.execute();
    EXPECT_EQ(controller.remainingMinutes(), 3);
    expectCountdownShowing(L"0", L"3");
}

TEST_F(Controller, CancelWithNothingChosenHidesTheHoursLineForGood) {
    controller.load();
    controller.cancel();
    for (const Widget widget : kSetupLine) EXPECT_FALSE(visible(widget));
    EXPECT_EQ(platform.taskbar, std::vector<bool>{true});
    // Choosing afterwards shows the boxes but not the suffix label.
    choose(0);
    EXPECT_EQ(model()[Widget::Label4].text, L"后关机");
    EXPECT_FALSE(visible(Widget::Label4));
    EXPECT_TRUE(visible(Widget::Text2));
}

TEST_F(Controller, CancelAfterLaunchReturnsToSetup) {
    controller.load();
    choose(0);
    type(L"0", L"0");
    controller.execute();
    controller.cancel();
    EXPECT_TRUE(model()[Widget::Command1].enabled);
    for (const Widget widget : kSetupLine) EXPECT_TRUE(visible(widget));
    EXPECT_EQ(platform.commands.size(), 1U);
}

TEST_F(Controller, MinutesBoxIsEmptiedAboveSixtyAndKeepsOnlyDigits) {
    controller.load();
    choose(0);
    controller.boxTextEdited(Widget::Text2, L"60");
    EXPECT_EQ(model()[Widget::Text2].text, L"60");
    controller.boxTextEdited(Widget::Text2, L"601");
    EXPECT_EQ(model()[Widget::Text2].text, L"");
    controller.boxTextEdited(Widget::Text2, L"6a1");
    EXPECT_EQ(model()[Widget::Text2].text, L"");
    controller.boxTextEdited(Widget::Text2, L"4 5");
    EXPECT_EQ(model()[Widget::Text2].text, L"45");
    // The hours box has no limit of its own, only the digit rule.
    controller.boxTextEdited(Widget::Text1, L"x9999");
    EXPECT_EQ(model()[Widget::Text1].text, L"9999");
    // Other widgets are not boxes.
    controller.boxTextEdited(Widget::Label4, L"abc");
    EXPECT_EQ(model()[Widget::Label4].text, L"后关机");
}

TEST_F(Controller, HidingKeepsTheCountdownGoingAndTheMessageComesAfterTheWindowIsGone) {
    controller.load();
    choose(0);
    type(L"0", L"2");
    controller.execute();
    bool visibleDuringMessage = true;
    platform.onMessage = [&] { visibleDuringMessage = controller.model().formVisible; };
    controller.hideToBackground();
    EXPECT_FALSE(model().formVisible);
    EXPECT_FALSE(visibleDuringMessage);
    EXPECT_EQ(platform.messages, (std::vector<Message>{attention(L"程序已转到后台运行，按Ctrl+F12即可回到程序！")}));
    EXPECT_TRUE(model().timer1Running);

    ticks(2);
    EXPECT_EQ(platform.commands, std::vector<std::wstring>{L"shutdown -s -f -t 0"});
    EXPECT_FALSE(model().formVisible);
}

TEST_F(Controller, CtrlF12CallsTheWindowBackAndNothingElseDoes) {
    controller.load();
    controller.hideToBackground();
    const WindowModel hidden = model();

    for (const auto& keys : {std::set<int>{}, std::set<int>{kVirtualKeyControl}, std::set<int>{kVirtualKeyF12}}) {
        platform.keysDown = keys;
        platform.keysAsked.clear();
        controller.pollRecallHotkey();
        EXPECT_EQ(platform.keysAsked, (std::vector<int>{kVirtualKeyF12, kVirtualKeyControl}));
    }
    EXPECT_EQ(model(), hidden);
    EXPECT_TRUE(platform.frontRequests.empty());

    // Held down, every poll asks again, but only the first of a press may force its way to the front.
    platform.keysDown = {kVirtualKeyF12, kVirtualKeyControl};
    controller.pollRecallHotkey();
    EXPECT_TRUE(model().formVisible);
    const WindowModel shown = model();
    controller.pollRecallHotkey();
    EXPECT_EQ(model(), shown);
    platform.keysDown = {};
    controller.pollRecallHotkey();
    platform.keysDown = {kVirtualKeyF12, kVirtualKeyControl};
    controller.pollRecallHotkey();
    EXPECT_EQ(platform.frontRequests, (std::vector<bool>{true, false, true}));
}

TEST_F(Controller, NoRecallWhileAMessageOfOursIsOpen) {
    controller.load();
    bool visibleAfterPoll = true;
    platform.keysDown = {kVirtualKeyF12, kVirtualKeyControl};
    platform.onMessage = [&] {
        controller.pollRecallHotkey();
        visibleAfterPoll = controller.model().formVisible;
    };
    controller.hideToBackground();
    EXPECT_FALSE(visibleAfterPoll);
    EXPECT_TRUE(platform.frontRequests.empty());
    controller.pollRecallHotkey();
    EXPECT_TRUE(model().formVisible);
}

TEST_F(Controller, CreditLinkOpensTheMakersPage) {
    controller.openCreditLink();
    ASSERT_EQ(platform.documents.size(), 1U);
    EXPECT_EQ(platform.documents[0], (testing::Document{L"open", L"https://tovric.example.com/", L"", L"", 5}));
}

}  // namespace
}  // namespace qorvane
