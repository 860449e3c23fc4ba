#include "remote/ClickScript.h"

#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeInputBackend.h"
#include "support/FakeLauncher.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace vp {
namespace {

using test::FakeClock;
using test::FakeDesktop;
using test::FakeInputBackend;
using test::FakeLauncher;
using test::KeyHold;

constexpr std::uint32_t kAbsoluteMove = MouseFlags::Move | MouseFlags::Absolute;

struct Key {
    int virtualKey;
    std::int64_t atMs;
    friend bool operator==(const Key&, const Key&) = default;
};

struct Event {
    std::uint32_t flags;
    std::int32_t dx, dy;
    std::int64_t atMs;
    friend bool operator==(const Event&, const Event&) = default;
};

void PrintTo(const Key& key, std::ostream* os) { *os << "key " << key.virtualKey << " @" << key.atMs; }
void PrintTo(const Event& e, std::ostream* os)
{
    *os << "flags " << e.flags << " (" << e.dx << ", " << e.dy << ") @" << e.atMs;
}

// The five shutdown keys, starting at `at` with the given pauses.
std::vector<Key> ShutdownSequence(std::int64_t at, std::int64_t delay, std::int64_t quarter)
{
    return {{VirtualKey::Escape, at},
            {VirtualKey::Escape, at + delay},
            {VirtualKey::Escape, at + delay + quarter},
            {VirtualKey::Enter, at + delay + 2 * quarter},
            {VirtualKey::Enter, at + delay + 3 * quarter}};
}

class ClickScriptTest : public testing::Test {
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
    CMouseEvent mouse{input, clock, context.processEvents};
    OptionsRecord options = MakeOptions();

    static OptionsRecord MakeOptions()
    {
        OptionsRecord o;
        o.GPLPath = "/games/GPL";
        o.ShowInformation = false;
        o.SafetyRecordScript = false;
        o.ShutdownDelay = 1500;
        return o;
    }

    static void AddClick(OptionsRecord& o, std::int32_t interval, std::int32_t x, std::int32_t y)
    {
        const int n = ++o.ClickCount;
        o.ClickInterval[n] = interval;
        o.ClickX[n] = x;
        o.ClickY[n] = y;
    }

    void hold(int virtualKey, std::int64_t first, std::int64_t end)
    {
        input.holds.push_back(KeyHold{virtualKey, first, end, true});
    }

