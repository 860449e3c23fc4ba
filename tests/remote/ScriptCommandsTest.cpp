// The script commands on scripted seams: a fake clock, desktop, input backend and launcher, the
// context the commands act on, and a script with its settings.

#include "remote/ScriptCommands.h"

#include "camdata/FileSystem.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeInputBackend.h"
#include "support/FakeLauncher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vp::test {
namespace {

using Key = std::pair<int, std::int64_t>;                                          // virtual key, time
using Event = std::tuple<std::uint32_t, std::int32_t, std::int32_t, std::int64_t>; // flags, dx, dy, time

// The five shutdown keys, starting at `at` with the given pauses.
inline std::vector<Key> shutdownSequence(std::int64_t at, std::int64_t delay, std::int64_t quarter)
{
    return {{VirtualKey::Escape, at},
            {VirtualKey::Escape, at + delay},
            {VirtualKey::Escape, at + delay + quarter},
            {VirtualKey::Enter, at + delay + 2 * quarter},
            {VirtualKey::Enter, at + delay + 3 * quarter}};
}

// GPL's folders and the program in them, as each system writes paths.
#ifdef _WIN32
inline const std::string kGplFolder = "C:\\games\\GPL";
inline const std::string kGplExe = "C:\\games\\GPL\\gpl.exe";
#else
inline const std::string kGplFolder = "/games/GPL";
inline const std::string kGplExe = "/games/GPL/gpl.exe";
#endif

class ScriptCommandsTest : public testing::Test {
protected:
    FakeClock clock;
    FakeInputBackend input{&clock};
    FakeDesktop desktop;
    FakeLauncher launcher{&clock};
    ScriptActivity activity;
    int processed = 0;
    // Runs inside every processing of events, as the windows' handlers would.
    std::function<void()> duringEvents;
    RemoteContext context{desktop, clock, &input, &launcher, activity, [this] {
                              ++processed;
                              if (duringEvents)
                                  duringEvents();
                          }};
    MouseInput mouse{input, clock, context.processEvents};
    ClickScript script;
    ScriptSettings settings{kGplFolder, 1500, false, false};

    ScriptSettings informing() const
    {
        ScriptSettings informed = settings;
        informed.showInformation = true;
        return informed;
    }

    void hold(int virtualKey, std::int64_t first, std::int64_t end)
    {
        input.holds.push_back(KeyHold{virtualKey, first, end, true});
    }

    // F5 is down at every other look, so each command in turn sees a press and a release at once.
    void tapF5()
    {
        input.keyState = [down = false](int virtualKey, std::int64_t) mutable {
            return virtualKey == VirtualKey::F5 && (down = !down);
        };
    }

    // A left click held from `first` to `end` on clock time, at `where`.
    void click(std::int64_t first, std::int64_t end, PointerPosition where)
    {
        hold(VirtualKey::LeftButton, first, end);
        input.pointerQueue.push_back(where);
    }

    std::vector<Key> keys() const
    {
        std::vector<Key> out;
        for (const auto& k : input.keys)
            out.push_back({k.virtualKey, k.atMs});
        return out;
    }

    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> out;
        for (const auto& b : desktop.boxes)
            out.push_back(b.text);
        return out;
    }
};


constexpr std::uint32_t kAbsoluteMove = MouseFlags::Move | MouseFlags::Absolute;

const std::string kRecordInfo =
    "GPL will now be launched and the recording of mouseclicks will begin. For further details see online help.";
const std::string kPlayInfo =
    "GPL will now be launched and the recorded sequence of mouseclicks will be played. After that you can "
    "shutdown automatically by pressing F5. For further details see online help.";
const std::string kLaunchInfo = "GPL will now be launched.";
const std::string kOverwrite = "This will overwrite your previously recorded script. Continue?";
const std::string kLaunchFailed = "GPL couldn't be started. Operation aborted. Check the path to the file gpl.exe.";

// --- scaling and shutdown keys ---

