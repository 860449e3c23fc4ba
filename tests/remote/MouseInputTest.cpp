#include "remote/MouseInput.h"

#include "support/FakeClock.h"
#include "support/FakeInputBackend.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace vp {
namespace {

using Flags = std::vector<std::uint32_t>;
using Sent = std::tuple<std::uint32_t, std::int32_t, std::int32_t, std::int32_t>; // flags, dx, dy, data
constexpr std::uint32_t kAbsMove = MouseFlags::Move | MouseFlags::Absolute;

class MouseInputTest : public testing::Test {
protected:
    test::FakeClock clock;
    test::FakeInputBackend backend{&clock};
    int processed = 0;

    MouseInput make() { return MouseInput(backend, clock, [this] { ++processed; }); }

    // The flags, dx, dy and data of the only event sent since the last call.
    Sent only()
    {
        EXPECT_EQ(backend.mouseEvents.size(), 1u);
        const auto e = backend.mouseEvents.empty() ? test::RecordedMouseEvent{} : backend.mouseEvents.front();
        return backend.mouseEvents.clear(), Sent{e.flags, e.dx, e.dy, e.data};
    }
    Sent move(std::int32_t dx, std::int32_t dy, std::uint32_t flags = kAbsMove) { return {flags, dx, dy, 0}; }

