// The script commands on scripted seams: a fake clock, desktop, input backend and launcher, the
// context the commands act on, and a script with its settings.

#include "remote/ScriptCommands.h"

#include "camdata/FileSystem.h"
#include "remote/DeferredInputBackend.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeInputBackend.h"
#include "support/FakeLauncher.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <tuple>

namespace vp::test {
namespace {

using Key = std::pair<int, std::int64_t>;                                          // virtual key, time

// The five shutdown keys, starting at `at` with the given pauses.
std::vector<Key> shutdownSequence(std::int64_t at, std::int64_t delay, std::int64_t quarter)
{
    return {{VirtualKey::Escape, at}, {VirtualKey::Escape, at + delay}, {VirtualKey::Escape, at + delay + quarter},
            {VirtualKey::Enter, at + delay + 2 * quarter}, {VirtualKey::Enter, at + delay + 3 * quarter}};
}

#ifdef _WIN32
const std::string kGplFolder = "C:\\games\\GPL", kGplExe = "C:\\games\\GPL\\gpl.exe";
#else
const std::string kGplFolder = "/games/GPL", kGplExe = "/games/GPL/gpl.exe";
#endif
const std::string kPlayInfo = "GPL will now be launched and the recorded sequence of mouseclicks will be played. After "
                              "that you can shutdown automatically by pressing F5. For further details see online help.";
const std::string kLaunchInfo = "GPL will now be launched.";

class ScriptCommandsTest : public testing::Test {
protected:
    FakeClock clock;
    FakeInputBackend input{&clock};
    FakeDesktop desktop;
    FakeLauncher launcher{&clock};
    ScriptActivity activity;
    std::function<void()> duringEvents; // runs inside every processing of events, as the windows' handlers would
    RemoteContext context{desktop, clock, &input, &launcher, activity, [this] { if (duringEvents) duringEvents(); }};
    MouseInput mouse{input, clock, context.processEvents};
    ClickScript script;
    ScriptSettings settings{kGplFolder, 1500, false, false};