    // F5 goes down at the first look and is up at the next, for every command in turn; no other
    // key or button is ever down.
    void tapF5()
    {
        input.keyState = [down = false](int virtualKey, std::int64_t) mutable {
            if (virtualKey != VirtualKey::F5)
                return false;
            down = !down;
            return down;
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

    std::vector<Event> events() const
    {
        std::vector<Event> out;
        for (const auto& e : input.mouseEvents)
            out.push_back({e.flags, e.dx, e.dy, e.atMs});
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

const std::string kRecordInfo =
    "GPL will now be launched and the recording of mouseclicks will begin. For further details see online help.";
const std::string kPlayInfo =
    "GPL will now be launched and the recorded sequence of mouseclicks will be played. After that you can "
    "shutdown automatically by pressing F5. For further details see online help.";
const std::string kLaunchInfo = "GPL will now be launched.";
const std::string kOverwrite = "This will overwrite your previously recorded script. Continue?";
const std::string kLaunchFailed = "GPL couldn't be started. Operation aborted. Check the path to the file gpl.exe.";

// --- scaling between the desktop and the 640 x 480 grid ---

TEST(ScaleToScriptTest, FloorsTheScaledPosition)
{
    EXPECT_EQ(ScaleToScript(320, 1024, 640), 512);
    EXPECT_EQ(ScaleToScript(240, 768, 480), 384);
    EXPECT_EQ(ScaleToScript(639, 1280, 640), 1278);
    EXPECT_EQ(ScaleToScript(479, 1024, 480), 1021); // 1021.87
    EXPECT_EQ(ScaleToScript(1, 1000, 640), 1);       // 1.5625
    // Left of a primary screen: down, not toward zero.
    EXPECT_EQ(ScaleToScript(-1, 1000, 640), -2);
}

TEST_F(ClickScriptTest, RecordedCentreOf1024x768ReplaysAtTheAbsoluteCentre)
{
    click(1500, 1510, {320, 240});
    hold(VirtualKey::F5, 2000, 2001);
    ASSERT_EQ(RecordClickScript(context, options, {1024, 768}), ScriptOutcome::Done);
    ASSERT_EQ(options.ClickCount, 1);
    EXPECT_EQ(options.ClickX[1], 512);
    EXPECT_EQ(options.ClickY[1], 384);

    tapF5();
    input.keys.clear();
    ASSERT_EQ(PlayClickScript(context, &mouse, options, false), ScriptOutcome::Done);
    ASSERT_FALSE(input.mouseEvents.empty());
    EXPECT_EQ(input.mouseEvents.front().flags, kAbsoluteMove);
    EXPECT_EQ(input.mouseEvents.front().dx, 32768);
    EXPECT_EQ(input.mouseEvents.front().dy, 32768);
}

// --- shutdown keys ---

TEST(ShutdownQuarterTest, RoundsHalvesToEven)
{
    EXPECT_EQ(ShutdownQuarter(1500), 375);
    EXPECT_EQ(ShutdownQuarter(50), 12);   // 12.5
    EXPECT_EQ(ShutdownQuarter(150), 38);  // 37.5
    EXPECT_EQ(ShutdownQuarter(0), 0);
    EXPECT_EQ(ShutdownQuarter(2), 0);     // 0.5
    EXPECT_EQ(ShutdownQuarter(6), 2);     // 1.5
    EXPECT_EQ(ShutdownQuarter(7), 2);     // 1.75
    EXPECT_EQ(ShutdownQuarter(3000), 750);
    EXPECT_EQ(ShutdownQuarter(-6), -2);   // -1.5
}

TEST_F(ClickScriptTest, ShutdownKeysPauseTheDelayThenThreeQuarters)
{
    for (const std::int32_t delay : {1500, 50, 150}) {
        input.keys.clear();
        const std::int64_t start = clock.now;
        EXPECT_TRUE(ShutdownKeys(input, clock, delay));
        EXPECT_EQ(keys(), ShutdownSequence(start, delay, ShutdownQuarter(delay))) << delay;
    }
}

TEST_F(ClickScriptTest, ShutdownKeysAtTheFastEndFollowEachOtherAndAllGoOutWhenOneIsRefused)
{
    input.acceptKeys = false;
    EXPECT_FALSE(ShutdownKeys(input, clock, 0));
    EXPECT_EQ(keys(), ShutdownSequence(1000, 0, 0));
}

// --- playback ---

TEST_F(ClickScriptTest, PlaybackSleepsMovesAndClicksOnTheRecordedSchedule)
{
    AddClick(options, 4000, 512, 384);
    AddClick(options, 1500, 0, 768);
    // F5 pressed a while after the last click; the wait sees it on its 1 ms polls.
    hold(VirtualKey::F5, 8000, 8005);

    ASSERT_EQ(PlayClickScript(context, &mouse, options, false), ScriptOutcome::Done);

    ASSERT_EQ(launcher.launchedAtMs, std::vector<std::int64_t>{1000});
    const std::vector<Event> expected{
        {kAbsoluteMove, 32768, 32768, 5000},  // 4000 after the launch
        {MouseFlags::LeftDown, 0, 0, 5100},   // 100 after the move
        {MouseFlags::LeftUp, 0, 0, 5350},     // held 250
        {kAbsoluteMove, 0, 65535, 6850},      // 1500 after the release
        {MouseFlags::LeftDown, 0, 0, 6950},
        {MouseFlags::LeftUp, 0, 0, 7200},
    };
    EXPECT_EQ(events(), expected);
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(keys(), ShutdownSequence(8005, 1500, 375));
    // Nothing but 1 ms pauses between the last click and the shutdown keys.
    const auto waitBegin = std::find(clock.sleeps.begin(), clock.sleeps.end(), 250) + 4; // second hold
    const auto waitEnd = clock.sleeps.end() - 4;
    EXPECT_TRUE(std::all_of(waitBegin, waitEnd, [](std::int64_t ms) { return ms == 1; }));
    EXPECT_EQ(waitEnd - waitBegin, 8005 - 7200);
    EXPECT_FALSE(activity.running());
}

TEST_F(ClickScriptTest, PlaysOnWhenTheSharedMouseAndTheOptionsChangeDuringThePlay)
{
    // An options dialog opened from the events of a click replaces the shared mouse object and may
    // accept other options; the play goes on as it began.
    auto shared = std::make_unique<CMouseEvent>(input, clock, context.processEvents);
    AddClick(options, 10, 512, 384);
    AddClick(options, 10, 0, 0);
    duringEvents = [&] {
        shared.reset();
        options.ClickCount = 0;
        options.ShutdownDelay = 0;
    };
    hold(VirtualKey::F5, 2000, 2001);
    ASSERT_EQ(PlayClickScript(context, shared.get(), options, false), ScriptOutcome::Done);
    EXPECT_EQ(input.mouseEvents.size(), 6u);
    EXPECT_EQ(keys(), ShutdownSequence(2001, 1500, 375));
}

TEST_F(ClickScriptTest, AClickThatCannotBePlacedIsNotPressed)
{
    AddClick(options, 10, 5, 5);
    tapF5();
    input.acceptMouseEvents = false;
    ASSERT_EQ(PlayClickScript(context, &mouse, options, false), ScriptOutcome::Done);
    ASSERT_EQ(input.mouseEvents.size(), 1u);
    EXPECT_EQ(input.mouseEvents[0].flags, kAbsoluteMove);
    EXPECT_EQ(input.keys.size(), 5u);
}

TEST_F(ClickScriptTest, WaitForF5NeedsAPressAndARelease)
{
    hold(VirtualKey::F5, 1003, 1007);
    WaitForF5(input, clock, context.processEvents);
    EXPECT_EQ(clock.now, 1007);
    EXPECT_EQ(processed, 7);
    EXPECT_TRUE(std::all_of(clock.sleeps.begin(), clock.sleeps.end(), [](std::int64_t ms) { return ms == 1; }));
}

// --- recording ---

TEST_F(ClickScriptTest, RecordsClicksAtTheirReleasesUntilF5)
{
    options.ShutdownDelay = 150;
    click(1500, 1520, {10, 20});
    click(2000, 2010, {320, 240});
    click(3000, 3001, {639, 479});
    hold(VirtualKey::F5, 4000, 4100);

    ASSERT_EQ(RecordClickScript(context, options, {640, 480}), ScriptOutcome::Done);

    ASSERT_EQ(options.ClickCount, 3);
    // From just before the launch to the first release, then release to release.
    EXPECT_EQ(options.ClickInterval[1], 520);
    EXPECT_EQ(options.ClickInterval[2], 490);
    EXPECT_EQ(options.ClickInterval[3], 991);
    EXPECT_EQ(options.ClickX[2], 320);
    EXPECT_EQ(options.ClickY[3], 479);
    EXPECT_EQ(options.ClickInterval[0], 0);
    EXPECT_EQ(desktop.beeps, 3);
    EXPECT_TRUE(input.mouseEvents.empty());
    // The keys go out once F5 is up again.
    EXPECT_EQ(keys(), ShutdownSequence(4100, 150, 38));
    EXPECT_EQ(ScriptControlsAfterRecording(ScriptOutcome::Done), true);
}

TEST_F(ClickScriptTest, F5BeforeAnyClickLeavesAnEmptyScriptAndStillClosesGpl)
{
    AddClick(options, 700, 1, 2);
    hold(VirtualKey::F5, 1200, 1300);
    ASSERT_EQ(RecordClickScript(context, options, {1024, 768}), ScriptOutcome::Done);
    EXPECT_EQ(options.ClickCount, 0);
    EXPECT_EQ(options.ClickInterval[1], 0);
    EXPECT_EQ(options.ClickX[1], 0);
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_EQ(keys(), ShutdownSequence(1300, 1500, 375));
}

TEST_F(ClickScriptTest, AClickDuringWhichF5GoesDownIsStoredAndEndsTheRecording)
{
    click(1500, 1600, {100, 100});
    hold(VirtualKey::F5, 1550, 1700);
    click(1650, 1660, {200, 200}); // while F5 is still down: not a click of the script
    ASSERT_EQ(RecordClickScript(context, options, {640, 480}), ScriptOutcome::Done);
    ASSERT_EQ(options.ClickCount, 1);
    EXPECT_EQ(options.ClickInterval[1], 600);
    EXPECT_EQ(options.ClickX[1], 100);
    EXPECT_EQ(keys().front(), (Key{VirtualKey::Escape, 1700}));
}

TEST_F(ClickScriptTest, ClicksPastThe255thAreNotStoredAndTheRecordingGoesOnToF5)
{
    for (int k = 0; k < 257; ++k)
        click(1010 + 10 * k, 1012 + 10 * k, {k, k});
    hold(VirtualKey::F5, 5000, 5001);
    ASSERT_EQ(RecordClickScript(context, options, {640, 480}), ScriptOutcome::Done);
    EXPECT_EQ(options.ClickCount, 255);
    EXPECT_EQ(options.ClickX[255], 254);
    EXPECT_EQ(options.ClickInterval[255], 10);
    EXPECT_EQ(options.ClickX[0], 0);
    EXPECT_EQ(desktop.beeps, 255);
    EXPECT_EQ(keys().front(), (Key{VirtualKey::Escape, 5001}));
}

TEST_F(ClickScriptTest, AClickWithoutAKnownPositionIsSkippedAndItsTimeGoesToTheNext)
{
    hold(VirtualKey::LeftButton, 1100, 1101);
    input.pointerQueue.push_back(std::nullopt);
    click(1300, 1301, {5, 6});
    hold(VirtualKey::F5, 1500, 1501);
    ASSERT_EQ(RecordClickScript(context, options, {640, 480}), ScriptOutcome::Done);
    ASSERT_EQ(options.ClickCount, 1);
    EXPECT_EQ(options.ClickInterval[1], 301);
    EXPECT_EQ(options.ClickX[1], 5);
    EXPECT_EQ(desktop.beeps, 1);
}

TEST_F(ClickScriptTest, OverwritingAScriptAsksFirstWhenTheWorkingOptionsSaySo)
{
    AddClick(options, 700, 1, 2);
    options.SafetyRecordScript = true;
    desktop.boxAnswers = {BoxAnswer::Cancel};
    const OptionsRecord before = options;
    EXPECT_EQ(RecordClickScript(context, options, {640, 480}), ScriptOutcome::Cancelled);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, "Vantapoint: Safety request");
    EXPECT_EQ(desktop.boxes[0].text, kOverwrite);
    EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Exclamation);
    EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::OkCancel);
    EXPECT_EQ(options, before);
    EXPECT_TRUE(launcher.launched.empty());
    EXPECT_EQ(ScriptControlsAfterRecording(ScriptOutcome::Cancelled), std::nullopt);

    // No script, or the question switched off: no question.
    tapF5();
    options.SafetyRecordScript = false;
    EXPECT_EQ(RecordClickScript(context, options, {640, 480}), ScriptOutcome::Done);
    options.SafetyRecordScript = true;
    EXPECT_EQ(RecordClickScript(context, options, {640, 480}), ScriptOutcome::Done);
    EXPECT_EQ(desktop.boxes.size(), 1u);
}

TEST_F(ClickScriptTest, CancellingTheRecordingInformationChangesNothing)
{
    AddClick(options, 700, 1, 2);
    options.ShowInformation = true;
    desktop.boxAnswers = {BoxAnswer::Cancel};
    const OptionsRecord before = options;
    EXPECT_EQ(RecordClickScript(context, options, {640, 480}), ScriptOutcome::Cancelled);
    ASSERT_EQ(desktop.boxes.size(), 1u);
    EXPECT_EQ(desktop.boxes[0].title, "Vantapoint: Info");
    EXPECT_EQ(desktop.boxes[0].text, kRecordInfo);
    EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Information);
    EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::OkCancel);
    EXPECT_EQ(options, before);
    EXPECT_TRUE(launcher.launched.empty());
}

