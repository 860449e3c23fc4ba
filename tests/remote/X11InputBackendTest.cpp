#include "remote/X11InputBackend.h"

#include "remote/MouseInput.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <thread>
#include <utility>

// Last: Xlib's macros (Bool, None, ButtonPress) would clash with names above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vp {
namespace {

// This needs an X display with XTEST ($DISPLAY; CI runs the tests under Xvfb). It clicks and
// types only into a window of its own, unmanaged and on top of everything.
class X11InputBackendTest : public testing::Test {
protected:
    void SetUp() override
    {
        backend = openX11InputBackend();
        if (!backend)
            GTEST_SKIP() << "no X display with XTEST";
        display = XOpenDisplay(nullptr);
        ASSERT_NE(display, nullptr);
        XSetWindowAttributes attributes{};
        attributes.override_redirect = True;
        attributes.event_mask = StructureNotifyMask | KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask;
        window = XCreateWindow(display, DefaultRootWindow(display), 100, 50, 200, 120, 0,
                               CopyFromParent, InputOutput, CopyFromParent, CWOverrideRedirect | CWEventMask, &attributes);
        XMapRaised(display, window);
        for (XEvent event{}; event.type != MapNotify;)
            XWindowEvent(display, window, StructureNotifyMask, &event);
        XSetInputFocus(display, window, RevertToPointerRoot, CurrentTime);
        mouse.emplace(*backend, clock);
        ASSERT_TRUE(mouse->moveTo(200, 110)); // the window's middle
    }

    void TearDown() override
    {
        if (display == nullptr)
            return;
        // A failed check must not leave a button or key held on the display.
        for (const unsigned button : {1U, 3U})
            XTestFakeButtonEvent(display, button, False, CurrentTime);
        XTestFakeKeyEvent(display, XKeysymToKeycode(display, XK_F5), False, CurrentTime);
        if (!buttonMap.empty())
            XSetPointerMapping(display, buttonMap.data(), static_cast<int>(buttonMap.size()));
        if (window != 0)
            XDestroyWindow(display, window);
        XCloseDisplay(display);
    }

    // The next event of our window of the kinds in `mask` within the wait, or type 0.
    XEvent nextEvent(long mask, std::chrono::milliseconds wait = std::chrono::seconds(2))
    {
        XEvent event{};
        for (const auto deadline = std::chrono::steady_clock::now() + wait; std::chrono::steady_clock::now() < deadline; std::this_thread::sleep_for(std::chrono::milliseconds(5)))
            if (XCheckWindowEvent(display, window, mask, &event))
                return event;
        return XEvent{};
    }

