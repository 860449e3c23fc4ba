// The click script against a real X display: the stand-in game is started as gpl.exe by the real
// launcher, the real X11 backend records and plays, and the stand-in's log tells what arrived.
// Needs $DISPLAY with XTEST (CI runs the tests under Xvfb); skipped without one.
//
// Timing: a recording takes its times from the X server, as the stand-in logs them, so a recorded
// interval matches the logged one within kRecordedToleranceMs, however busy the machine. Playback
// sleeps on the steady clock: every played interval must be within kToleranceMs of its schedule
// (the stand-in's log gives the server's times of the events, which a busy machine does not delay).
// The first played press is measured on the steady clock from the launch, when the stand-in handled
// it: no earlier than scheduled (less the tolerance), and no more than kHandlingLatencyMs later.

#include "app/QtLauncher.h"
#include "remote/ScriptCommands.h"
#include "remote/X11InputBackend.h"

#include "support/FakeDesktop.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

// Last: Xlib's macros (Bool, None, ButtonPress) would clash with names above.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/extensions/XTest.h>
#include <X11/keysym.h>

namespace vp {
namespace {

namespace fs = std::filesystem;
using test::FakeDesktop;
using test::TempDir;

constexpr std::int64_t kToleranceMs = 50;
constexpr std::int64_t kRecordedToleranceMs = 2;
constexpr std::int64_t kHandlingLatencyMs = 500;
constexpr std::int32_t kShutdownDelay = 200;

std::int64_t NowMs()
{
    return SteadyClock().nowMs();
}

void SleepMs(std::int64_t ms)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

// The X server's time now: the time stamp of a change to a property of `window`, which must be
// selected for PropertyChangeMask on `display`.
std::int64_t ServerTimeMs(Display* display, Window window)
{
    XChangeProperty(display, window, XInternAtom(display, "VP_SERVER_TIME", False), XA_INTEGER, 8, PropModeAppend,
                    nullptr, 0);
    XEvent event;
    XWindowEvent(display, window, PropertyChangeMask, &event);
    return static_cast<std::int64_t>(event.xproperty.time);
}

// Keeps a processor busy for its lifetime, in a child process; the child ends itself after a minute
// should this process never get to stop it.
class BusyChild {
public:
    BusyChild() : pid_(fork())
    {
        if (pid_ == 0) {
            alarm(60);
            volatile unsigned spin = 0;
            for (;;)
                spin = spin + 1;
        }
    }
    ~BusyChild()
    {
        if (pid_ > 0) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
        }
    }
    BusyChild(const BusyChild&) = delete;
    BusyChild& operator=(const BusyChild&) = delete;

private:
    pid_t pid_;
};

struct LogLine {
    std::int64_t atMs = 0;
    std::string what;
    std::vector<std::string> args;
    // The X server's time of an input event.
    std::int64_t eventMs = 0;
};

std::vector<LogLine> ReadLog(const std::string& path)
{
    std::vector<LogLine> lines;
    std::ifstream in(path);
    std::string text;
    while (std::getline(in, text)) {
        std::istringstream fields(text);
        LogLine line;
        fields >> line.atMs >> line.what;
        for (std::string arg; fields >> arg;)
            line.args.push_back(arg);
        if ((line.what == "press" || line.what == "release" || line.what == "key") && !line.args.empty()) {
            line.eventMs = std::stoll(line.args.back());
            line.args.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

std::vector<LogLine> Only(const std::vector<LogLine>& lines, const std::string& what)
{
    std::vector<LogLine> out;
    for (const auto& line : lines)
        if (line.what == what)
            out.push_back(line);
    return out;
}

// Waits until the log holds `count` lines of the kind `what`; false after the timeout.
bool AwaitLog(const std::string& path, const std::string& what, std::size_t count = 1, int timeoutMs = 10000)
{
    const std::int64_t deadline = NowMs() + timeoutMs;
    while (NowMs() < deadline) {
        if (Only(ReadLog(path), what).size() >= count)
            return true;
        SleepMs(10);
    }
    return false;
}

// The user at the keyboard and mouse: a connection of its own, used only by its thread.
class User {
public:
    User() : display_(XOpenDisplay(nullptr)) {}
    ~User()
    {
        if (display_ != nullptr)
            XCloseDisplay(display_);
    }
    User(const User&) = delete;
    User& operator=(const User&) = delete;

    bool ready() const { return display_ != nullptr; }

    // Moves to (x, y), presses the left button settleMs later and releases it after holdMs; returns
    // when the release was handled by the server.
    void click(int x, int y, int settleMs, int holdMs)
    {
        XTestFakeMotionEvent(display_, DefaultScreen(display_), x, y, CurrentTime);
        XSync(display_, False);
        SleepMs(settleMs);
        XTestFakeButtonEvent(display_, 1, True, CurrentTime);
        XSync(display_, False);
        SleepMs(holdMs);
        XTestFakeButtonEvent(display_, 1, False, CurrentTime);
        XSync(display_, False);
    }

    void pressF5(int holdMs)
    {
        const KeyCode f5 = XKeysymToKeycode(display_, XK_F5);
        XTestFakeKeyEvent(display_, f5, True, CurrentTime);
        XSync(display_, False);
        SleepMs(holdMs);
        XTestFakeKeyEvent(display_, f5, False, CurrentTime);
        XSync(display_, False);
    }

private:
    Display* display_;
};

// The real launcher, noting the X server's time as each start begins (a recording's first interval
// runs from just before it) and when it returned (the playback's schedule runs from there).
class TimedLauncher : public ProgramLauncher {
public:
    bool launch(const std::string& path) override
    {
        if (clockDisplay != nullptr)
            serverMsAtLaunch = ServerTimeMs(clockDisplay, clockWindow);
        const bool started = launcher_.launch(path);
        returnedAtMs = NowMs();
        return started;
    }

    Display* clockDisplay = nullptr;
    Window clockWindow = 0;
    std::int64_t serverMsAtLaunch = 0;
    std::int64_t returnedAtMs = 0;

private:
    QtLauncher launcher_;
};

class ClickScriptEndToEndTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        // Two threads talk to the X server, each on its own connection.
        XInitThreads();
        // An X server resets itself when its last client leaves, and refuses connections while it
        // does: a test started just after another one ended may find it resetting, and the stand-in
        // leaving at the end of a test must not be the last client.
        const char* display = std::getenv("DISPLAY");
        if (display == nullptr || *display == '\0')
            return;
        const std::int64_t deadline = NowMs() + 3000;
        while ((keepServer = XOpenDisplay(nullptr)) == nullptr && NowMs() < deadline)
            SleepMs(50);
        if (keepServer == nullptr)
            return;
        XSetWindowAttributes attributes{};
        attributes.event_mask = PropertyChangeMask;
        clockWindow = XCreateWindow(keepServer, DefaultRootWindow(keepServer), 0, 0, 1, 1, 0, 0, InputOnly,
                                    CopyFromParent, CWEventMask, &attributes);
    }

    static void TearDownTestSuite()
    {
        if (keepServer != nullptr)
            XCloseDisplay(keepServer);
        keepServer = nullptr;
        clockWindow = 0;
    }

    void SetUp() override
    {
        if (keepServer != nullptr)
            backend = openX11InputBackend();
        if (!backend)
            GTEST_SKIP() << "no X display with XTEST";
        fs::copy_file(VP_STANDIN_PATH, dir.file("gpl.exe"));
        fs::permissions(dir.file("gpl.exe"), fs::perms::owner_all, fs::perm_options::add);
        setenv("VP_STANDIN_LOG", log.c_str(), 1);
        // A test that fails half-way leaves no stand-in behind.
        setenv("VP_STANDIN_MAX_MS", "20000", 1);
        // The tests run with the offscreen platform; the stand-in needs the real display.
        setenv("QT_QPA_PLATFORM", "xcb", 1);
        settings = {dir.path(), kShutdownDelay, false, false};
        launcher.clockDisplay = keepServer;
        launcher.clockWindow = clockWindow;
    }

    void TearDown() override
    {
        unsetenv("VP_STANDIN_LOG");
        unsetenv("VP_STANDIN_MAX_MS");
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        // The stand-in and its window must be gone before its folder is and before the next test
        // uses the screen.
        if (backend) {
            EXPECT_TRUE(AwaitLog(log, "exited", 1, 25000));
            EXPECT_TRUE(AwaitNoStandInWindow());
        }
    }

    // The shutdown keys arrived in order and with their pauses, and the stand-in closed.
    void expectClosedByShutdownKeys()
    {
        const bool exited = AwaitLog(log, "exited");
        SCOPED_TRACE("the stand-in's log:\n" + LogText());
        ASSERT_TRUE(exited);
        std::vector<LogLine> keys = Only(ReadLog(log), "key");
        std::erase_if(keys, [](const LogLine& key) { return key.args.at(0) == "F5"; });
        ASSERT_EQ(keys.size(), 5u);
        const std::vector<std::string> names{"Escape", "Escape", "Escape", "Return", "Return"};
        const std::int64_t quarter = shutdownQuarter(kShutdownDelay);
        const std::vector<std::int64_t> pauses{kShutdownDelay, quarter, quarter, quarter};
        for (std::size_t k = 0; k < keys.size(); ++k) {
            EXPECT_EQ(keys[k].args.at(0), names[k]);
            if (k > 0) {
                EXPECT_NEAR(keys[k].eventMs - keys[k - 1].eventMs, pauses[k - 1], kToleranceMs) << "key " << k;
            }
        }
        EXPECT_EQ(Only(ReadLog(log), "closed").size(), 1u);
        EXPECT_TRUE(Only(ReadLog(log), "timed").empty());
    }

    static inline Display* keepServer = nullptr;
    static inline Window clockWindow = 0;
    // The X server may still show the window for a moment after its program has left.
    static bool AwaitNoStandInWindow()
    {
        const std::int64_t deadline = NowMs() + 5000;
        while (StandInWindowShown()) {
            if (NowMs() >= deadline)
                return false;
            SleepMs(10);
        }
        return true;
    }

    static bool StandInWindowShown()
    {
        // A window may vanish between the listing and the questions about it; that is no error here.
        const XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
        const bool shown = ListsStandInWindow();
        XSync(keepServer, False);
        XSetErrorHandler(previous);
        return shown;
    }

    static bool ListsStandInWindow()
    {
        Window root = 0, parent = 0;
        Window* children = nullptr;
        unsigned count = 0;
        if (XQueryTree(keepServer, DefaultRootWindow(keepServer), &root, &parent, &children, &count) == 0)
            return false;
        bool shown = false;
        for (unsigned k = 0; k < count && !shown; ++k) {
            char* name = nullptr;
            XWindowAttributes attributes{};
            if (XFetchName(keepServer, children[k], &name) != 0 && name != nullptr) {
                shown = std::string(name) == "GPL stand-in"
                        && XGetWindowAttributes(keepServer, children[k], &attributes) != 0
                        && attributes.map_state == IsViewable;
                XFree(name);
            }
        }
        if (children != nullptr)
            XFree(children);
        return shown;
    }

    std::string LogText() const
    {
        std::ifstream in(log);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    TempDir dir;
    std::string log = dir.file("gpl.log");
    std::unique_ptr<InputBackend> backend;
    SteadyClock clock;
    FakeDesktop desktop;
    TimedLauncher launcher;
    ScriptActivity activity;
    int processed = 0;
    RemoteContext context{desktop, clock, nullptr, &launcher, activity, [this] { ++processed; }};
    ClickScript script;
    ScriptSettings settings;
};

TEST_F(ClickScriptEndToEndTest, RecordsEveryClickAtTheServersTimesUntilF5OnABusyMachine)
{
    context.input = backend.get();
    const ScreenSize screen = backend->screenSize();
    struct Click {
        int x, y, pauseMs, settleMs, holdMs;
    };
    // Three slow clicks at the corners and the middle, then a burst of short ones: pressed 30 ms,
    // 30 ms from release to press. The place of a click is read as its release is handled, so the
    // burst moves on late in the pause.
    std::vector<Click> clicks{{10, 20, 100, 20, 40},
                              {screen.width / 2, screen.height / 2, 300, 20, 40},
                              {screen.width - 1, screen.height - 1, 300, 20, 40}};
    for (int k = 0; k < 20; ++k)
        clicks.push_back({100 + 50 * k, 100 + 30 * k, 25, 5, 30});
    bool userReady = false;

    const BusyChild load;
    std::thread user([&] {
        User hands;
        userReady = hands.ready() && AwaitLog(log, "shown");
        if (userReady) {
            for (const Click& click : clicks) {
                SleepMs(click.pauseMs);
                hands.click(click.x, click.y, click.settleMs, click.holdMs);
            }
        }
        // Always: the recording ends only with F5.
        if (hands.ready())
            hands.pressF5(60);
    });
    const std::int64_t serverMsBefore = ServerTimeMs(keepServer, clockWindow);
    const ScriptOutcome outcome = recordClickScript(context, script, settings, screen);
    user.join();

    ASSERT_TRUE(userReady) << "the stand-in did not show its window:\n" << LogText();
    EXPECT_EQ(outcome, ScriptOutcome::Done);
    const std::vector<LogLine> releases = Only(ReadLog(log), "release");
    ASSERT_EQ(releases.size(), clicks.size()) << LogText();
    ASSERT_EQ(script.count, clicks.size());
    // The first interval runs from a moment between the call and the launch.
    EXPECT_GE(script.intervals[1], releases[0].eventMs - launcher.serverMsAtLaunch);
    EXPECT_LE(script.intervals[1], releases[0].eventMs - serverMsBefore);
    for (std::size_t n = 1; n <= clicks.size(); ++n) {
        const Click& click = clicks[n - 1];
        EXPECT_EQ(script.x[n], scaleToScript(click.x, screen.width, kScriptWidth)) << n;
        EXPECT_EQ(script.y[n], scaleToScript(click.y, screen.height, kScriptHeight)) << n;
        if (n > 1) {
            EXPECT_NEAR(script.intervals[n], releases[n - 1].eventMs - releases[n - 2].eventMs, kRecordedToleranceMs)
                << n;
        }
    }
    EXPECT_EQ(desktop.beeps, static_cast<int>(clicks.size()));
    EXPECT_GT(processed, 0);
    expectClosedByShutdownKeys();
}

TEST_F(ClickScriptEndToEndTest, PlaysTheScriptIntoTheGameAndClosesItAfterF5)
{
    context.input = backend.get();
    const ScreenSize screen = backend->screenSize();
    MouseInput mouse(*backend, clock, context.processEvents);
    // The first pause gives the stand-in time to start and show its window.
    const std::vector<std::int32_t> intervals{2000, 300, 400};
    const std::vector<std::pair<int, int>> grid{{64, 48}, {320, 240}, {639, 479}};
    for (std::size_t k = 0; k < grid.size(); ++k) {
        script.append(intervals[k], scaleToScript(grid[k].first, screen.width, kScriptWidth),
                      scaleToScript(grid[k].second, screen.height, kScriptHeight));
    }

    std::thread user([&] {
        User hands;
        if (!hands.ready())
            return;
        // Pressed also when the clicks never arrive: the playback ends only with F5.
        AwaitLog(log, "release", 3);
        SleepMs(200);
        hands.pressF5(60);
    });
    const ScriptOutcome outcome = playClickScript(context, &mouse, script, settings);
    user.join();
    EXPECT_EQ(outcome, ScriptOutcome::Done);

    SCOPED_TRACE("the stand-in's log:\n" + LogText());
    const std::vector<LogLine> lines = ReadLog(log);
    const std::vector<LogLine> presses = Only(lines, "press");
    const std::vector<LogLine> releases = Only(lines, "release");
    ASSERT_EQ(presses.size(), 3u);
    ASSERT_EQ(releases.size(), 3u);
    const std::int64_t firstScheduled = launcher.returnedAtMs + intervals[0] + kMoveSettleMs;
    EXPECT_GE(presses[0].atMs, firstScheduled - kToleranceMs);
    EXPECT_LE(presses[0].atMs, firstScheduled + kHandlingLatencyMs);
    for (std::size_t k = 0; k < presses.size(); ++k) {
        EXPECT_EQ(presses[k].args, (std::vector<std::string>{"1", std::to_string(script.x[k + 1]),
                                                              std::to_string(script.y[k + 1])}))
            << k;
        EXPECT_EQ(releases[k].args, presses[k].args) << k;
        // Each later press follows the previous release by its interval and the 100 ms before the click.
        if (k > 0) {
            EXPECT_NEAR(presses[k].eventMs - releases[k - 1].eventMs, intervals[k] + kMoveSettleMs, kToleranceMs)
                << k;
        }
        EXPECT_NEAR(releases[k].eventMs - presses[k].eventMs, mouse.clickDelay(), kToleranceMs) << k;
    }
    expectClosedByShutdownKeys();
}

} // namespace
} // namespace vp
