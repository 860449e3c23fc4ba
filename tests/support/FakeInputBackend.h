#pragma once
// A scripted input backend: records every mouse event and keystroke with the clock's time, and
// answers screen size, window rectangles, key state and pointer position from what the test set.
// Its input watch is the polling one, or with `watchedEvents` set, a platform's own.

#include "remote/InputBackend.h"
#include "seams/Clock.h"
#include "support/FakeDesktop.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace vp::test {

struct RecordedMouseEvent {
    std::uint32_t flags = 0;
    std::int32_t dx = 0, dy = 0, data = 0;
    std::int64_t atMs = 0;
};

struct RecordedKey {
    int virtualKey = 0;
    std::int64_t atMs = 0;
};

// A key or button held down from `first` up to, not including, `end`: counted in polls (calls of
// isKeyDown, all keys together, from 0) or, with byTime, in the clock's milliseconds.
struct KeyHold {
    int virtualKey = 0;
    std::int64_t first = 0;
    std::int64_t end = 0;
    bool byTime = false;
};

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
    bool acceptMouseEvents = true;
    bool acceptKeys = true;

    // With these set, watchInput() hands them out as a platform's own events, in order, each once the
    // clock has reached its time; the watch's clock runs watchClockOffsetMs ahead of the clock.
    std::optional<std::deque<InputEvent>> watchedEvents;
    std::int64_t watchClockOffsetMs = 0;

    std::vector<RecordedMouseEvent> mouseEvents;
    std::vector<RecordedKey> keys;
    std::int64_t polls = 0;

    bool mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data) override
    {
        mouseEvents.push_back({flags, dx, dy, data, now()});
        return acceptMouseEvents;
    }
    ScreenSize screenSize() override { return screen; }
    std::optional<WindowRect> windowRect(WindowHandle window) override
    {
        const auto it = windows.find(window);
        return it == windows.end() ? std::nullopt : std::optional(it->second);
    }

    bool isKeyDown(int virtualKey) override
    {
        const std::int64_t poll = polls++;
        if (keyState)
            return keyState(virtualKey, poll);
        return std::any_of(holds.begin(), holds.end(), [&](const KeyHold& hold) {
            const std::int64_t at = hold.byTime ? now() : poll;
            return hold.virtualKey == virtualKey && !(hold.byTime && clock_ == nullptr) && at >= hold.first && at < hold.end;
        });
    }

    std::optional<PointerPosition> pointerPosition() override { return takeFront(pointerQueue, pointer); }
    bool sendKey(int virtualKey) override { keys.push_back({virtualKey, now()}); return acceptKeys; }
    std::unique_ptr<InputWatch> watchInput() override { return watchedEvents && clock_ ? std::make_unique<Watch>(*this) : nullptr; }

private:
    class Watch final : public InputWatch {
    public:
        explicit Watch(FakeInputBackend& backend) : backend_(backend) {}
        std::int64_t nowMs() override { return backend_.now() + backend_.watchClockOffsetMs; }
        std::optional<InputEvent> next(std::int64_t timeoutMs) override
        {
            auto& events = *backend_.watchedEvents;
            const bool due = !events.empty() && events.front().atMs <= nowMs() + timeoutMs;
            backend_.clock_->sleepMs(due ? events.front().atMs - nowMs() : timeoutMs);
            return due ? std::optional(takeFront(events, InputEvent{})) : std::nullopt;
        }

    private:
        FakeInputBackend& backend_;
    };

    std::int64_t now() const { return clock_ != nullptr ? clock_->nowMs() : 0; }

    Clock* clock_;
};

} // namespace vp::test
