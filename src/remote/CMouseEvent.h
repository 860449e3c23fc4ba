#pragma once
// Synthetic mouse input: pointer motion, left-button presses and releases, clicks with a hold
// time and wheel turns, put into the system's input stream through an InputBackend.

#include "remote/InputBackend.h"
#include "seams/Clock.h"

#include <cstdint>
#include <functional>

namespace vp {

class CMouseEvent {
public:
    // Reads the screen size from the backend once, now. processEvents lets the program's pending
    // window events run before the hold time of Click.
    CMouseEvent(InputBackend& backend, Clock& clock, std::function<void()> processEvents = {});

    void ClickDelay(std::int32_t NewVal);
    std::int32_t ClickDelay() const;
    void ButtonPress(std::int32_t Button);
    void ButtonRelease(std::int32_t Button);
    void Click();
    // These two click only when their move was made, so a click never lands somewhere else.
    void ClickAbsolute(std::int32_t X, std::int32_t Y);
    void ClickWindow(WindowHandle hWnd);
    // False when no move was sent or the platform refused it: an absolute move needs a measured
    // screen (width and height above 0), a window move needs a window that still exists.
    bool MoveTo(std::int32_t X, std::int32_t Y, std::int16_t Absolute);
    bool MoveToWindow(WindowHandle hWnd);
    void TurnWheel(std::int32_t Notches, std::int32_t Direction);

    std::int32_t ScreenWidth() const { return screenWidth_; }
    std::int32_t ScreenHeight() const { return screenHeight_; }

private:
    InputBackend& backend_;
    Clock& clock_;
    std::function<void()> processEvents_;
    std::int32_t screenWidth_ = 0;
    std::int32_t screenHeight_ = 0;
    std::int32_t clickDelay_ = 250;
};

} // namespace vp
