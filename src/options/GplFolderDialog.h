#pragma once
// The small dialog in which the user points the program at the folder that holds gpl.exe, or says
// that GPL is not installed. Its result is gplFolder() after exec(): the folder last shown when
// closed with OK, "GPL not installed" after Cancel, and the folder it was opened with after Escape
// or the close control.

#include <QDialog>
#include <QHash>
#include <QString>
#include <QStringList>

#include <string>

class QComboBox;
class QLabel;
class QListWidget;
class QPushButton;

namespace vp {

// The roots the drive list offers: the drive letters on Windows; elsewhere the root and the
// mounted volumes on real devices or network shares.
QStringList systemDrives();

class GplFolderDialog : public QDialog {
    Q_OBJECT
public:
    // Offers the system's drives and starts in the program's current folder.
    explicit GplFolderDialog(std::string gplFolder, QWidget* parent = nullptr);
    // Offers `drives` and starts in `startFolder`.
    GplFolderDialog(std::string gplFolder, const QStringList& drives, const QString& startFolder,
                    QWidget* parent = nullptr);

    // Every folder shown is taken at once, whether it holds the game or not.
    const std::string& gplFolder() const { return gplFolder_; }
    // Whether gpl.exe was found in the folder last shown.
    bool gplFound() const { return gplFound_; }

    // The close control and Escape give back the folder the dialog was opened with.
    void reject() override;

private:
    void buildControls();
    void showDrive(int index);
    void chooseFolder(const QString& folder);
    void declareNotInstalled();
    void showFolder(const QString& folder);
    // The index of the drive that holds folder, or -1.
    int driveOf(const QString& folder) const;

    std::string gplFolder_;
    const std::string folderWhenOpened_;
    bool gplFound_ = false;
    // The folder last shown on each drive, so returning to a drive returns to where the user was.
    QHash<QString, QString> driveFolders_;

    QLabel* hintLabel_ = nullptr;
    QLabel* driveLabel_ = nullptr;
    QComboBox* driveList_ = nullptr;
    QLabel* folderLabel_ = nullptr;
    QListWidget* folderList_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
};

} // namespace vp
