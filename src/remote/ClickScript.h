#pragma once
// Launching GPL, recording the user's clicks into it, replaying them, and closing GPL by keystrokes
// once the user presses F5. The three commands that use this ("Record new script", "Test script",
// "Test") run to their end inside their button handler, processing the program's events while they
// wait for the user.

#include "options/OptionsRecord.h"
#include "remote/CMouseEvent.h"
#include "remote/InputBackend.h"
#include "seams/Clock.h"
#include "seams/Desktop.h"
#include "seams/Launcher.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace vp {

// The commands that must not start while a script command waits for F5 or plays: each could put a
// dialog between a synthetic press and its release, launch GPL again, or change or throw away the
// options a recording writes into.
enum class GatedCommand {
    ScriptCommand,  // "Test", "Record new script", "Test script"
    Load,
    Save,
    Options,        // the options dialog, and the GPL folder dialog from it
    SlotCommand,    // "Add Before", "Add Behind", "Remove", "Assign to all"
    CloseOptions,   // OK, Cancel, Escape or the close control of the options dialog
};

// What a refused command says in the status line, after its beep.
inline constexpr std::string_view kWaitForGplText = "Wait until GPL is closed (F5). Ready.";

// Whether a script command is running, and the one answer to "may this command run now?". The
// program has one, shared by the windows, which ask it and keep no state of their own about it.
class ScriptActivity {
public:
    bool running() const { return running_; }
    // No command of the list runs while a script command is active.
    bool mayRun(GatedCommand) const { return !running_; }
    // Asks the running command to end at once, as when the program is closed during a wait: its
    // waits return, it sends no more clicks and no shutdown keys. The next command starts afresh.
    void requestStop() { stopRequested_ = running_; }
    bool stopRequested() const { return stopRequested_; }
    // listener hears every change; the id returned removes it again.
    int watch(std::function<void(bool running)> listener);
    void unwatch(int id);

private:
    friend class ScriptRun;
    void set(bool running);

    bool running_ = false;
    bool stopRequested_ = false;
    int nextId_ = 0;
    std::map<int, std::function<void(bool)>> listeners_;
};

// Marks the activity running for its lifetime, so that every way out of a command ends it.
class ScriptRun {
public:
    explicit ScriptRun(ScriptActivity& activity) : activity_(activity) { activity_.set(true); }
    ~ScriptRun() { activity_.set(false); }
    ScriptRun(const ScriptRun&) = delete;
    ScriptRun& operator=(const ScriptRun&) = delete;

private:
    ScriptActivity& activity_;
};

// What the commands act on.
struct RemoteContext {
    Desktop& desktop;
    Clock& clock;
    // Null where the platform has no synthetic input: nothing can be recorded or played then.
    InputBackend* input;
    // Null where the program was given none: launching fails.
    ProgramLauncher* launcher;
    ScriptActivity& activity;
    // Lets the program's pending window events run; called between the polls of every wait.
    std::function<void()> processEvents;
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
inline constexpr std::int32_t kScriptWidth = 640;
inline constexpr std::int32_t kScriptHeight = 480;
// The pause between the move to a recorded position and its click.
inline constexpr std::int64_t kMoveSettleMs = 100;

// gpl.exe in the folder gplPath, joined with this platform's separator.
std::string GplExecutable(const std::string& gplPath);

// Starts gpl.exe from gplPath. On failure shows the error box and returns false.
bool LaunchGpl(RemoteContext& context, const std::string& gplPath);

// A quarter of the shutdown pause, rounded to the nearest millisecond, a half to the even one.
std::int64_t ShutdownQuarter(std::int32_t ShutdownDelay);

// Esc, pause, Esc, quarter pause, Esc, quarter, Enter, quarter, Enter: the keys that close GPL.
// Every key is sent, whatever the platform did with the one before; false when any was refused.
bool ShutdownKeys(InputBackend& input, Clock& clock, std::int32_t ShutdownDelay);

// Waits until F5 goes down and comes up again, processing events between polls. False when a stop
// of `activity` was requested meanwhile.
bool WaitForF5(InputBackend& input, Clock& clock, const std::function<void()>& processEvents,
               const ScriptActivity* activity = nullptr);

// A pointer position on the recording desktop expressed on the 640 x 480 grid the script addresses:
// floor(screenPixels * pixel / 640) (or / 480).
std::int32_t ScaleToScript(std::int32_t pixel, std::int32_t screenPixels, std::int32_t scriptPixels);

// "Record new script": asks (working SafetyRecordScript, ShowInformation), clears the working script,
// launches GPL and records every left click until F5, then closes GPL. recordingScreen is the
// desktop's size measured at start-up. Clicks past the 255th are not stored.
ScriptOutcome RecordClickScript(RemoteContext& context, OptionsRecord& working, ScreenSize recordingScreen);

// Launches GPL from GPLPath, plays the clicks through a copy of the shared mouse object, waits for
// F5 and closes GPL with ShutdownDelay; all of them as `options` held them when the command began.
// ShowInformation decides the information box.
ScriptOutcome PlayClickScript(RemoteContext& context, CMouseEvent* sharedMouse, const OptionsRecord& options,
                              bool ShowInformation);

// "Test script" in the options dialog: the working script, the stored ShowInformation.
ScriptOutcome TestScriptCommand(RemoteContext& context, CMouseEvent* mouse, const OptionsRecord& working,
                                const OptionsRecord& stored);

// "Test" in the main window: the stored options throughout; without PlayScript it only launches GPL,
// which needs no synthetic input.
ScriptOutcome TestCamsCommand(RemoteContext& context, CMouseEvent* mouse, const OptionsRecord& stored);

// After "Record new script": the enabled state for "Test script" and "Play script after GPL has
// started", or nothing to leave them as they are. A finished recording, or one stopped early, enables
// them even without a click; a failed launch leaves an emptied script, which they no longer offer.
std::optional<bool> ScriptControlsAfterRecording(ScriptOutcome outcome);

} // namespace vp
