#include "remote/X11InputBackend.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>
// XInput's device mode, not used here; it would replace the name of our mouse flag.
#undef Absolute

#include <poll.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <deque>
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

// The server's time, 32-bit milliseconds that wrap after 49.7 days, carried on in 64 bits from the
// first reading; any two readings less than 24 days apart are in order.
class ServerTime {
public:
    std::int64_t extend(Time time)
    {
        const auto now = static_cast<std::uint32_t>(time);
        extended_ = started_ ? extended_ + static_cast<std::int32_t>(now - last_) : now;
        started_ = true;
        last_ = now;
        return extended_;
    }

private:
    bool started_ = false;
    std::uint32_t last_ = 0;
    std::int64_t extended_ = 0;
};

// The user's left button and F5 from the raw input events on the root window (XInput 2.1 and
// later sends them to every client that asks, whatever window has the input and whoever grabbed
// it, so the game loses nothing), on a connection of its own, with the server's time of each.
// A wait is a poll() on that connection.
class X11InputWatch final : public InputWatch {
public:
    // Nothing when the display cannot be opened or its server has no XInput 2.1.
    static std::unique_ptr<InputWatch> open(const char* displayName)
    {
        Display* display = XOpenDisplay(displayName);
        if (display == nullptr)
            return nullptr;
        std::unique_ptr<X11InputWatch> watch(new X11InputWatch(display));
        if (!watch->start())
            return nullptr;
        return watch;
    }

    ~X11InputWatch() override { XCloseDisplay(display_); }
    X11InputWatch(const X11InputWatch&) = delete;
    X11InputWatch& operator=(const X11InputWatch&) = delete;

    std::int64_t nowMs() override
    {
        // The server stamps the change of a property with its time; nothing is stored.
        XChangeProperty(display_, clockWindow_, clockProperty_, XA_INTEGER, 8, PropModeAppend, nullptr, 0);
        XEvent event;
        XWindowEvent(display_, clockWindow_, PropertyChangeMask, &event);
        return time_.extend(event.xproperty.time);
    }

    std::optional<InputEvent> next(std::int64_t timeoutMs) override
    {
        using std::chrono::steady_clock;
        const auto deadline = steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        for (;;) {
            while (changes_.empty() && XPending(display_) > 0) {
                XEvent event;
                XNextEvent(display_, &event);
                take(event);
            }
            if (!changes_.empty()) {
                const InputEvent change = changes_.front();
                changes_.pop_front();
                return change;
            }
            const auto left =
                std::chrono::ceil<std::chrono::milliseconds>(deadline - steady_clock::now()).count();
            if (left <= 0)
                return std::nullopt;
            pollfd connection{ConnectionNumber(display_), POLLIN, 0};
            poll(&connection, 1, static_cast<int>(left));
        }
    }

private:
    explicit X11InputWatch(Display* display) : display_(display) {}

    bool start()
    {
        int event = 0, error = 0;
        int major = 2, minor = 2;
        if (XQueryExtension(display_, "XInputExtension", &opcode_, &event, &error) == 0
            || XIQueryVersion(display_, &major, &minor) != Success || major < 2 || (major == 2 && minor < 1))
            return false;
        const Window root = DefaultRootWindow(display_);
        const bool ok = runChecked(display_, [&] {
            XSetWindowAttributes attributes{};
            attributes.event_mask = PropertyChangeMask;
            clockWindow_ = XCreateWindow(display_, root, -1, -1, 1, 1, 0, 0, InputOnly, CopyFromParent,
                                         CWEventMask, &attributes);
            clockProperty_ = XInternAtom(display_, "VANTAPOINT_TIME", False);
            std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> mask{};
            for (int type : {XI_RawKeyPress, XI_RawKeyRelease, XI_RawButtonPress, XI_RawButtonRelease})
                XISetMask(mask.data(), type);
            XIEventMask selection{XIAllMasterDevices, static_cast<int>(mask.size()), mask.data()};
            return XISelectEvents(display_, root, &selection, 1) == Success;
        });
        if (!ok)
            return false;
        readMappings();
        // What is held now comes first; a change from here on arrives as an event as well, which
        // then changes nothing.
        Window pointerRoot = 0, child = 0;
        int x = 0, y = 0, windowX = 0, windowY = 0;
        unsigned buttons = 0;
        XQueryPointer(display_, root, &pointerRoot, &child, &x, &y, &windowX, &windowY, &buttons);
        char keys[32] = {};
        XQueryKeymap(display_, keys);
        const std::int64_t now = nowMs();
        if ((buttons & Button1Mask) != 0)
            note(leftDown_, true, InputChange::LeftDown, InputChange::LeftUp, now);
        if (f5_ != 0 && (static_cast<unsigned char>(keys[f5_ / 8]) & (1u << (f5_ % 8))) != 0)
            note(f5Down_, true, InputChange::F5Down, InputChange::F5Up, now);
        return true;
    }

    // Raw events carry the physical button; the pointer mapping says which of them acts as the left
    // one (another for a left-handed mapping).
    void readMappings()
    {
        std::array<unsigned char, 256> map{};
        const int buttons = XGetPointerMapping(display_, map.data(), static_cast<int>(map.size()));
        leftButtons_.fill(false);
        for (int physical = 1; physical <= buttons && physical < static_cast<int>(leftButtons_.size()); ++physical)
            leftButtons_[static_cast<std::size_t>(physical)] = map[static_cast<std::size_t>(physical - 1)] == 1;
        f5_ = XKeysymToKeycode(display_, XK_F5);
    }

    void take(XEvent& event)
    {
        if (event.type == MappingNotify) {
            XRefreshKeyboardMapping(&event.xmapping);
            readMappings();
            return;
        }
        XGenericEventCookie& cookie = event.xcookie;
        if (cookie.type != GenericEvent || cookie.extension != opcode_ || XGetEventData(display_, &cookie) == 0)
            return;
        const auto* raw = static_cast<const XIRawEvent*>(cookie.data);
        const std::int64_t at = time_.extend(raw->time);
        const auto detail = static_cast<std::size_t>(raw->detail);
        switch (raw->evtype) {
        case XI_RawButtonPress:
        case XI_RawButtonRelease:
            if (detail < leftButtons_.size() && leftButtons_[detail])
                note(leftDown_, raw->evtype == XI_RawButtonPress, InputChange::LeftDown, InputChange::LeftUp, at);
            break;
        case XI_RawKeyPress:
        case XI_RawKeyRelease:
            if (f5_ != 0 && raw->detail == f5_)
                note(f5Down_, raw->evtype == XI_RawKeyPress, InputChange::F5Down, InputChange::F5Up, at);
            break;
        default: break;
        }
        XFreeEventData(display_, &cookie);
    }

    // A press of what is down already (a second button mapped as the left one) changes nothing.
    void note(bool& down, bool pressed, InputChange press, InputChange release, std::int64_t at)
    {
        if (down == pressed)
            return;
        down = pressed;
        changes_.push_back({pressed ? press : release, at});
    }

    Display* display_;
    int opcode_ = 0;
    Window clockWindow_ = 0;
    Atom clockProperty_ = 0;
    ServerTime time_;
    std::array<bool, 256> leftButtons_{};
    KeyCode f5_ = 0;
    bool leftDown_ = false;
    bool f5Down_ = false;
    std::deque<InputEvent> changes_;
};

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

    std::unique_ptr<InputWatch> watchInput() override { return X11InputWatch::open(DisplayString(display_)); }

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
