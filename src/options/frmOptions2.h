#pragma once
// The options dialog: every option of the working options, edited in place control by control.
// Built afresh on every opening; OK accepts (exec() answers Accepted), Cancel and the window's close
// control reject. None of them closes it while a script command runs: a recording writes into the
// working options until F5.

#include "options/DefaultValueBoxes.h"
#include "options/OptionsRecord.h"
#include "remote/ScriptCommands.h"
#include "seams/Desktop.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace vp {

class MouseInput;
class Clock;
class Desktop;
class FieldEdit;
class InputBackend;

struct OptionsDialogServices {
    Desktop& desktop;
    Clock& clock;
    // The main window's: one script command runs at a time in the whole program, and it decides
    // what else may run meanwhile.
    ScriptActivity& scriptActivity;
    // The synthetic-input backend; without one no mouse-input object is made.
    InputBackend* input = nullptr;
    // The manual Help opens.
    std::string manual;
    // Receives the mouse-input object made on opening; the main window keeps it as its shared one.
    // Without an input backend or a receiver no such object is made.
    std::function<void(std::unique_ptr<MouseInput>)> replaceMouseEvent;
    // For "Record new script" and "Test script". The launcher starts gpl.exe (without one the
    // launch fails with its message). "Test script" asks by the stored showInformation (a dialog
    // given no stored options has only the working ones). The recording scales by the desktop size
    // measured at start-up (measured when recording if none is given).
    ProgramLauncher* launcher = nullptr;
    const OptionsRecord* storedOptions = nullptr;
    std::optional<ScreenSize> recordingScreen = std::nullopt;
};

class frmOptions2 : public QDialog {
    Q_OBJECT
public:
    frmOptions2(OptionsRecord& working, OptionsDialogServices services, QWidget* parent = nullptr);
    ~frmOptions2() override;

    // For the click-script commands of the "GPL remote" tab.
    OptionsRecord& working() { return working_; }
    Desktop& desktop() { return services_.desktop; }
    Clock& clock() { return services_.clock; }
    InputBackend* input() { return services_.input; }
    // The mouse-input object made on opening; null without an input backend.
    MouseInput* mouseEvent() { return mouseEvent_; }
    QPushButton* cmdConfigure() { return cmdConfigure_; }
    QPushButton* cmdTest() { return cmdTest_; }
    QCheckBox* chkPlayScript() { return chkPlayScript_; }
    // "Play script after GPL has started" and "Test script": usable when a script exists (on
    // opening), or as a finished recording decides.
    void UpdateScriptControls();
    void SetScriptControlsEnabled(bool enabled);

    // OK, Cancel, Escape and the close control all end here.
    void done(int result) override;

private:
    void BuildControls();
    QWidget* BuildGeneralTab();
    QWidget* BuildEditingTab();
    QWidget* BuildRemoteTab();
    void Form_Load();
    void ConnectHandlers();

    void chkAll_Click();
    void optValue1_Click(int index);
    void chkValue5_Click();
    void hscShutdown_Change();
    void txtDefaultValue_LostFocus(int box);
    void cmdChange_Click();
    void cmdHelp_Click();
    // The script commands; while one of them runs anywhere, both buttons are disabled.
    void ConnectScriptCommands();
    void cmdConfigure_Click();
    void cmdTest_Click();
    RemoteContext ScriptContext();
    // "Record new script" and the shutdown slider need a known GPL folder.
    void UpdateGplControls();
    void BindFlag(QCheckBox* box, bool OptionsRecord::*flag);

    OptionsRecord& working_;
    OptionsDialogServices services_;
    MouseInput* mouseEvent_ = nullptr;
    int scriptActivityWatch_ = -1;

    QTabWidget* sstOptions_ = nullptr;
    QCheckBox* chkAll_ = nullptr;
    // chkLoad, chkSafe, chkConfigure, chkRemove, chkExit, chkAssign: the single safety boxes.
    std::array<QCheckBox*, 6> safetyBoxes_{};
    QCheckBox* chkInformation_ = nullptr;
    QLabel* lblGPLFolder_ = nullptr;
    QPushButton* cmdChange_ = nullptr;
    QCheckBox* chkFixedSwitchOver_ = nullptr;
    std::array<QRadioButton*, 2> optValue1_{};
    std::array<FieldEdit*, kDefaultValueBoxCount> txtDefaultValue_{};
    QCheckBox* chkValue5_ = nullptr;
    // Holds cmdConfigure and cmdTest: disabled while a script command runs, so that their own
    // enabling rules stay as they are underneath.
    QWidget* scriptCommands_ = nullptr;
    QPushButton* cmdConfigure_ = nullptr;
    QCheckBox* chkPlayScript_ = nullptr;
    QPushButton* cmdTest_ = nullptr;
    QScrollBar* hscShutdown_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
};

} // namespace vp
