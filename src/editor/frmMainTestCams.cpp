// The "Test" command: launches GPL from the stored GPL folder and, when the stored options say so,
// plays the stored click script into it and closes it after F5.

#include "editor/frmMain.h"

#include "remote/ClickScript.h"

#include <QCoreApplication>
#include <QPushButton>

namespace vp {

void frmMain::cmdTestCams_Click()
{
    RemoteContext context{services_.desktop, services_.clock, services_.input, services_.launcher,
                          state_.scriptActivity, [] { QCoreApplication::processEvents(); }};
    TestCamsCommand(context, state_.mouse.get(), state_.storedOptions);
}

void frmMain::EnableTestCams()
{
    cmdTestCams_->setEnabled(state_.storedOptions.gplKnown() && !state_.scriptActivity.running());
}

} // namespace vp
