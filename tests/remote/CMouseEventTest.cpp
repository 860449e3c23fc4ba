#include "remote/CMouseEvent.h"

#include "support/FakeClock.h"
#include "support/FakeInputBackend.h"

#include <gtest/gtest.h>

#include <array>
#include <limits>
#include <utility>
#include <vector>

namespace vp {
namespace {

using test::FakeClock;
using test::FakeInputBackend;
using test::RecordedMouseEvent;

constexpr std::int32_t kMin = std::numeric_limits<std::int32_t>::min();
constexpr std::int32_t kMax = std::numeric_limits<std::int32_t>::max();

class CMouseEventTest : public testing::Test {
protected:
    FakeClock clock;
    FakeInputBackend backend{&clock};
    int processed = 0;

    CMouseEvent make() { return CMouseEvent(backend, clock, [this] { ++processed; }); }

    // The (dx, dy) of the only event sent, which must be a move with the given flags.
    std::pair<std::int32_t, std::int32_t> onlyMove(std::uint32_t flags)
    {
        EXPECT_EQ(backend.mouseEvents.size(), 1u);
        if (backend.mouseEvents.empty())
            return {};
        const RecordedMouseEvent& e = backend.mouseEvents.front();
        EXPECT_EQ(e.flags, flags);
        EXPECT_EQ(e.data, 0);
        return {e.dx, e.dy};
    }