// --- launching ---

TEST_F(ClickScriptTest, LaunchesGplExeInTheGplFolder)
{
    EXPECT_EQ(GplExecutable("/games/GPL"), "/games/GPL/gpl.exe");
    EXPECT_EQ(GplExecutable("/games/GPL/"), "/games/GPL/gpl.exe");
    tapF5();
    RecordClickScript(context, options, {640, 480});
    EXPECT_EQ(launcher.launched, std::vector<std::string>{"/games/GPL/gpl.exe"});
}

TEST_F(ClickScriptTest, AMissingGplExeStopsEveryCommandAfterItsMessage)
{
    launcher.succeed = false;
    AddClick(options, 700, 1, 2);
    options.PlayScript = true;
    OptionsRecord recording = options;

    EXPECT_EQ(RecordClickScript(context, recording, {640, 480}), ScriptOutcome::LaunchFailed);
    EXPECT_EQ(recording.ClickCount, 0);
    EXPECT_EQ(recording.ClickInterval[1], 0);
    EXPECT_EQ(recording.ClickX[1], 0);
    EXPECT_EQ(ScriptControlsAfterRecording(ScriptOutcome::LaunchFailed), false);
    EXPECT_EQ(PlayClickScript(context, &mouse, options, false), ScriptOutcome::LaunchFailed);
    EXPECT_EQ(TestCamsCommand(context, &mouse, options), ScriptOutcome::LaunchFailed);
    options.PlayScript = false;
    EXPECT_EQ(TestCamsCommand(context, &mouse, options), ScriptOutcome::LaunchFailed);

    ASSERT_EQ(desktop.boxes.size(), 4u);
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

TEST_F(ClickScriptTest, WithoutALauncherLaunchingFails)
{
    context.launcher = nullptr;
    EXPECT_EQ(TestCamsCommand(context, &mouse, options), ScriptOutcome::LaunchFailed);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{kLaunchFailed});
}

