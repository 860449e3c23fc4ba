#include "remote/X11InputBackend.h"

#include "remote/CMouseEvent.h"
#include "support/FakeClock.h"
#include "support/FakeInputBackend.h"

#include <gtest/gtest.h>

#include <chrono>
#include <limits>
#include <thread>

namespace vp {
namespace {

// Xlib names two event types ButtonPress and ButtonRelease; these are reached before it does.
void Press(CMouseEvent& mouse, std::int32_t button)
{
    mouse.ButtonPress(button);
}

void Release(CMouseEvent& mouse, std::int32_t button)
{
    mouse.ButtonRelease(button);
}

} // namespace
} // namespace vp

// Last: Xlib's macros (Bool, None, ButtonPress) would clash with names above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vp {
namespace {

// Every pixel of a screen, turned into an absolute coordinate as the program does it and back as
// the backend does it, must be the same pixel; else recorded clicks drift by one.
TEST(AbsoluteToPixel, EveryPixelSurvivesTheWayThereAndBack)
{
    for (std::int32_t pixels : {1, 2, 480, 640, 768, 1024, 1080, 1366, 1920, 2560, 3840, 7680, 65535}) {
        test::FakeClock clock;
        test::FakeInputBackend backend(&clock);
        backend.screen = {pixels, pixels};
        CMouseEvent mouse(backend, clock);
        for (std::int32_t pixel = 0; pixel < pixels; ++pixel) {
            backend.mouseEvents.clear();
            mouse.MoveTo(pixel, 0, 1);
            ASSERT_EQ(AbsoluteToPixel(backend.mouseEvents.at(0).dx, pixels), pixel) << pixels << " wide";
        }
    }
}

TEST(AbsoluteToPixel, TheEndsOfTheRangeAreTheEdgesAndBeyondStaysOnScreen)
{
    EXPECT_EQ(AbsoluteToPixel(0, 1024), 0);
    EXPECT_EQ(AbsoluteToPixel(65535, 1024), 1023);
    EXPECT_EQ(AbsoluteToPixel(32768, 1024), 512);
    EXPECT_EQ(AbsoluteToPixel(-1, 1024), 0);
    EXPECT_EQ(AbsoluteToPixel(std::numeric_limits<std::int32_t>::min(), 1024), 0);
    EXPECT_EQ(AbsoluteToPixel(65536, 1024), 1023);
    EXPECT_EQ(AbsoluteToPixel(std::numeric_limits<std::int32_t>::max(), 1024), 1023);
    EXPECT_EQ(AbsoluteToPixel(65535, 100000), 99999);
    EXPECT_EQ(AbsoluteToPixel(30000, 0), 0);
}

// The rest needs an X display with XTEST ($DISPLAY; CI runs the tests under Xvfb). It clicks and
// types only into a window of its own.
class X11InputBackendTest : public testing::Test {
protected:
    void SetUp() override
    {
        backend = OpenX11InputBackend();
        if (!backend)
            GTEST_SKIP() << "no X display with XTEST";
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        root = DefaultRootWindow(display);
        width = DisplayWidth(display, DefaultScreen(display));
        height = DisplayHeight(display, DefaultScreen(display));
    }

    void TearDown() override
    {
        if (display == nullptr)
            return;
        // A failed check must not leave a button or key held on the display.
        XTestFakeButtonEvent(display, 1, False, CurrentTime);
        XTestFakeButtonEvent(display, 3, False, CurrentTime);
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_F5), False, CurrentTime);
        if (window != 0)
            XDestroyWindow(display, window);
        XCloseDisplay(display);
    }

    // An unmanaged window on top of everything, so that clicks and keys land on it.
    void openWindow(int x, int y, unsigned w, unsigned h)
    {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.event_mask = StructureNotifyMask | KeyPressMask | KeyReleaseMask | ButtonPressMask;
        window = XCreateWindow(display, root, x, y, w, h, 0, CopyFromParent, InputOutput, CopyFromParent,
                               CWOverrideRedirect | CWEventMask, &attributes);
        XMapRaised(display, window);
        XEvent event;
        XWindowEvent(display, window, StructureNotifyMask, &event);
        while (event.type != MapNotify)
            XWindowEvent(display, window, StructureNotifyMask, &event);
    }

    // The next event of our window of the kinds in `mask` within the wait, or type 0.
    XEvent nextEvent(long mask, std::chrono::milliseconds wait = std::chrono::seconds(2))
    {
        XEvent event{};
        const auto deadline = std::chrono::steady_clock::now() + wait;
        while (std::chrono::steady_clock::now() < deadline) {
            if (XCheckWindowEvent(display, window, mask, &event))
                return event;
            std::this_thread::sleep_for(std::chrono::milliseconds(5));
        }
        return XEvent{};
    }

    std::unique_ptr<InputBackend> backend;
    Display* display = nullptr;
    Window root = 0;
    Window window = 0;
    int width = 0, height = 0;
};

TEST_F(X11InputBackendTest, ScreenSizeIsTheDefaultScreens)
{
    const ScreenSize screen = backend->screenSize();
    EXPECT_EQ(screen.width, width);
    EXPECT_EQ(screen.height, height);
}

