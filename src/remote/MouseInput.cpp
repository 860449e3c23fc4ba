#include "remote/MouseInput.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace vp {

namespace {

constexpr std::int32_t kWheelDelta = 120;
// Absolute coordinates run from 0 at the left or top edge to this value at the right or bottom edge.
constexpr double kAbsoluteRange = 65535.0;

std::int32_t saturateToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

// The nearest integer, a half going to the even neighbour, whatever the floating-point rounding
// mode; beyond the 32-bit range it saturates. `value` is finite and well inside 2^53, so the
// fraction below is exact.
std::int32_t roundHalfEvenToInt32(double value)
{
    double rounded = std::floor(value);
    const double fraction = value - rounded;
    if (fraction > 0.5 || (fraction == 0.5 && std::fmod(rounded, 2.0) != 0.0))
        rounded += 1.0;
    return static_cast<std::int32_t>(std::clamp(rounded, double{std::numeric_limits<std::int32_t>::min()},
                                                double{std::numeric_limits<std::int32_t>::max()}));
}

std::int32_t toAbsolute(std::int32_t pixel, std::int32_t screenPixels)
{
    return roundHalfEvenToInt32(static_cast<double>(pixel) / screenPixels * kAbsoluteRange);
}

std::optional<std::uint32_t> downFlag(std::int32_t button)
{
    switch (button) {
    case 1: return MouseFlags::LeftDown;
    case 2: return MouseFlags::RightDown;
    case 4: return MouseFlags::MiddleDown;
    default: return std::nullopt;
    }
}

std::optional<std::uint32_t> upFlag(std::int32_t button)
{
    switch (button) {
    case 1: return MouseFlags::LeftUp;
    case 2: return MouseFlags::RightUp;
    case 4: return MouseFlags::MiddleUp;
    default: return std::nullopt;
    }
}

} // namespace

std::int32_t absoluteToPixel(std::int32_t absolute, std::int32_t pixels)
{
    if (pixels <= 0)
        return 0;
    // Beyond the range the pointer stops at the edge, as it does on Windows. 65535 is odd, so
    // no product lies exactly halfway and adding half of it rounds to the nearest.
    constexpr std::int32_t kAbsoluteMax = 65535;
    const std::int64_t held = std::clamp(absolute, 0, kAbsoluteMax);
    const std::int64_t pixel = (held * pixels + kAbsoluteMax / 2) / kAbsoluteMax;
    return static_cast<std::int32_t>(std::min<std::int64_t>(pixel, pixels - 1));
}

const ScreenSize& MouseInput::screen() const
{
    if (!screen_)
        screen_ = backend_.screenSize();
    return *screen_;
}

void MouseInput::setClickDelay(std::int32_t ms)
{
    if (ms >= 0)
        clickDelay_ = ms;
}

void MouseInput::pressButton(std::int32_t button)
{
    if (const auto flag = downFlag(button))
        backend_.mouseEvent(*flag, 0, 0, 0);
}

void MouseInput::releaseButton(std::int32_t button)
{
    if (const auto flag = upFlag(button))
        backend_.mouseEvent(*flag, 0, 0, 0);
}

void MouseInput::click()
{
    // The release goes out even when the press was refused, so that no button is left held.
    backend_.mouseEvent(MouseFlags::LeftDown, 0, 0, 0);
    if (clickDelay_ != 0) {
        if (processEvents_)
            processEvents_();
        clock_.sleepMs(clickDelay_);
    }
    backend_.mouseEvent(MouseFlags::LeftUp, 0, 0, 0);
}

void MouseInput::clickAt(std::int32_t x, std::int32_t y)
{
    if (moveTo(x, y))
        click();
}

void MouseInput::clickWindow(WindowHandle window)
{
    if (moveToWindow(window))
        click();
}

bool MouseInput::moveTo(std::int32_t x, std::int32_t y)
{
    // An unmeasured screen has no absolute coordinates; moving to a corner instead would be worse.
    const ScreenSize& size = screen();
    if (size.width <= 0 || size.height <= 0)
        return false;
    return backend_.mouseEvent(MouseFlags::Move | MouseFlags::Absolute, toAbsolute(x, size.width),
                               toAbsolute(y, size.height), 0);
}

bool MouseInput::moveBy(std::int32_t dx, std::int32_t dy)
{
    return backend_.mouseEvent(MouseFlags::Move, dx, dy, 0);
}

bool MouseInput::moveToWindow(WindowHandle window)
{
    const auto rect = backend_.windowRect(window);
    if (!rect)
        return false;
    // The halves are taken in 64 bits so that a rectangle spanning the 32-bit range cannot
    // overflow; the centre lies between the edges and so fits again.
    const std::int64_t x = rect->left + (std::int64_t{rect->right} - rect->left) / 2;
    const std::int64_t y = rect->top + (std::int64_t{rect->bottom} - rect->top) / 2;
    return moveTo(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
}

void MouseInput::turnWheel(std::int32_t notches, std::int32_t direction)
{
    if (direction != kWheelDelta && direction != -kWheelDelta)
        direction = -kWheelDelta;
    backend_.mouseEvent(MouseFlags::Wheel, 0, 0, saturateToInt32(std::int64_t{notches} * direction));
}

} // namespace vp