    Flags flagsSent() const
    {
        Flags flags;
        for (const auto& e : backend.mouseEvents)
            flags.push_back(e.flags);
        return flags;
    }
};

TEST_F(MouseInputTest, OnlyButtonsOneTwoAndFourArePressedAndTheWheelSendsNotchesTimesDirectionOtherDirectionsTurnDown)
{
    MouseInput mouse = make();
    const std::pair<std::int32_t, Flags> cases[] = {
        {1, {0x0002, 0x0004}}, {2, {0x0008, 0x0010}}, {4, {0x0020, 0x0040}}, {0, {}}, {3, {}}, {5, {}}, {-1, {}}};
    for (const auto& [button, flags] : cases) {
        backend.mouseEvents.clear();
        mouse.pressButton(button);
        mouse.releaseButton(button);
        EXPECT_EQ(flagsSent(), flags) << button;
    }
    backend.mouseEvents.clear();
    for (auto [notches, direction, data] :
         {std::array{3, 120, 360}, {3, -120, -360}, {3, 7, -360}, {3, 0, -360}, {-2, 120, -240}, {0, 120, 0}}) {
        mouse.turnWheel(notches, direction);
        EXPECT_EQ(only(), (Sent{MouseFlags::Wheel, 0, 0, data})) << notches << " x " << direction;
    }
}

TEST_F(MouseInputTest, ClickPressesLetsEventsRunHoldsThenReleases)
{
    MouseInput mouse(backend, clock, [this] { ++processed; EXPECT_TRUE(backend.mouseEvents.size() == 1u && clock.sleeps.empty()); });
    EXPECT_EQ(mouse.clickDelay(), 250);
    mouse.setClickDelay(-5); // ignored
    mouse.click();
    EXPECT_EQ(std::pair(processed, clock.sleeps), std::pair(1, std::vector<std::int64_t>{250}));
    ASSERT_EQ(flagsSent(), (Flags{MouseFlags::LeftDown, MouseFlags::LeftUp}));
    EXPECT_EQ(backend.mouseEvents[1].atMs - backend.mouseEvents[0].atMs, 250);

    // Without a hold nothing runs in between; a refused press still gets its release.
    backend.mouseEvents.clear();
    backend.acceptMouseEvents = false;
    mouse.setClickDelay(0);
    mouse.click();
    EXPECT_EQ(std::pair(processed, clock.sleeps.size()), std::pair(1, std::size_t{1}));
    EXPECT_EQ(flagsSent(), (Flags{MouseFlags::LeftDown, MouseFlags::LeftUp}));
}

TEST_F(MouseInputTest, AbsoluteMoveScalesToTheNormalisedRangeOfTheScreenOfFirstUseRoundingHalvesToEven)
{
    // On 2 x 2, 1/2 and 3/2 of 65535 lie halfway: 32767.5 goes up, 98302.5 down; off-screen passes on.
    for (auto [side, x, y, dx, dy] : {std::array{1024, 512, 384, 32768, 32768}, {1024, 256, 0, 16384, 0}, {1024, 1024, 768, 65535, 65535},
                                      {1024, 320, 240, 20480, 20480}, {2, 1, 3, 32768, 98302}, {2, -1, -3, -32768, -98302}}) {
        backend.screen = {2048, 1536};
        MouseInput mouse = make(); // the backend is not asked yet: a deferred one stays closed
        backend.screen = side == 2 ? ScreenSize{2, 2} : ScreenSize{1024, 768};
        for (int twice = 0; twice < 2; ++twice) {
            EXPECT_TRUE(mouse.moveTo(x, y));
            EXPECT_EQ(only(), move(dx, dy)) << x << "," << y << " on " << side;
            backend.screen = {2048, 1536}; // measured once: a later change of the screen does not count
        }
    }
}

// Every pixel of a screen, turned into an absolute coordinate as the program does it and back as
// the backends take it back, must be the same pixel; else recorded clicks drift by one.
TEST(AbsoluteToPixel, EveryPixelSurvivesTheWayThereAndBackAndBeyondStaysOnScreen)
{
    for (std::int32_t pixels : {1, 2, 480, 640, 768, 1024, 1080, 1366, 1920, 2560, 3840, 7680, 65535}) {
        test::FakeClock clock;
        test::FakeInputBackend backend(&clock);
        backend.screen = {pixels, pixels};
        MouseInput mouse(backend, clock);
        for (std::int32_t pixel = 0; pixel < pixels; ++pixel) {
            backend.mouseEvents.clear();
            mouse.moveTo(pixel, 0);
            ASSERT_EQ(absoluteToPixel(backend.mouseEvents.at(0).dx, pixels), pixel) << pixels << " wide";
        }
    }
    for (auto [absolute, pixel] : {std::pair{0, 0}, {65535, 1023}, {32768, 512}, {-1, 0}, {65536, 1023}})
        EXPECT_EQ(absoluteToPixel(absolute, 1024), pixel) << absolute;
    EXPECT_EQ(absoluteToPixel(30000, 0), 0);
}

TEST_F(MouseInputTest, RelativeMovesPassUnchangedAbsoluteOnesNeedAMeasuredScreenAndRefusalsAreReported)
{
    for (ScreenSize screen : {ScreenSize{0, 768}, ScreenSize{1024, 0}, ScreenSize{-1, 768}}) {
        backend.screen = screen;
        MouseInput mouse = make();
        EXPECT_FALSE(mouse.moveTo(10, 10));
        mouse.clickAt(10, 10);
        EXPECT_TRUE(mouse.moveBy(-10, 5));
        EXPECT_EQ(only(), move(-10, 5, MouseFlags::Move));
    }
    backend.acceptMouseEvents = false;
    EXPECT_FALSE(make().moveBy(1, 1) || make().moveTo(1, 1));
}

TEST_F(MouseInputTest, WindowsAreMovedToAtTheirCentreCutTowardZeroAndClickedThere)
{
    // On a screen 65535 pixels square the normalised coordinates are the pixels themselves.
    backend.screen = {65535, 65535};
    backend.windows = {{7, {10, 20, 111, 221}}, {8, {10, 20, -1, 9}}};
    MouseInput mouse = make();
    EXPECT_TRUE(mouse.moveToWindow(7));
    EXPECT_EQ(only(), move(60, 120));
    mouse.moveToWindow(8); // inverted: -11 / 2 is -5, not -6
    EXPECT_EQ(only(), move(5, 15));
    EXPECT_FALSE(mouse.moveToWindow(42));
    mouse.clickWindow(42);
    EXPECT_TRUE(backend.mouseEvents.empty() && clock.sleeps.empty());
    mouse.clickWindow(7);
    EXPECT_EQ(flagsSent(), (Flags{kAbsMove, MouseFlags::LeftDown, MouseFlags::LeftUp}));
}

} // namespace
} // namespace vp