// --- which options each command reads ---

TEST_F(ClickScriptTest, TestScriptPlaysTheWorkingScriptButAsksByTheStoredInformationFlag)
{
    OptionsRecord stored = options;
    OptionsRecord working = options;
    working.GPLPath = "/working";
    AddClick(working, 10, 64, 48);
    working.ShutdownDelay = 0;
    stored.ShowInformation = true;
    working.ShowInformation = false;
    tapF5();

    EXPECT_EQ(TestScriptCommand(context, &mouse, working, stored), ScriptOutcome::Done);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{kPlayInfo});
    EXPECT_EQ(desktop.boxes[0].icon, BoxIcon::Information);
    EXPECT_EQ(launcher.launched, std::vector<std::string>{"/working/gpl.exe"});
    EXPECT_EQ(input.mouseEvents.size(), 3u);
    EXPECT_EQ(keys(), ShutdownSequence(keys().front().atMs, 0, 0));

    // Unticked in the dialog but stored: the box still shows; ticked in the dialog only: it does not.
    desktop.clearRecords();
    stored.ShowInformation = false;
    working.ShowInformation = true;
    EXPECT_EQ(TestScriptCommand(context, &mouse, working, stored), ScriptOutcome::Done);
    EXPECT_TRUE(desktop.boxes.empty());
}

