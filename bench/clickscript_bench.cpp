// How closely a replayed click script keeps its schedule, and what waiting for F5 costs.
//
// ReplayTiming plays a script through a backend that timestamps every mouse event with the steady
// clock in microseconds. A click's schedule runs from the release of the click before (the launch
// for the first): its interval, then 100 ms to the press, then the hold to the release. Reported:
// median and worst lateness of the presses and of the releases against that schedule.
//
// WaitForF5Cpu waits 2 s for F5 and reports the processor time used in that wait, with the 1 ms
// pause between polls and, for comparison, with none (polling flat out).

#include "remote/ScriptCommands.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <vector>

namespace {

using namespace vp;

std::int64_t NowUs()
{
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

// Takes the mouse events and keys without sending them anywhere; F5 is tapped at each look for it,
// or, with f5DownAtUs set, held from that moment for 10 ms.
class TimestampingBackend : public InputBackend {
public:
    std::vector<std::pair<std::uint32_t, std::int64_t>> events;
    std::int64_t f5DownAtUs = -1;

    bool mouseEvent(std::uint32_t flags, std::int32_t, std::int32_t, std::int32_t) override
    {
        events.emplace_back(flags, NowUs());
        return true;
    }
    ScreenSize screenSize() override { return {1024, 768}; }
    std::optional<WindowRect> windowRect(WindowHandle) override { return std::nullopt; }
    bool isKeyDown(int virtualKey) override
    {
        if (virtualKey != VirtualKey::F5)
            return false;
        if (f5DownAtUs >= 0) {
            const std::int64_t now = NowUs();
            return now >= f5DownAtUs && now < f5DownAtUs + 10'000;
        }
        f5Tapped_ = !f5Tapped_;
        return f5Tapped_;
    }
    std::optional<PointerPosition> pointerPosition() override { return PointerPosition{}; }
    bool sendKey(int) override { return true; }

private:
    bool f5Tapped_ = false;
};

class TimedLauncher : public ProgramLauncher {
public:
    std::int64_t returnedAtUs = 0;
    bool launch(const std::string&) override
    {
        returnedAtUs = NowUs();
        return true;
    }
};

// The old way of waiting: polling without a pause.
class NoPauseClock : public Clock {
public:
    std::int64_t nowMs() override { return steady_.nowMs(); }
    void sleepMs(std::int64_t) override {}

private:
    SteadyClock steady_;
};

// Answers every box with OK; the benchmarks show none.
class QuietDesktop : public Desktop {
public:
    BoxAnswer messageBox(const MessageBoxSpec&) override { return BoxAnswer::Ok; }
    std::optional<std::string> fileDialog(const FileDialogSpec&) override { return std::nullopt; }
    void beep() override {}
    void openDocument(const std::string&) override {}
    ScreenSize screenSize() override { return {1024, 768}; }
};

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 != 0 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void ReplayTiming(benchmark::State& state)
{
    constexpr int kClicks = 20;
    constexpr std::int32_t kHoldMs = 50;
    const ScriptSettings settings{"/gpl", 0, false, false};
    ClickScript script;
    for (int n = 1; n <= kClicks; ++n)
        script.append(10 + 7 * (n % 5), n, n);

    std::vector<double> pressErrorsUs;
    std::vector<double> releaseErrorsUs;
    for (auto _ : state) {
        QuietDesktop desktop;
        SteadyClock clock;
        TimestampingBackend backend;
        TimedLauncher launcher;
        ScriptActivity activity;
        RemoteContext context{desktop, clock, &backend, &launcher, activity, [] {}};
        MouseInput mouse(backend, clock, [] {});
        mouse.setClickDelay(kHoldMs);
        playClickScript(context, &mouse, script, settings);

        std::int64_t previousUs = launcher.returnedAtUs;
        int n = 0;
        for (const auto& [flags, atUs] : backend.events) {
            if (flags == MouseFlags::LeftDown) {
                ++n;
                pressErrorsUs.push_back(
                    static_cast<double>(atUs - previousUs - (script.intervals[static_cast<std::size_t>(n)] + kMoveSettleMs) * 1000));
                previousUs = atUs;
            } else if (flags == MouseFlags::LeftUp) {
                releaseErrorsUs.push_back(static_cast<double>(atUs - previousUs - kHoldMs * 1000));
                previousUs = atUs;
            }
        }
    }
    state.counters["press_median_us"] = Median(pressErrorsUs);
    state.counters["press_worst_us"] = *std::max_element(pressErrorsUs.begin(), pressErrorsUs.end());
    state.counters["release_median_us"] = Median(releaseErrorsUs);
    state.counters["release_worst_us"] = *std::max_element(releaseErrorsUs.begin(), releaseErrorsUs.end());
    state.counters["clicks"] = static_cast<double>(pressErrorsUs.size());
}
BENCHMARK(ReplayTiming)->Iterations(3)->Unit(benchmark::kMillisecond);

template <typename WaitClock>
void WaitForF5Cpu(benchmark::State& state)
{
    constexpr std::int64_t kWaitUs = 2'000'000;
    double cpuMs = 0;
    double wallMs = 0;
    for (auto _ : state) {
        TimestampingBackend backend;
        WaitClock clock;
        const std::int64_t startUs = NowUs();
        backend.f5DownAtUs = startUs + kWaitUs;
        const std::clock_t cpuStart = std::clock();
        waitForF5(backend, clock, [] {});
        cpuMs += 1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        wallMs += static_cast<double>(NowUs() - startUs) / 1000.0;
    }
    state.counters["cpu_ms"] = cpuMs / static_cast<double>(state.iterations());
    state.counters["cpu_percent"] = 100.0 * cpuMs / wallMs;
}
BENCHMARK_TEMPLATE(WaitForF5Cpu, SteadyClock)->Name("WaitForF5Cpu/pause_1ms")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_TEMPLATE(WaitForF5Cpu, NoPauseClock)->Name("WaitForF5Cpu/no_pause")->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