    std::vector<std::uint32_t> flagsSent() const
    {
        std::vector<std::uint32_t> flags;
        for (const auto& e : backend.mouseEvents)
            flags.push_back(e.flags);
        return flags;
    }
};

using Pair = std::pair<std::int32_t, std::int32_t>;

TEST_F(CMouseEventTest, ClickDelayStartsAt250AndIgnoresNegativeValues)
{
    CMouseEvent mouse = make();
    EXPECT_EQ(mouse.ClickDelay(), 250);
    mouse.ClickDelay(-5);
    EXPECT_EQ(mouse.ClickDelay(), 250);
    mouse.ClickDelay(0);
    EXPECT_EQ(mouse.ClickDelay(), 0);
    mouse.ClickDelay(kMax);
    EXPECT_EQ(mouse.ClickDelay(), kMax);
    mouse.ClickDelay(kMin);
    EXPECT_EQ(mouse.ClickDelay(), kMax);
}

TEST_F(CMouseEventTest, ButtonsOneTwoAndFourPressAndReleaseTheirButton)
{
    CMouseEvent mouse = make();
    for (std::int32_t button : {1, 2, 4}) {
        mouse.ButtonPress(button);
        mouse.ButtonRelease(button);
    }
    EXPECT_EQ(flagsSent(), (std::vector<std::uint32_t>{0x0002, 0x0004, 0x0008, 0x0010, 0x0020, 0x0040}));
    for (const auto& e : backend.mouseEvents)
        EXPECT_TRUE(e.dx == 0 && e.dy == 0 && e.data == 0);
}

TEST_F(CMouseEventTest, OtherButtonNumbersSendNothing)
{
    CMouseEvent mouse = make();
    for (std::int32_t button : {0, 3, 5, 8, -1, kMin, kMax}) {
        mouse.ButtonPress(button);
        mouse.ButtonRelease(button);
    }
    EXPECT_TRUE(backend.mouseEvents.empty());
}

TEST_F(CMouseEventTest, ClickPressesLetsEventsRunHoldsThenReleases)
{
    CMouseEvent mouse(backend, clock, [this] {
        // Events run after the press and before the hold.
        ++processed;
        EXPECT_EQ(backend.mouseEvents.size(), 1u);
        EXPECT_TRUE(clock.sleeps.empty());
    });
    const std::int64_t start = clock.now;
    mouse.Click();
    EXPECT_EQ(processed, 1);
    EXPECT_EQ(clock.sleeps, std::vector<std::int64_t>{250});
    ASSERT_EQ(flagsSent(), (std::vector<std::uint32_t>{MouseFlags::LeftDown, MouseFlags::LeftUp}));
    EXPECT_EQ(backend.mouseEvents[0].atMs, start);
    EXPECT_EQ(backend.mouseEvents[1].atMs, start + 250);
}

TEST_F(CMouseEventTest, ClickWithoutDelayNeitherProcessesEventsNorSleeps)
{
    CMouseEvent mouse = make();
    mouse.ClickDelay(0);
    mouse.Click();
    EXPECT_EQ(processed, 0);
    EXPECT_TRUE(clock.sleeps.empty());
    EXPECT_EQ(flagsSent(), (std::vector<std::uint32_t>{MouseFlags::LeftDown, MouseFlags::LeftUp}));
}

TEST_F(CMouseEventTest, ClickReleasesEvenWhenThePressIsRefused)
{
    backend.acceptMouseEvents = false;
    CMouseEvent mouse = make();
    mouse.Click();
    EXPECT_EQ(flagsSent(), (std::vector<std::uint32_t>{MouseFlags::LeftDown, MouseFlags::LeftUp}));
}

TEST_F(CMouseEventTest, AbsoluteMoveScalesToTheNormalisedRange)
{
    CMouseEvent mouse = make();
    EXPECT_TRUE(mouse.MoveTo(512, 384, 1));
    EXPECT_EQ(onlyMove(0x8001), (Pair{32768, 32768}));
    for (auto [x, y, dx, dy] : std::vector<std::array<std::int32_t, 4>>{
             {256, 0, 16384, 0}, {1024, 768, 65535, 65535}, {320, 240, 20480, 20480}}) {
        backend.mouseEvents.clear();
        mouse.MoveTo(x, y, -1);
        EXPECT_EQ(onlyMove(0x8001), (Pair{dx, dy})) << x << "," << y;
    }
}

TEST_F(CMouseEventTest, AbsoluteMoveRoundsHalvesToEvenAndPassesOffScreenValuesOn)
{
    backend.screen = {2, 2};
    CMouseEvent mouse = make();
    // 1/2 and 3/2 of 65535 both lie halfway: 32767.5 goes up, 98302.5 goes down.
    mouse.MoveTo(1, 3, 1);
    EXPECT_EQ(onlyMove(0x8001), (Pair{32768, 98302}));
    backend.mouseEvents.clear();
    mouse.MoveTo(-1, -3, 1);
    EXPECT_EQ(onlyMove(0x8001), (Pair{-32768, -98302}));
}

TEST_F(CMouseEventTest, AbsoluteMoveSaturatesBeyondThe32BitRange)
{
    backend.screen = {1, 1};
    CMouseEvent mouse = make();
    mouse.MoveTo(kMax, kMin, 1);
    EXPECT_EQ(onlyMove(0x8001), (Pair{kMax, kMin}));
}

TEST_F(CMouseEventTest, AbsoluteMoveUsesTheScreenSizeOfCreation)
{
    CMouseEvent mouse = make();
    backend.screen = {2048, 1536};
    mouse.MoveTo(512, 384, 1);
    EXPECT_EQ(onlyMove(0x8001), (Pair{32768, 32768}));
    EXPECT_EQ(mouse.ScreenWidth(), 1024);
    EXPECT_EQ(mouse.ScreenHeight(), 768);
}

TEST_F(CMouseEventTest, AbsoluteMoveOnAnUnmeasuredScreenSendsNothing)
{
    for (ScreenSize screen : {ScreenSize{0, 768}, ScreenSize{1024, 0}, ScreenSize{-1, 768}}) {
        backend.screen = screen;
        CMouseEvent mouse = make();
        EXPECT_FALSE(mouse.MoveTo(10, 10, 1));
        mouse.ClickAbsolute(10, 10);
        EXPECT_TRUE(mouse.MoveTo(10, 10, 0));
        EXPECT_EQ(flagsSent(), std::vector<std::uint32_t>{MouseFlags::Move});
        backend.mouseEvents.clear();
    }
}

TEST_F(CMouseEventTest, RelativeMovePassesTheAmountUnchanged)
{
    backend.screen = {0, 0};
    CMouseEvent mouse = make();
    EXPECT_TRUE(mouse.MoveTo(-10, 5, 0));
    EXPECT_EQ(onlyMove(0x0001), (Pair{-10, 5}));
    backend.mouseEvents.clear();
    mouse.MoveTo(kMin, kMax, 0);
    EXPECT_EQ(onlyMove(0x0001), (Pair{kMin, kMax}));
}

TEST_F(CMouseEventTest, MoveReportsARefusedEvent)
{
    backend.acceptMouseEvents = false;
    CMouseEvent mouse = make();
    EXPECT_FALSE(mouse.MoveTo(1, 1, 0));
    EXPECT_FALSE(mouse.MoveTo(1, 1, 1));
}

TEST_F(CMouseEventTest, MoveToWindowGoesToTheCentreCutTowardZero)
{
    // On a screen 65535 pixels square the normalised coordinates are the pixels themselves.
    backend.screen = {65535, 65535};
    backend.windows = {{7, {10, 20, 111, 221}}, {8, {10, 20, -1, 9}}, {9, {kMin, kMin, kMax, kMax}}};
    CMouseEvent mouse = make();
    EXPECT_TRUE(mouse.MoveToWindow(7));
    EXPECT_EQ(onlyMove(0x8001), (Pair{60, 120}));
    // Inverted: -11 / 2 is -5, not -6.
    backend.mouseEvents.clear();
    mouse.MoveToWindow(8);
    EXPECT_EQ(onlyMove(0x8001), (Pair{5, 15}));
    backend.mouseEvents.clear();
    mouse.MoveToWindow(9);
    EXPECT_EQ(onlyMove(0x8001), (Pair{-1, -1}));
}

TEST_F(CMouseEventTest, AMissingWindowIsNeitherMovedToNorClicked)
{
    CMouseEvent mouse = make();
    EXPECT_FALSE(mouse.MoveToWindow(42));
    mouse.ClickWindow(42);
    EXPECT_TRUE(backend.mouseEvents.empty());
    EXPECT_TRUE(clock.sleeps.empty());
}

TEST_F(CMouseEventTest, ClickAbsoluteAndClickWindowMoveThenClick)
{
    backend.windows = {{7, {0, 0, 1024, 768}}};
    CMouseEvent mouse = make();
    mouse.ClickAbsolute(512, 384);
    mouse.ClickWindow(7);
    const std::uint32_t move = MouseFlags::Move | MouseFlags::Absolute;
    EXPECT_EQ(flagsSent(), (std::vector<std::uint32_t>{move, MouseFlags::LeftDown, MouseFlags::LeftUp, move,
                                                       MouseFlags::LeftDown, MouseFlags::LeftUp}));
    EXPECT_EQ(backend.mouseEvents[3].dx, 32768);
    EXPECT_EQ(backend.mouseEvents[3].dy, 32768);
    EXPECT_EQ(clock.sleeps, (std::vector<std::int64_t>{250, 250}));
}

TEST_F(CMouseEventTest, WheelSendsNotchesTimesDirectionOtherDirectionsTurnDown)
{
    CMouseEvent mouse = make();
    const std::vector<std::array<std::int32_t, 3>> cases{
        {3, 120, 360}, {3, -120, -360}, {3, 7, -360}, {3, 0, -360}, {-2, 120, -240}, {0, 120, 0},
        {kMax, 120, kMax}, {kMin, 120, kMin}, {kMin, -120, kMax}, {kMax, 1, kMin}};
    for (auto [notches, direction, data] : cases) {
        backend.mouseEvents.clear();
        mouse.TurnWheel(notches, direction);
        ASSERT_EQ(backend.mouseEvents.size(), 1u);
        const RecordedMouseEvent& e = backend.mouseEvents.front();
        EXPECT_EQ(e.flags, MouseFlags::Wheel);
        EXPECT_EQ(e.data, data) << notches << " x " << direction;
        EXPECT_TRUE(e.dx == 0 && e.dy == 0);
    }
}

} // namespace
} // namespace vp
