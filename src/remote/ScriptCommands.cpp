#include "remote/ScriptCommands.h"

#include "remote/InputWatch.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
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

#ifdef _WIN32
constexpr char kSeparator = '\\';
#else
constexpr char kSeparator = '/';
#endif

bool ask(Desktop& desktop, std::string_view title, std::string_view text, BoxIcon icon)
{
    const MessageBoxSpec box{std::string(title), std::string(text), icon, BoxButtons::OkCancel};
    return desktop.messageBox(box) == BoxAnswer::Ok;
}

void showError(Desktop& desktop, std::string_view text)
{
    desktop.messageBox({std::string(kErrorTitle), std::string(text), BoxIcon::Stop, BoxButtons::Ok});
}

// Asking opens a deferred backend: the first command that needs input pays for the connection.
bool inputAvailable(const RemoteContext& context)
{
    return context.input != nullptr && context.input->available();
}

// The user's left button and F5 as a watch reports them, with the program's pending window events
// run before every wait for the next change. A wait blocks for at most kEventsEveryMs, so the
// windows stay responsive; a stop requested by their events ends it.
class UserInput {
public:
    UserInput(InputWatch& watch, const std::function<void()>& processEvents, const ScriptActivity* activity)
        : watch_(watch), processEvents_(processEvents), activity_(activity)
    {
    }

    // The next change; nothing when a stop was requested.
    std::optional<InputEvent> next()
    {
        for (;;) {
            if (processEvents_)
                processEvents_();
            if (activity_ != nullptr && activity_->stopRequested())
                return std::nullopt;
            if (const auto event = watch_.next(kEventsEveryMs)) {
                if (event->change == InputChange::F5Down || event->change == InputChange::F5Up)
                    f5Down_ = event->change == InputChange::F5Down;
                return event;
            }
        }
    }

    // Waits for the given change, passing over others; nothing when stopped first.
    std::optional<InputEvent> waitFor(InputChange change)
    {
        auto event = next();
        while (event && event->change != change)
            event = next();
        return event;
    }

    // Waits until F5 is up, if it is down; false when stopped first.
    bool waitForF5Up() { return !f5Down_ || waitFor(InputChange::F5Up); }

    bool f5Down() const { return f5Down_; }

private:
    InputWatch& watch_;
    const std::function<void()>& processEvents_;
    const ScriptActivity* activity_;
    bool f5Down_ = false;
};

std::int32_t saturateToInt32(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        value, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

std::int32_t shutdownDelayNow(const ScriptSettings& settings)
{
    return settings.shutdownDelayInDialog != nullptr ? *settings.shutdownDelayInDialog : settings.shutdownDelay;
}

} // namespace

std::string gplExecutable(const std::string& gplFolder)
{
    std::string path = gplFolder;
    if (path.empty() || path.back() != kSeparator)
        path += kSeparator;
    path += kGplExeName;
    return path;
}

bool launchGpl(RemoteContext& context, const std::string& gplFolder)
{
    if (context.launcher != nullptr && context.launcher->launch(gplExecutable(gplFolder)))
        return true;
    showError(context.desktop, kLaunchFailedText);
    return false;
}

std::int64_t shutdownQuarter(std::int32_t shutdownDelay)
{
    // Integer arithmetic: the quarter's fraction is exactly 0, .25, .5 or .75.
    const std::int64_t delay = shutdownDelay;
    std::int64_t quarter = delay >= 0 ? delay / 4 : -((-delay + 3) / 4);
    const std::int64_t remainder = delay - 4 * quarter;
    if (remainder > 2 || (remainder == 2 && quarter % 2 != 0))
        ++quarter;
    return quarter;
}

bool sendShutdownKeys(InputBackend& input, Clock& clock, std::int32_t shutdownDelay)
{
    const std::int64_t quarter = shutdownQuarter(shutdownDelay);
    bool allSent = input.sendKey(VirtualKey::Escape);
    clock.sleepMs(shutdownDelay);
    allSent = input.sendKey(VirtualKey::Escape) && allSent;
    clock.sleepMs(quarter);
    allSent = input.sendKey(VirtualKey::Escape) && allSent;
    clock.sleepMs(quarter);
    allSent = input.sendKey(VirtualKey::Enter) && allSent;
    clock.sleepMs(quarter);
    allSent = input.sendKey(VirtualKey::Enter) && allSent;
    return allSent;
}

bool waitForF5(InputBackend& input, Clock& clock, const std::function<void()>& processEvents,
               const ScriptActivity* activity)
{
    const std::unique_ptr<InputWatch> watch = openInputWatch(input, clock);
    UserInput user(*watch, processEvents, activity);
    return user.waitFor(InputChange::F5Down) && user.waitForF5Up();
}

std::int32_t scaleToScript(std::int32_t pixel, std::int32_t screenPixels, std::int32_t scriptPixels)
{
    const double scaled = static_cast<double>(std::int64_t{screenPixels} * pixel) / scriptPixels;
    return saturateToInt32(static_cast<std::int64_t>(std::floor(scaled)));
}

