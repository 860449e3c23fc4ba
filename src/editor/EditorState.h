#pragma once
// Everything the main window keeps for the whole run. The panels work on the same instance.

#include "camdata/CameraDocument.h"
#include "options/OptionsRecord.h"
#include "remote/ScriptCommands.h"
#include "remote/MouseInput.h"

#include <cstdint>
#include <memory>
#include <string>

namespace vp {

struct EditorState {
    CameraDocument document;
    std::string ProgramFolder;
    // The folder the file dialog opens in, and the file last chosen there.
    std::string CAMPath;
    std::string CAMFileName;
    // Written by the options dialog: true when it was closed with OK.
    bool AcceptOptions = false;
    // True while memory holds no change that has not been saved.
    bool DataSaved = true;
    // Every change to the document is marked here, so none can leave it looking saved.
    void documentChanged() { DataSaved = false; }
    // The options in force, and the copy the options dialogs edit.
    OptionsRecord storedOptions;
    OptionsRecord workingOptions;
    std::int32_t ScreenWidth = 0;
    std::int32_t ScreenHeight = 0;
    // Null where the platform has no synthetic input.
    std::unique_ptr<MouseInput> mouse;
    // Whether a script command ("Test", "Record new script", "Test script") is running.
    ScriptActivity scriptActivity;
    // Set only while the display positions value spinners, so that their notifications are not
    // taken for the user's steps (see IgnoringSpinnerChange).
    bool IgnoreSpinnerChange = false;
};

// Holds IgnoreSpinnerChange for one positioning by the display and restores it afterwards, so the
// flag can never stay set and swallow a later step of the user.
class IgnoringSpinnerChange {
public:
    explicit IgnoringSpinnerChange(EditorState& state)
        : flag_(state.IgnoreSpinnerChange)
        , previous_(flag_)
    {
        flag_ = true;
    }
    ~IgnoringSpinnerChange() { flag_ = previous_; }
    IgnoringSpinnerChange(const IgnoringSpinnerChange&) = delete;
    IgnoringSpinnerChange& operator=(const IgnoringSpinnerChange&) = delete;

private:
    bool& flag_;
    bool previous_;
};

} // namespace vp
