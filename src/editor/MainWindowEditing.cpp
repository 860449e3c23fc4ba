// The main window's editing: committing typed values, spinner steps, and inserting, removing and
// copying cameras. The rules live in camdata's ValueEditing and SlotOperations; here they meet the
// controls.

#include "editor/MainWindow.h"

#include "camdata/NumberText.h"
#include "camdata/SlotOperations.h"
#include "camdata/ValueEditing.h"
#include "camdata/ValueTables.h"
#include "editor/CameraSetPanel.h"
#include "editor/PitLanePanel.h"
#include "widgets/SpinButton.h"
#include "widgets/TextConversions.h"
#include "widgets/ValueField.h"

#include <QPushButton>

namespace vp {

namespace {

std::optional<double> typedNumber(const ValueField& field)
{
    return parseNumber(field.text().toStdString(), decimalSeparator());
}

} // namespace

void MainWindow::connectEditing()
{
    for (CameraSetPanel* panel : {tv1Panel_, tv2Panel_}) {
        const CamSet set = panel->set();
        connect(panel, &CameraSetPanel::valueTyped, this, [this, set](int i) { commitTypedValue(set, i); });
        connect(panel, &CameraSetPanel::valueStepped, this, [this, set](int i) { stepValue(set, i); });
        connect(panel->addBeforeButton(), &QPushButton::clicked, this, [this, set] { insertCameraBefore(set); });
        connect(panel->addBehindButton(), &QPushButton::clicked, this, [this, set] { insertCameraBehind(set); });
        connect(panel->removeButton(), &QPushButton::clicked, this, [this, set] { removeCamera(set); });
        connect(panel, &CameraSetPanel::assignRequested, this, [this, set](int i) { assignToAll(set, i); });
    }
}

QWidget* MainWindow::buildPitLanePanel(QWidget& page)
{
    auto* panel = new PitLanePanel(document_, &page);
    const auto& rows = pitValueRows();
    for (int i = 0; i < kPitValueCount; ++i) {
        if (rows.at(static_cast<std::size_t>(i)).editable)
            connect(panel->valueField(i), &ValueField::commitRequested, this, [this, i] { commitTypedPitLaneValue(i); });
    }
    watchFields(*panel);
    connect(panel, &PitLanePanel::valueStepped, this, &MainWindow::stepPitLaneValue);
    panel->showCamera();
    return panel;
}

void MainWindow::commitTypedValue(CamSet set, int row)
{
    CameraSetPanel& panel = setPanel(set);
    CameraSet& cameras = document_.set(set);
    if (cameras.count() == 0)
        return;
    const bool accepted = commitTvValue(cameras, panel.currentCamera(), row, typedNumber(*panel.valueField(row)),
                                        options_.fixedSwitchOver);
    if (accepted) {
        panel.showCamera();
        markModified();
        return;
    }
    services_.desktop.beep();
    panel.showCamera();
    showStatus(toQString(kWhatDoYouMean));
}

void MainWindow::stepValue(CamSet set, int row)
{
    CameraSetPanel& panel = setPanel(set);
    CameraSet& cameras = document_.set(set);
    if (cameras.count() == 0)
        return;
    if (!stepTvValue(cameras, panel.currentCamera(), row, panel.valueSpinner(row)->value()))
        return;
    panel.showCamera();
    markModified();
}

void MainWindow::commitTypedPitLaneValue(int row)
{
    const PitCommit commit = commitPitValue(document_.pit, row, typedNumber(*pitLanePanel().valueField(row)));
    if (!commit.accepted) {
        showPitLaneCamera();
        services_.desktop.beep();
        showStatus(toQString(kWhatDoYouMean));
        return;
    }
    // Not held back like a display positioning: the echo is a step of its own and stores the
    // spinner's value.
    if (commit.echo)
        pitLanePanel().valueSpinner(row)->setValue(*commit.echo);
    showPitLaneCamera();
    markModified();
}

void MainWindow::stepPitLaneValue(int row)
{
    if (!stepPitValue(document_.pit, row, pitLanePanel().valueSpinner(row)->value()))
        return;
    showPitLaneCamera();
    markModified();
}

void MainWindow::insertCameraBefore(CamSet set)
{
    if (refusedDuringScript(GatedCommand::SlotCommand))
        return;
    CameraSetPanel& panel = setPanel(set);
    const SlotOutcome outcome = vp::insertCameraBefore(document_, set, panel.currentCamera(), options_.defaultValues);
    if (refused(outcome))
        return;
    // The new camera takes the current number; only a set that was empty moves its selector.
    panel.setCameraCount(outcome.count);
    if (panel.currentCamera() != outcome.current)
        panel.selectCamera(outcome.current);
    panel.showCamera();
    markModified();
}

void MainWindow::insertCameraBehind(CamSet set)
{
    if (refusedDuringScript(GatedCommand::SlotCommand))
        return;
    CameraSetPanel& panel = setPanel(set);
    const SlotOutcome outcome = vp::insertCameraBehind(document_, set, panel.currentCamera(), options_.defaultValues);
    if (refused(outcome))
        return;
    panel.setCameraCount(outcome.count);
    // Selecting the new camera shows it.
    panel.selectCamera(outcome.current);
    markModified();
}

void MainWindow::removeCamera(CamSet set)
{
    if (refusedDuringScript(GatedCommand::SlotCommand))
        return;
    CameraSetPanel& panel = setPanel(set);
    // A set of one camera is refused below without a question first.
    if (document_.set(set).count() > 1 && options_.askBeforeRemove && !confirmed(removeQuestion(set)))
        return;
    const SlotOutcome outcome = vp::removeCamera(document_, set, panel.currentCamera());
    if (refused(outcome))
        return;
    // Lowering the bound moves a selector that stood on the removed last camera to the new last one.
    panel.setCameraCount(outcome.count);
    panel.showCamera();
    markModified();
}

void MainWindow::assignToAll(CamSet set, int row)
{
    if (refusedDuringScript(GatedCommand::SlotCommand))
        return;
    CameraSetPanel& panel = setPanel(set);
    if (document_.set(set).count() == 0)
        return;
    if (options_.askBeforeAssignToAll && !confirmed(assignToAllQuestion(set)))
        return;
    const SlotOutcome outcome = vp::assignToAll(document_, set, panel.currentCamera(), row);
    markModified();
    showStatus(toQString(outcome.message));
}

bool MainWindow::confirmed(const std::string& question)
{
    const BoxAnswer answer = services_.desktop.messageBox(
        {"Vantapoint: Safety request", question, BoxIcon::Exclamation, BoxButtons::OkCancel});
    if (answer == BoxAnswer::Ok)
        return true;
    showStatus(toQString(kActionCanceled));
    return false;
}

bool MainWindow::refused(const SlotOutcome& outcome)
{
    if (outcome.done)
        return false;
    services_.desktop.beep();
    showStatus(toQString(outcome.message));
    return true;
}

} // namespace vp