ScriptOutcome recordClickScript(RemoteContext& context, ClickScript& script, const ScriptSettings& settings,
                                ScreenSize recordingScreen)
{
    if (!context.activity.mayRun(GatedCommand::ScriptCommand))
        return ScriptOutcome::Busy;
    if (!inputAvailable(context)) {
        showError(context.desktop, kNoInputText);
        return ScriptOutcome::NoInput;
    }
    const ScriptRun run(context.activity);
    if (script.count > 0 && settings.askBeforeNewScript
        && !ask(context.desktop, kSafetyTitle, kOverwriteScriptText, BoxIcon::Exclamation))
        return ScriptOutcome::Cancelled;
    if (settings.showInformation && !ask(context.desktop, kInfoTitle, kRecordInfoText, BoxIcon::Information))
        return ScriptOutcome::Cancelled;

    script = ClickScript{};
    InputBackend& input = *context.input;
    // Opened before the launch, so that no click into GPL can come before it. All times are the
    // watch's: the first interval runs from just before the launch to the release of the first click.
    const std::unique_ptr<InputWatch> watch = openInputWatch(input, context.clock);
    std::int64_t reference = watch->nowMs();
    if (!launchGpl(context, settings.gplFolder))
        return ScriptOutcome::LaunchFailed;

    UserInput user(*watch, context.processEvents, &context.activity);
    for (;;) {
        // F5 counts only while the left button is up: a click during which F5 goes down is
        // finished and stored, and the recording ends after it if F5 is still down then.
        const auto event = user.next();
        if (!event)
            return ScriptOutcome::Stopped;
        if (event->change == InputChange::F5Down)
            break;
        if (event->change != InputChange::LeftDown)
            continue;
        const auto release = user.waitFor(InputChange::LeftUp);
        if (!release)
            return ScriptOutcome::Stopped;
        // Time and place are those of the release; the place is read as the release is handled.
        if (!script.full()) {
            // A click whose place the platform cannot tell is not stored; its time counts towards
            // the next click's interval, so the later clicks keep their moments.
            if (const auto position = input.pointerPosition()) {
                script.append(saturateToInt32(release->atMs - reference),
                              scaleToScript(position->x, recordingScreen.width, kScriptWidth),
                              scaleToScript(position->y, recordingScreen.height, kScriptHeight));
                reference = release->atMs;
                context.desktop.beep();
            }
        }
        if (user.f5Down())
            break;
    }
    if (!user.waitForF5Up())
        return ScriptOutcome::Stopped;
    sendShutdownKeys(input, context.clock, shutdownDelayNow(settings));
    return ScriptOutcome::Done;
}

ScriptOutcome playClickScript(RemoteContext& context, MouseInput* sharedMouse, const ClickScript& script,
                              const ScriptSettings& settings)
{
    if (!context.activity.mayRun(GatedCommand::ScriptCommand))
        return ScriptOutcome::Busy;
    if (!inputAvailable(context) || sharedMouse == nullptr) {
        showError(context.desktop, kNoInputText);
        return ScriptOutcome::NoInput;
    }
    const ScriptRun run(context.activity);
    // Copies: the events processed during the play may open the options dialog, which replaces the
    // shared mouse object and may change or accept the options the script and settings live in.
    MouseInput mouse = *sharedMouse;
    const ClickScript clicks = script;
    const ScriptSettings played = settings;
    if (played.showInformation && !ask(context.desktop, kInfoTitle, kPlayInfoText, BoxIcon::Information))
        return ScriptOutcome::Cancelled;
    if (!launchGpl(context, played.gplFolder))
        return ScriptOutcome::LaunchFailed;

    for (std::size_t n = 1; n <= clicks.count; ++n) {
        // The events run during a click's hold may ask for a stop; the click itself was finished.
        if (context.activity.stopRequested())
            return ScriptOutcome::Stopped;
        context.clock.sleepMs(clicks.intervals[n]);
        const bool moved = mouse.moveTo(clicks.x[n], clicks.y[n]);
        context.clock.sleepMs(kMoveSettleMs);
        // A click that could not be placed would land wherever the pointer happens to be.
        if (moved)
            mouse.click();
    }
    if (context.activity.stopRequested())
        return ScriptOutcome::Stopped;
    context.desktop.beep();
    if (!waitForF5(*context.input, context.clock, context.processEvents, &context.activity))
        return ScriptOutcome::Stopped;
    sendShutdownKeys(*context.input, context.clock, shutdownDelayNow(played));
    return ScriptOutcome::Done;
}

ScriptOutcome testCamerasInGpl(RemoteContext& context, MouseInput* mouse, const ClickScript& script,
                               const ScriptSettings& settings, bool playScript)
{
    if (playScript)
        return playClickScript(context, mouse, script, settings);
    if (!context.activity.mayRun(GatedCommand::ScriptCommand))
        return ScriptOutcome::Busy;
    if (settings.showInformation && !ask(context.desktop, kInfoTitle, kLaunchInfoText, BoxIcon::Information))
        return ScriptOutcome::Cancelled;
    return launchGpl(context, settings.gplFolder) ? ScriptOutcome::Done : ScriptOutcome::LaunchFailed;
}

std::optional<bool> scriptControlsAfterRecording(ScriptOutcome outcome)
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
