// The rules' values and the controller's exact texts and sequences; what shows on screen is the end-to-end tests'.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "CountdownController.h"
#include "FakePlatform.h"

namespace qorvane {
namespace {

using Pair = std::pair<std::wstring, std::wstring>;

TEST(Rules, AStartIsPlainDigitsWithinSixteenBits) {
    EXPECT_EQ(startValue(L"546", L"7"), 32767);
    EXPECT_EQ(startValue(L"007", L"60"), 480);
    for (const auto& [hours, minutes] : {Pair(L"546", L"8"), Pair(L"0", L"32768"), Pair(std::wstring(9999, L'9'), L"0"),
                                         Pair(L"1a", L"0"), Pair(L"0", L"-1"), Pair(L"", L"0"), Pair(L"１", L"0")}) {
        EXPECT_EQ(startValue(hours, minutes), std::nullopt) << hours << L" h " << minutes;
    }
    for (wchar_t key = 0; key < 0x3000; ++key) EXPECT_EQ(acceptsKey(key), key == L'\b' || (key >= L'0' && key <= L'9'));
}

class Controller : public ::testing::Test {
protected:
    Controller() { controller.load(); }
    const WindowModel& model() const { return controller.model(); }
    const std::wstring& text(Widget widget) const { return model()[widget].text; }
    Pair boxes() const { return {text(Widget::Text1), text(Widget::Text2)}; }
    Pair shown() const { return {text(Widget::Label9), text(Widget::Label11)}; }
    void start(int action, const wchar_t* hours, const wchar_t* minutes) {
        controller.selectAction(static_cast<std::int16_t>(action));
        controller.boxTextEdited(Widget::Text1, hours);
        controller.boxTextEdited(Widget::Text2, minutes);
        controller.execute();
    }

