#pragma once
// One TV camera set on its tab: the fourteen values of the current camera with their spinners and
// "Assign to all" buttons, the mode box, and the navigation line "Cam # [index] of [count]" with
// the camera selector and the insert and remove buttons. Built once for TV1 and once for TV2;
// the set's name is part of every object name ("txtTV1CamData_0"). The value rows, most of the
// panel, are made when the panel is first shown or one of them is asked for; until then the
// panel keeps the camera's mode as the mode box would show it.

#include "camdata/CameraDocument.h"
#include "widgets/ControlNames.h"
#include "camdata/ValueTables.h"

#include <QString>
#include <QWidget>

#include <array>

class QCheckBox;
class QLabel;
class QPushButton;
class QVBoxLayout;

namespace vp {

class Desktop;
class LazyPage;
class SpinButton;
class ValueField;

class CameraSetPanel : public QWidget {
    Q_OBJECT

public:
    CameraSetPanel(CamSet set, CameraDocument& document, Desktop& desktop, QWidget* parent = nullptr);

    CamSet set() const { return set_; }
    // "TV1" or "TV2", as the set's messages name it.
    QString setName() const;
    // The camera shown, 1..count (0 only while the set is empty). The selector shows it.
    int currentCamera() const { return currentCamera_; }

    // Shows the current camera: values, spinners, the mode box (which runs its handling when the
    // camera's mode differs from the one shown) and the count field.
    void showCamera();
    // Makes camera k current (held to the set) and shows it.
    void selectCamera(int k);
    // Makes the selector's upper bound the set's count; a current camera above it moves down to it.
    void setCameraCount(int count);
    // After the set was replaced: the selector's bound follows the count and camera 1 is shown.
    void showFirstCamera();

    // The value rows' controls, made now if they were not yet.
    void buildValueRows();
    ValueField* valueField(int index) { buildValueRows(); return controlAt(fields_, index); }
    QLabel* caption(int index) { buildValueRows(); return controlAt(captions_, index); }
    SpinButton* valueSpinner(int index) { buildValueRows(); return controlAt(spinners_, index); }
    QPushButton* assignButton(int index) { buildValueRows(); return controlAt(assignButtons_, index); }
    QCheckBox* modeBox() { buildValueRows(); return modeBox_; }
    SpinButton* selector() const { return selector_; }
    ValueField* indexField() const { return indexField_; }
    ValueField* countField() const { return countField_; }
    QPushButton* addBeforeButton() const { return addBeforeButton_; }
    QPushButton* addBehindButton() const { return addBehindButton_; }
    QPushButton* removeButton() const { return removeButton_; }

signals:
    void statusRequested(const QString& text);
    // The user stepped value spinner `index` (the display's own positionings are not reported).
    void valueStepped(int index);
    // The user left the editable field `index` after typing into it.
    void valueTyped(int index);
    // The "Assign to all" button of value `index` was pressed.
    void assignRequested(int index);
    // The panel itself changed the document: the mode box wrote a camera's mode.
    void documentChanged();
    // The value rows' controls were made.
    void valueRowsMade();

private:
    QWidget* makeValueRows(QWidget& page);
    void buildNavigation(QVBoxLayout& layout);
    // Writes the current camera's values into the fields and spinners.
    void showValues();
    // Shows the camera's mode as the mode box does: a change runs applyMode.
    void showMode(bool fixed);
    // The mode shown changed: enables the controls of the values the mode uses, and writes the
    // mode as exactly the integer 1 or 0 into the current camera.
    void applyMode();
    // The selector was positioned: its camera becomes current and is shown.
    void followSelector();
    void goToTypedCamera();
    void refuseCountEdit();
    void showEmptySet();
    void applyEnabledStates();

    CamSet set_;
    CameraDocument& document_;
    Desktop& desktop_;
    const std::array<ValueRow, kTvValueCount>& rows_;
    int currentCamera_ = 1;
    // The mode box's state, kept while the box is not made yet.
    bool fixedShown_ = false;
    // Set as the rows are finished, not the page's own record, which counts them as made only
    // once they are handed to it.
    bool rowsMade_ = false;
    LazyPage* valueRows_ = nullptr;

    std::array<ValueField*, kTvValueCount> fields_{};
    std::array<QLabel*, kTvValueCount> captions_{};
    std::array<SpinButton*, kTvValueCount> spinners_{};
    std::array<QPushButton*, kAssignButtonCount> assignButtons_{};
    QCheckBox* modeBox_ = nullptr;
    QLabel* indexLabel_ = nullptr;
    ValueField* indexField_ = nullptr;
    QLabel* countLabel_ = nullptr;
    ValueField* countField_ = nullptr;
    SpinButton* selector_ = nullptr;
    QPushButton* addBeforeButton_ = nullptr;
    QPushButton* addBehindButton_ = nullptr;
    QPushButton* removeButton_ = nullptr;
};

} // namespace vp
