#include "options/GplFolderDialog.h"

#include "camdata/FileSystem.h"
#include "options/Configuration.h"
#include "widgets/TextConversions.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

#include <utility>

namespace vp {

namespace {

constexpr int kPathRole = Qt::UserRole;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

QString cleanFolder(const QString& folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

// The folder above `folder`, or `folder` itself at the top of the file system.
QString parentFolder(const QString& folder)
{
    return QFileInfo(folder).path();
}

QString topFolder(QString folder)
{
    for (QString parent = parentFolder(folder); parent != folder; parent = parentFolder(folder))
        folder = parent;
    return folder;
}

bool isWithin(const QString& folder, const QString& root)
{
    if (folder.compare(root, kPathCase) == 0)
        return true;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    return folder.startsWith(prefix, kPathCase);
}

} // namespace

QStringList systemDrives()
{
    QStringList drives;
#ifdef Q_OS_WIN
    for (const QFileInfo& drive : QDir::drives())
        drives << cleanFolder(drive.absoluteFilePath());
#else
    drives << QStringLiteral("/");
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = cleanFolder(volume.rootPath());
        const QByteArray device = volume.device();
        const QByteArray type = volume.fileSystemType();
        // Pseudo file systems (proc, sysfs, tmpfs, ...) and read-only package images hold no games;
        // single files bound into a container are no folders.
        const bool onDevice = device.startsWith("/dev/") && type != "squashfs";
        const bool share = type.startsWith("nfs") || type == "cifs" || type == "smb3" || type == "fuse.sshfs";
        if ((onDevice || share) && QFileInfo(root).isDir() && !drives.contains(root))
            drives << root;
    }
#endif
    return drives;
}

GplFolderDialog::GplFolderDialog(std::string gplFolder, QWidget* parent)
    : GplFolderDialog(std::move(gplFolder), systemDrives(), QDir::currentPath(), parent)
{
}

GplFolderDialog::GplFolderDialog(std::string gplFolder, const QStringList& drives, const QString& startFolder,
                                 QWidget* parent)
    : QDialog(parent), gplFolder_(std::move(gplFolder)), folderWhenOpened_(gplFolder_)
{
    buildControls();

    const QString start = cleanFolder(startFolder);
    for (const QString& drive : drives) {
        const QString root = cleanFolder(drive);
        driveList_->addItem(QDir::toNativeSeparators(root), root);
    }
    if (driveOf(start) < 0) {
        const QString root = topFolder(start);
        driveList_->addItem(QDir::toNativeSeparators(root), root);
    }
    // Opening shows where the program stands and changes nothing: OK waits for a folder with gpl.exe.
    {
        const QSignalBlocker blocker(driveList_);
        driveList_->setCurrentIndex(driveOf(start));
    }
    driveFolders_.insert(driveList_->currentData().toString(), start);
    showFolder(start);

    connect(driveList_, &QComboBox::currentIndexChanged, this, &GplFolderDialog::showDrive);
    connect(folderList_, &QListWidget::itemActivated, this,
            [this](QListWidgetItem* item) { chooseFolder(item->data(kPathRole).toString()); });
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &GplFolderDialog::declareNotInstalled);
}

void GplFolderDialog::buildControls()
{
    setWindowTitle(QStringLiteral("Vantapoint: Where is GPL?"));
    setModal(true);

    hintLabel_ = new QLabel(QStringLiteral("Vantapoint needs the path to the file \"gpl.exe\". "
                                         "Click \"Cancel\" if GPL is not installed on this machine."),
                          this);
    hintLabel_->setObjectName(QStringLiteral("lblHint"));
    hintLabel_->setWordWrap(true);
    driveLabel_ = new QLabel(QStringLiteral("Drives:"), this);
    driveLabel_->setObjectName(QStringLiteral("lblDrive"));
    driveList_ = new QComboBox(this);
    driveList_->setObjectName(QStringLiteral("drvDrive"));
    driveLabel_->setBuddy(driveList_);
    folderLabel_ = new QLabel(QStringLiteral("Folders:"), this);
    folderLabel_->setObjectName(QStringLiteral("lblFolder"));
    folderList_ = new QListWidget(this);
    folderList_->setObjectName(QStringLiteral("dirFolder"));
    folderLabel_->setBuddy(folderList_);
    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("cmdOK"));
    okButton_->setEnabled(false);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cmdCancel"));
    // Enter opens the folder under the cursor; it must not close the dialog as well.
    okButton_->setAutoDefault(false);
    cancelButton_->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(hintLabel_);
    layout->addWidget(driveLabel_);
    layout->addWidget(driveList_);
    layout->addWidget(folderLabel_);
    layout->addWidget(folderList_, 1);
    layout->addLayout(buttons);
    resize(360, 420);
}

int GplFolderDialog::driveOf(const QString& folder) const
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < driveList_->count(); ++i) {
        const QString root = driveList_->itemData(i).toString();
        if (isWithin(folder, root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void GplFolderDialog::showFolder(const QString& folder)
{
    const QString root = driveList_->currentData().toString();

    QStringList chain;
    for (QString step = folder;; step = parentFolder(step)) {
        chain.prepend(step);
        if (step.compare(root, kPathCase) == 0 || parentFolder(step) == step)
            break;
    }

    folderList_->clear();
    const QString indent = QStringLiteral("   ");
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        const QString& step = chain.at(depth);
        const QString name = depth == 0 ? QDir::toNativeSeparators(step) : QFileInfo(step).fileName();
        auto* item = new QListWidgetItem(open, indent.repeated(depth) + name, folderList_);
        item->setData(kPathRole, step);
        if (step == folder)
            folderList_->setCurrentItem(item);
    }
    // A drive that is not ready, or a folder that cannot be read, simply shows no folders below it.
    const QStringList below = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                                     QDir::Name | QDir::IgnoreCase);
    for (const QString& name : below) {
        auto* item = new QListWidgetItem(closed, indent.repeated(chain.size()) + name, folderList_);
        item->setData(kPathRole, cleanFolder(QDir(folder).filePath(name)));
    }
}

void GplFolderDialog::showDrive(int index)
{
    const QString root = driveList_->itemData(index).toString();
    chooseFolder(driveFolders_.value(root, root));
}

void GplFolderDialog::chooseFolder(const QString& folder)
{
    showFolder(folder);
    driveFolders_.insert(driveList_->currentData().toString(), folder);
    gplFolder_ = pathBytes(QDir::toNativeSeparators(folder));
    // A path the configuration file cannot hold could not be kept: refused like a folder without the game.
    gplFound_ = fitsInTextField(gplFolder_) && !checkGplFolder(gplFolder_);
    okButton_->setEnabled(gplFound_);
}

void GplFolderDialog::declareNotInstalled()
{
    gplFolder_ = kGplNotInstalled;
    done(QDialog::Rejected);
}

void GplFolderDialog::reject()
{
    gplFolder_ = folderWhenOpened_;
    QDialog::reject();
}

} // namespace vp