    void hold(int virtualKey, std::int64_t first, std::int64_t end) { input.holds.push_back({virtualKey, first, end, true}); }
    // F5 is down at every other look, so each command in turn sees a press and a release at once.
    void tapF5() { input.keyState = [down = false](int key, std::int64_t) mutable { return key == VirtualKey::F5 && (down = !down); }; }
    std::vector<Key> keys() const
    {
        std::vector<Key> out;
        for (const auto& k : input.keys)
            out.push_back({k.virtualKey, k.atMs});
        return out;
    }
    ScriptOutcome record(ScreenSize screen = {640, 480}) { return recordClickScript(context, script, settings, screen); }
    ScriptOutcome play() { return playClickScript(context, &mouse, script, settings); }
    ScriptOutcome test(bool playToo, MouseInput* with = nullptr) { return testCamerasInGpl(context, with, script, settings, playToo); }
};

TEST(ScaleToScriptTest, FloorsTheScaledPosition)
{
    // 1021.87 goes down; left of a primary screen: down, not toward zero.
    for (auto [position, script, screen, scaled] :
         {std::array{320, 1024, 640, 512}, {639, 1280, 640, 1278}, {479, 1024, 480, 1021}, {-1, 1000, 640, -2}})
        EXPECT_EQ(scaleToScript(position, script, screen), scaled) << position;
}

TEST_F(ScriptCommandsTest, ShutdownKeysPauseTheDelayThenThreeQuartersAndAllGoOutWhenRefused)
{
    for (auto [delay, quarter] : std::vector<std::pair<std::int32_t, std::int64_t>>{{1500, 375}, {50, 12}, {150, 38}, {0, 0}}) {
        EXPECT_EQ(shutdownQuarter(delay), quarter);
        input.keys.clear();
        input.acceptKeys = delay != 0;
        const std::int64_t start = clock.now;
        EXPECT_EQ(sendShutdownKeys(input, clock, delay), delay != 0);
        EXPECT_EQ(keys(), shutdownSequence(start, delay, quarter)) << delay;
    }
}

TEST_F(ScriptCommandsTest, PlaysOnWhenTheSharedMouseAndTheOptionsChangeDuringThePlay)
{
    // An options dialog opened during a click may replace the shared mouse and accept other options.
    auto shared = std::make_unique<MouseInput>(input, clock, context.processEvents);
    script.append(10, 512, 384), script.append(10, 0, 0);
    duringEvents = [&] { shared.reset(); script.count = 0; settings.shutdownDelay = 0; };
    hold(VirtualKey::F5, 2000, 2001);
    ASSERT_EQ(playClickScript(context, shared.get(), script, settings), ScriptOutcome::Done);
    EXPECT_EQ(std::pair(input.mouseEvents.size(), keys()), std::pair(std::size_t{6}, shutdownSequence(2001, 1500, 375)));
}

TEST_F(ScriptCommandsTest, ClicksPastThe255thAreNotStoredAndTheRecordingGoesOnToF5)
{
    for (int k = 0; k < 257; ++k) {
        hold(VirtualKey::LeftButton, 1010 + 10 * k, 1012 + 10 * k);
        input.pointerQueue.push_back(PointerPosition{k, k});
    }
    hold(VirtualKey::F5, 5000, 5001);
    ASSERT_EQ(record(), ScriptOutcome::Done);
    EXPECT_FALSE(script.append(10, 1, 1)) << "a full script takes no more";
    EXPECT_EQ(std::tuple(script.count, script.x[255], script.intervals[255], desktop.beeps), std::tuple(255, 254, 10, 255));
    EXPECT_EQ(keys().front(), (Key{VirtualKey::Escape, 5001}));
}

TEST_F(ScriptCommandsTest, ACancelledQuestionLaunchesAndChangesNothing)
{
    // Which question is on, the command, and the box it asks in.
    const std::tuple<bool, bool, std::function<ScriptOutcome()>, std::string, std::string, BoxIcon> cases[] = {
        {true, false, [&] { return record(); }, "Vantapoint: Safety request",
         "This will overwrite your previously recorded script. Continue?", BoxIcon::Exclamation},
        {false, true, [&] { return record(); }, "Vantapoint: Info",
         "GPL will now be launched and the recording of mouseclicks will begin. For further details see online help.",
         BoxIcon::Information},
        {false, true, [&] { return play(); }, "Vantapoint: Info", kPlayInfo, BoxIcon::Information},
        {false, true, [&] { return test(false); }, "Vantapoint: Info", kLaunchInfo, BoxIcon::Information},
    };
    script.append(700, 1, 2);
    const ClickScript before = script;
    for (const auto& [safety, information, run, title, text, icon] : cases) {
        desktop.clearRecords();
        desktop.boxAnswers = {BoxAnswer::Cancel};
        std::tie(settings.askBeforeNewScript, settings.showInformation) = std::pair(safety, information);
        EXPECT_EQ(run(), ScriptOutcome::Cancelled) << text;
        ASSERT_EQ(desktop.boxes.size(), 1u) << text;
        const auto& box = desktop.boxes[0];
        EXPECT_EQ(std::tuple(box.title, box.text, box.icon, box.buttons), std::tuple(title, text, icon, BoxButtons::OkCancel));
        EXPECT_EQ(script, before);
    }
    EXPECT_EQ(std::tuple(launcher.launched.size(), input.keys.size(), activity.running()), std::tuple(0U, 0U, false));
    EXPECT_EQ(scriptControlsAfterRecording(ScriptOutcome::Cancelled), std::nullopt);
}

TEST_F(ScriptCommandsTest, TheOverwriteQuestionComesOnlyWhenAScriptWouldBeLost)
{
    tapF5();
    settings.askBeforeNewScript = true;
    EXPECT_EQ(record(), ScriptOutcome::Done); // no script yet
    script.append(700, 1, 2);
    settings.askBeforeNewScript = false;
    EXPECT_TRUE(record() == ScriptOutcome::Done && desktop.boxes.empty());
    EXPECT_EQ(launcher.launched, (std::vector<std::string>(2, kGplExe)));
    EXPECT_EQ(gplExecutable(kGplFolder + kPathSeparator), kGplExe);
}

TEST_F(ScriptCommandsTest, AMissingGplExeOrInputStopsEveryCommandAfterItsMessage)
{
    script.append(700, 1, 2);
    const ClickScript before = script;
    settings.showInformation = settings.askBeforeNewScript = true;
    DeferredInputBackend unopenable([] { return std::unique_ptr<InputBackend>(); });
    for (InputBackend* none : {static_cast<InputBackend*>(nullptr), static_cast<InputBackend*>(&unopenable)}) {
        context.input = none;
        EXPECT_EQ((std::vector{record(), playClickScript(context, &mouse, script, settings), test(true, &mouse)}),
                  std::vector(3, ScriptOutcome::NoInput));
    }
    EXPECT_TRUE(script == before && launcher.launched.empty());

    settings.showInformation = settings.askBeforeNewScript = launcher.succeed = false;
    context.input = &input;
    EXPECT_TRUE(record() == ScriptOutcome::LaunchFailed && script.count == 0);
    EXPECT_EQ(std::pair(play(), test(true, &mouse)), std::pair(ScriptOutcome::LaunchFailed, ScriptOutcome::LaunchFailed));
    context.launcher = nullptr;
    EXPECT_EQ(test(false, &mouse), ScriptOutcome::LaunchFailed);

    ASSERT_EQ(desktop.boxes.size(), 10u);
    for (std::size_t k = 0; k < desktop.boxes.size(); ++k) {
        const auto& box = desktop.boxes[k];
        EXPECT_EQ(std::tuple(box.title, box.icon, box.buttons), std::tuple("Vantapoint: Error", BoxIcon::Stop, BoxButtons::Ok));
        EXPECT_TRUE(k < 6 ? box.text.find("not available on this display") != std::string::npos
                          : box.text == "GPL couldn't be started. Operation aborted. Check the path to the file gpl.exe.")
            << box.text;
    }
    EXPECT_EQ(std::tuple(input.mouseEvents.size(), input.keys.size(), input.polls), std::tuple(0U, 0U, 0));
    EXPECT_EQ(std::pair(scriptControlsAfterRecording(ScriptOutcome::NoInput), scriptControlsAfterRecording(ScriptOutcome::LaunchFailed)),
              std::pair(std::optional<bool>{}, std::optional(false)));
}

TEST_F(ScriptCommandsTest, TestPlaysTheScriptOnlyWhenAskedTo)
{
    settings.showInformation = true;
    script.append(10, 64, 48);
    tapF5();
    EXPECT_EQ(test(true, &mouse), ScriptOutcome::Done);
    EXPECT_EQ(std::pair(input.mouseEvents.size(), input.keys.size()), (std::pair<std::size_t, std::size_t>{3, 5}));

    // Without it GPL is only launched, and no input is needed.
    context.input = nullptr;
    const ScriptOutcome informed = test(false);
    settings.showInformation = false;
    EXPECT_EQ(std::pair(informed, test(false)), std::pair(ScriptOutcome::Done, ScriptOutcome::Done));
    ASSERT_EQ(desktop.boxes.size(), 2u);
    EXPECT_EQ(std::pair(desktop.boxes[0].text, desktop.boxes[1].text), std::pair(kPlayInfo, kLaunchInfo));
    EXPECT_EQ(launcher.launched, (std::vector<std::string>(3, kGplExe)));
}

TEST_F(ScriptCommandsTest, ACommandIsRunningWhileItWaitsAndRefusesASecondOne)
{
    std::vector<bool> heard;
    activity.watch([&](bool running) { heard.push_back(running); });
    std::vector<ScriptOutcome> nested;
    duringEvents = [&] {
        EXPECT_TRUE(activity.running());
        if (nested.empty()) {
            ClickScript other = script;
            nested = {recordClickScript(context, other, settings, {640, 480}), play(), test(false, &mouse)};
        }
    };
    hold(VirtualKey::F5, 1005, 1006);
    EXPECT_EQ(play(), ScriptOutcome::Done);
    EXPECT_EQ(nested, std::vector<ScriptOutcome>(3, ScriptOutcome::Busy));
    EXPECT_TRUE(launcher.launched.size() == 1u && !activity.running());
    EXPECT_EQ(heard, (std::vector<bool>{true, false}));
}

TEST_F(ScriptCommandsTest, AStopRequestedDuringAWaitEndsTheCommandWithoutFurtherInput)
{
    // F5 comes down at every hundredth poll, so that a command that ignores the stop ends too.
    input.keyState = [](int virtualKey, std::int64_t poll) { return virtualKey == VirtualKey::F5 && poll % 100 == 99; };
    duringEvents = [this] { activity.requestStop(); };
    ClickScript twoClicks;
    twoClicks.append(10, 64, 48), twoClicks.append(10, 64, 48);
    const std::tuple<const char*, std::function<ScriptOutcome()>, std::size_t> cases[] = { // and the mouse events sent
        {"waiting for a click to record", [&] { return record(); }, 0},
        // The first click's hold lets the events run: that click is finished, the second never starts.
        {"playing the clicks", [&] { return playClickScript(context, &mouse, twoClicks, settings); }, 3},
        {"waiting for F5 after the play", [&] { return play(); }, 0},
    };
    for (const auto& [name, run, mouseEvents] : cases) {
        input.mouseEvents.clear();
        EXPECT_EQ(run(), ScriptOutcome::Stopped) << name;
        EXPECT_EQ(std::tuple(input.mouseEvents.size(), input.keys.size(), activity.running()), std::tuple(mouseEvents, 0U, false)) << name;
    }
    duringEvents = nullptr;
    EXPECT_TRUE(play() == ScriptOutcome::Done && input.keys.size() == 5u) << "the next one starts afresh";
}

} // namespace
} // namespace vp::test