TEST_F(ClickScriptTest, CancellingThePlayInformationLaunchesNothing)
{
    desktop.boxAnswers = {BoxAnswer::Cancel};
    EXPECT_EQ(PlayClickScript(context, &mouse, options, true), ScriptOutcome::Cancelled);
    EXPECT_TRUE(launcher.launched.empty());
    EXPECT_TRUE(input.keys.empty());
}

TEST_F(ClickScriptTest, TestWithPlayScriptPlaysTheStoredScript)
{
    options.PlayScript = true;
    options.ShowInformation = true;
    AddClick(options, 10, 64, 48);
    tapF5();
    EXPECT_EQ(TestCamsCommand(context, &mouse, options), ScriptOutcome::Done);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{kPlayInfo});
    EXPECT_EQ(launcher.launched, std::vector<std::string>{"/games/GPL/gpl.exe"});
    EXPECT_EQ(input.mouseEvents.size(), 3u);
    EXPECT_EQ(input.keys.size(), 5u);
}

TEST_F(ClickScriptTest, TestWithoutPlayScriptOnlyLaunchesAndNeedsNoInput)
{
    options.ShowInformation = true;
    AddClick(options, 10, 64, 48);
    context.input = nullptr;
    EXPECT_EQ(TestCamsCommand(context, nullptr, options), ScriptOutcome::Done);
    EXPECT_EQ(boxTexts(), std::vector<std::string>{kLaunchInfo});
    EXPECT_EQ(desktop.boxes[0].title, "Vantapoint: Info");
    EXPECT_EQ(desktop.boxes[0].buttons, BoxButtons::OkCancel);
    EXPECT_EQ(launcher.launched.size(), 1u);

    desktop.boxAnswers = {BoxAnswer::Cancel};
    EXPECT_EQ(TestCamsCommand(context, nullptr, options), ScriptOutcome::Cancelled);
    EXPECT_EQ(launcher.launched.size(), 1u);

    options.ShowInformation = false;
    desktop.clearRecords();
    EXPECT_EQ(TestCamsCommand(context, nullptr, options), ScriptOutcome::Done);
    EXPECT_TRUE(desktop.boxes.empty());
    EXPECT_EQ(launcher.launched.size(), 2u);
}

