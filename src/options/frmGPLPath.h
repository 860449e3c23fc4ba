#pragma once
// The small dialog in which the user points the program at the folder that holds gpl.exe, or says
// that GPL is not installed. Every folder shown is written to gplFolder of the working options at once.

#include "options/OptionsRecord.h"
#include "options/PathText.h"

#include <QDialog>
#include <QHash>
#include <QString>
#include <QStringList>

#include <string>

class QComboBox;
class QLabel;
class QListWidget;
class QListWidgetItem;
class QPushButton;

namespace vp {

// The roots the drive list offers: the drive letters on Windows; elsewhere the root and the
// mounted volumes on real devices or network shares.
QStringList SystemDrives();

class frmGPLPath : public QDialog {
    Q_OBJECT
public:
    // Offers the system's drives and starts in the program's current folder.
    explicit frmGPLPath(OptionsRecord& working, QWidget* parent = nullptr);
    // Offers `drives` and starts in `startFolder`.
    frmGPLPath(OptionsRecord& working, const QStringList& drives, const QString& startFolder,
               QWidget* parent = nullptr);

    // Whether gpl.exe was found in the folder last shown.
    bool GplFound() const { return gplFound_; }

    // The close control and Escape leave gplFolder as it was when the dialog opened.
    void reject() override;

private:
    void BuildControls();
    void drvDrive_Change(int index);
    void dirFolder_Change(const QString& folder);
    void cmdOK_Click();
    void cmdCancel_Click();
    void CheckGplExe();
    void ShowFolder(const QString& folder);
    // The index of the drive that holds folder, or -1.
    int DriveOf(const QString& folder) const;

    OptionsRecord& working_;
    const std::string pathWhenOpened_;
    bool gplFound_ = false;
    QString folder_;
    // The folder last shown on each drive, so returning to a drive returns to where the user was.
    QHash<QString, QString> driveFolders_;

    QLabel* lblHint_ = nullptr;
    QLabel* lblDrive_ = nullptr;
    QComboBox* drvDrive_ = nullptr;
    QLabel* lblFolder_ = nullptr;
    QListWidget* dirFolder_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
};

} // namespace vp
