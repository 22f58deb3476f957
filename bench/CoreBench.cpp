// The core's rules and one whole controller story, per second, natively.
#include <benchmark/benchmark.h>

#include <string>

#include "CountdownController.h"
#include "CountdownRules.h"

using namespace qorvane;

namespace {

// Answers every platform call at once, so only the controller is measured.
class QuietPlatform : public PlatformServices {
public:
    bool isPreviousInstanceRunning() override { return false; }
    void showMessage(const std::wstring&, const std::wstring&, MessageIcon, MessageFront) override {}
    void terminate() override {}
    bool runHidden(const std::wstring&) override { return true; }
    void keepSystemAwake(bool) override {}
    void setTaskbarButtonVisible(bool) override {}
    void openDocument(const std::wstring&, const std::wstring&, const std::wstring&, const std::wstring&,
                      int) override {}
    bool isKeyDown(int) override { return false; }
    void bringToFront(bool) override {}
};

void startValueOfTypedTexts(benchmark::State& state) {
    const std::wstring hours = L"12", minutes = L"34";
    for (auto _ : state) benchmark::DoNotOptimize(startValue(hours, minutes));
}
BENCHMARK(startValueOfTypedTexts);

void startValueOfLongPaste(benchmark::State& state) {
    const std::wstring hours(10000, L'9'), minutes = L"0";
    for (auto _ : state) benchmark::DoNotOptimize(startValue(hours, minutes));
}
BENCHMARK(startValueOfLongPaste);

void minutesTooLargeCheck(benchmark::State& state) {
    const std::wstring minutes = L"61";
    for (auto _ : state) benchmark::DoNotOptimize(minutesTooLarge(minutes));
}
BENCHMARK(minutesTooLargeCheck);

void keyFilter(benchmark::State& state) {
    wchar_t key = 0;
    for (auto _ : state) benchmark::DoNotOptimize(acceptsKey(key++));
}
BENCHMARK(keyFilter);

void splitForDisplayOfCount(benchmark::State& state) {
    RemainingMinutes value = 32767;
    for (auto _ : state) {
        benchmark::DoNotOptimize(splitForDisplay(value));
        value = value == 0 ? 32767 : static_cast<RemainingMinutes>(value - 1);
    }
}
BENCHMARK(splitForDisplayOfCount);

// Start-up, choose restart, type 1 h 30 min, execute, 90 elapses to the launch.
void controllerStory(benchmark::State& state) {
    QuietPlatform platform;
    for (auto _ : state) {
        CountdownController controller(platform);
        controller.load();
        controller.selectAction(1);
        controller.boxTextEdited(Widget::Text1, L"1");
        controller.boxTextEdited(Widget::Text2, L"3");
        controller.boxTextEdited(Widget::Text2, L"30");
        controller.execute();
        for (int minute = 0; minute < 90; ++minute) controller.tick();
        benchmark::DoNotOptimize(controller.model());
    }
}
BENCHMARK(controllerStory);

}  // namespace

BENCHMARK_MAIN();
