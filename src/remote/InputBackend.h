#pragma once
// The platform's synthetic input and input state, in the terms of the Windows calls the program was
// designed around: mouse_event flags and 0..65535 absolute coordinates, virtual key codes.

#include "seams/Desktop.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace vp {

namespace MouseFlags {
inline constexpr std::uint32_t Move = 0x0001;
inline constexpr std::uint32_t LeftDown = 0x0002;
inline constexpr std::uint32_t LeftUp = 0x0004;
inline constexpr std::uint32_t RightDown = 0x0008;
inline constexpr std::uint32_t RightUp = 0x0010;
inline constexpr std::uint32_t MiddleDown = 0x0020;
inline constexpr std::uint32_t MiddleUp = 0x0040;
inline constexpr std::uint32_t Wheel = 0x0800;
inline constexpr std::uint32_t Absolute = 0x8000;
} // namespace MouseFlags

namespace VirtualKey {
inline constexpr int LeftButton = 0x01;
inline constexpr int RightButton = 0x02;
inline constexpr int MiddleButton = 0x04;
inline constexpr int Enter = 0x0D;
inline constexpr int Escape = 0x1B;
inline constexpr int F5 = 0x74;
} // namespace VirtualKey

struct WindowRect {
    std::int32_t left = 0, top = 0, right = 0, bottom = 0;
};

struct PointerPosition {
    std::int32_t x = 0, y = 0;
};

// A native window handle (HWND on Windows, an X11 Window id elsewhere).
using WindowHandle = std::uintptr_t;

// The changes of the user's input that the click script waits for.
enum class InputChange { LeftDown, LeftUp, F5Down, F5Up };

struct InputEvent {
    InputChange change = InputChange::LeftDown;
    // When it happened, in milliseconds on the clock of the watch that reported it.
    std::int64_t atMs = 0;

    friend bool operator==(const InputEvent&, const InputEvent&) = default;
};

// The user's presses and releases of the left button and F5, system-wide, in the order they
// happened, from the moment the watch was opened: what is held at that moment comes first, as a
// press at that moment. Each change is reported once (no repeats of a held key).
class InputWatch {
public:
    virtual ~InputWatch() = default;
    // The time now on the clock of the events; only differences of two readings mean anything.
    virtual std::int64_t nowMs() = 0;
    // The next change, waiting at most timeoutMs for one (0: only what has already happened);
    // nothing when none came.
    virtual std::optional<InputEvent> next(std::int64_t timeoutMs) = 0;
};

class InputBackend {
public:
    virtual ~InputBackend() = default;

    // One synthetic mouse event, delivered like physical input to the window under the pointer.
    // Absolute moves carry dx, dy in 0..65535 across the screen; wheel data is 120 per notch.
    // False when the platform refused the event (blocked input, an X error).
    virtual bool mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data) = 0;
    virtual ScreenSize screenSize() = 0;
    virtual std::optional<WindowRect> windowRect(WindowHandle window) = 0;

    // Whether the key or button (virtual key code) is held down right now, system-wide.
    virtual bool isKeyDown(int virtualKey) = 0;
    // The pointer in screen pixels, or nothing when the platform cannot tell (a locked desktop).
    virtual std::optional<PointerPosition> pointerPosition() = 0;
    // Types one key (press and release) into the foreground window and waits until it is processed.
    // False when the key has no key code here or the platform refused it.
    virtual bool sendKey(int virtualKey) = 0;
    // A watch on the user's input that waits without polling, or nothing where the platform offers
    // only the state of the keys (see openInputWatch, which then polls isKeyDown).
    virtual std::unique_ptr<InputWatch> watchInput() { return nullptr; }
    // False where the backend turned out not to run after all (a deferred one that could not be
    // opened): nothing can be recorded or played then.
    virtual bool available() { return true; }
};

// The pixel column (or row) that an absolute coordinate 0..65535 addresses on a screen `pixels`
// wide (or high): pixel / pixels * 65535 taken back and rounded to the nearest pixel, then held
// on the screen. 0 is the first pixel, 65535 the last, and every pixel of a screen up to 65535
// pixels wide survives the way there and back exactly.
std::int32_t absoluteToPixel(std::int32_t absolute, std::int32_t pixels);

// The backend of this platform (X11/XTest or user32), or nothing where none can run (no display).
std::unique_ptr<InputBackend> createPlatformInputBackend();

} // namespace vp