    std::unique_ptr<InputBackend> backend;
    SteadyClock clock;
    std::optional<MouseInput> mouse;
    std::vector<unsigned char> buttonMap;
    Display* display = nullptr;
    Window window = 0;
};

TEST_F(X11InputBackendTest, PointerButtonsAndWheelReachTheWindowWhoseRectangleIsInScreenPixels)
{
    const ScreenSize screen = backend->screenSize();
    const auto rect = backend->windowRect(window).value_or(WindowRect{});
    auto position = backend->pointerPosition().value_or(PointerPosition{});
    EXPECT_EQ(std::tuple(screen.width, screen.height, rect.left, rect.top, rect.right, rect.bottom, position.x, position.y),
              std::tuple(DisplayWidth(display, DefaultScreen(display)), DisplayHeight(display, DefaultScreen(display)), 100, 50, 300, 170, 200, 110));
    // The server may accelerate relative motion, so only the direction is certain.
    ASSERT_TRUE(mouse->moveBy(-3, 0));
    position = backend->pointerPosition().value_or(PointerPosition{});
    EXPECT_TRUE(position.x < 200 && position.y == 110) << position.x << "," << position.y;

    // Left is X button 1, right is 3; only the pressed one reads as down.
    for (auto [button, key, other, xButton] : {std::array{1, VirtualKey::LeftButton, VirtualKey::RightButton, 1},
                                                std::array{2, VirtualKey::RightButton, VirtualKey::MiddleButton, 3}}) {
        EXPECT_FALSE(backend->isKeyDown(key));
        mouse->pressButton(button);
        EXPECT_TRUE(backend->isKeyDown(key) && !backend->isKeyDown(other));
        mouse->releaseButton(button);
        EXPECT_FALSE(backend->isKeyDown(key));
        EXPECT_EQ(nextEvent(ButtonPressMask).xbutton.button, unsigned(xButton));
    }
    // Wheel notches are presses of button 4 or 5.
    mouse->turnWheel(2, 120);
    mouse->turnWheel(1, -120);
    for (unsigned expected : {4u, 4u, 5u})
        EXPECT_EQ(nextEvent(ButtonPressMask).xbutton.button, expected);
    EXPECT_EQ(nextEvent(ButtonPressMask, std::chrono::milliseconds(100)).type, 0);

    // A gone window has no rectangle, and the backend still works after the errors that asked for.
    const Window gone = std::exchange(window, 0);
    XDestroyWindow(display, gone);
    XSync(display, False);
    EXPECT_TRUE(!backend->windowRect(gone) && !backend->windowRect(0) && backend->pointerPosition());
}

TEST_F(X11InputBackendTest, KeysAreTypedAndReadAndTheWatchReportsTheLeftButtonAndF5AtTheServersTimes)
{
    ASSERT_TRUE(backend->sendKey(VirtualKey::Escape));
    for (int type : {KeyPress, KeyRelease}) {
        const XEvent event = nextEvent(KeyPressMask | KeyReleaseMask);
        EXPECT_EQ(std::pair(event.type, event.xkey.keycode), std::pair(type, unsigned(XKeysymToKeycode(display, XK_Escape))));
    }
    // 0x41 has no key code here: refused rather than typed as something else.
    EXPECT_FALSE(backend->isKeyDown(VirtualKey::Escape) || backend->sendKey(0x41));

    const KeyCode f5 = XKeysymToKeycode(display, XK_F5);
    const KeyCode escape = XKeysymToKeycode(display, XK_Escape);
    XTestFakeKeyEvent(display, f5, True, CurrentTime);
    XSync(display, False);
    const Time f5Pressed = nextEvent(KeyPressMask).xkey.time;
    EXPECT_TRUE(backend->isKeyDown(VirtualKey::F5));
    const std::unique_ptr<InputWatch> watch = backend->watchInput();
    ASSERT_TRUE(watch);
    const auto first = watch->next(1000); // held as the watch opened: a press then
    EXPECT_TRUE(first && first->change == InputChange::F5Down && first->atMs >= static_cast<std::int64_t>(f5Pressed));

    // Left-handed: X buttons 1 and 3 swap their roles until the end of the test.
    buttonMap.resize(256);
    buttonMap.resize(static_cast<std::size_t>(XGetPointerMapping(display, buttonMap.data(), 256)));
    std::vector<unsigned char> swapped = buttonMap;
    std::swap(swapped.at(0), swapped.at(2));
    ASSERT_EQ(XSetPointerMapping(display, swapped.data(), static_cast<int>(swapped.size())), MappingSuccess);
    const std::tuple<bool, unsigned, bool, std::optional<InputChange>> steps[] = {
        {true, f5, false, InputChange::F5Up},    {false, 1, true, std::nullopt}, // the right button now
        {false, 1, false, std::nullopt},         {false, 3, true, InputChange::LeftDown},
        {true, escape, true, std::nullopt},      {true, escape, false, std::nullopt},
        {false, 3, false, InputChange::LeftUp},
    };
    for (const auto& [key, code, down, change] : steps) {
        key ? XTestFakeKeyEvent(display, code, down, CurrentTime) : XTestFakeButtonEvent(display, code, down, CurrentTime);
        XSync(display, False);
        const XEvent event = nextEvent(key ? KeyPressMask | KeyReleaseMask : ButtonPressMask | ButtonReleaseMask);
        ASSERT_NE(event.type, 0) << code;
        EXPECT_FALSE(key && backend->isKeyDown(VirtualKey::F5)) << code;
        if (!change)
            continue;
        const auto heard = watch->next(1000);
        ASSERT_TRUE(heard) << code;
        EXPECT_EQ(std::pair(heard->change, heard->atMs), std::pair(*change, static_cast<std::int64_t>(key ? event.xkey.time : event.xbutton.time)));
    }
    EXPECT_FALSE(watch->next(50));
}

} // namespace
} // namespace vp
