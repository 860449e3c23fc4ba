// The main window's editing: committing typed values, spinner steps, and inserting, removing and
// copying cameras. The rules live in ValueEditing and SlotOperations; here they meet the controls.

#include "editor/frmMain.h"

#include "camdata/NumberText.h"
#include "editor/PitPanel.h"
#include "camdata/SlotOperations.h"
#include "editor/TvSetPanel.h"
#include "editor/UpDown.h"
#include "camdata/ValueEditing.h"
#include "camdata/ValueTables.h"
#include "widgets/FieldEdit.h"
#include "widgets/LocaleSeparator.h"

#include <QPushButton>

namespace vp {

namespace {

std::optional<double> TypedNumber(const FieldEdit& field)
{
    return parseNumber(field.text().toStdString(), DecimalSeparator());
}

} // namespace

void frmMain::connectEditing()
{
    for (TvSetPanel* panel : {tv1_, tv2_}) {
        const CamSet set = panel->set();
        const auto& rows = tvValueRows(set);
        for (int i = 0; i < kTvValueCount; ++i) {
            if (rows.at(static_cast<std::size_t>(i)).editable)
                connect(panel->valueField(i), &FieldEdit::LostFocus, this, [this, set, i] { txtTVCamData_LostFocus(set, i); });
        }
        connect(panel, &TvSetPanel::valueStepped, this, [this, set](int i) { UpDownValueTV_Change(set, i); });
        connect(panel->addBeforeButton(), &QPushButton::clicked, this, [this, set] { cmdAddTVBefore_Click(set); });
        connect(panel->addBehindButton(), &QPushButton::clicked, this, [this, set] { cmdAddTVBehind_Click(set); });
        connect(panel->removeButton(), &QPushButton::clicked, this, [this, set] { cmdRemoveTV_Click(set); });
        for (int i = 0; i < kAssignButtonCount; ++i)
            connect(panel->assignButton(i), &QPushButton::clicked, this, [this, set, i] { cmdAssignToAllTV_Click(set, i); });
    }
    const auto& pitRows = pitValueRows();
    for (int i = 0; i < kPitValueCount; ++i) {
        if (pitRows.at(static_cast<std::size_t>(i)).editable)
            connect(pit_->valueField(i), &FieldEdit::LostFocus, this, [this, i] { txtPitlaneCamData_LostFocus(i); });
    }
    connect(pit_, &PitPanel::valueStepped, this, &frmMain::UpDownValuePit_Change);
}

void frmMain::txtTVCamData_LostFocus(CamSet set, int Index)
{
    TvSetPanel& panel = tvPanel(set);
    CameraSet& cameras = state_.document.set(set);
    if (cameras.count() == 0)
        return;
    const bool accepted = commitTvValue(cameras, panel.currentCamera(), Index, TypedNumber(*panel.valueField(Index)),
                                        state_.storedOptions.fixedSwitchOver);
    if (accepted) {
        panel.ShowCam();
        state_.documentChanged();
        return;
    }
    services_.desktop.beep();
    panel.ShowCam();
    ShowStatus(ToQString(kWhatDoYouMean));
}

void frmMain::UpDownValueTV_Change(CamSet set, int Index)
{
    TvSetPanel& panel = tvPanel(set);
    CameraSet& cameras = state_.document.set(set);
    if (cameras.count() == 0)
        return;
    if (!stepTvValue(cameras, panel.currentCamera(), Index, panel.valueSpinner(Index)->Value()))
        return;
    panel.ShowCam();
    state_.documentChanged();
}

void frmMain::txtPitlaneCamData_LostFocus(int Index)
{
    const PitCommit commit = commitPitValue(state_.document.pit, Index, TypedNumber(*pit_->valueField(Index)));
    if (!commit.accepted) {
        ShowPitlaneCam();
        services_.desktop.beep();
        ShowStatus(ToQString(kWhatDoYouMean));
        return;
    }
    // Not fenced as a display positioning: the echo is a step of its own and stores the spinner's value.
    if (commit.echo)
        pit_->valueSpinner(Index)->setValue(*commit.echo);
    ShowPitlaneCam();
    state_.documentChanged();
}

void frmMain::UpDownValuePit_Change(int Index)
{
    if (!stepPitValue(state_.document.pit, Index, pit_->valueSpinner(Index)->Value()))
        return;
    ShowPitlaneCam();
    state_.documentChanged();
}

void frmMain::cmdAddTVBefore_Click(CamSet set)
{
    if (refusedDuringScript(GatedCommand::SlotCommand))
        return;
    TvSetPanel& panel = tvPanel(set);
    const SlotOutcome outcome = insertCameraBefore(state_.document, set, panel.currentCamera(), state_.storedOptions.defaultValues);
    if (refused(outcome))
        return;
    // The new camera takes the current number; only a set that was empty moves its selector.
    panel.setCameraCount(outcome.count);
    if (panel.currentCamera() != outcome.current)
        panel.selector()->setValue(outcome.current);
    panel.ShowCam();
    state_.documentChanged();
}

void frmMain::cmdAddTVBehind_Click(CamSet set)
{
    if (refusedDuringScript(GatedCommand::SlotCommand))
        return;
    TvSetPanel& panel = tvPanel(set);
    const SlotOutcome outcome = insertCameraBehind(state_.document, set, panel.currentCamera(), state_.storedOptions.defaultValues);
    if (refused(outcome))
        return;
    panel.setCameraCount(outcome.count);
    // Moving the selector shows the new camera.
    panel.selector()->setValue(outcome.current);
    state_.documentChanged();
}

void frmMain::cmdRemoveTV_Click(CamSet set)
{
    if (refusedDuringScript(GatedCommand::SlotCommand))
        return;
    TvSetPanel& panel = tvPanel(set);
    // A set of one camera is refused below without a question first.
    if (state_.document.set(set).count() > 1 && state_.storedOptions.askBeforeRemove && !confirmed(removeQuestion(set)))
        return;
    const SlotOutcome outcome = removeCamera(state_.document, set, panel.currentCamera());
    if (refused(outcome))
        return;
    // Lowering the bound moves a selector that stood on the removed last camera to the new last one.
    panel.setCameraCount(outcome.count);
    panel.ShowCam();
    state_.documentChanged();
}

void frmMain::cmdAssignToAllTV_Click(CamSet set, int Index)
{
    if (refusedDuringScript(GatedCommand::SlotCommand))
        return;
    TvSetPanel& panel = tvPanel(set);
    if (state_.document.set(set).count() == 0)
        return;
    if (state_.storedOptions.askBeforeAssignToAll && !confirmed(assignToAllQuestion(set)))
        return;
    const SlotOutcome outcome = assignToAll(state_.document, set, panel.currentCamera(), Index);
    state_.documentChanged();
    ShowStatus(ToQString(outcome.message));
}

bool frmMain::confirmed(const std::string& question)
{
    const BoxAnswer answer = services_.desktop.messageBox(
        {"Vantapoint: Safety request", question, BoxIcon::Exclamation, BoxButtons::OkCancel});
    if (answer == BoxAnswer::Ok)
        return true;
    ShowStatus(ToQString(kActionCanceled));
    return false;
}

bool frmMain::refused(const SlotOutcome& outcome)
{
    if (outcome.done)
        return false;
    services_.desktop.beep();
    ShowStatus(ToQString(outcome.message));
    return true;
}

} // namespace vp
