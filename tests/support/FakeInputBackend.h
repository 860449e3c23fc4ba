#pragma once
// A scripted input backend: records every mouse event and keystroke with the clock's time, and
// answers screen size, window rectangles, key state and pointer position from what the test set.
// Its input watch is the polling one, or with `watchedEvents` set, a platform's own.

#include "remote/InputBackend.h"
#include "seams/Clock.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
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
    // Answers isKeyDown when set (key, poll number); otherwise `held` and `holds` do.
    std::function<bool(int virtualKey, std::int64_t poll)> keyState;
    std::set<int> held;
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
    int pointerQueries = 0;

    bool mouseEvent(std::uint32_t flags, std::int32_t dx, std::int32_t dy, std::int32_t data) override
    {
        mouseEvents.push_back({flags, dx, dy, data, now()});
        return acceptMouseEvents;
    }

    ScreenSize screenSize() override { return screen; }

    std::optional<WindowRect> windowRect(WindowHandle window) override
    {
        const auto it = windows.find(window);
        if (it == windows.end())
            return std::nullopt;
        return it->second;
    }

    bool isKeyDown(int virtualKey) override
    {
        const std::int64_t poll = polls++;
        if (keyState)
            return keyState(virtualKey, poll);
        if (held.count(virtualKey) != 0)
            return true;
        for (const KeyHold& hold : holds) {
            if (hold.virtualKey != virtualKey || (hold.byTime && clock_ == nullptr))
                continue;
            const std::int64_t at = hold.byTime ? now() : poll;
            if (at >= hold.first && at < hold.end)
                return true;
        }
        return false;
    }

    std::optional<PointerPosition> pointerPosition() override
    {
        ++pointerQueries;
        if (pointerQueue.empty())
            return pointer;
        auto next = pointerQueue.front();
        pointerQueue.pop_front();
        return next;
    }

    bool sendKey(int virtualKey) override
    {
        keys.push_back({virtualKey, now()});
        return acceptKeys;
    }

    std::unique_ptr<InputWatch> watchInput() override
    {
        if (!watchedEvents || clock_ == nullptr)
            return nullptr;
        return std::make_unique<Watch>(*this);
    }

private:
    class Watch final : public InputWatch {
    public:
        explicit Watch(FakeInputBackend& backend) : backend_(backend) {}
        std::int64_t nowMs() override { return backend_.now() + backend_.watchClockOffsetMs; }
        std::optional<InputEvent> next(std::int64_t timeoutMs) override
        {
            auto& events = *backend_.watchedEvents;
            const std::int64_t now = nowMs();
            if (events.empty() || events.front().atMs > now + timeoutMs) {
                backend_.clock_->sleepMs(timeoutMs);
                return std::nullopt;
            }
            backend_.clock_->sleepMs(events.front().atMs - now);
            const InputEvent event = events.front();
            events.pop_front();
            return event;
        }

    private:
        FakeInputBackend& backend_;
    };

    std::int64_t now() const { return clock_ != nullptr ? clock_->nowMs() : 0; }

    Clock* clock_;
};

} // namespace vp::test
