#include "remote/DeferredInputBackend.h"

#include <utility>

namespace vp {

InputBackend* DeferredInputBackend::backend()
{
    // Taken out first: an opener that fails (or throws) is not tried again.
    if (open_)
        backend_ = std::exchange(open_, nullptr)();
    return backend_.get();
}

bool DeferredInputBackend::mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data)
{
    InputBackend* real = backend();
    return real != nullptr && real->mouseEvent(flags, dx, dy, data);
}

ScreenSize DeferredInputBackend::screenSize()
{
    InputBackend* real = backend();
    return real != nullptr ? real->screenSize() : ScreenSize{};
}

std::optional<WindowRect> DeferredInputBackend::windowRect(WindowHandle window)
{
    InputBackend* real = backend();
    return real != nullptr ? real->windowRect(window) : std::nullopt;
}

bool DeferredInputBackend::isKeyDown(int virtualKey)
{
    InputBackend* real = backend();
    return real != nullptr && real->isKeyDown(virtualKey);
}

std::optional<PointerPosition> DeferredInputBackend::pointerPosition()
{
    InputBackend* real = backend();
    return real != nullptr ? real->pointerPosition() : std::nullopt;
}

bool DeferredInputBackend::sendKey(int virtualKey)
{
    InputBackend* real = backend();
    return real != nullptr && real->sendKey(virtualKey);
}

std::unique_ptr<InputWatch> DeferredInputBackend::watchInput()
{
    InputBackend* real = backend();
    return real != nullptr ? real->watchInput() : nullptr;
}

} // namespace vp
