// The click script against a real X display: the stand-in game is started as gpl.exe by the real
// launcher, the real X11 backend records and plays, and the stand-in's log tells what arrived.
// Needs $DISPLAY with XTEST (CI runs the tests under Xvfb); skipped without one. The details of
// recording and playing are the script commands' own tests; here the pieces meet once each way.

#include "app/QtLauncher.h"
#include "remote/ScriptCommands.h"
#include "remote/X11InputBackend.h"

#include "support/FakeDesktop.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

// Last: Xlib's macros (Bool, None, ButtonPress) would clash with names above.
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vp {
namespace {

namespace fs = std::filesystem;
constexpr std::int64_t kToleranceMs = 50;

void SleepMs(std::int64_t ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

struct LogLine { std::vector<std::string> args; std::int64_t eventMs = 0; }; // eventMs: the X server's time of an input event

// The log's lines of the kind `what`, awaited until there are `count` of them or ten seconds passed.
std::vector<LogLine> ReadLog(const std::string& path, const std::string& what, std::size_t count = 0)
{
    std::vector<LogLine> lines;
    for (int waited = 0; waited < 10000 && lines.size() <= count; waited += 10, SleepMs(count > 0 ? 10 : 0)) {
        lines.clear();
        std::ifstream in(path);
        for (std::string text; std::getline(in, text);) {
            std::istringstream fields(text);
            std::string atMs, kind;
            LogLine line;
            fields >> atMs >> kind;
            for (std::string arg; fields >> arg;)
                line.args.push_back(arg);
            if (kind == what && (kind == "press" || kind == "release" || kind == "key") && !line.args.empty()) {
                line.eventMs = std::stoll(line.args.back());
                line.args.pop_back();
            }
            if (kind == what)
                lines.push_back(line);
        }
        if (count == 0 || lines.size() >= count)
            break;
    }
    return lines;
}

// The user at the keyboard and mouse: a connection of its own, used only by its thread.
class User {
public:
    User() : display_(XOpenDisplay(nullptr)) {}
    ~User() { if (display_ != nullptr) XCloseDisplay(display_); }
    User(const User&) = delete;
    User& operator=(const User&) = delete;

    bool ready() const { return display_ != nullptr; }
    // A click at (x, y) after the pointer settled, or F5 when x < 0; each held for `holdMs`.
    void press(int x, int y, std::int64_t settleMs, std::int64_t holdMs)
    {
        if (x >= 0)
            XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
        for (const bool down : {true, false}) {
            XSync(display_, False);
            SleepMs(down ? settleMs : holdMs);
            x >= 0 ? XTestFakeButtonEvent(display_, 1, down, CurrentTime) : XTestFakeKeyEvent(display_, XKeysymToKeycode(display_, XK_F5), down, CurrentTime);
        }
        XSync(display_, False);
    }
    void pressF5() { press(-1, 0, 0, 60); }

private:
    Display* display_;
};

class ClickScriptEndToEndTest : public testing::Test {
protected:
    static void SetUpTestSuite() { XInitThreads(); } // two threads talk to the X server

    void SetUp() override
    {
        if (const char* display = std::getenv("DISPLAY"); display != nullptr && *display != '\0')
            backend = openX11InputBackend();
        if (!backend)
            GTEST_SKIP() << "no X display with XTEST";
        context.input = backend.get();
        fs::copy_file(VP_STANDIN_PATH, dir.file("gpl.exe"));
        fs::permissions(dir.file("gpl.exe"), fs::perms::owner_all, fs::perm_options::add);
        setenv("VP_STANDIN_LOG", log.c_str(), 1);
        setenv("VP_STANDIN_MAX_MS", "20000", 1); // a test failing half-way leaves no stand-in behind
        setenv("QT_QPA_PLATFORM", "xcb", 1);      // the stand-in needs the real display
    }

    void TearDown() override
    {
        unsetenv("VP_STANDIN_LOG");
        unsetenv("VP_STANDIN_MAX_MS");
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        EXPECT_TRUE(!backend || ReadLog(log, "exited", 1).size() == 1u) << "the stand-in is gone before its folder";
    }

    // The shutdown keys arrived in order and with their pauses (200 ms, then a quarter of it), and
    // the stand-in closed.
    void expectClosedByShutdownKeys()
    {
        ASSERT_EQ(ReadLog(log, "exited", 1).size(), 1u) << LogText();
        std::vector<LogLine> keys = ReadLog(log, "key");
        std::erase_if(keys, [](const LogLine& key) { return key.args.at(0) == "F5"; });
        ASSERT_EQ(keys.size(), 5u) << LogText();
        const std::pair<const char*, std::int64_t> expected[] = {{"Escape", 0}, {"Escape", 200}, {"Escape", 50}, {"Return", 50}, {"Return", 50}};
        for (std::size_t k = 0; k < keys.size(); ++k) {
            EXPECT_EQ(keys[k].args.at(0), expected[k].first);
            EXPECT_NEAR(k > 0 ? keys[k].eventMs - keys[k - 1].eventMs : 0, expected[k].second, kToleranceMs) << "key " << k;
        }
        EXPECT_EQ(ReadLog(log, "closed").size(), 1u);
    }

    std::string LogText() const
    {
        std::ifstream in(log);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    test::TempDir dir;
    std::string log = dir.file("gpl.log");
    std::unique_ptr<InputBackend> backend;
    SteadyClock clock;
    test::FakeDesktop desktop;
    QtLauncher launcher;
    ScriptActivity activity;
    RemoteContext context{desktop, clock, nullptr, &launcher, activity, {}};
    ClickScript script;
    ScriptSettings settings{dir.path(), 200, false, false};
};

// Keeps the other processor busy while it lives (the child ends itself should this process die).
struct BusyChild {
    pid_t pid = fork();
    BusyChild() { for (volatile unsigned spin = pid == 0 ? alarm(60) : 0; pid == 0;) spin = spin + 1; }
    ~BusyChild() { kill(pid, SIGKILL); waitpid(pid, nullptr, 0); }
};

TEST_F(ClickScriptEndToEndTest, RecordsEveryClickAtItsPlaceAndTheServersTimesUntilF5OnABusyMachine)
{
    // Recorded for a screen of the script's own size, so the positions are the screen's pixels.
    // Three slow clicks, then a burst of 20 short ones: held 30 ms, 30 ms from release to press.
    std::vector<std::pair<int, int>> places{{10, 20}, {400, 300}, {639, 479}};
    for (int k = 0; k < 20; ++k)
        places.emplace_back(100 + 20 * k, 100 + 15 * k);
    bool userReady = false;
    const BusyChild load;
    std::thread user([&] {
        User hands;
        userReady = hands.ready() && !ReadLog(log, "shown", 1).empty();
        for (std::size_t n = 0; n < places.size(); ++n) {
            SleepMs(n < 3 ? 300 : 25);
            if (userReady)
                hands.press(places[n].first, places[n].second, n < 3 ? 20 : 5, n < 3 ? 40 : 30);
        }
        if (hands.ready())
            hands.pressF5(); // always: the recording ends only with F5
    });
    const ScriptOutcome outcome = recordClickScript(context, script, settings, {kScriptWidth, kScriptHeight});
    user.join();

    ASSERT_TRUE(userReady) << "the stand-in did not show its window:\n" << LogText();
    EXPECT_EQ(outcome, ScriptOutcome::Done);
    const std::vector<LogLine> releases = ReadLog(log, "release");
    ASSERT_TRUE(releases.size() == places.size() && script.count == places.size()) << LogText();
    for (std::size_t n = 1; n <= places.size(); ++n) {
        EXPECT_EQ(std::pair(script.x[n], script.y[n]), places[n - 1]) << n;
        EXPECT_NEAR(script.intervals[n], n > 1 ? releases[n - 1].eventMs - releases[n - 2].eventMs : script.intervals[n], 2) << n;
    }
    EXPECT_EQ(desktop.beeps, static_cast<int>(places.size()));
    expectClosedByShutdownKeys();
}

TEST_F(ClickScriptEndToEndTest, PlaysTheScriptIntoTheGameAndClosesItAfterF5)
{
    MouseInput mouse(*backend, clock, {});
    // The first pause gives the stand-in time to start and show its window.
    const std::int32_t intervals[] = {2000, 300, 400}, xs[] = {64, 320, 639}, ys[] = {48, 240, 479};
    for (std::size_t k = 0; k < 3; ++k)
        script.append(intervals[k], xs[k], ys[k]);
    std::thread user([&] {
        User hands;
        if (!hands.ready())
            return;
        ReadLog(log, "release", 3); // and F5 also when the clicks never arrive
        SleepMs(200);
        hands.pressF5();
    });
    const ScriptOutcome outcome = playClickScript(context, &mouse, script, settings);
    user.join();
    EXPECT_EQ(outcome, ScriptOutcome::Done);

    const std::vector<LogLine> presses = ReadLog(log, "press"), releases = ReadLog(log, "release");
    ASSERT_TRUE(presses.size() == 3u && releases.size() == 3u) << LogText();
    for (std::size_t k = 0; k < 3; ++k) {
        const std::vector<std::string> where{"1", std::to_string(xs[k]), std::to_string(ys[k])};
        EXPECT_TRUE(presses[k].args == where && releases[k].args == where) << k;
        // A press follows the previous release by its interval and the 100 ms before the click,
        // and is held for the click delay of 250 ms.
        EXPECT_NEAR(k > 0 ? presses[k].eventMs - releases[k - 1].eventMs : 0, k > 0 ? intervals[k] + 100 : 0, kToleranceMs) << k;
        EXPECT_NEAR(releases[k].eventMs - presses[k].eventMs, 250, kToleranceMs) << k;
    }
    expectClosedByShutdownKeys();
}

} // namespace
} // namespace vp
