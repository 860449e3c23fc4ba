#pragma once
// The real main window built on scripted seams in a fresh program folder, with the helpers the
// window tests share: finding controls by name, leaving fields, and CAM files made in memory; and the
// headers they all use.

#include "support/QtTestApp.h"

#include "camdata/CamFile.h"
#include "camdata/CameraDocument.h"
#include "camdata/FileSystem.h"
#include "editor/MainWindow.h"
#include "options/Configuration.h"
#include "support/FakeClock.h"
#include "support/FakeDesktop.h"
#include "support/TempDir.h"
#include "widgets/SpinButton.h"
#include "widgets/TextConversions.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMimeData>
#include <QPushButton>
#include <QStringList>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QWindow>

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

// Readable QString values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace vp::test {

using Texts = std::vector<std::string>;

class MainWindowTest : public ::testing::Test {
protected:
    MainWindowTest()
    {
        QObject::connect(&dialogCloser, &QTimer::timeout, [this] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                closedDialogs << dialog->metaObject()->className();
                dialog->reject();
            }
        });
    }
    ~MainWindowTest() override { QLocale::setDefault(QLocale::c()); }
    // Starts the program; the configuration is written on the first start of a folder.
    MainWindow& start(const std::string& commandLinePath = {});
    // Starts once to write the configuration, then again, with the records of the first start dropped.
    MainWindow& restart(const std::string& commandLinePath = {}) { start(); desktop.clearRecords(); return start(commandLinePath); }

    template <typename Control>
    Control* find(const QString& name) const
    {
        if (window->findChild<Control*>(name) == nullptr)
            window->buildPages(); // on a tab that was not shown yet
        auto* control = window->findChild<Control*>(name);
        EXPECT_NE(control, nullptr) << name.toStdString();
        return control;
    }
    QString text(const QString& name) const { return find<QLineEdit>(name)->text(); }
    void click(const QString& name) { find<QAbstractButton>(name)->click(); }
    // Types into a field the way a user does: it gets the focus, its text is typed over, it loses the focus.
    void type(const QString& name, const QString& typed) { visit(name, &typed); }
    // Passes through a field: it gets the focus and loses it again, nothing typed.
    void pass(const QString& name) { visit(name, nullptr); }
    void visit(const QString& name, const QString* typed);
    void showActive() { window->show(); window->activateWindow(); ASSERT_TRUE(QTest::qWaitForWindowActive(window.get())); }
    QString status() const { return find<QLabel>(QStringLiteral("txtStatusLine"))->text(); }
    bool enabled(const QString& name) const { return find<QWidget>(name)->isEnabled(); }
    SpinButton* selector(const QString& set) const { return find<SpinButton>("UpDown" + set); }
    // Each message box shown so far, as "title: text".
    std::vector<std::string> boxes() const;
    // The status line, whether data is unsaved, and the boxes shown since the last look.
    std::string state();
    // Clicks a button with the file dialog answered by path (none: Cancel).
    void clickWithFile(const QString& button, std::optional<std::string> path) { desktop.dialogAnswers = {std::move(path)}; click(button); }
    // The title as the desktop shows it: the unsaved mark in place of "[*]".
    QString shownTitle() const { window->winId(); return window->windowHandle()->title(); }

    // Drags data onto a control (the window itself when null) and drops it, as a file manager does.
    // True when the drop was taken as a copy.
    bool drop(const QMimeData& data, QWidget* onto = nullptr);

    // Writes doc as a CAM file into the program folder and returns its path.
    std::string camFile(const std::string& name, const CameraDocument& doc) const
    {
        writeBytes(folder.file(name), camFileBytes(doc));
        return folder.file(name);
    }
    // From now on each modal dialog that opens is closed again and its class added to closedDialogs.
    void closeDialogs() { closedDialogs.clear(); dialogCloser.start(1); }

    QApplication& app = testApp();
    TempDir folder;
    FakeDesktop desktop;
    FakeClock clock;
    InputBackend* input = nullptr;
    ProgramLauncher* launcher = nullptr;
    std::unique_ptr<MainWindow> window;
    QStringList statuses;
    QTimer dialogCloser;
    QStringList closedDialogs;
    // Exit and the window's close control end the program alike.
    const std::pair<const char*, std::function<void()>> exitWays[2] = {
        {"Exit", [this] { click("cmdExit"); }}, {"close control", [this] { window->close(); }}};
};

// A document of c1 + c2 cameras: camera k of a set has value #1 = 100 k m and the given mode.
CameraDocument CamDocument(int c1, int c2, bool fixed = true);

} // namespace vp::test
