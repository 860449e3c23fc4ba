// The Load and Save commands of the main window and the reading of a named CAM file.

#include "editor/MainWindow.h"

#include "camdata/CamFile.h"
#include "camdata/FileSystem.h"
#include "editor/CameraSetPanel.h"
#include "editor/PitLanePanel.h"
#include "widgets/TextConversions.h"

#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

namespace vp {

FileDialogSpec MainWindow::camFileDialog(bool forSaving) const
{
    return {forSaving ? FileDialogMode::Save : FileDialogMode::Open, "Vantapoint: Load&Save",
            "GPL-camera-files (*.cam)|*.cam|All Files (*.*)|*.*", camFolder_, ""};
}

void MainWindow::loadCamFile()
{
    if (refusedDuringScript(GatedCommand::Load))
        return;
    if (!replacingConfirmed())
        return;
    const std::optional<std::string> chosen = services_.desktop.fileDialog(camFileDialog(false));
    if (!chosen) {
        reportCamFileError(QStringLiteral("Load"), makeCamFileError(CamFileErrorKind::DialogCancelled));
        return;
    }
    camFileName_ = *chosen;
    camFolder_ = folderOf(*chosen);
    loadFrom(camFileName_);
}

bool MainWindow::replacingConfirmed()
{
    if (!isModified() || !options_.askBeforeLoad)
        return true;
    const BoxAnswer answer = services_.desktop.messageBox({"Vantapoint: Safety request",
                                                          "There is unsaved data in memory. Really load?",
                                                          BoxIcon::Exclamation, BoxButtons::OkCancel});
    if (answer == BoxAnswer::Ok)
        return true;
    reportCamFileError(QStringLiteral("Load"), makeCamFileError(CamFileErrorKind::DialogCancelled));
    return false;
}

bool MainWindow::loadDroppedFile(const QMimeData& data)
{
    // Dropping is a command like the keyboard's: an entry being typed is taken first.
    commitEditedField();
    if (refusedDuringScript(GatedCommand::Load))
        return false;
    const QList<QUrl> urls = data.urls();
    const QString path = urls.size() == 1 && urls[0].isLocalFile() ? urls[0].toLocalFile() : QString();
    if (!path.endsWith(QStringLiteral(".cam"), Qt::CaseInsensitive)) {
        services_.desktop.beep();
        showStatus(QStringLiteral("Drop one CAM file (*.cam) to load it. Ready."));
        return false;
    }
    if (!replacingConfirmed())
        return false;
    // As if chosen in the file dialog: the next dialog opens in its folder.
    camFileName_ = pathBytes(QDir::toNativeSeparators(path));
    camFolder_ = folderOf(camFileName_);
    loadFrom(camFileName_);
    return true;
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event)
{
    // The file is only read: the source must not take the drop for a move and delete it.
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void MainWindow::dropEvent(QDropEvent* event)
{
    if (loadDroppedFile(*event->mimeData())) {
        event->setDropAction(Qt::CopyAction);
        event->accept();
    } else {
        event->ignore();
    }
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
    showFileInTitle(path);
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
    showFileInTitle(camFileName_);
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
    showStatus(QStringLiteral("%1 %2 aborted. Ready.").arg(toQString(camFileFailureReason(error.kind)), command));
}

} // namespace vp