TEST_F(X11InputBackendTest, PointerGoesWhereTheMovesSendIt)
{
    SteadyClock clock;
    CMouseEvent mouse(*backend, clock);
    const std::int32_t x = width / 3, y = height / 4;
    ASSERT_TRUE(mouse.MoveTo(x, y, 1));
    auto position = backend->pointerPosition();
    ASSERT_TRUE(position);
    EXPECT_EQ(position->x, x);
    EXPECT_EQ(position->y, y);

    ASSERT_TRUE(mouse.MoveTo(width, height, 1));
    position = backend->pointerPosition();
    ASSERT_TRUE(position);
    EXPECT_EQ(position->x, width - 1);
    EXPECT_EQ(position->y, height - 1);

    // The server may accelerate relative motion, so only the direction is certain.
    ASSERT_TRUE(mouse.MoveTo(-3, 0, 0));
    position = backend->pointerPosition();
    ASSERT_TRUE(position);
    EXPECT_LT(position->x, width - 1);
    EXPECT_EQ(position->y, height - 1);
}

TEST_F(X11InputBackendTest, ButtonStateFollowsPressAndRelease)
{
    openWindow(width / 2 - 50, height / 2 - 50, 100, 100);
    SteadyClock clock;
    CMouseEvent mouse(*backend, clock);
    ASSERT_TRUE(mouse.MoveTo(width / 2, height / 2, 1));
    EXPECT_FALSE(backend->isKeyDown(VirtualKey::LeftButton));
    Press(mouse, 1);
    EXPECT_TRUE(backend->isKeyDown(VirtualKey::LeftButton));
    EXPECT_FALSE(backend->isKeyDown(VirtualKey::RightButton));
    Release(mouse, 1);
    EXPECT_FALSE(backend->isKeyDown(VirtualKey::LeftButton));
    Press(mouse, 2);
    EXPECT_TRUE(backend->isKeyDown(VirtualKey::RightButton));
    EXPECT_FALSE(backend->isKeyDown(VirtualKey::MiddleButton));
    Release(mouse, 2);
    EXPECT_FALSE(backend->isKeyDown(VirtualKey::RightButton));

    // What the window under the pointer was told: left is X button 1, right is 3.
    EXPECT_EQ(nextEvent(ButtonPressMask).xbutton.button, 1u);
    EXPECT_EQ(nextEvent(ButtonPressMask).xbutton.button, 3u);
}

TEST_F(X11InputBackendTest, WheelNotchesArePressesOfButtonFourOrFive)
{
    openWindow(width / 2 - 50, height / 2 - 50, 100, 100);
    SteadyClock clock;
    CMouseEvent mouse(*backend, clock);
    ASSERT_TRUE(mouse.MoveTo(width / 2, height / 2, 1));
    mouse.TurnWheel(2, 120);
    mouse.TurnWheel(1, -120);
    for (unsigned expected : {4u, 4u, 5u})
        EXPECT_EQ(nextEvent(ButtonPressMask).xbutton.button, expected);
    EXPECT_EQ(nextEvent(ButtonPressMask, std::chrono::milliseconds(100)).type, 0);
}

TEST_F(X11InputBackendTest, KeysAreTypedIntoTheFocusAndTheirStateIsRead)
{
    openWindow(10, 10, 50, 50);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XSync(display, False);

    ASSERT_TRUE(backend->sendKey(VirtualKey::Escape));
    const XEvent press = nextEvent(KeyPressMask | KeyReleaseMask);
    const XEvent release = nextEvent(KeyPressMask | KeyReleaseMask);
    const unsigned escape = XKeysymToKeycode(display, XK_Escape);
    ASSERT_EQ(press.type, KeyPress);
    EXPECT_EQ(press.xkey.keycode, escape);
    ASSERT_EQ(release.type, KeyRelease);
    EXPECT_EQ(release.xkey.keycode, escape);
    EXPECT_FALSE(backend->isKeyDown(VirtualKey::Escape));

    EXPECT_FALSE(backend->isKeyDown(VirtualKey::F5));
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_F5), True, CurrentTime);
    XSync(display, False);
    EXPECT_TRUE(backend->isKeyDown(VirtualKey::F5));
    XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_F5), False, CurrentTime);
    XSync(display, False);
    EXPECT_FALSE(backend->isKeyDown(VirtualKey::F5));

    // No key code for it here: refused rather than typed as something else.
    EXPECT_FALSE(backend->sendKey(0x41));
}

TEST_F(X11InputBackendTest, WindowRectangleIsInScreenPixelsAndAGoneWindowHasNone)
{
    openWindow(100, 50, 200, 120);
    const auto rect = backend->windowRect(window);
    ASSERT_TRUE(rect);
    EXPECT_EQ(rect->left, 100);
    EXPECT_EQ(rect->top, 50);
    EXPECT_EQ(rect->right, 300);
    EXPECT_EQ(rect->bottom, 170);

    const Window gone = window;
    XDestroyWindow(display, window);
    XSync(display, False);
    window = 0;
    EXPECT_FALSE(backend->windowRect(gone));
    EXPECT_FALSE(backend->windowRect(0));
    EXPECT_FALSE(backend->windowRect(WindowHandle{1} << 40));
    // The backend still works after the errors those asked for.
    EXPECT_TRUE(backend->pointerPosition());
}

} // namespace
} // namespace vp
