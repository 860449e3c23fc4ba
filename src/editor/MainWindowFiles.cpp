// The Load and Save commands of the main window and the reading of a named CAM file.

#include "editor/MainWindow.h"

#include "camdata/CamFile.h"
#include "camdata/FileSystem.h"
#include "editor/CameraSetPanel.h"
#include "editor/PitLanePanel.h"

namespace vp {

namespace {

// The first sentence of the status message for an expected failure.
QString failureReason(CamFileErrorKind kind)
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

FileDialogSpec MainWindow::camFileDialog(bool forSaving) const
{
    return {forSaving ? FileDialogMode::Save : FileDialogMode::Open, "Vantapoint: Load&Save",
            "GPL-camera-files (*.cam)|*.cam|All Files (*.*)|*.*", camFolder_, ""};
}

void MainWindow::loadCamFile()
{
    if (refusedDuringScript(GatedCommand::Load))
        return;
    const QString command = QStringLiteral("Load");
    if (modified_ && options_.askBeforeLoad) {
        const BoxAnswer answer = services_.desktop.messageBox({"Vantapoint: Safety request",
                                                              "There is unsaved data in memory. Really load?",
                                                              BoxIcon::Exclamation, BoxButtons::OkCancel});
        if (answer != BoxAnswer::Ok) {
            reportCamFileError(command, makeCamFileError(CamFileErrorKind::DialogCancelled));
            return;
        }
    }
    const std::optional<std::string> chosen = services_.desktop.fileDialog(camFileDialog(false));
    if (!chosen) {
        reportCamFileError(command, makeCamFileError(CamFileErrorKind::DialogCancelled));
        return;
    }
    camFileName_ = *chosen;
    camFolder_ = folderOf(*chosen);
    loadFrom(camFileName_);
}

void MainWindow::loadFrom(const std::string& path)
{
    // The texts follow the reading; what the editor shows changes only once the whole file was read.
    const auto progress = [this](const ReadProgress& step) {
        switch (step.kind) {
        case ReadProgress::Kind::HeaderStep:
            showStatus(QStringLiteral("Reading CAMFile-Header..."));
            break;
        case ReadProgress::Kind::CountStep:
            showStatus(QStringLiteral("Reading number of %1-cams...").arg(QLatin1String(camSetName(step.set))));
            break;
        case ReadProgress::Kind::CameraStep:
            showStatus(QStringLiteral("Reading data of %1-cam # %2...").arg(QLatin1String(camSetName(step.set))).arg(step.number));
            break;
        case ReadProgress::Kind::PitStep:
            showStatus(QStringLiteral("Reading data of Pitlane-cam..."));
            break;
        case ReadProgress::Kind::CountKnown:
        case ReadProgress::Kind::SetComplete:
        case ReadProgress::Kind::ReadComplete:
            break;
        }
    };
    if (const CamFileResult failed = readCamFile(path, document_, progress)) {
        reportCamFileError(QStringLiteral("Load"), *failed);
        return;
    }
    tv1Panel_->showFirstCamera();
    tv2Panel_->showFirstCamera();
    showPitLaneCamera();
    emit documentChanged();
    showStatus(QStringLiteral("File loaded, data read. Ready."));
}

void MainWindow::saveCamFile()
{
    if (refusedDuringScript(GatedCommand::Save))
        return;
    const QString command = QStringLiteral("Save");
    const std::optional<std::string> chosen = services_.desktop.fileDialog(camFileDialog(true));
    if (!chosen) {
        reportCamFileError(command, makeCamFileError(CamFileErrorKind::DialogCancelled));
        return;
    }
    camFileName_ = *chosen;
    camFolder_ = folderOf(*chosen);
    if (fileExists(camFileName_) && options_.askBeforeOverwrite) {
        const BoxAnswer answer = services_.desktop.messageBox(
            {"Vantapoint: Safety request", "File exists. Overwrite?", BoxIcon::Exclamation, BoxButtons::OkCancel});
        if (answer != BoxAnswer::Ok) {
            reportCamFileError(command, makeCamFileError(CamFileErrorKind::OverwriteDeclined));
            return;
        }
    }
    // The old file is replaced only by a complete new one.
    if (const CamFileResult failed = writeCamFile(camFileName_, document_)) {
        reportCamFileError(command, *failed);
        return;
    }
    setModified(false);
    showStatus(QStringLiteral("File written. Ready."));
}

void MainWindow::reportCamFileError(const QString& command, const CamFileError& error)
{
    if (error.kind == CamFileErrorKind::OtherError) {
        services_.desktop.messageBox({"Runtime-Error!", error.description + " - " + std::to_string(error.number),
                                      BoxIcon::Exclamation, BoxButtons::Ok});
        // The program goes on with its data; the status line must not keep a progress text.
        showStatus(QStringLiteral("%1 aborted. Ready.").arg(command));
        return;
    }
    showStatus(QStringLiteral("%1 %2 aborted. Ready.").arg(failureReason(error.kind), command));
}

} // namespace vp
