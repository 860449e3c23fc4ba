#pragma once
// Milliseconds and sleeps, behind an interface so that timing logic is tested with a fake clock.

#include <chrono>
#include <cstdint>
#include <thread>

namespace vp {

class Clock {
public:
    virtual ~Clock() = default;
    // A steady millisecond count; only differences of two readings mean anything.
    virtual std::int64_t nowMs() = 0;
    virtual void sleepMs(std::int64_t ms) = 0;
};

class SteadyClock final : public Clock {
public:
    std::int64_t nowMs() override
    {
        using namespace std::chrono;
        return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
    }
    void sleepMs(std::int64_t ms) override
    {
        if (ms > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
};

} // namespace vp
