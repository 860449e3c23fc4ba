#pragma once
// The program's main window: the camera editor on its three tabs, the command buttons and the
// status line. It owns the camera document, the options in force and the shared mouse-input object
// for the whole run, and runs the start-up sequence in its constructor, before it is first shown.

#include "camdata/CameraDocument.h"
#include "editor/EditorServices.h"
#include "options/OptionsRecord.h"
#include "remote/MouseInput.h"
#include "remote/ScriptActivity.h"
#include "seams/Desktop.h"

#include <QList>
#include <QSize>
#include <QString>
#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QMimeData;
class QGroupBox;
class QPushButton;
class QShortcut;
class QTabWidget;
class QToolButton;

namespace vp {

class CameraSetPanel;
class ChecksList;
class LapStrip;
class LazyPage;
class PitLanePanel;
struct Finding;
struct CamFileError;
struct SlotOutcome;
struct FileDialogSpec;

// The main window's outer size in its normal state: 11175 x 9300 twips (the camera editor's
// 11175 x 7620 and the lap strip below it), rounded to whole pixels at the given dots per inch.
QSize fixedOuterSize(int dotsPerInchX, int dotsPerInchY);

class MainWindow : public QWidget {
    Q_OBJECT

public:
    // commandLinePath: the CAM file named on the command line, already unquoted; empty for none.
    MainWindow(EditorServices services, std::string commandLinePath, QWidget* parent = nullptr);
    ~MainWindow() override;

    // Replaces the one line of the status field; the newest message wins.
    void showStatus(const QString& text);
    // Shows the current camera of a TV set, or the pit-lane camera.
    void showCamera(CamSet set);
    void showPitLaneCamera();

    const EditorServices& services() const { return services_; }
    CameraDocument& document() { return document_; }
    // Whether the document holds a change that has not been saved: the window's modified mark,
    // which the title shows.
    bool isModified() const { return isWindowModified(); }
    // The folder the file dialog opens in, and the file last chosen there.
    const std::string& camFolder() const { return camFolder_; }
    const std::string& camFileName() const { return camFileName_; }
    // The options in force: the commands consult them, Vantapoint.cfg stores them.
    OptionsRecord& options() { return options_; }
    ScriptActivity& scriptActivity() { return scriptActivity_; }
    // The shared synthetic mouse; null where the platform has none.
    MouseInput* mouseInput() const { return mouseInput_.get(); }

    CameraSetPanel& setPanel(CamSet set) const;
    // Made when its tab is first shown, or here when asked for first.
    PitLanePanel& pitLanePanel();
    // Makes the pages that wait for their first showing, for those that look controls up by name.
    void buildPages();

    // The outer size the window keeps in its normal state: 11175 x 9300 twips at the screen's DPI.
    QSize fixedOuterSize() const;

signals:
    // Every text written to the status line, also those that a later one replaces at once.
    void statusShown(const QString& text);
    // The document's contents changed: an edit, a spinner step, a mode, an insert or remove,
    // "Assign to all", a loaded file, the start-up document.
    void documentChanged();

protected:
    void changeEvent(QEvent* event) override;
    // Exit and the window's close control end the program the same way: with unsaved data and
    // askBeforeExit, only after the question was answered with OK. During a script command's wait
    // the command is stopped first, without sending GPL any more input, and the window closes after it.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    // Any drag is welcome: what cannot be loaded is refused with a reason once it is dropped.
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    // The window's text fields give way to its camera keys and to dropped files.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildWindow();
    QWidget* buildCommandColumn();
    void runStartup(const std::string& commandLinePath);
    void applyFixedSize();
    // Every change to the document goes through here, so none can leave it looking saved.
    void markModified();
    void setModified(bool modified);
    // The title names the file whose data the document holds, once one was loaded or saved.
    void showFileInTitle(const std::string& path);

    bool exitConfirmed();
    void openManual();
    void openHomepage();

