#pragma once
// A launcher that starts nothing: records every path it was asked to start, with the clock's time,
// and answers with `succeed`.

#include "seams/Clock.h"
#include "seams/ProgramLauncher.h"

#include <cstdint>
#include <string>
#include <vector>

namespace vp::test {

class FakeLauncher : public ProgramLauncher {
public:
    explicit FakeLauncher(Clock* clock = nullptr) : clock_(clock) {}

    bool succeed = true;
    std::vector<std::string> launched;
    std::vector<std::int64_t> launchedAtMs;

    bool launch(const std::string& path) override { launched.push_back(path); launchedAtMs.push_back(clock_ != nullptr ? clock_->nowMs() : 0); return succeed; }

private:
    Clock* clock_;
};

} // namespace vp::test
