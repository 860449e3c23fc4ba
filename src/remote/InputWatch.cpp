#include "remote/InputWatch.h"

namespace vp {

std::optional<InputEvent> PolledInputWatch::next(std::int64_t timeoutMs)
{
    const std::int64_t deadline = clock_.nowMs() + timeoutMs;
    for (;;) {
        if (seen_.empty())
            look();
        if (!seen_.empty()) {
            const InputEvent event = seen_.front();
            seen_.pop_front();
            return event;
        }
        if (clock_.nowMs() >= deadline)
            return std::nullopt;
        clock_.sleepMs(1);
    }
}

void PolledInputWatch::look()
{
    const auto compare = [this](int virtualKey, bool& down, InputChange pressed, InputChange released) {
        const bool now = input_.isKeyDown(virtualKey);
        if (now != down)
            seen_.push_back({now ? pressed : released, clock_.nowMs()});
        down = now;
    };
    compare(VirtualKey::LeftButton, leftDown_, InputChange::LeftDown, InputChange::LeftUp);
    compare(VirtualKey::F5, f5Down_, InputChange::F5Down, InputChange::F5Up);
}

std::unique_ptr<InputWatch> openInputWatch(InputBackend& backend, Clock& clock)
{
    if (auto watch = backend.watchInput())
        return watch;
    return std::make_unique<PolledInputWatch>(backend, clock);
}

} // namespace vp
