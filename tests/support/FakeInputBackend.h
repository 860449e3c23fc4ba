#pragma once
// A scripted input backend: records every mouse event and keystroke with the clock's time, and
// answers screen size, window rectangles, key state and pointer position from what the test set.
// It has no input watch of its own: the commands poll it.

#include "remote/InputBackend.h"
#include "seams/Clock.h"
#include "support/FakeDesktop.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <vector>

namespace vp::test {

struct RecordedMouseEvent { std::uint32_t flags = 0; std::int32_t dx = 0, dy = 0, data = 0; std::int64_t atMs = 0; };
struct RecordedKey { int virtualKey = 0; std::int64_t atMs = 0; };

// A key or button held down from `first` up to, not including, `end`: counted in polls (calls of
// isKeyDown, all keys together, from 0) or, with byTime, in the clock's milliseconds.
struct KeyHold { int virtualKey = 0; std::int64_t first = 0, end = 0; bool byTime = false; };

class FakeInputBackend : public InputBackend {
public:
    // Without a clock every event is recorded at time 0 and time-based holds never apply.
    explicit FakeInputBackend(Clock* clock = nullptr) : clock_(clock) {}

    ScreenSize screen{1024, 768};
    std::map<WindowHandle, WindowRect> windows;
    // Answers isKeyDown when set (key, poll number); otherwise `holds` do.
    std::function<bool(int virtualKey, std::int64_t poll)> keyState;
    std::vector<KeyHold> holds;
    // Each pointerPosition() takes the next queued position; when the queue is empty it answers
    // `pointer`.
    std::deque<std::optional<PointerPosition>> pointerQueue;
    std::optional<PointerPosition> pointer = PointerPosition{};
    // What mouseEvent and sendKey report; refused calls are recorded too.
    bool acceptMouseEvents = true, acceptKeys = true;

    std::vector<RecordedMouseEvent> mouseEvents;
    std::vector<RecordedKey> keys;
    std::int64_t polls = 0;

    bool mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data) override { mouseEvents.push_back({flags, dx, dy, data, now()}); return acceptMouseEvents; }
    ScreenSize screenSize() override { return screen; }
    std::optional<WindowRect> windowRect(WindowHandle window) override { return windows.contains(window) ? std::optional(windows.at(window)) : std::nullopt; }

    bool isKeyDown(int virtualKey) override
    {
        const std::int64_t poll = polls++;
        return keyState ? keyState(virtualKey, poll) : std::any_of(holds.begin(), holds.end(), [&](const KeyHold& hold) {
            const std::int64_t at = hold.byTime ? now() : poll;
            return hold.virtualKey == virtualKey && !(hold.byTime && clock_ == nullptr) && at >= hold.first && at < hold.end;
        });
    }

    std::optional<PointerPosition> pointerPosition() override { return takeFront(pointerQueue, pointer); }
    bool sendKey(int virtualKey) override { keys.push_back({virtualKey, now()}); return acceptKeys; }

private:
    std::int64_t now() const { return clock_ != nullptr ? clock_->nowMs() : 0; }
    Clock* clock_;
};

} // namespace vp::test
