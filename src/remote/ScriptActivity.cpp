#include "remote/ScriptActivity.h"

#include <utility>

namespace vp {

int ScriptActivity::watch(std::function<void(bool running)> listener)
{
    const int id = nextId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void ScriptActivity::unwatch(int id)
{
    listeners_.erase(id);
}

void ScriptActivity::setRunning(bool running)
{
    if (running == running_)
        return;
    running_ = running;
    stopRequested_ = false;
    // A listener may unwatch itself (a dialog closing); iterate over a copy.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners)
        listener(running);
}

} // namespace vp
