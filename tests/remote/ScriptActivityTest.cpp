// The gate of the script commands: a running command shuts out a second one, and a stop requested
// during a wait ends it without further input.

#include "ScriptCommandsFixture.h"

#include <functional>

namespace vp::test {
namespace {

class ScriptActivityTest : public ScriptCommandsTest {};

TEST_F(ScriptActivityTest, ACommandIsRunningWhileItWaitsAndRefusesASecondOne)
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

TEST_F(ScriptActivityTest, AStopRequestedDuringAWaitEndsTheCommandWithoutFurtherInput)
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
