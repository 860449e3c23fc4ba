// The Options command: the options dialog edits a copy of the options in force; OK adopts and saves
// it, Cancel and the dialog's close control throw it away.

#include "editor/MainWindow.h"

#include "camdata/FileSystem.h"
#include "options/Configuration.h"
#include "options/OptionsDialog.h"

#include <QPushButton>

#include <optional>
#include <string>
#include <utility>

namespace vp {

namespace {

std::string saveFailureText(const SystemError& failure)
{
    std::string text = "The options couldn't be saved to Vantapoint.cfg: " + failure.description;
    if (text.back() != '.')
        text += '.';
    return text + " They stay in effect until you exit Vantapoint.";
}

} // namespace

void MainWindow::editOptions()
{
    if (refusedDuringScript(GatedCommand::Options))
        return;
    OptionsDialog dialog(options_,
                         {.desktop = services_.desktop,
                          .clock = services_.clock,
                          .scriptActivity = scriptActivity_,
                          .input = services_.input,
                          .manual = services_.manualFile(),
                          .replaceMouseInput = [this](std::unique_ptr<MouseInput> mouse) { mouseInput_ = std::move(mouse); },
                          .launcher = services_.launcher,
                          .recordingScreen = screenSize_},
                         this);
    if (dialog.exec() == QDialog::Accepted)
        adoptOptions(dialog.options());
    updateTestButton();
}

void MainWindow::adoptOptions(const OptionsRecord& options)
{
    options_.copyAllButHeaderFrom(options);
    // The new options hold for this run even when the file cannot take them.
    if (const std::optional<SystemError> failure = saveConfiguration(services_.configHome(), options_))
        services_.desktop.messageBox({"Vantapoint: Error", saveFailureText(*failure), BoxIcon::Stop, BoxButtons::Ok});
    if (options_.gplKnown())
        camFolder_ = camFolderOf(options_.gplFolder);
}

} // namespace vp
