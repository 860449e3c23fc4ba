#pragma once
// Waiting for the user's left button and F5: the platform's own watch where it has one, otherwise
// a watch that polls the key state.

#include "remote/InputBackend.h"
#include "seams/Clock.h"

#include <deque>
#include <memory>
#include <optional>

namespace vp {

// Reads the state of the left button and F5 every millisecond (sleeping on the clock in between)
// and reports what changed since the look before, at the clock's time of the look that saw it.
class PolledInputWatch final : public InputWatch {
public:
    PolledInputWatch(InputBackend& input, Clock& clock) : input_(input), clock_(clock) {}

    std::int64_t nowMs() override { return clock_.nowMs(); }
    std::optional<InputEvent> next(std::int64_t timeoutMs) override;

private:
    // One look at both; the left button first.
    void look();

    InputBackend& input_;
    Clock& clock_;
    bool leftDown_ = false;
    bool f5Down_ = false;
    std::deque<InputEvent> seen_;
};

// backend.watchInput(), or a PolledInputWatch on it where it has none.
std::unique_ptr<InputWatch> openInputWatch(InputBackend& backend, Clock& clock);

} // namespace vp