TEST(ScaleToScriptTest, FloorsTheScaledPosition)
{
    EXPECT_EQ(scaleToScript(320, 1024, 640), 512);
    EXPECT_EQ(scaleToScript(240, 768, 480), 384);
    EXPECT_EQ(scaleToScript(639, 1280, 640), 1278);
    EXPECT_EQ(scaleToScript(479, 1024, 480), 1021); // 1021.87
    EXPECT_EQ(scaleToScript(-1, 1000, 640), -2);     // left of a primary screen: down, not toward zero
}

TEST_F(ScriptCommandsTest, ShutdownKeysPauseTheDelayThenThreeQuartersAndAllGoOutWhenRefused)
{
    for (auto [delay, quarter] : std::vector<std::pair<std::int32_t, std::int64_t>>{
             {1500, 375}, {50, 12}, {150, 38}, {0, 0}}) {
        EXPECT_EQ(shutdownQuarter(delay), quarter);
        input.keys.clear();
        input.acceptKeys = delay != 0;
        const std::int64_t start = clock.now;
        EXPECT_EQ(sendShutdownKeys(input, clock, delay), delay != 0);
        EXPECT_EQ(keys(), shutdownSequence(start, delay, quarter)) << delay;
    }
}

// --- playback ---

TEST_F(ScriptCommandsTest, PlaybackSleepsMovesAndClicksOnTheRecordedSchedule)
{
    script.append(4000, 512, 384);
    script.append(1500, 0, 768);
    hold(VirtualKey::F5, 8000, 8005);

    ASSERT_EQ(playClickScript(context, &mouse, script, settings), ScriptOutcome::Done);

    ASSERT_EQ(launcher.launchedAtMs, std::vector<std::int64_t>{1000});
    std::vector<Event> events;
    for (const auto& e : input.mouseEvents)
        events.push_back({e.flags, e.dx, e.dy, e.atMs});
    EXPECT_EQ(events, (std::vector<Event>{
                          {kAbsoluteMove, 32768, 32768, 5000}, // 4000 after the launch
                          {MouseFlags::LeftDown, 0, 0, 5100},  // 100 after the move
                          {MouseFlags::LeftUp, 0, 0, 5350},    // held 250
                          {kAbsoluteMove, 0, 65535, 6850},     // 1500 after the release
                          {MouseFlags::LeftDown, 0, 0, 6950},
                          {MouseFlags::LeftUp, 0, 0, 7200},
                      }));
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(keys(), shutdownSequence(8005, 1500, 375));
    // Nothing but 1 ms pauses between the last click and the shutdown keys.
    const auto waitBegin = std::find(clock.sleeps.begin(), clock.sleeps.end(), 250) + 4; // second hold
    const auto waitEnd = clock.sleeps.end() - 4;
    EXPECT_TRUE(std::all_of(waitBegin, waitEnd, [](std::int64_t ms) { return ms == 1; }));
    EXPECT_EQ(waitEnd - waitBegin, 8005 - 7200);
    EXPECT_FALSE(activity.running());
}

TEST_F(ScriptCommandsTest, PlaysOnWhenTheSharedMouseAndTheOptionsChangeDuringThePlay)
{
    // An options dialog opened during a click may replace the shared mouse and accept other options.
    auto shared = std::make_unique<MouseInput>(input, clock, context.processEvents);
    script.append(10, 512, 384);
    script.append(10, 0, 0);
    duringEvents = [&] {
        shared.reset();
        script.count = 0;
        settings.shutdownDelay = 0;
    };
    hold(VirtualKey::F5, 2000, 2001);
    ASSERT_EQ(playClickScript(context, shared.get(), script, settings), ScriptOutcome::Done);
    EXPECT_EQ(input.mouseEvents.size(), 6u);
    EXPECT_EQ(keys(), shutdownSequence(2001, 1500, 375));
}

