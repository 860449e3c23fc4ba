#pragma once
// Whether a script command ("Test", "Record new script", "Test script") is running, and the one
// answer to "may this command run now?". The program has one, shared by the windows, which ask it and
// keep no state of their own about it.

#include <functional>
#include <map>
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
    void setRunning(bool running);

    bool running_ = false;
    bool stopRequested_ = false;
    int nextId_ = 0;
    std::map<int, std::function<void(bool)>> listeners_;
};

// Marks the activity running for its lifetime, so that every way out of a command ends it.
class ScriptRun {
public:
    explicit ScriptRun(ScriptActivity& activity) : activity_(activity) { activity_.setRunning(true); }
    ~ScriptRun() { activity_.setRunning(false); }
    ScriptRun(const ScriptRun&) = delete;
    ScriptRun& operator=(const ScriptRun&) = delete;

private:
    ScriptActivity& activity_;
};

} // namespace vp
