#include "options/frmGPLPath.h"

#include "camdata/FileSystem.h"
#include "options/Configuration.h"

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


namespace vp {

namespace {

constexpr int kPathRole = Qt::UserRole;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity kPathCase = Qt::CaseSensitive;
#endif

QString CleanFolder(const QString& folder)
{
    return QDir::cleanPath(QDir(folder).absolutePath());
}

// The folder above `folder`, or `folder` itself at the top of the file system.
QString ParentFolder(const QString& folder)
{
    return QFileInfo(folder).path();
}

QString TopFolder(QString folder)
{
    for (QString parent = ParentFolder(folder); parent != folder; parent = ParentFolder(folder))
        folder = parent;
    return folder;
}

bool IsWithin(const QString& folder, const QString& root)
{
    if (folder.compare(root, kPathCase) == 0)
        return true;
    const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
    return folder.startsWith(prefix, kPathCase);
}

} // namespace

QStringList SystemDrives()
{
    QStringList drives;
#ifdef Q_OS_WIN
    for (const QFileInfo& drive : QDir::drives())
        drives << CleanFolder(drive.absoluteFilePath());
#else
    drives << QStringLiteral("/");
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        const QString root = CleanFolder(volume.rootPath());
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

frmGPLPath::frmGPLPath(OptionsRecord& working, QWidget* parent)
    : frmGPLPath(working, SystemDrives(), QDir::currentPath(), parent)
{
}

frmGPLPath::frmGPLPath(OptionsRecord& working, const QStringList& drives, const QString& startFolder,
                       QWidget* parent)
    : QDialog(parent), working_(working), pathWhenOpened_(working.gplFolder)
{
    BuildControls();

    const QString start = CleanFolder(startFolder);
    for (const QString& drive : drives) {
        const QString root = CleanFolder(drive);
        drvDrive_->addItem(QDir::toNativeSeparators(root), root);
    }
    if (DriveOf(start) < 0) {
        const QString root = TopFolder(start);
        drvDrive_->addItem(QDir::toNativeSeparators(root), root);
    }
    // Opening shows where the program stands and changes nothing: OK waits for a folder with gpl.exe.
    {
        const QSignalBlocker blocker(drvDrive_);
        drvDrive_->setCurrentIndex(DriveOf(start));
    }
    driveFolders_.insert(drvDrive_->currentData().toString(), start);
    ShowFolder(start);

    connect(drvDrive_, &QComboBox::currentIndexChanged, this, &frmGPLPath::drvDrive_Change);
    connect(dirFolder_, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        const QString folder = item->data(kPathRole).toString();
        dirFolder_Change(folder);
    });
    connect(cmdOK_, &QPushButton::clicked, this, &frmGPLPath::cmdOK_Click);
    connect(cmdCancel_, &QPushButton::clicked, this, &frmGPLPath::cmdCancel_Click);
}

void frmGPLPath::BuildControls()
{
    setWindowTitle(QStringLiteral("Vantapoint: Where is GPL?"));
    setModal(true);

    lblHint_ = new QLabel(QStringLiteral("Vantapoint needs the path to the file \"gpl.exe\". "
                                         "Click \"Cancel\" if GPL is not installed on this machine."),
                          this);
    lblHint_->setObjectName(QStringLiteral("lblHint"));
    lblHint_->setWordWrap(true);
    lblDrive_ = new QLabel(QStringLiteral("Drives:"), this);
    lblDrive_->setObjectName(QStringLiteral("lblDrive"));
    drvDrive_ = new QComboBox(this);
    drvDrive_->setObjectName(QStringLiteral("drvDrive"));
    lblDrive_->setBuddy(drvDrive_);
    lblFolder_ = new QLabel(QStringLiteral("Folders:"), this);
    lblFolder_->setObjectName(QStringLiteral("lblFolder"));
    dirFolder_ = new QListWidget(this);
    dirFolder_->setObjectName(QStringLiteral("dirFolder"));
    lblFolder_->setBuddy(dirFolder_);
    cmdOK_ = new QPushButton(QStringLiteral("OK"), this);
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setEnabled(false);
    cmdCancel_ = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel_->setObjectName(QStringLiteral("cmdCancel"));
    // Enter opens the folder under the cursor; it must not close the dialog as well.
    cmdOK_->setAutoDefault(false);
    cmdCancel_->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblHint_);
    layout->addWidget(lblDrive_);
    layout->addWidget(drvDrive_);
    layout->addWidget(lblFolder_);
    layout->addWidget(dirFolder_, 1);
    layout->addLayout(buttons);
    resize(360, 420);
}

int frmGPLPath::DriveOf(const QString& folder) const
{
    int best = -1;
    qsizetype bestLength = -1;
    for (int i = 0; i < drvDrive_->count(); ++i) {
        const QString root = drvDrive_->itemData(i).toString();
        if (IsWithin(folder, root) && root.size() > bestLength) {
            best = i;
            bestLength = root.size();
        }
    }
    return best;
}

void frmGPLPath::ShowFolder(const QString& folder)
{
    folder_ = folder;
    const QString root = drvDrive_->currentData().toString();

    QStringList chain;
    for (QString step = folder;; step = ParentFolder(step)) {
        chain.prepend(step);
        if (step.compare(root, kPathCase) == 0 || ParentFolder(step) == step)
            break;
    }

    dirFolder_->clear();
    const QString indent = QStringLiteral("   ");
    const QIcon open = style()->standardIcon(QStyle::SP_DirOpenIcon);
    const QIcon closed = style()->standardIcon(QStyle::SP_DirClosedIcon);
    for (qsizetype depth = 0; depth < chain.size(); ++depth) {
        const QString& step = chain.at(depth);
        const QString name = depth == 0 ? QDir::toNativeSeparators(step) : QFileInfo(step).fileName();
        auto* item = new QListWidgetItem(open, indent.repeated(depth) + name, dirFolder_);
        item->setData(kPathRole, step);
        if (step == folder)
            dirFolder_->setCurrentItem(item);
    }
    // A drive that is not ready, or a folder that cannot be read, simply shows no folders below it.
    const QStringList below = QDir(folder).entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden,
                                                     QDir::Name | QDir::IgnoreCase);
    for (const QString& name : below) {
        auto* item = new QListWidgetItem(closed, indent.repeated(chain.size()) + name, dirFolder_);
        item->setData(kPathRole, CleanFolder(QDir(folder).filePath(name)));
    }
}

void frmGPLPath::drvDrive_Change(int index)
{
    const QString root = drvDrive_->itemData(index).toString();
    dirFolder_Change(driveFolders_.value(root, root));
}

void frmGPLPath::dirFolder_Change(const QString& folder)
{
    ShowFolder(folder);
    driveFolders_.insert(drvDrive_->currentData().toString(), folder);
    working_.gplFolder = PathBytes(QDir::toNativeSeparators(folder));
    CheckGplExe();
    cmdOK_->setEnabled(gplFound_);
}

void frmGPLPath::CheckGplExe()
{
    // A path the configuration file cannot hold could not be kept: refused like a folder without the game.
    gplFound_ = fitsInTextField(working_.gplFolder) && !checkGplFolder(working_.gplFolder);
}

void frmGPLPath::cmdOK_Click()
{
    done(QDialog::Accepted);
}

void frmGPLPath::cmdCancel_Click()
{
    working_.gplFolder = kGplNotInstalled;
    done(QDialog::Rejected);
}

void frmGPLPath::reject()
{
    working_.gplFolder = pathWhenOpened_;
    QDialog::reject();
}

} // namespace vp