TEST_F(ScriptCommandsTest, AClickThatCannotBePlacedIsNotPressed)
{
    script.append(10, 5, 5);
    tapF5();
    input.acceptMouseEvents = false;
    ASSERT_EQ(playClickScript(context, &mouse, script, settings), ScriptOutcome::Done);
    ASSERT_EQ(input.mouseEvents.size(), 1u);
    EXPECT_EQ(input.mouseEvents[0].flags, kAbsoluteMove);
    EXPECT_EQ(input.keys.size(), 5u);
}

// --- recording ---

TEST_F(ScriptCommandsTest, RecordsScaledClicksAtTheirReleasesUntilF5)
{
    settings.shutdownDelay = 150;
    click(1500, 1520, {10, 20});
    click(2000, 2010, {320, 240});
    click(3000, 3001, {639, 479});
    hold(VirtualKey::F5, 4000, 4100);

    ASSERT_EQ(recordClickScript(context, script, settings, {1280, 1024}), ScriptOutcome::Done);

    ASSERT_EQ(script.count, 3);
    // From just before the launch to the first release, then release to release.
    EXPECT_EQ(script.intervals[1], 520);
    EXPECT_EQ(script.intervals[2], 490);
    EXPECT_EQ(script.intervals[3], 991);
    EXPECT_EQ(script.x[2], 640);
    EXPECT_EQ(script.y[2], 512);
    EXPECT_EQ(script.x[3], 1278);
    EXPECT_EQ(script.y[3], 1021);
    EXPECT_EQ(script.intervals[0], 0);
    EXPECT_EQ(desktop.beeps, 3);
    EXPECT_TRUE(input.mouseEvents.empty());
    EXPECT_EQ(keys(), shutdownSequence(4100, 150, 38)); // once F5 is up again
    EXPECT_EQ(scriptControlsAfterRecording(ScriptOutcome::Done), true);
}

TEST_F(ScriptCommandsTest, F5BeforeAnyClickLeavesAnEmptyScriptAndStillClosesGpl)
{
    script.append(700, 1, 2);
    hold(VirtualKey::F5, 1200, 1300);
    ASSERT_EQ(recordClickScript(context, script, settings, {1024, 768}), ScriptOutcome::Done);
    EXPECT_EQ(script.count, 0);
    EXPECT_EQ(script.intervals[1], 0);
    EXPECT_EQ(script.x[1], 0);
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(keys(), shutdownSequence(1300, 1500, 375));
}

TEST_F(ScriptCommandsTest, AClickDuringWhichF5GoesDownIsStoredAndEndsTheRecording)
{
    click(1500, 1600, {100, 100});
    hold(VirtualKey::F5, 1550, 1700);
    click(1650, 1660, {200, 200}); // while F5 is still down: not a click of the script
    ASSERT_EQ(recordClickScript(context, script, settings, {640, 480}), ScriptOutcome::Done);
    ASSERT_EQ(script.count, 1);
    EXPECT_EQ(script.intervals[1], 600);
    EXPECT_EQ(script.x[1], 100);
    EXPECT_EQ(keys().front(), (Key{VirtualKey::Escape, 1700}));
}

TEST_F(ScriptCommandsTest, ClicksPastThe255thAreNotStoredAndTheRecordingGoesOnToF5)
{
    for (int k = 0; k < 257; ++k)
        click(1010 + 10 * k, 1012 + 10 * k, {k, k});
    hold(VirtualKey::F5, 5000, 5001);
    ASSERT_EQ(recordClickScript(context, script, settings, {640, 480}), ScriptOutcome::Done);
    EXPECT_EQ(script.count, 255);
    EXPECT_FALSE(script.append(10, 1, 1)) << "a full script takes no more";
    EXPECT_EQ(script.count, 255);
    EXPECT_EQ(script.x[255], 254);
    EXPECT_EQ(script.intervals[255], 10);
    EXPECT_EQ(desktop.beeps, 255);
    EXPECT_EQ(keys().front(), (Key{VirtualKey::Escape, 5001}));
}

