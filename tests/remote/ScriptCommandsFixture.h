#pragma once
// The script commands on scripted seams: a fake clock, desktop, input backend and launcher, the
// context the commands act on, and a script with its settings.

#include "remote/ScriptCommands.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/FakeInputBackend.h"
#include "support/FakeLauncher.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace vp::test {

using Key = std::pair<int, std::int64_t>;                                          // virtual key, time
using Event = std::tuple<std::uint32_t, std::int32_t, std::int32_t, std::int64_t>; // flags, dx, dy, time

// The five shutdown keys, starting at `at` with the given pauses.
inline std::vector<Key> shutdownSequence(std::int64_t at, std::int64_t delay, std::int64_t quarter)
{
    return {{VirtualKey::Escape, at},
            {VirtualKey::Escape, at + delay},
            {VirtualKey::Escape, at + delay + quarter},
            {VirtualKey::Enter, at + delay + 2 * quarter},
            {VirtualKey::Enter, at + delay + 3 * quarter}};
}

// GPL's folders and the program in them, as each system writes paths.
#ifdef _WIN32
inline const std::string kGplFolder = "C:\\games\\GPL";
inline const std::string kGplExe = "C:\\games\\GPL\\gpl.exe";
#else
inline const std::string kGplFolder = "/games/GPL";
inline const std::string kGplExe = "/games/GPL/gpl.exe";
#endif

class ScriptCommandsTest : public testing::Test {
protected:
    FakeClock clock;
    FakeInputBackend input{&clock};
    FakeDesktop desktop;
    FakeLauncher launcher{&clock};
    ScriptActivity activity;
    int processed = 0;
    // Runs inside every processing of events, as the windows' handlers would.
    std::function<void()> duringEvents;
    RemoteContext context{desktop, clock, &input, &launcher, activity, [this] {
                              ++processed;
                              if (duringEvents)
                                  duringEvents();
                          }};
    MouseInput mouse{input, clock, context.processEvents};
    ClickScript script;
    ScriptSettings settings{kGplFolder, 1500, false, false};

    ScriptSettings informing() const
    {
        ScriptSettings informed = settings;
        informed.showInformation = true;
        return informed;
    }

    void hold(int virtualKey, std::int64_t first, std::int64_t end)
    {
        input.holds.push_back(KeyHold{virtualKey, first, end, true});
    }

    // F5 is down at every other look, so each command in turn sees a press and a release at once.
    void tapF5()
    {
        input.keyState = [down = false](int virtualKey, std::int64_t) mutable {
            return virtualKey == VirtualKey::F5 && (down = !down);
        };
    }

    // A left click held from `first` to `end` on clock time, at `where`.
    void click(std::int64_t first, std::int64_t end, PointerPosition where)
    {
        hold(VirtualKey::LeftButton, first, end);
        input.pointerQueue.push_back(where);
    }

    std::vector<Key> keys() const
    {
        std::vector<Key> out;
        for (const auto& k : input.keys)
            out.push_back({k.virtualKey, k.atMs});
        return out;
    }

    std::vector<std::string> boxTexts() const
    {
        std::vector<std::string> out;
        for (const auto& b : desktop.boxes)
            out.push_back(b.text);
        return out;
    }
};

} // namespace vp::test
