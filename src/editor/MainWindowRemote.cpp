// The "Test" command: launches GPL from the GPL folder in force and, when the options say so, plays
// the click script into it and closes it after F5. While it or a script command of the options
// dialog runs, the window's other commands that could interfere are shut out.

#include "editor/MainWindow.h"

#include "remote/ScriptCommands.h"
#include "widgets/TextConversions.h"

#include <QCoreApplication>
#include <QPushButton>

#include <utility>

namespace vp {

void MainWindow::testCameras()
{
    RemoteContext context{services_.desktop, services_.clock, services_.input, services_.launcher, scriptActivity_,
                          [] { QCoreApplication::processEvents(); }};
    testCamerasInGpl(context, mouseInput_.get(), options_.script, options_.scriptSettings(), options_.playScript);
}

void MainWindow::updateTestButton()
{
    testButton_->setEnabled(options_.gplKnown() && scriptActivity_.mayRun(GatedCommand::ScriptCommand));
}

void MainWindow::scriptActivityChanged(bool running)
{
    updateTestButton();
    if (!running && std::exchange(closeAfterScript_, false))
        close();
}

bool MainWindow::refusedDuringScript(GatedCommand command)
{
    if (scriptActivity_.mayRun(command))
        return false;
    services_.desktop.beep();
    showStatus(toQString(kWaitForGplText));
    return true;
}

} // namespace vp
