#include "options/GplFolderDialog.h"

#include "support/QtTestApp.h"
#include "support/TempDir.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

namespace vp {
namespace {

class GplFolderDialogTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { test::testApp(); }

    void SetUp() override
    {
        // Drive A holds the game at its top, drive B deeper down; drive C is not there at all.
        for (const char* folder : {"a/sub", "b/games/gpl", "b/fake/gpl.exe"})
            std::filesystem::create_directories(root.file(folder));
        test::writeBytes(root.file("a/gpl.exe"), {'M', 'Z'});
        test::writeBytes(root.file("b/games/gpl/gpl.exe"), {'M', 'Z'});
        drives = {Folder("a"), Folder("b"), Folder("c")};
    }

    QString Folder(const QString& relative) const { return QDir::cleanPath(QString::fromStdString(root.path()) + '/' + relative); }
    static std::string Stored(const QString& folder) { return QDir::toNativeSeparators(folder).toStdString(); }

    std::unique_ptr<GplFolderDialog> Open(const QString& start)
    {
        auto dialog = std::make_unique<GplFolderDialog>(opened, drives, start);
        dialog->show();
        return dialog;
    }

    static QListWidget* List(QWidget& dialog) { return dialog.findChild<QListWidget*>("dirFolder"); }
    static QPushButton* Ok(QWidget& dialog) { return dialog.findChild<QPushButton*>("cmdOK"); }
    static QComboBox* Drives(QWidget& dialog) { return dialog.findChild<QComboBox*>("drvDrive"); }

    // Opens the folder list's entry named `name` as the user does: select it and press Enter.
    static void Activate(QWidget& dialog, const QString& name)
    {
        QListWidget* list = List(dialog);
        int row = 0;
        while (row < list->count() && list->item(row)->text().trimmed() != name)
            ++row;
        ASSERT_LT(row, list->count()) << "no folder entry " << name.toStdString();
        list->setCurrentRow(row);
        QTest::keyClick(list, Qt::Key_Return);
    }

    test::TempDir root;
    QStringList drives;
    std::string opened = "GPL not installed";
};

TEST_F(GplFolderDialogTest, OpeningShowsTheCurrentFolderAndEveryFolderOrDriveShownIsWrittenAndCheckedAtOnce)
{
    opened = "/old/gpl";
    auto dialog = Open(Folder("a"));
    EXPECT_EQ(dialog->windowTitle(), "Vantapoint: Where is GPL?");
    EXPECT_EQ(dialog->findChild<QLabel*>("lblHint")->text(),
              "Vantapoint needs the path to the file \"gpl.exe\". Click \"Cancel\" if GPL is not installed on this machine.");
    for (const QString& shown : {Drives(*dialog)->currentText(), List(*dialog)->currentItem()->text().trimmed()})
        EXPECT_EQ(shown, QDir::toNativeSeparators(Folder("a")));
    EXPECT_EQ(List(*dialog)->item(List(*dialog)->count() - 1)->text().trimmed(), "sub");
    EXPECT_FALSE(Ok(*dialog)->isEnabled() || dialog->gplFound());
    EXPECT_EQ(dialog->gplFolder(), "/old/gpl") << "opening changes nothing";

    dialog = Open(Folder("b"));
    ASSERT_EQ(Drives(*dialog)->count(), 3);
    // The entry opened or the drive chosen (which goes to its current folder), the folder written,
    // whether OK is offered. Drive C is not ready: nothing below it, no game, the dialog goes on.
    const std::tuple<QString, int, const char*, bool> steps[] = {
        {"games", -1, "b/games", false}, {"gpl", -1, "b/games/gpl", true}, {"games", -1, "b/games", false},
        {QDir::toNativeSeparators(Folder("b")), -1, "b", false}, {"fake", -1, "b/fake", false} /* its gpl.exe is a folder */,
        {"", 0, "a", true}, {"", 1, "b/fake", false}, {"", 2, "c", false}, {"", 0, "a", true}};
    for (const auto& [entry, drive, folder, ok] : steps) {
        drive < 0 ? Activate(*dialog, entry) : Drives(*dialog)->setCurrentIndex(drive);
        EXPECT_EQ(std::pair(dialog->gplFolder(), Ok(*dialog)->isEnabled()), std::pair(Stored(Folder(folder)), ok)) << folder;
    }
    Drives(*dialog)->setCurrentIndex(2);
    EXPECT_EQ(List(*dialog)->count(), 1);
    EXPECT_TRUE(dialog->isVisible()) << "Enter opens a folder, it does not press OK";
}

TEST_F(GplFolderDialogTest, OkKeepsTheFolderCancelForgetsItTheCloseControlRestoresIt)
{
    opened = "/old/gpl";
    const std::pair<const char*, std::string> cases[] = {
        {"cmdOK", Stored(Folder("b/games/gpl"))}, {"cmdCancel", "GPL not installed"}, {"close", "/old/gpl"}};
    for (const auto& [how, expected] : cases) {
        auto dialog = Open(Folder("b/games"));
        Activate(*dialog, "gpl");
        if (std::string(how) == "close")
            dialog->close();
        else
            dialog->findChild<QPushButton*>(how)->click();
        EXPECT_EQ(std::pair(dialog->isVisible(), dialog->gplFolder()), std::pair(false, expected)) << how;
    }
}

} // namespace
} // namespace vp