// --- no synthetic input ---

TEST_F(ClickScriptTest, WithoutSyntheticInputRecordAndPlayOnlyExplain)
{
    context.input = nullptr;
    AddClick(options, 10, 64, 48);
    options.ShowInformation = true;
    options.SafetyRecordScript = true;
    const OptionsRecord before = options;

    EXPECT_EQ(RecordClickScript(context, options, {640, 480}), ScriptOutcome::NoInput);
    EXPECT_EQ(PlayClickScript(context, nullptr, options, true), ScriptOutcome::NoInput);
    options.PlayScript = true;
    EXPECT_EQ(TestCamsCommand(context, nullptr, options), ScriptOutcome::NoInput);
    options.PlayScript = false;

    ASSERT_EQ(desktop.boxes.size(), 3u);
    for (const auto& box : desktop.boxes) {
        EXPECT_EQ(box.title, "Vantapoint: Error");
        EXPECT_EQ(box.icon, BoxIcon::Stop);
        EXPECT_NE(box.text.find("not available on this display"), std::string::npos);
    }
    EXPECT_EQ(options, before);
    EXPECT_TRUE(launcher.launched.empty());
    EXPECT_EQ(ScriptControlsAfterRecording(ScriptOutcome::NoInput), std::nullopt);
}

// --- one command at a time ---

TEST_F(ClickScriptTest, ACommandIsRunningWhileItWaitsAndRefusesASecondOne)
{
    std::vector<bool> heard;
    const int id = activity.watch([&](bool running) { heard.push_back(running); });
    std::vector<ScriptOutcome> nested;
    duringEvents = [&] {
        EXPECT_TRUE(activity.running());
        if (nested.empty()) {
            OptionsRecord other = options;
            nested.push_back(RecordClickScript(context, other, {640, 480}));
            nested.push_back(PlayClickScript(context, &mouse, options, false));
            options.PlayScript = true;
            nested.push_back(TestCamsCommand(context, &mouse, options));
            options.PlayScript = false;
            nested.push_back(TestCamsCommand(context, &mouse, options));
        }
    };
    hold(VirtualKey::F5, 1005, 1006);
    EXPECT_EQ(PlayClickScript(context, &mouse, options, false), ScriptOutcome::Done);
    EXPECT_EQ(nested, std::vector<ScriptOutcome>(4, ScriptOutcome::Busy));
    EXPECT_EQ(launcher.launched.size(), 1u);
    EXPECT_FALSE(activity.running());
    EXPECT_EQ(heard, (std::vector<bool>{true, false}));

    // A cancelled command ends its run too; an unwatched listener hears nothing more.
    activity.unwatch(id);
    desktop.boxAnswers = {BoxAnswer::Cancel};
    EXPECT_EQ(PlayClickScript(context, &mouse, options, true), ScriptOutcome::Cancelled);
    EXPECT_FALSE(activity.running());
    EXPECT_EQ(heard.size(), 2u);
}

} // namespace
} // namespace vp