    testing::FakePlatform platform;
    CountdownController controller{platform};
};

testing::Message attention(const wchar_t* text, MessageFront front = MessageFront::OverWindow) {
    return {text, L"注意", MessageIcon::None, front};
}

std::set<Widget> shownWidgets(const WindowModel& model) {  // so that a view is compared whole
    std::set<Widget> shown;
    for (std::size_t widget = 0; widget < kWidgetCount; ++widget) {
        if (model.widgets[widget].visible) shown.insert(static_cast<Widget>(widget));
    }
    return shown;
}
const std::set<Widget> kSetupView{Widget::Label1, Widget::Combo1, Widget::Text1,  Widget::Label2,
                                  Widget::Text2,  Widget::Label3, Widget::Label4, Widget::Command1};
const std::set<Widget> kCountdownView{Widget::Label8,  Widget::Label9,  Widget::Label10,
                                      Widget::Label11, Widget::Label12, Widget::Command1};

TEST_F(Controller, EachActionHasItsEntrySuffixHeadingAndCommandRunOnceAtAZeroStart) {
    EXPECT_EQ(model().comboEntries, (std::vector<std::wstring>{L"关机", L"重新启动", L"注销"}));
    const wchar_t* rows[][3] = {{L"后关机", L"离关机还有：", L"shutdown -s -f -t 0"},
                                {L"后重新启动", L"离重新启动还有：", L"shutdown -r -f -t 0"},
                                {L"后注销", L"离注销还有：", L"shutdown -l -f"}};
    for (const int action : {2, 0, 1}) {
        start(action, L"", L"0");  // no time: the command runs at once, and the timer never starts
        controller.tick();
        EXPECT_EQ(boxes(), Pair(L"0", L"0"));  // the empty hours box counts as 0
        EXPECT_EQ(Pair(text(Widget::Label4), text(Widget::Label8)), Pair(rows[action][0], rows[action][1]));
        EXPECT_EQ(platform.commands, std::vector<std::wstring>{rows[action][2]});
        EXPECT_EQ(shown(), Pair(L"0", L"0"));
        platform.commands.clear();
        controller.cancel();
    }
}

TEST_F(Controller, ExecuteRefusesAMissingActionOrTimeOrTooLongATimeAndTheBoxesKeepTheirDigitsToSixtyMinutes) {
    const WindowModel unchosen = model();
    controller.execute();
    EXPECT_EQ(model(), unchosen);
    controller.selectAction(0);
    const WindowModel chosen = model();
    controller.execute();
    EXPECT_EQ(model(), chosen);
    start(0, L"546", L"8");
    EXPECT_EQ(platform.messages, (std::vector{attention(L"请选择操作类型！"), attention(L"请设置时间！"),
                                              attention(L"请输入有效的时间（最多546小时7分钟）！")}));
    EXPECT_EQ(boxes(), Pair(L"546", L"8"));
    EXPECT_EQ(shownWidgets(model()), kSetupView);
    EXPECT_FALSE(model().timer1Running);
    for (const auto& [typed, kept] : {Pair(L"60", L"60"), Pair(L"61", L""), Pair(L"4 5", L"45")}) {
        controller.boxTextEdited(Widget::Text2, typed);
        EXPECT_EQ(text(Widget::Text2), kept) << typed;
    }
}

TEST_F(Controller, ACountdownShowsEachMinuteInPlaceOfTheSetupAndRunsTheCommandOnceAtZero) {
    start(0, L"546", L"7");
    EXPECT_EQ(shown(), Pair(L"546", L"7"));
    controller.cancel();
    start(0, L"1", L"");
    EXPECT_EQ(boxes(), Pair(L"1", L"0"));  // the empty minutes box counts as 0
    EXPECT_EQ(shownWidgets(model()), kCountdownView);
    controller.tick();
    EXPECT_EQ(shown(), Pair(L"0", L"59"));
    EXPECT_EQ(boxes(), Pair(L"0", L"59"));                          // the hidden boxes follow the count
    for (int minute = 0; minute < 60; ++minute) controller.tick();  // the last after the stop at 0
    EXPECT_EQ(shown(), Pair(L"0", L"0"));
    EXPECT_EQ(platform.commands, std::vector<std::wstring>{L"shutdown -s -f -t 0"});
}

TEST_F(Controller, CancelShowsTheSetupAsItWasChosenAndANewCountdownStarts) {
    controller.cancel();  // nothing chosen: the setup shows no time, and a later choice no suffix, till the next cancel
    EXPECT_EQ(shownWidgets(model()), (std::set<Widget>{Widget::Label1, Widget::Combo1, Widget::Command1}));
    controller.selectAction(0);
    EXPECT_FALSE(model()[Widget::Label4].visible);
    start(0, L"0", L"10");
    controller.cancel();
    EXPECT_EQ(boxes(), Pair(L"", L""));
    EXPECT_EQ(shownWidgets(model()), kSetupView);
    controller.tick();  // an elapse queued before the stop
    EXPECT_EQ(controller.remainingMinutes(), 10);
    start(0, L"0", L"3");
    controller.tick();
    EXPECT_EQ(shown(), Pair(L"0", L"2"));
}

TEST_F(Controller, AFailedOrRefusedCommandIsReportedOnceWithTheTimerStoppedAndOneThatSucceedsNot) {
    bool timerUnderMessage = true;
    platform.onMessage = [&] { timerUnderMessage = model().timer1Running; };
    start(1, L"0", L"0");
    controller.commandEnded(0);
    controller.commandEnded(1190);  // a shutdown already under way
    controller.cancel();
    platform.commandsStart = false;
    start(2, L"0", L"1");
    controller.tick();
    EXPECT_EQ(platform.messages, (std::vector{attention(L"无法执行重新启动操作！", MessageFront::OverEverything),
                                              attention(L"无法执行注销操作！", MessageFront::OverEverything)}));
    EXPECT_FALSE(timerUnderMessage);
}

TEST_F(Controller, RecallNeedsBothKeysAndNeverComesUnderAMessage) {
    const std::set<int> both{kVirtualKeyF12, kVirtualKeyControl};
    platform.keysDown = both;
    platform.onMessage = [&] { controller.pollRecallHotkey(); };
    controller.hideToBackground();
    bool shown = false;
    for (const auto& keys : {std::set<int>{kVirtualKeyControl}, {kVirtualKeyF12}, both, both, {}, both}) {
        platform.keysDown = keys;
        controller.pollRecallHotkey();
        shown = shown || keys.size() == 2;
        EXPECT_EQ(model().formVisible, shown);
    }
    EXPECT_EQ(platform.fronts, (std::vector<bool>{true, false, true}));  // past Windows' lock once a press
}

}  // namespace
}  // namespace qorvane
