#pragma once
// The program's main window: the camera editor on its three tabs, the command buttons and the
// status line. It owns the editor state for the whole run and runs the start-up sequence in its
// constructor, before it is first shown.

#include "editor/EditorServices.h"
#include "editor/EditorState.h"

#include <QSize>
#include <QString>
#include <QWidget>

#include <memory>
#include <string>

class QLabel;
class QGroupBox;
class QPushButton;
class QTabWidget;
class QToolButton;

namespace vp {

class PitPanel;
class TvSetPanel;
struct CamFileError;
struct SlotOutcome;
struct FileDialogSpec;

// The main window's outer size in its normal state: 11175 x 7620 twips, rounded to whole pixels at
// the given dots per inch.
QSize FixedOuterSize(int dotsPerInchX, int dotsPerInchY);

class frmMain : public QWidget {
    Q_OBJECT

public:
    // commandLinePath: the CAM file named on the command line, already unquoted; empty for none.
    frmMain(EditorServices services, std::string commandLinePath, QWidget* parent = nullptr);
    ~frmMain() override;

    // Replaces the one line of the status field; the newest message wins.
    void ShowStatus(const QString& text);

    void ShowTV1Cam();
    void ShowTV2Cam();
    void ShowPitlaneCam();

    const EditorServices& services() const { return services_; }
    EditorState& state() { return state_; }
    CameraDocument& document() { return state_.document; }
    bool DataSaved() const { return state_.DataSaved; }
    std::string& CAMPath() { return state_.CAMPath; }
    std::string& CAMFileName() { return state_.CAMFileName; }
    bool& AcceptOptions() { return state_.AcceptOptions; }
    const std::string& ProgramFolder() const { return state_.ProgramFolder; }
    OptionsRecord& storedOptions() { return state_.storedOptions; }
    OptionsRecord& workingOptions() { return state_.workingOptions; }
    std::int32_t ScreenWidth() const { return state_.ScreenWidth; }
    std::int32_t ScreenHeight() const { return state_.ScreenHeight; }
    // The shared synthetic mouse; null where the platform has none.
    MouseInput* mouse() const { return state_.mouse.get(); }
    void setMouse(std::unique_ptr<MouseInput> mouse);

    TvSetPanel& tvPanel(CamSet set) const;
    PitPanel& pitPanel() const { return *pit_; }

    // The outer size the window keeps in its normal state: 11175 x 7620 twips at the screen's DPI.
    QSize fixedOuterSize() const;

signals:
    // Every text written to the status line, also those that a later one replaces at once.
    void statusShown(const QString& text);

protected:
    void changeEvent(QEvent* event) override;
    // Exit and the window's close control end the program the same way: with unsaved data and
    // askBeforeExit, only after the question was answered with OK. During a script command's wait the
    // command is stopped first, without sending GPL any more input, and the window closes after it.
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    QWidget* buildCommandColumn();
    void runStartup(const std::string& commandLinePath);
    void applyFixedSize();

    void cmdLoadCAMFile_Click();
    void cmdSaveCAMFile_Click();
    void cmdExit_Click();
    bool ExitConfirmed();
    void cmdHelp_Click();
    void cmdVisitHP_Click();
    // Options: the dialog on the working options; OK adopts and saves them, anything else discards them.
    void cmdOptions_Click();
    void cmdTestCams_Click();
    // "Test" needs a known GPL folder and no script command running.
    void EnableTestCams();
    void ScriptActivity_Change(bool running);
    // A command the running script command shuts out beeps and says why; true when it was refused.
    bool refusedDuringScript(GatedCommand command);
    void AdoptWorkingOptions();

    // Reads a CAM file into the document with progress texts and the outcome's message, then
    // shows camera 1 of each set and the pit-lane camera.
    void ReadNamedCamFile(const std::string& path);
    FileDialogSpec CommonDialog1(bool forSaving) const;
    void reportCamFileError(const QString& command, const CamFileError& error);

    // Typing and stepping values, and the slot commands of both TV sets (frmMainEditing.cpp).
    void connectEditing();
    void txtTVCamData_LostFocus(CamSet set, int Index);
    void UpDownValueTV_Change(CamSet set, int Index);
    void txtPitlaneCamData_LostFocus(int Index);
    void UpDownValuePit_Change(int Index);
    void cmdAddTVBefore_Click(CamSet set);
    void cmdAddTVBehind_Click(CamSet set);
    void cmdRemoveTV_Click(CamSet set);
    void cmdAssignToAllTV_Click(CamSet set, int Index);
    // True only when the safety question is answered with OK; otherwise the status says so.
    bool confirmed(const std::string& question);
    // A refused slot command beeps and says why; true when it was refused.
    bool refused(const SlotOutcome& outcome);

    EditorServices services_;
    EditorState state_;

    QTabWidget* sstCamData_ = nullptr;
    TvSetPanel* tv1_ = nullptr;
    TvSetPanel* tv2_ = nullptr;
    PitPanel* pit_ = nullptr;
    QPushButton* cmdLoadCAMFile_ = nullptr;
    QPushButton* cmdSaveCAMFile_ = nullptr;
    QPushButton* cmdOptions_ = nullptr;
    QPushButton* cmdTestCams_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
    QPushButton* cmdExit_ = nullptr;
    QToolButton* cmdVisitHP_ = nullptr;
    QLabel* lblDevelop_ = nullptr;
    QGroupBox* frStatus_ = nullptr;
    QLabel* txtStatusLine_ = nullptr;
    // The window was closed while a script command waited: it closes once the command has ended.
    bool closeAfterScript_ = false;
};

} // namespace vp
