#pragma once
// The options dialog: every option, edited control by control in the dialog's own copy of the
// options it was opened with. Built afresh on every opening; OK accepts (exec() answers Accepted)
// and options() is then the result; Cancel and the window's close control reject. None of them
// closes it while a script command runs: a recording writes into the copy until F5.

#include "options/DefaultValueBoxes.h"
#include "options/OptionsRecord.h"
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

class Clock;
class InputBackend;
class MouseInput;
class ProgramLauncher;
class ScriptActivity;
class ValueField;
struct RemoteContext;

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
    std::function<void(std::unique_ptr<MouseInput>)> replaceMouseInput;
    // For "Record new script" and "Test script": the launcher starts gpl.exe (without one the launch
    // fails with its message). The recording scales by the desktop size measured at start-up
    // (measured when recording if none is given).
    ProgramLauncher* launcher = nullptr;
    std::optional<ScreenSize> recordingScreen = std::nullopt;
};

class OptionsDialog : public QDialog {
    Q_OBJECT
public:
    // `options` are the options in force; the dialog edits a copy of them.
    OptionsDialog(const OptionsRecord& options, OptionsDialogServices services, QWidget* parent = nullptr);
    ~OptionsDialog() override;

    // The options as the dialog's controls have set them.
    const OptionsRecord& options() const { return options_; }
    // The mouse-input object made on opening; null without an input backend.
    MouseInput* mouseInput() const { return mouseInput_; }
    QPushButton* recordButton() const { return recordButton_; }
    QPushButton* testScriptButton() const { return testScriptButton_; }
    QCheckBox* playScriptBox() const { return playScriptBox_; }

    // OK, Cancel, Escape and the close control all end here.
    void done(int result) override;

private:
    // The placement buttons optValue1_0 and optValue1_1.
    static constexpr int kMiddle = 0;
    static constexpr int kPlaceAtDistance = 1;
    // The shutdown slider runs from 3000 ms ("Slow") to 0 ms ("Fast").
    static constexpr int kShutdownFast = 0;
    static constexpr int kShutdownSlow = 3000;

    void buildControls();
    QWidget* buildGeneralTab();
    QWidget* buildEditingTab();
    QWidget* buildRemoteTab();
    void showOptions();
    void connectControls();
    void bindFlag(QCheckBox* box, bool OptionsRecord::*flag);

    void applyAllSafetyRequests();
    void choosePlacement(int index);
    void storeFixedMode();
    void storeShutdownDelay();
    void commitDefaultValue(int box);
    void changeGplFolder();
    void openManual();
    // The script commands; while one of them runs anywhere, both buttons are disabled.
    void connectScriptCommands();
    void recordScript();
    void testScript();
    RemoteContext scriptContext();
    // "Record new script" and the shutdown slider need a known GPL folder.
    void updateGplControls();
    // "Play script after GPL has started" and "Test script": usable when a script exists (on
    // opening), or as a finished recording decides.
    void setScriptControlsEnabled(bool enabled);

    OptionsRecord options_;
    // "Test script" asks by the information flag in force, not by the one ticked here.
    const bool showInformationInForce_;
    OptionsDialogServices services_;
    MouseInput* mouseInput_ = nullptr;
    int scriptActivityWatch_ = -1;

    QTabWidget* tabs_ = nullptr;
    QCheckBox* allSafetyBox_ = nullptr;
    // chkLoad, chkSafe, chkConfigure, chkRemove, chkExit, chkAssign: the single safety boxes.
    std::array<QCheckBox*, 6> safetyBoxes_{};
    QCheckBox* informationBox_ = nullptr;
    QLabel* gplFolderLabel_ = nullptr;
    QPushButton* changeFolderButton_ = nullptr;
    QCheckBox* fixedSwitchOverBox_ = nullptr;
    // In the middle or at the distance in box 0.
    std::array<QRadioButton*, 2> placementButtons_{};
    std::array<ValueField*, kDefaultValueBoxCount> defaultValueFields_{};
    QCheckBox* fixedModeBox_ = nullptr;
    // Holds the record and test buttons: disabled while a script command runs, so that their own
    // enabling rules stay as they are underneath.
    QWidget* scriptCommands_ = nullptr;
    QPushButton* recordButton_ = nullptr;
    QCheckBox* playScriptBox_ = nullptr;
    QPushButton* testScriptButton_ = nullptr;
    QScrollBar* shutdownSlider_ = nullptr;
    QPushButton* okButton_ = nullptr;
    QPushButton* cancelButton_ = nullptr;
    QPushButton* helpButton_ = nullptr;
};

} // namespace vp
