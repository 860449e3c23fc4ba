#include "remote/X11InputBackend.h"

#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
// XInput's device mode, not used here; it would replace the name of our mouse flag.
#undef Absolute

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace vp {

namespace {

constexpr std::int32_t kWheelDelta = 120;
// X resource ids have 29 bits; a larger handle would be cut down to some other window's id.
constexpr WindowHandle kLargestWindowId = 0x1FFFFFFF;

constexpr unsigned kLeftButton = 1;
constexpr unsigned kMiddleButton = 2;
constexpr unsigned kRightButton = 3;
constexpr unsigned kWheelUpButton = 4;
constexpr unsigned kWheelDownButton = 5;

// Xlib's default error handler ends the program. While our own requests run, their errors are
// noted here instead; errors of other connections go on to whoever handled them before.
Display* checkedDisplay = nullptr;
int checkedError = 0;
XErrorHandler previousErrorHandler = nullptr;

int noteError(Display* display, XErrorEvent* event)
{
    if (display == checkedDisplay) {
        checkedError = event->error_code;
        return 0;
    }
    return previousErrorHandler != nullptr ? previousErrorHandler(display, event) : 0;
}

// Runs the requests and waits until the server has handled all of them (XSync), so that a faked
// event is in the server's input stream when this returns. True when the requests reported success
// and no X error came back.
template <typename Requests>
bool runChecked(Display* display, Requests&& requests)
{
    checkedDisplay = display;
    checkedError = 0;
    previousErrorHandler = XSetErrorHandler(noteError);
    const bool succeeded = requests();
    XSync(display, False);
    XSetErrorHandler(previousErrorHandler);
    checkedDisplay = nullptr;
    return succeeded && checkedError == 0;
}

std::optional<KeySym> keySymFor(int virtualKey)
{
    constexpr int kF1 = 0x70;
    constexpr int kF24 = 0x87;
    if (virtualKey >= kF1 && virtualKey <= kF24)
        return XK_F1 + static_cast<KeySym>(virtualKey - kF1);
    switch (virtualKey) {
    case VirtualKey::Enter: return XK_Return;
    case VirtualKey::Escape: return XK_Escape;
    default: return std::nullopt;
    }
}

std::optional<unsigned> buttonMaskFor(int virtualKey)
{
    switch (virtualKey) {
    case VirtualKey::LeftButton: return Button1Mask;
    case VirtualKey::MiddleButton: return Button2Mask;
    case VirtualKey::RightButton: return Button3Mask;
    default: return std::nullopt;
    }
}

class X11InputBackend final : public InputBackend {
public:
    explicit X11InputBackend(Display* display) : display_(display), screen_(DefaultScreen(display)) {}
    ~X11InputBackend() override { XCloseDisplay(display_); }
    X11InputBackend(const X11InputBackend&) = delete;
    X11InputBackend& operator=(const X11InputBackend&) = delete;

    bool mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data) override
    {
        // The parts of one event in the order Windows applies them: move, buttons, wheel.
        return runChecked(display_, [&] {
            bool ok = true;
            if ((flags & MouseFlags::Move) != 0)
                ok = move(flags, dx, dy);
            const auto button = [&](std::uint32_t flag, unsigned number, bool press) {
                if ((flags & flag) != 0)
                    XTestFakeButtonEvent(display_, number, press ? True : False, CurrentTime);
            };
            button(MouseFlags::LeftDown, kLeftButton, true);
            button(MouseFlags::LeftUp, kLeftButton, false);
            button(MouseFlags::RightDown, kRightButton, true);
            button(MouseFlags::RightUp, kRightButton, false);
            button(MouseFlags::MiddleDown, kMiddleButton, true);
            button(MouseFlags::MiddleUp, kMiddleButton, false);
            if ((flags & MouseFlags::Wheel) != 0)
                turnWheel(data);
            return ok;
        });
    }

    ScreenSize screenSize() override
    {
        // Asked of the server each time, so that a resolution change since the connection was
        // opened is seen; zero when the root window cannot be measured.
        Window root = 0;
        int x = 0, y = 0;
        unsigned width = 0, height = 0, border = 0, depth = 0;
        if (XGetGeometry(display_, RootWindow(display_, screen_), &root, &x, &y, &width, &height, &border, &depth) == 0)
            return {};
        return {static_cast<int>(width), static_cast<int>(height)};
    }

    std::optional<WindowRect> windowRect(WindowHandle window) override
    {
        if (window == 0 || window > kLargestWindowId)
            return std::nullopt;
        const auto id = static_cast<Window>(window);
        XWindowAttributes attributes{};
        int x = 0, y = 0;
        Window child = 0;
        const bool ok = runChecked(display_, [&] {
            return XGetWindowAttributes(display_, id, &attributes) != 0 &&
                   XTranslateCoordinates(display_, id, attributes.root, 0, 0, &x, &y, &child) != 0;
        });
        if (!ok)
            return std::nullopt;
        // Like GetWindowRect the rectangle includes the border; a window manager's frame is a
        // window of its own and is not part of it.
        const int border = attributes.border_width;
        return WindowRect{x - border, y - border, x + attributes.width + border, y + attributes.height + border};
    }

    bool isKeyDown(int virtualKey) override
    {
        if (const auto mask = buttonMaskFor(virtualKey)) {
            const auto state = queryPointer();
            return state && (state->mask & *mask) != 0;
        }
        const KeyCode code = keyCodeFor(virtualKey);
        if (code == 0)
            return false;
        char keys[32] = {};
        XQueryKeymap(display_, keys);
        return (static_cast<unsigned char>(keys[code / 8]) & (1u << (code % 8))) != 0;
    }

    std::optional<PointerPosition> pointerPosition() override
    {
        const auto state = queryPointer();
        if (!state)
            return std::nullopt;
        return PointerPosition{state->x, state->y};
    }

    bool sendKey(int virtualKey) override
    {
        const KeyCode code = keyCodeFor(virtualKey);
        if (code == 0)
            return false;
        return runChecked(display_, [&] {
            XTestFakeKeyEvent(display_, code, True, CurrentTime);
            XTestFakeKeyEvent(display_, code, False, CurrentTime);
            return true;
        });
    }

private:
    struct PointerState {
        int x = 0, y = 0;
        unsigned mask = 0;
    };

    // Nothing when the pointer is on another X screen than ours.
    std::optional<PointerState> queryPointer()
    {
        Window root = 0, child = 0;
        int windowX = 0, windowY = 0;
        PointerState state;
        if (XQueryPointer(display_, RootWindow(display_, screen_), &root, &child, &state.x, &state.y, &windowX,
                          &windowY, &state.mask) == 0)
            return std::nullopt;
        return state;
    }

    KeyCode keyCodeFor(int virtualKey)
    {
        const auto sym = keySymFor(virtualKey);
        return sym ? XKeysymToKeycode(display_, *sym) : KeyCode{0};
    }

    bool move(std::uint32_t flags, std::int32_t dx, std::int32_t dy)
    {
        if ((flags & MouseFlags::Absolute) == 0) {
            XTestFakeRelativeMotionEvent(display_, dx, dy, CurrentTime);
            return true;
        }
        const ScreenSize screen = screenSize();
        if (screen.width <= 0 || screen.height <= 0)
            return false;
        XTestFakeMotionEvent(display_, screen_, absoluteToPixel(dx, screen.width), absoluteToPixel(dy, screen.height),
                             CurrentTime);
        return true;
    }

    // Each notch of 120 is one click of the wheel button: 4 turns away from the user, 5 toward.
    // A remainder of less than a notch is dropped.
    void turnWheel(std::int32_t data)
    {
        const std::int32_t notches = data / kWheelDelta;
        const unsigned button = notches > 0 ? kWheelUpButton : kWheelDownButton;
        for (std::int32_t n = std::abs(notches); n > 0; --n) {
            XTestFakeButtonEvent(display_, button, True, CurrentTime);
            XTestFakeButtonEvent(display_, button, False, CurrentTime);
        }
    }

    Display* display_;
    int screen_;
};

} // namespace

std::unique_ptr<InputBackend> openX11InputBackend(const char* displayName)
{
    Display* display = XOpenDisplay(displayName);
    if (display == nullptr)
        return nullptr;
    int eventBase = 0, errorBase = 0, major = 0, minor = 0;
    if (XTestQueryExtension(display, &eventBase, &errorBase, &major, &minor) == 0) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::make_unique<X11InputBackend>(display);
}

std::unique_ptr<InputBackend> createPlatformInputBackend()
{
    return openX11InputBackend();
}

} // namespace vp
