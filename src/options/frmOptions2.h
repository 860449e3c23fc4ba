#pragma once
// The options dialog: every option of the working options, edited in place control by control.
// Built afresh on every opening; OK accepts (exec() answers Accepted), Cancel and the window's close
// control reject.

#include "options/DefaultValueBoxes.h"
#include "options/OptionsRecord.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>
#include <string>

class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QTabWidget;

namespace vp {

class CMouseEvent;
class Clock;
class Desktop;
class InputBackend;

struct OptionsDialogServices {
    Desktop& desktop;
    Clock& clock;
    // The synthetic-input backend; without one no mouse-input object is made.
    InputBackend* input = nullptr;
    // Folder of the program, where the manual lives.
    std::string programFolder;
    // Receives the mouse-input object made on opening; the main window keeps it as its shared one.
    // Without an input backend or a receiver no such object is made.
    std::function<void(std::unique_ptr<CMouseEvent>)> replaceMouseEvent;
};

class frmOptions2 : public QDialog {
    Q_OBJECT
public:
    frmOptions2(OptionsRecord& working, OptionsDialogServices services, QWidget* parent = nullptr);

    // For the click-script commands of the "GPL remote" tab.
    OptionsRecord& working() { return working_; }
    Desktop& desktop() { return services_.desktop; }
    Clock& clock() { return services_.clock; }
    InputBackend* input() { return services_.input; }
    // The mouse-input object made on opening; null without an input backend.
    CMouseEvent* mouseEvent() { return mouseEvent_; }
    QPushButton* cmdConfigure() { return cmdConfigure_; }
    QPushButton* cmdTest() { return cmdTest_; }
    QCheckBox* chkPlayScript() { return chkPlayScript_; }
    // "Play script after GPL has started" and "Test script": usable when a script exists (on
    // opening), or as a finished recording decides.
    void UpdateScriptControls();
    void SetScriptControlsEnabled(bool enabled);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

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
    void txtDefaultValue_GotFocus(int box, bool byMouse);
    void txtDefaultValue_LostFocus(int box);
    void cmdChange_Click();
    void cmdHelp_Click();
    // "Record new script" and the shutdown slider need a known GPL folder.
    void UpdateGplControls();
    int DefaultValueBoxOf(const QObject* object) const;
    void BindFlag(QCheckBox* box, bool OptionsRecord::*flag);

    OptionsRecord& working_;
    OptionsDialogServices services_;
    CMouseEvent* mouseEvent_ = nullptr;
    // A box that took the focus by a mouse press keeps its whole text selected through that press.
    QLineEdit* selectThroughPress_ = nullptr;

    QTabWidget* sstOptions_ = nullptr;
    QCheckBox* chkAll_ = nullptr;
    // chkLoad, chkSafe, chkConfigure, chkRemove, chkExit, chkAssign: the single safety boxes.
    std::array<QCheckBox*, 6> safetyBoxes_{};
    QCheckBox* chkInformation_ = nullptr;
    QLabel* lblGPLFolder_ = nullptr;
    QPushButton* cmdChange_ = nullptr;
    QCheckBox* chkFixedSwitchOver_ = nullptr;
    std::array<QRadioButton*, 2> optValue1_{};
    std::array<QLineEdit*, kDefaultValueBoxCount> txtDefaultValue_{};
    QCheckBox* chkValue5_ = nullptr;
    QPushButton* cmdConfigure_ = nullptr;
    QCheckBox* chkPlayScript_ = nullptr;
    QPushButton* cmdTest_ = nullptr;
    QScrollBar* hscShutdown_ = nullptr;
    QPushButton* cmdOK_ = nullptr;
    QPushButton* cmdCancel_ = nullptr;
    QPushButton* cmdHelp_ = nullptr;
};

} // namespace vp
