#pragma once
// Launching GPL, recording the user's clicks into it, replaying them, and closing GPL by keystrokes
// once the user presses F5. The three commands that use this ("Record new script", "Test script",
// "Test") run to their end inside their button handler, processing the program's events while they
// wait for the user.

#include "remote/ClickScript.h"
#include "remote/InputBackend.h"
#include "remote/MouseInput.h"
#include "remote/ScriptActivity.h"
#include "seams/Clock.h"
#include "seams/Desktop.h"
#include "seams/ProgramLauncher.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace vp {

// What the commands act on.
struct RemoteContext {
    Desktop& desktop;
    Clock& clock;
    // Null where the platform has no synthetic input: nothing can be recorded or played then.
    InputBackend* input;
    // Null where the program was given none: launching fails.
    ProgramLauncher* launcher;
    ScriptActivity& activity;
    // Lets the program's pending window events run; called at least every kEventsEveryMs of a wait.
    std::function<void()> processEvents;
};

// What a command takes of the options, as they stand when it begins.
struct ScriptSettings {
    std::string gplFolder;
    // The pause after the first Escape that closes GPL (see sendShutdownKeys).
    std::int32_t shutdownDelay = 1500;
    // The informational box before the launch.
    bool showInformation = true;
    // The safety question before a recording replaces a recorded script.
    bool askBeforeNewScript = true;
    // Where set, the pause is read from here as the keys are sent: the options dialog stays open
    // during its commands, and a pause the user sets meanwhile is the one GPL gets.
    const std::int32_t* shutdownDelayInDialog = nullptr;
};

enum class ScriptOutcome {
    Done,         // ran to its end
    Cancelled,    // the user declined a question; nothing changed
    NoInput,      // no synthetic input here; the error was shown and nothing changed
    LaunchFailed, // gpl.exe did not start; the error was shown
    Busy,         // another script command is running; nothing was done
    Stopped,      // ended by a stop request during a wait; no shutdown keys were sent
};

inline constexpr std::string_view kGplExeName = "gpl.exe";
// The pause between the move to a recorded position and its click.
inline constexpr std::int64_t kMoveSettleMs = 100;
// The longest a wait for the user's input goes without running the program's window events: soon
// enough for a window to answer without a noticeable lag, seldom enough for a wait to cost next to
// nothing (each wake-up costs tens of microseconds of processor time).
inline constexpr std::int64_t kEventsEveryMs = 50;

// gpl.exe in the folder gplFolder, joined with this platform's separator.
std::string gplExecutable(const std::string& gplFolder);

// Starts gpl.exe from gplFolder. On failure shows the error box and returns false.
bool launchGpl(RemoteContext& context, const std::string& gplFolder);

// A quarter of the shutdown pause, rounded to the nearest millisecond, a half to the even one.
std::int64_t shutdownQuarter(std::int32_t shutdownDelay);

// Esc, pause, Esc, quarter pause, Esc, quarter, Enter, quarter, Enter: the keys that close GPL.
// Every key is sent, whatever the platform did with the one before; false when any was refused.
bool sendShutdownKeys(InputBackend& input, Clock& clock, std::int32_t shutdownDelay);

// Waits until F5 goes down and comes up again, processing events meanwhile. False when a stop of
// `activity` was requested meanwhile.
bool waitForF5(InputBackend& input, Clock& clock, const std::function<void()>& processEvents,
               const ScriptActivity* activity = nullptr);

// A pointer position on the recording desktop expressed on the 640 x 480 grid the script addresses:
// floor(screenPixels * pixel / 640) (or / 480).
std::int32_t scaleToScript(std::int32_t pixel, std::int32_t screenPixels, std::int32_t scriptPixels);

// "Record new script": asks (askBeforeNewScript when a script would be lost, showInformation),
// clears `script`, launches GPL and records every left click into it until F5, then closes GPL.
// recordingScreen is the desktop's size measured at start-up. Clicks past the 255th are not stored.
ScriptOutcome recordClickScript(RemoteContext& context, ClickScript& script, const ScriptSettings& settings,
                                ScreenSize recordingScreen);

// Launches GPL, plays the clicks through a copy of the shared mouse object, waits for F5 and closes
// GPL; the script as it stood when the command began. showInformation decides the information box.
ScriptOutcome playClickScript(RemoteContext& context, MouseInput* sharedMouse, const ClickScript& script,
                              const ScriptSettings& settings);

// "Test" in the main window: with playScript it plays the script; without, it only launches GPL,
// which needs no synthetic input.
ScriptOutcome testCamerasInGpl(RemoteContext& context, MouseInput* mouse, const ClickScript& script,
                               const ScriptSettings& settings, bool playScript);

// After "Record new script": the enabled state for "Test script" and "Play script after GPL has
// started", or nothing to leave them as they are. A finished recording, or one stopped early, enables
// them even without a click; a failed launch leaves an emptied script, which they no longer offer.
std::optional<bool> scriptControlsAfterRecording(ScriptOutcome outcome);

} // namespace vp
