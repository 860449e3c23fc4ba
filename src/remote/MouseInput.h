#pragma once
// Synthetic mouse input: pointer motion, left-button presses and releases, clicks with a hold
// time and wheel turns, put into the system's input stream through an InputBackend.

#include "remote/InputBackend.h"
#include "seams/Clock.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace vp {

class MouseInput {
public:
    // Reads the screen size from the backend once, when first needed (not here: a deferred
    // backend stays unopened until a command uses it). processEvents lets the program's pending
    // window events run before the hold time of click().
    MouseInput(InputBackend& backend, Clock& clock, std::function<void()> processEvents = {})
        : backend_(backend), clock_(clock), processEvents_(std::move(processEvents))
    {
    }

    // How long click() holds the button, in milliseconds; a negative hold is ignored.
    void setClickDelay(std::int32_t ms);
    std::int32_t clickDelay() const { return clickDelay_; }
    // Buttons 1 (left), 2 (right) and 4 (middle); any other number sends nothing.
    void pressButton(std::int32_t button);
    void releaseButton(std::int32_t button);
    // A left click held for clickDelay().
    void click();
    // These two click only when their move was made, so a click never lands somewhere else.
    void clickAt(std::int32_t x, std::int32_t y);
    void clickWindow(WindowHandle window);
    // To a screen pixel. False when no move was sent or the platform refused it: an absolute move
    // needs a measured screen (width and height above 0).
    bool moveTo(std::int32_t x, std::int32_t y);
    // By pixels from where the pointer is; false when the platform refused it.
    bool moveBy(std::int32_t dx, std::int32_t dy);
    // To the centre of a window; false when the window no longer exists or the move failed.
    bool moveToWindow(WindowHandle window);
    // `direction` is +120 (away from the user) or -120; anything else counts as -120.
    void turnWheel(std::int32_t notches, std::int32_t direction);

    std::int32_t screenWidth() const { return screen().width; }
    std::int32_t screenHeight() const { return screen().height; }

private:
    InputBackend& backend_;
    Clock& clock_;
    std::function<void()> processEvents_;
    const ScreenSize& screen() const;

    mutable std::optional<ScreenSize> screen_;
    std::int32_t clickDelay_ = 250;
};

} // namespace vp