TEST_F(ScriptCommandsTest, ThePlatformsEventsAreRecordedAtTheirOwnTimesWithoutPolling)
{
    // The platform's clock runs 50000 ms ahead: the first interval starts at its time of the launch.
    input.watchClockOffsetMs = 50000;
    settings.shutdownDelay = 0;
    input.watchedEvents = std::deque<InputEvent>{
        {InputChange::LeftDown, 51500}, {InputChange::LeftUp, 51520}, {InputChange::LeftDown, 52000},
        {InputChange::F5Down, 52005},   {InputChange::LeftUp, 52010}, {InputChange::F5Up, 52100},
        {InputChange::F5Down, 53000},   {InputChange::F5Up, 53050}};
    input.pointerQueue = {PointerPosition{10, 20}, PointerPosition{320, 240}};
    ASSERT_EQ(recordClickScript(context, script, settings, {640, 480}), ScriptOutcome::Done);
    ASSERT_EQ(script.count, 2);
    EXPECT_EQ(script.intervals[1], 520);
    EXPECT_EQ(script.intervals[2], 490);
    EXPECT_EQ(script.x[2], 320);
    EXPECT_EQ(keys().front(), (Key{VirtualKey::Escape, 2100}));

    // The play's wait for F5 takes the next press and release.
    script.count = 0;
    input.keys.clear();
    ASSERT_EQ(playClickScript(context, &mouse, script, settings), ScriptOutcome::Done);
    EXPECT_EQ(keys().front(), (Key{VirtualKey::Escape, 3050}));
    EXPECT_EQ(input.polls, 0);
}

TEST_F(ScriptCommandsTest, AClickWithoutAKnownPositionIsSkippedAndItsTimeGoesToTheNext)
{
    hold(VirtualKey::LeftButton, 1100, 1101);
    input.pointerQueue.push_back(std::nullopt);
    click(1300, 1301, {5, 6});
    hold(VirtualKey::F5, 1500, 1501);
    ASSERT_EQ(recordClickScript(context, script, settings, {640, 480}), ScriptOutcome::Done);
    ASSERT_EQ(script.count, 1);
    EXPECT_EQ(script.intervals[1], 301);
    EXPECT_EQ(script.x[1], 5);
    EXPECT_EQ(desktop.beeps, 1);
}

// --- questions, launching and which settings each command reads ---

TEST_F(ScriptCommandsTest, ACancelledQuestionLaunchesAndChangesNothing)
{
    struct Case {
        bool safety, information;
        std::function<ScriptOutcome()> run;
        std::string title, text;
        BoxIcon icon;
    };
    const std::vector<Case> cases{
        {true, false, [&] { return recordClickScript(context, script, settings, {640, 480}); },
         "Vantapoint: Safety request", kOverwrite, BoxIcon::Exclamation},
        {false, true, [&] { return recordClickScript(context, script, settings, {640, 480}); },
         "Vantapoint: Info", kRecordInfo, BoxIcon::Information},
        {false, false, [&] { return playClickScript(context, &mouse, script, informing()); },
         "Vantapoint: Info", kPlayInfo, BoxIcon::Information},
        {false, true, [&] { return testCamerasInGpl(context, nullptr, script, settings, false); },
         "Vantapoint: Info", kLaunchInfo, BoxIcon::Information},
    };
    script.append(700, 1, 2);
    const ClickScript before = script;
    for (const Case& c : cases) {
        desktop.clearRecords();
        desktop.boxAnswers = {BoxAnswer::Cancel};
        settings.askBeforeNewScript = c.safety;
        settings.showInformation = c.information;
        EXPECT_EQ(c.run(), ScriptOutcome::Cancelled) << c.text;
        ASSERT_EQ(desktop.boxes.size(), 1u) << c.text;
        EXPECT_EQ(desktop.boxes[0].title, c.title);
        EXPECT_EQ(desktop.boxes[0].text, c.text);
        EXPECT_EQ(desktop.boxes[0].icon, c.icon);
        EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::OkCancel);
        EXPECT_EQ(script, before);
    }
    EXPECT_TRUE(launcher.launched.empty());
    EXPECT_TRUE(input.keys.empty());
    EXPECT_FALSE(activity.running());
    EXPECT_EQ(scriptControlsAfterRecording(ScriptOutcome::Cancelled), std::nullopt);
}

