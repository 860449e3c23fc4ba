// The "Test" command: launches GPL from the stored GPL folder and, when the stored options say so,
// plays the stored click script into it and closes it after F5. While it or a script command of the
// options dialog runs, the window's other commands that could interfere are shut out.

#include "editor/frmMain.h"

#include "remote/ScriptCommands.h"
#include "widgets/LocaleSeparator.h"

#include <QCoreApplication>
#include <QPushButton>

#include <utility>

namespace vp {

void frmMain::cmdTestCams_Click()
{
    RemoteContext context{services_.desktop, services_.clock, services_.input, services_.launcher,
                          state_.scriptActivity, [] { QCoreApplication::processEvents(); }};
    const OptionsRecord& stored = state_.storedOptions;
    testCamerasInGpl(context, state_.mouse.get(), stored.script, stored.scriptSettings(), stored.playScript);
}

void frmMain::EnableTestCams()
{
    cmdTestCams_->setEnabled(state_.storedOptions.gplKnown()
                             && state_.scriptActivity.mayRun(GatedCommand::ScriptCommand));
}

void frmMain::ScriptActivity_Change(bool running)
{
    EnableTestCams();
    if (!running && std::exchange(closeAfterScript_, false))
        close();
}

bool frmMain::refusedDuringScript(GatedCommand command)
{
    if (state_.scriptActivity.mayRun(command))
        return false;
    services_.desktop.beep();
    ShowStatus(ToQString(kWaitForGplText));
    return true;
}

} // namespace vp
