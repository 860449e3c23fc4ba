// The Options command: the options dialog edits the working options; OK adopts and saves them,
// Cancel and the dialog's close control throw them away.

#include "editor/frmMain.h"

#include "camdata/FileSystem.h"
#include "options/Configuration.h"
#include "options/frmOptions2.h"

#include <QPushButton>

#include <optional>
#include <string>
#include <utility>

namespace vp {

namespace {

std::string SaveFailureText(const SystemError& failure)
{
    std::string text = "The options couldn't be saved to Vantapoint.cfg: " + failure.description;
    if (text.back() != '.')
        text += '.';
    return text + " They stay in effect until you exit Vantapoint.";
}

} // namespace

void frmMain::cmdOptions_Click()
{
    if (refusedDuringScript(GatedCommand::Options))
        return;
    state_.workingOptions.copyAllButHeaderFrom(state_.storedOptions);
    frmOptions2 dialog(state_.workingOptions,
                       {.desktop = services_.desktop,
                        .clock = services_.clock,
                        .scriptActivity = state_.scriptActivity,
                        .input = services_.input,
                        .manual = services_.manualFile(),
                        .replaceMouseEvent = [this](std::unique_ptr<MouseInput> mouse) { setMouse(std::move(mouse)); },
                        .launcher = services_.launcher,
                        .storedOptions = &state_.storedOptions,
                        .recordingScreen = ScreenSize{state_.ScreenWidth, state_.ScreenHeight}},
                       this);
    state_.AcceptOptions = dialog.exec() == QDialog::Accepted;
    if (state_.AcceptOptions)
        AdoptWorkingOptions();
    else
        state_.workingOptions.copyAllButHeaderFrom(state_.storedOptions);
    EnableTestCams();
}

void frmMain::AdoptWorkingOptions()
{
    state_.storedOptions.copyAllButHeaderFrom(state_.workingOptions);
    // The new options hold for this run even when the file cannot take them.
    if (const std::optional<SystemError> failure = saveConfiguration(state_.ProgramFolder, state_.storedOptions))
        services_.desktop.messageBox({"Vantapoint: Error", SaveFailureText(*failure), BoxIcon::Stop, BoxButtons::Ok});
    if (state_.storedOptions.gplKnown())
        state_.CAMPath = camFolderOf(state_.storedOptions.gplFolder);
}

} // namespace vp
