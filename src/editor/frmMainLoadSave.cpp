// The Load and Save commands of the main window and the reading of a named CAM file.

#include "camdata/CamFile.h"
#include "camdata/FileSystem.h"
#include "editor/PitPanel.h"
#include "editor/TvSetPanel.h"
#include "editor/frmMain.h"

namespace vp {

namespace {

QString SetName(CamSet set)
{
    return set == CamSet::TV1 ? QStringLiteral("TV1") : QStringLiteral("TV2");
}

// The first sentence of the status message for an expected failure.
QString FailureReason(CamFileErrorKind kind)
{
    switch (kind) {
    case CamFileErrorKind::DialogCancelled:
    case CamFileErrorKind::OverwriteDeclined:
        return QStringLiteral("Cancel pressed.");
    case CamFileErrorKind::NoFileName:
        return QStringLiteral("No file specified.");
    case CamFileErrorKind::NotACamFile:
        return QStringLiteral("Not a track-camerafile.");
    case CamFileErrorKind::FileNotFound:
        return QStringLiteral("File not found.");
    case CamFileErrorKind::DriveNotReady:
        return QStringLiteral("Drive not ready.");
    case CamFileErrorKind::FileIncomplete:
        return QStringLiteral("File is incomplete.");
    case CamFileErrorKind::OtherError:
        break;
    }
    return {};
}

} // namespace

FileDialogSpec frmMain::CommonDialog1(bool forSaving) const
{
    return {forSaving ? FileDialogMode::Save : FileDialogMode::Open, "Vantapoint: Load&Save",
            "GPL-camera-files (*.cam)|*.cam|All Files (*.*)|*.*", state_.CAMPath, ""};
}

void frmMain::cmdLoadCAMFile_Click()
{
    if (refusedDuringScript(GatedCommand::Load))
        return;
    const QString command = QStringLiteral("Load");
    if (!state_.DataSaved && state_.storedOptions.askBeforeLoad) {
        const BoxAnswer answer = services_.desktop.messageBox({"Vantapoint: Safety request",
                                                              "There is unsaved data in memory. Really load?",
                                                              BoxIcon::Exclamation, BoxButtons::OkCancel});
        if (answer != BoxAnswer::Ok) {
            reportCamFileError(command, makeCamFileError(CamFileErrorKind::DialogCancelled));
            return;
        }
    }
    const std::optional<std::string> chosen = services_.desktop.fileDialog(CommonDialog1(false));
    if (!chosen) {
        reportCamFileError(command, makeCamFileError(CamFileErrorKind::DialogCancelled));
        return;
    }
    state_.CAMFileName = *chosen;
    state_.CAMPath = folderOf(*chosen);
    ReadNamedCamFile(state_.CAMFileName);
}

void frmMain::ReadNamedCamFile(const std::string& path)
{
    // The texts follow the reading; what the editor shows changes only once the whole file was read.
    const auto progress = [this](const ReadProgress& step) {
        switch (step.kind) {
        case ReadProgress::Kind::HeaderStep:
            ShowStatus(QStringLiteral("Reading CAMFile-Header..."));
            break;
        case ReadProgress::Kind::CountStep:
            ShowStatus(QStringLiteral("Reading number of %1-cams...").arg(SetName(step.set)));
            break;
        case ReadProgress::Kind::CameraStep:
            ShowStatus(QStringLiteral("Reading data of %1-cam # %2...").arg(SetName(step.set)).arg(step.number));
            break;
        case ReadProgress::Kind::PitStep:
            ShowStatus(QStringLiteral("Reading data of Pitlane-cam..."));
            break;
        case ReadProgress::Kind::CountKnown:
        case ReadProgress::Kind::SetComplete:
        case ReadProgress::Kind::ReadComplete:
            break;
        }
    };
    if (const CamFileResult failed = readCamFile(path, state_.document, progress)) {
        reportCamFileError(QStringLiteral("Load"), *failed);
        return;
    }
    tv1_->showFirstCamera();
    tv2_->showFirstCamera();
    ShowPitlaneCam();
    ShowStatus(QStringLiteral("File loaded, data read. Ready."));
}

void frmMain::cmdSaveCAMFile_Click()
{
    if (refusedDuringScript(GatedCommand::Save))
        return;
    const QString command = QStringLiteral("Save");
    const std::optional<std::string> chosen = services_.desktop.fileDialog(CommonDialog1(true));
    if (!chosen) {
        reportCamFileError(command, makeCamFileError(CamFileErrorKind::DialogCancelled));
        return;
    }
    state_.CAMFileName = *chosen;
    state_.CAMPath = folderOf(*chosen);
    if (fileExists(state_.CAMFileName) && state_.storedOptions.askBeforeOverwrite) {
        const BoxAnswer answer = services_.desktop.messageBox(
            {"Vantapoint: Safety request", "File exists. Overwrite?", BoxIcon::Exclamation, BoxButtons::OkCancel});
        if (answer != BoxAnswer::Ok) {
            reportCamFileError(command, makeCamFileError(CamFileErrorKind::OverwriteDeclined));
            return;
        }
    }
    // The old file is replaced only by a complete new one.
    if (const CamFileResult failed = writeCamFile(state_.CAMFileName, state_.document)) {
        reportCamFileError(command, *failed);
        return;
    }
    state_.DataSaved = true;
    ShowStatus(QStringLiteral("File written. Ready."));
}

void frmMain::reportCamFileError(const QString& command, const CamFileError& error)
{
    if (error.kind == CamFileErrorKind::OtherError) {
        services_.desktop.messageBox({"Runtime-Error!", error.description + " - " + std::to_string(error.number),
                                      BoxIcon::Exclamation, BoxButtons::Ok});
        // The program goes on with its data; the status line must not keep a progress text.
        ShowStatus(QStringLiteral("%1 aborted. Ready.").arg(command));
        return;
    }
    ShowStatus(QStringLiteral("%1 %2 aborted. Ready.").arg(FailureReason(error.kind), command));
}

} // namespace vp