TEST_F(ScriptCommandsTest, TheOverwriteQuestionComesOnlyWhenAScriptWouldBeLost)
{
    tapF5();
    settings.askBeforeNewScript = true;
    EXPECT_EQ(recordClickScript(context, script, settings, {640, 480}), ScriptOutcome::Done); // no script yet
    script.append(700, 1, 2);
    settings.askBeforeNewScript = false;
    EXPECT_EQ(recordClickScript(context, script, settings, {640, 480}), ScriptOutcome::Done);
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(launcher.launched, (std::vector<std::string>(2, kGplExe)));
    EXPECT_EQ(gplExecutable(kGplFolder + kPathSeparator), kGplExe);
}

TEST_F(ScriptCommandsTest, AMissingGplExeStopsEveryCommandAfterItsMessage)
{
    launcher.succeed = false;
    script.append(700, 1, 2);
    ClickScript recording = script;

    EXPECT_EQ(recordClickScript(context, recording, settings, {640, 480}), ScriptOutcome::LaunchFailed);
    EXPECT_EQ(recording.count, 0);
    EXPECT_EQ(scriptControlsAfterRecording(ScriptOutcome::LaunchFailed), false);
    EXPECT_EQ(playClickScript(context, &mouse, script, settings), ScriptOutcome::LaunchFailed);
    EXPECT_EQ(testCamerasInGpl(context, &mouse, script, settings, true), ScriptOutcome::LaunchFailed);
    EXPECT_EQ(testCamerasInGpl(context, &mouse, script, settings, false), ScriptOutcome::LaunchFailed);
    context.launcher = nullptr;
    EXPECT_EQ(testCamerasInGpl(context, &mouse, script, settings, false), ScriptOutcome::LaunchFailed);

    ASSERT_EQ(desktop.boxes.size(), 5u);
    for (const auto& box : desktop.boxes) {
        EXPECT_EQ(box.title, "Vantapoint: Error");
        EXPECT_EQ(box.text, kLaunchFailed);
        EXPECT_EQ(box.icon, BoxIcon::Stop);
        EXPECT_EQ(box.buttons, BoxButtons::Ok);
    }
    EXPECT_TRUE(input.mouseEvents.empty());
    EXPECT_TRUE(input.keys.empty());
    EXPECT_EQ(input.polls, 0);
}

TEST_F(ScriptCommandsTest, TestPlaysTheScriptOnlyWhenAskedTo)
{
    settings.showInformation = true;
    script.append(10, 64, 48);
    tapF5();
    EXPECT_EQ(testCamerasInGpl(context, &mouse, script, settings, true), ScriptOutcome::Done);
    EXPECT_EQ(input.mouseEvents.size(), 3u);
    EXPECT_EQ(input.keys.size(), 5u);

    // Without it GPL is only launched, and no input is needed.
    context.input = nullptr;
    EXPECT_EQ(testCamerasInGpl(context, nullptr, script, settings, false), ScriptOutcome::Done);
    settings.showInformation = false;
    EXPECT_EQ(testCamerasInGpl(context, nullptr, script, settings, false), ScriptOutcome::Done);
    EXPECT_EQ(boxTexts(), (std::vector<std::string>{kPlayInfo, kLaunchInfo}));
    EXPECT_EQ(launcher.launched, (std::vector<std::string>(3, kGplExe)));
}

