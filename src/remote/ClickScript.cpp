#include "remote/ClickScript.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

namespace vp {

namespace {

constexpr std::string_view kInfoTitle = "Vantapoint: Info";
constexpr std::string_view kSafetyTitle = "Vantapoint: Safety request";
constexpr std::string_view kErrorTitle = "Vantapoint: Error";
constexpr std::string_view kOverwriteScriptText = "This will overwrite your previously recorded script. Continue?";
constexpr std::string_view kRecordInfoText =
    "GPL will now be launched and the recording of mouseclicks will begin. For further details see online help.";
constexpr std::string_view kPlayInfoText =
    "GPL will now be launched and the recorded sequence of mouseclicks will be played. After that you can "
    "shutdown automatically by pressing F5. For further details see online help.";
constexpr std::string_view kLaunchInfoText = "GPL will now be launched.";
constexpr std::string_view kLaunchFailedText =
    "GPL couldn't be started. Operation aborted. Check the path to the file gpl.exe.";
constexpr std::string_view kNoInputText =
    "Synthetic mouse and keyboard input is not available on this display. Operation aborted.";

constexpr std::uint8_t kMaxClicks = std::numeric_limits<std::uint8_t>::max();

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool Ask(Desktop& desktop, std::string_view title, std::string_view text, BoxIcon icon)
{
    const MessageBoxSpec box{std::string(title), std::string(text), icon, BoxButtons::OkCancel};
    return desktop.messageBox(box) == BoxAnswer::Ok;
}

void ShowError(Desktop& desktop, std::string_view text)
{
    desktop.messageBox({std::string(kErrorTitle), std::string(text), BoxIcon::Stop, BoxButtons::Ok});
}

// One pause between two polls of a wait: the program's events run, then at most a millisecond
// passes, so the clicks keep their millisecond resolution without spending a whole core. False when
// an event asked the command to stop.
bool BetweenPolls(Clock& clock, const std::function<void()>& processEvents, const ScriptActivity* activity)
{
    if (processEvents)
        processEvents();
    if (activity != nullptr && activity->stopRequested())
        return false;
    clock.sleepMs(1);
    return true;
}

// False when stopped before the key came up.
bool WaitWhileDown(InputBackend& input, int virtualKey, Clock& clock, const std::function<void()>& processEvents,
                   const ScriptActivity* activity)
{
    while (input.isKeyDown(virtualKey)) {
        if (!BetweenPolls(clock, processEvents, activity))
            return false;
    }
    return true;
}

// Waits for the left button to go down; false when F5 went down first (F5 is polled only while the
// button is up, so a click under way is always finished and stored) or the command was stopped.
bool WaitForLeftPress(RemoteContext& context)
{
    InputBackend& input = *context.input;
    while (!input.isKeyDown(VirtualKey::LeftButton)) {
        if (input.isKeyDown(VirtualKey::F5))
            return false;
        if (!BetweenPolls(context.clock, context.processEvents, &context.activity))
            return false;
    }
    return true;
}

std::int32_t SaturateToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

void ClearScript(OptionsRecord& options)
{
    options.ClickInterval.fill(0);
    options.ClickX.fill(0);
    options.ClickY.fill(0);
    options.ClickCount = 0;
}

} // namespace

int ScriptActivity::watch(std::function<void(bool running)> listener)
{
    const int id = nextId_++;
    listeners_.emplace(id, std::move(listener));
    return id;
}

void ScriptActivity::unwatch(int id)
{
    listeners_.erase(id);
}

void ScriptActivity::set(bool running)
{
    if (running == running_)
        return;
    running_ = running;
    stopRequested_ = false;
    // A listener may unwatch itself (a dialog closing); iterate over a copy.
    const auto listeners = listeners_;
    for (const auto& [id, listener] : listeners)
        listener(running);
}

std::string GplExecutable(const std::string& gplPath)
{
    std::string path = gplPath;
    if (path.empty() || path.back() != kSeparator)
        path += kSeparator;
    path += kGplExeName;
    return path;
}

bool LaunchGpl(RemoteContext& context, const std::string& gplPath)
{
    if (context.launcher != nullptr && context.launcher->launch(GplExecutable(gplPath)))
        return true;
    ShowError(context.desktop, kLaunchFailedText);
    return false;
}

std::int64_t ShutdownQuarter(std::int32_t ShutdownDelay)
{
    // Integer arithmetic: the quarter's fraction is exactly 0, .25, .5 or .75.
    const std::int64_t delay = ShutdownDelay;
    std::int64_t quarter = delay >= 0 ? delay / 4 : -((-delay + 3) / 4);
    const std::int64_t remainder = delay - 4 * quarter;
    if (remainder > 2 || (remainder == 2 && quarter % 2 != 0))
        ++quarter;
    return quarter;
}

bool ShutdownKeys(InputBackend& input, Clock& clock, std::int32_t ShutdownDelay)
{
    const std::int64_t quarter = ShutdownQuarter(ShutdownDelay);
    bool allSent = input.sendKey(VirtualKey::Escape);
    clock.sleepMs(ShutdownDelay);
    allSent = input.sendKey(VirtualKey::Escape) && allSent;
    clock.sleepMs(quarter);
    allSent = input.sendKey(VirtualKey::Escape) && allSent;
    clock.sleepMs(quarter);
    allSent = input.sendKey(VirtualKey::Enter) && allSent;
    clock.sleepMs(quarter);
    allSent = input.sendKey(VirtualKey::Enter) && allSent;
    return allSent;
}

bool WaitForF5(InputBackend& input, Clock& clock, const std::function<void()>& processEvents,
               const ScriptActivity* activity)
{
    while (!input.isKeyDown(VirtualKey::F5)) {
        if (!BetweenPolls(clock, processEvents, activity))
            return false;
    }
    return WaitWhileDown(input, VirtualKey::F5, clock, processEvents, activity);
}

std::int32_t ScaleToScript(std::int32_t pixel, std::int32_t screenPixels, std::int32_t scriptPixels)
{
    const double scaled = static_cast<double>(std::int64_t{screenPixels} * pixel) / scriptPixels;
    return SaturateToInt32(static_cast<std::int64_t>(std::floor(scaled)));
}

ScriptOutcome RecordClickScript(RemoteContext& context, OptionsRecord& working, ScreenSize recordingScreen)
{
    if (!context.activity.mayRun(GatedCommand::ScriptCommand))
        return ScriptOutcome::Busy;
    if (context.input == nullptr) {
        ShowError(context.desktop, kNoInputText);
        return ScriptOutcome::NoInput;
    }
    const ScriptRun run(context.activity);
    if (working.ClickCount > 0 && working.SafetyRecordScript
        && !Ask(context.desktop, kSafetyTitle, kOverwriteScriptText, BoxIcon::Exclamation))
        return ScriptOutcome::Cancelled;
    if (working.ShowInformation && !Ask(context.desktop, kInfoTitle, kRecordInfoText, BoxIcon::Information))
        return ScriptOutcome::Cancelled;

    ClearScript(working);
    // The first interval runs from just before the launch to the release of the first click.
    std::int64_t reference = context.clock.nowMs();
    if (!LaunchGpl(context, working.GPLPath))
        return ScriptOutcome::LaunchFailed;

    InputBackend& input = *context.input;
    const ScriptActivity* activity = &context.activity;
    while (WaitForLeftPress(context)) {
        if (!WaitWhileDown(input, VirtualKey::LeftButton, context.clock, context.processEvents, activity))
            break;
        // Time and place are those of the release.
        const std::int64_t released = context.clock.nowMs();
        if (working.ClickCount == kMaxClicks)
            continue;
        const auto position = input.pointerPosition();
        // A click whose place the platform cannot tell is not stored; its time counts towards the
        // next click's interval, so the later clicks keep their moments.
        if (!position)
            continue;
        const int n = ++working.ClickCount;
        working.ClickInterval[n] = SaturateToInt32(released - reference);
        working.ClickX[n] = ScaleToScript(position->x, recordingScreen.width, kScriptWidth);
        working.ClickY[n] = ScaleToScript(position->y, recordingScreen.height, kScriptHeight);
        reference = released;
        context.desktop.beep();
    }
    if (activity->stopRequested()
        || !WaitWhileDown(input, VirtualKey::F5, context.clock, context.processEvents, activity))
        return ScriptOutcome::Stopped;
    ShutdownKeys(input, context.clock, working.ShutdownDelay);
    return ScriptOutcome::Done;
}

ScriptOutcome PlayClickScript(RemoteContext& context, CMouseEvent* sharedMouse, const OptionsRecord& options,
                              bool ShowInformation)
{
    if (!context.activity.mayRun(GatedCommand::ScriptCommand))
        return ScriptOutcome::Busy;
    if (context.input == nullptr || sharedMouse == nullptr) {
        ShowError(context.desktop, kNoInputText);
        return ScriptOutcome::NoInput;
    }
    const ScriptRun run(context.activity);
    // Copies: the events processed during the play may open the options dialog, which replaces the
    // shared mouse object and may change or accept the options.
    CMouseEvent mouse = *sharedMouse;
    const OptionsRecord script = options;
    if (ShowInformation && !Ask(context.desktop, kInfoTitle, kPlayInfoText, BoxIcon::Information))
        return ScriptOutcome::Cancelled;
    if (!LaunchGpl(context, script.GPLPath))
        return ScriptOutcome::LaunchFailed;

    for (int n = 1; n <= script.ClickCount; ++n) {
        // The events run during a click's hold may ask for a stop; the click itself was finished.
        if (context.activity.stopRequested())
            return ScriptOutcome::Stopped;
        context.clock.sleepMs(script.ClickInterval[n]);
        const bool moved = mouse.MoveTo(script.ClickX[n], script.ClickY[n], 1);
        context.clock.sleepMs(kMoveSettleMs);
        // A click that could not be placed would land wherever the pointer happens to be.
        if (moved)
            mouse.Click();
    }
    if (context.activity.stopRequested())
        return ScriptOutcome::Stopped;
    context.desktop.beep();
    if (!WaitForF5(*context.input, context.clock, context.processEvents, &context.activity))
        return ScriptOutcome::Stopped;
    ShutdownKeys(*context.input, context.clock, script.ShutdownDelay);
    return ScriptOutcome::Done;
}

ScriptOutcome TestScriptCommand(RemoteContext& context, CMouseEvent* mouse, const OptionsRecord& working,
                                const OptionsRecord& stored)
{
    return PlayClickScript(context, mouse, working, stored.ShowInformation);
}

ScriptOutcome TestCamsCommand(RemoteContext& context, CMouseEvent* mouse, const OptionsRecord& stored)
{
    if (stored.PlayScript)
        return PlayClickScript(context, mouse, stored, stored.ShowInformation);
    if (!context.activity.mayRun(GatedCommand::ScriptCommand))
        return ScriptOutcome::Busy;
    if (stored.ShowInformation && !Ask(context.desktop, kInfoTitle, kLaunchInfoText, BoxIcon::Information))
        return ScriptOutcome::Cancelled;
    return LaunchGpl(context, stored.GPLPath) ? ScriptOutcome::Done : ScriptOutcome::LaunchFailed;
}

std::optional<bool> ScriptControlsAfterRecording(ScriptOutcome outcome)
{
    switch (outcome) {
    case ScriptOutcome::Done:
    case ScriptOutcome::Stopped: return true;
    case ScriptOutcome::LaunchFailed: return false;
    case ScriptOutcome::Cancelled:
    case ScriptOutcome::NoInput:
    case ScriptOutcome::Busy: return std::nullopt;
    }
    return std::nullopt;
}

} // namespace vp
