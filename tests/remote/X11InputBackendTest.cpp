#include "remote/X11InputBackend.h"

#include "remote/MouseInput.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

namespace vp {
namespace {

// Xlib's macros ButtonPress and ButtonRelease would hide these calls below.
void SetButton(MouseInput& mouse, std::int32_t button, bool down)
{
    down ? mouse.pressButton(button) : mouse.releaseButton(button);
}

} // namespace
} // namespace vp

// Last: Xlib's macros (Bool, None, ButtonPress) would clash with names above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vp {
namespace {

// This needs an X display with XTEST ($DISPLAY; CI runs the tests under Xvfb). It clicks and
// types only into a window of its own.
class X11InputBackendTest : public testing::Test {
protected:
    void SetUp() override
    {
        backend = openX11InputBackend();
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
        if (!buttonMap.empty())
            XSetPointerMapping(display, buttonMap.data(), static_cast<int>(buttonMap.size()));
        if (window != 0)
            XDestroyWindow(display, window);
        XCloseDisplay(display);
    }

    // An unmanaged window on top of everything, so that clicks and keys land on it.
    void openWindow(int x, int y, unsigned w, unsigned h)
    {
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.event_mask =
            StructureNotifyMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask;
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

    // Left-handed: X buttons 1 and 3 swap their roles until the end of the test.
    void swapButtons()
    {
        buttonMap.resize(256);
        buttonMap.resize(static_cast<std::size_t>(XGetPointerMapping(display, buttonMap.data(), 256)));
        std::vector<unsigned char> swapped = buttonMap;
        std::swap(swapped.at(0), swapped.at(2));
        ASSERT_EQ(XSetPointerMapping(display, swapped.data(), static_cast<int>(swapped.size())), MappingSuccess);
    }

    std::unique_ptr<InputBackend> backend;
    std::vector<unsigned char> buttonMap;
    Display* display = nullptr;
    Window root = 0;
    Window window = 0;
    int width = 0, height = 0;
};

TEST_F(X11InputBackendTest, PointerGoesWhereTheMovesSendItOnTheDefaultScreen)
{
    EXPECT_EQ(backend->screenSize().width, width);
    EXPECT_EQ(backend->screenSize().height, height);
    SteadyClock clock;
    MouseInput mouse(*backend, clock);
    const std::int32_t x = width / 3, y = height / 4;
    ASSERT_TRUE(mouse.moveTo(x, y));
    auto position = backend->pointerPosition();
    ASSERT_TRUE(position);
    EXPECT_EQ(position->x, x);
    EXPECT_EQ(position->y, y);

    // The server may accelerate relative motion, so only the direction is certain.
    ASSERT_TRUE(mouse.moveBy(-3, 0));
    position = backend->pointerPosition();
    ASSERT_TRUE(position);
    EXPECT_LT(position->x, x);
    EXPECT_EQ(position->y, y);
}

TEST_F(X11InputBackendTest, ButtonStateFollowsPressAndRelease)
{
    openWindow(width / 2 - 50, height / 2 - 50, 100, 100);
    SteadyClock clock;
    MouseInput mouse(*backend, clock);
    ASSERT_TRUE(mouse.moveTo(width / 2, height / 2));
    // Left is X button 1, right is 3; only the pressed one reads as down.
    for (auto [button, key, other, xButton] : {std::array{1, VirtualKey::LeftButton, VirtualKey::RightButton, 1},
                                                std::array{2, VirtualKey::RightButton, VirtualKey::MiddleButton, 3}}) {
        EXPECT_FALSE(backend->isKeyDown(key));
        SetButton(mouse, button, true);
        EXPECT_TRUE(backend->isKeyDown(key));
        EXPECT_FALSE(backend->isKeyDown(other));
        SetButton(mouse, button, false);
        EXPECT_FALSE(backend->isKeyDown(key));
        EXPECT_EQ(nextEvent(ButtonPressMask).xbutton.button, unsigned(xButton));
    }
}

TEST_F(X11InputBackendTest, WheelNotchesArePressesOfButtonFourOrFive)
{
    openWindow(width / 2 - 50, height / 2 - 50, 100, 100);
    SteadyClock clock;
    MouseInput mouse(*backend, clock);
    ASSERT_TRUE(mouse.moveTo(width / 2, height / 2));
    mouse.turnWheel(2, 120);
    mouse.turnWheel(1, -120);
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
    for (int type : {KeyPress, KeyRelease}) {
        const XEvent event = nextEvent(KeyPressMask | KeyReleaseMask);
        ASSERT_EQ(event.type, type);
        EXPECT_EQ(event.xkey.keycode, XKeysymToKeycode(display, XK_Escape));
    }
    EXPECT_FALSE(backend->isKeyDown(VirtualKey::Escape));

    for (bool down : {true, false}) {
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_F5), down, CurrentTime);
        XSync(display, False);
        EXPECT_EQ(backend->isKeyDown(VirtualKey::F5), down);
    }

    // No key code for it here: refused rather than typed as something else.
    EXPECT_FALSE(backend->sendKey(0x41));
}

TEST_F(X11InputBackendTest, TheWatchReportsTheLeftButtonAndF5AtTheServersTimesOfTheirEvents)
{
    openWindow(width / 2 - 50, height / 2 - 50, 100, 100);
    XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
    XTestFakeMotionEvent(display, DefaultScreen(display), width / 2, height / 2, CurrentTime);
    const KeyCode f5 = XKeysymToKeycode(display, XK_F5);
    const KeyCode escape = XKeysymToKeycode(display, XK_Escape);
    XTestFakeKeyEvent(display, f5, True, CurrentTime);
    XSync(display, False);
    const Time f5Pressed = nextEvent(KeyPressMask).xkey.time;

    const std::unique_ptr<InputWatch> watch = backend->watchInput();
    ASSERT_TRUE(watch);
    // Held as the watch opened: a press then.
    auto first = watch->next(1000);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->change, InputChange::F5Down);
    EXPECT_GE(first->atMs, static_cast<std::int64_t>(f5Pressed));
    swapButtons();

    struct Step {
        bool key;
        unsigned code;
        bool down;
        std::optional<InputChange> change;
    };
    const Step steps[] = {
        {true, f5, false, InputChange::F5Up},
        {false, 1, true, std::nullopt}, // the right button now
        {false, 1, false, std::nullopt},
        {false, 3, true, InputChange::LeftDown},
        {true, escape, true, std::nullopt},
        {true, escape, false, std::nullopt},
        {false, 3, false, InputChange::LeftUp},
    };
    for (const Step& step : steps) {
        step.key ? XTestFakeKeyEvent(display, step.code, step.down, CurrentTime)
                 : XTestFakeButtonEvent(display, step.code, step.down, CurrentTime);
        XSync(display, False);
        const long kinds = step.key ? KeyPressMask | KeyReleaseMask : ButtonPressMask | ButtonReleaseMask;
        const XEvent event = nextEvent(kinds);
        ASSERT_NE(event.type, 0) << step.code;
        if (!step.change)
            continue;
        const auto change = watch->next(1000);
        ASSERT_TRUE(change) << step.code;
        EXPECT_EQ(change->change, *step.change);
        EXPECT_EQ(change->atMs, static_cast<std::int64_t>(step.key ? event.xkey.time : event.xbutton.time));
    }
    EXPECT_FALSE(watch->next(50));
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
    // The backend still works after the errors those asked for.
    EXPECT_TRUE(backend->pointerPosition());
}

} // namespace
} // namespace vp