TEST_F(ScriptCommandsTest, WithoutSyntheticInputRecordAndPlayOnlyExplain)
{
    context.input = nullptr;
    script.append(10, 64, 48);
    settings.showInformation = true;
    settings.askBeforeNewScript = true;
    const ClickScript before = script;

    EXPECT_EQ(recordClickScript(context, script, settings, {640, 480}), ScriptOutcome::NoInput);
    EXPECT_EQ(playClickScript(context, nullptr, script, settings), ScriptOutcome::NoInput);
    EXPECT_EQ(testCamerasInGpl(context, nullptr, script, settings, true), ScriptOutcome::NoInput);

    ASSERT_EQ(desktop.boxes.size(), 3u);
    for (const auto& box : desktop.boxes) {
        EXPECT_EQ(box.title, "Vantapoint: Error");
        EXPECT_EQ(box.icon, BoxIcon::Stop);
        EXPECT_NE(box.text.find("not available on this display"), std::string::npos);
    }
    EXPECT_EQ(script, before);
    EXPECT_TRUE(launcher.launched.empty());
    EXPECT_EQ(scriptControlsAfterRecording(ScriptOutcome::NoInput), std::nullopt);
}

// --- the gate: a running command shuts out a second one, a stop ends a wait ---

TEST_F(ScriptCommandsTest, ACommandIsRunningWhileItWaitsAndRefusesASecondOne)
{
    std::vector<bool> heard;
    const int id = activity.watch([&](bool running) { heard.push_back(running); });
    std::vector<ScriptOutcome> nested;
    duringEvents = [&] {
        EXPECT_TRUE(activity.running());
        if (nested.empty()) {
            ClickScript other = script;
            nested.push_back(recordClickScript(context, other, settings, {640, 480}));
            nested.push_back(playClickScript(context, &mouse, script, settings));
            nested.push_back(testCamerasInGpl(context, &mouse, script, settings, false));
        }
    };
    hold(VirtualKey::F5, 1005, 1006);
    EXPECT_EQ(playClickScript(context, &mouse, script, settings), ScriptOutcome::Done);
    EXPECT_EQ(nested, std::vector<ScriptOutcome>(3, ScriptOutcome::Busy));
    EXPECT_EQ(launcher.launched.size(), 1u);
    EXPECT_FALSE(activity.running());
    EXPECT_EQ(heard, (std::vector<bool>{true, false}));

    // An unwatched listener hears nothing more.
    activity.unwatch(id);
    desktop.boxAnswers = {BoxAnswer::Cancel};
    playClickScript(context, &mouse, script, informing());
    EXPECT_EQ(heard.size(), 2u);
}

TEST_F(ScriptCommandsTest, AStopRequestedDuringAWaitEndsTheCommandWithoutFurtherInput)
{
    // F5 comes down at every hundredth poll, so that a command that ignores the stop ends too.
    input.keyState = [](int virtualKey, std::int64_t poll) { return virtualKey == VirtualKey::F5 && poll % 100 == 99; };
    duringEvents = [this] { activity.requestStop(); };
    ClickScript twoClicks;
    twoClicks.append(10, 64, 48);
    twoClicks.append(10, 64, 48);
    ClickScript recording;
    const struct {
        const char* name;
        std::function<ScriptOutcome()> run;
        std::size_t mouseEvents;
    } cases[] = {
        {"waiting for a click to record", [&] { return recordClickScript(context, recording, settings, {640, 480}); }, 0},
        // The first click's hold lets the events run: that click is finished, the second never starts.
        {"playing the clicks", [&] { return playClickScript(context, &mouse, twoClicks, settings); }, 3},
        {"waiting for F5 after the play", [&] { return playClickScript(context, &mouse, script, settings); }, 0},
    };
    for (const auto& c : cases) {
        input.mouseEvents.clear();
        EXPECT_EQ(c.run(), ScriptOutcome::Stopped) << c.name;
        EXPECT_EQ(input.mouseEvents.size(), c.mouseEvents) << c.name;
        EXPECT_TRUE(input.keys.empty()) << c.name;
        EXPECT_FALSE(activity.running()) << c.name;
    }

    duringEvents = nullptr;
    EXPECT_EQ(playClickScript(context, &mouse, script, settings), ScriptOutcome::Done) << "the next one starts afresh";
    EXPECT_EQ(input.keys.size(), 5u);
}

} // namespace
} // namespace vp::test