    // Load and Save (MainWindowFiles.cpp).
    void loadCamFile();
    void saveCamFile();
    // Load of a dropped file: one local *.cam file, else a refusal. True when it was loaded.
    bool loadDroppedFile(const QMimeData& data);
    // Load replaces the document: with unsaved data and askBeforeLoad only after the question's OK.
    bool replacingConfirmed();
    // Reads a CAM file into the document with progress texts and the outcome's message, then
    // shows camera 1 of each set and the pit-lane camera.
    void loadFrom(const std::string& path);
    FileDialogSpec camFileDialog(bool forSaving) const;
    void reportCamFileError(const QString& command, const CamFileError& error);

    // Options: the dialog edits a copy of the options in force; OK adopts and saves it.
    void editOptions();
    void adoptOptions(const OptionsRecord& options);

    // "Test" and what may run while a script command runs (MainWindowRemote.cpp).
    void testCameras();
    // "Test" needs a known GPL folder and no script command running.
    void updateTestButton();
    void scriptActivityChanged(bool running);
    // A command the running script command shuts out beeps and says why; true when it was refused.
    bool refusedDuringScript(GatedCommand command);

    // The keyboard's shortcuts (MainWindowKeys.cpp). Each first commits the field being typed into,
    // as leaving it would, so no typed entry is lost.
    void connectKeys();
    // Text fields keep the camera keys for the window and take dropped files as the window does.
    void watchFields(QWidget& container);
    void commitEditedField();
    // The next (1) or previous (-1) tab, round and round.
    void showNeighbourTab(int direction);
    enum class CameraMove { First, Previous, Next, Last };
    // Within the TV set shown; nothing happens at either end or on the pit-lane tab.
    void moveCamera(CameraMove move);

    // Typing and stepping values, and the slot commands of both TV sets (MainWindowEditing.cpp).
    void connectEditing();
    void commitTypedValue(CamSet set, int row);
    void stepValue(CamSet set, int row);
    void commitTypedPitLaneValue(int row);
    void stepPitLaneValue(int row);
    void insertCameraBefore(CamSet set);
    void insertCameraBehind(CamSet set);
    void removeCamera(CamSet set);
    void assignToAll(CamSet set, int row);
    // The pit-lane tab's contents, joined to the editing and showing the pit-lane camera.
    QWidget* buildPitLanePanel(QWidget& page);
    // The lap strip and the list of checks (MainWindowLap.cpp), both following every document change.
    QWidget* buildLapView();
    QWidget* buildChecksList(QWidget& page);
    void refreshLapView();
    // Shows the set's tab with the camera current.
    void goToCamera(CamSet set, int camera);
    // Goes to the camera of a finding and into the field of its value where that can be typed into.
    void goToFinding(const Finding& finding);

    // True only when the safety question is answered with OK; otherwise the status says so.
    bool confirmed(const std::string& question);
    // A refused slot command beeps and says why; true when it was refused.
    bool refused(const SlotOutcome& outcome);

    EditorServices services_;
    CameraDocument document_;
    std::string camFolder_;
    std::string camFileName_;
    OptionsRecord options_;
    ScreenSize screenSize_;
    // Null where the platform has no synthetic input.
    std::unique_ptr<MouseInput> mouseInput_;
    // Whether a script command ("Test", "Record new script", "Test script") is running.
    ScriptActivity scriptActivity_;
    // The window was closed while a script command waited: it closes once the command has ended.
    bool closeAfterScript_ = false;

    QTabWidget* tabs_ = nullptr;
    CameraSetPanel* tv1Panel_ = nullptr;
    CameraSetPanel* tv2Panel_ = nullptr;
    LazyPage* pitLanePage_ = nullptr;
    QPushButton* loadButton_ = nullptr;
    QPushButton* saveButton_ = nullptr;
    QPushButton* optionsButton_ = nullptr;
    QPushButton* testButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
    QPushButton* exitButton_ = nullptr;
    QToolButton* homepageButton_ = nullptr;
    QLabel* makerLabel_ = nullptr;
    QGroupBox* statusBox_ = nullptr;
    QGroupBox* lapBox_ = nullptr;
    LapStrip* lapStrip_ = nullptr;
    LazyPage* checksPage_ = nullptr;
    QLabel* statusLine_ = nullptr;
    // Enabled while a TV set's tab is shown.
    QList<QShortcut*> cameraKeys_;
};

} // namespace vp
