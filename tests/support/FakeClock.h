#pragma once
// A clock that only moves when slept on; records every sleep.

#include "seams/Clock.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace vp::test {

class FakeClock : public Clock {
public:
    std::int64_t now = 1000;
    std::vector<std::int64_t> sleeps;

    std::int64_t nowMs() override { return now; }
    void sleepMs(std::int64_t ms) override { sleeps.push_back(ms); now += std::max<std::int64_t>(ms, 0); }
};

} // namespace vp::test
