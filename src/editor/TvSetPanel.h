#pragma once
// One TV camera set on its tab: the fourteen values of the current camera with their spinners and
// "Assign to all" buttons, the mode box, and the navigation line "Cam # [index] of [count]" with
// the camera selector and the insert and remove buttons. Built once for TV1 and once for TV2;
// the set's name is part of every object name ("txtTV1CamData_0").

#include "camdata/CameraDocument.h"
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
class FieldEdit;
class UpDown;
struct EditorState;

class TvSetPanel : public QWidget {
    Q_OBJECT

public:
    TvSetPanel(CamSet set, EditorState& state, Desktop& desktop, QWidget* parent = nullptr);

    CamSet set() const { return set_; }
    // "TV1" or "TV2", as the set's messages name it.
    QString setName() const;
    // The camera shown: the selector's position (0 only while the set is empty).
    int currentCamera() const;

    // Shows the current camera: values, spinners, the mode box (which runs its handling when the
    // camera's mode differs from the one shown) and the count field.
    void ShowCam();
    // Makes the selector's upper bound the set's count; a selector above it moves down to it.
    void setCameraCount(int count);
    // After the set was replaced: the selector's bound follows the count and camera 1 is shown.
    void showFirstCamera();

    // The mode box changed state: enables the controls of the values the mode uses, and writes the
    // mode as exactly the integer 1 or 0 into the current camera. The data are then unsaved.
    void chkCamFixed_Click();

    FieldEdit* valueField(int index) const { return fields_.at(static_cast<std::size_t>(index)); }
    QLabel* caption(int index) const { return captions_.at(static_cast<std::size_t>(index)); }
    UpDown* valueSpinner(int index) const { return spinners_.at(static_cast<std::size_t>(index)); }
    QPushButton* assignButton(int index) const { return assign_.at(static_cast<std::size_t>(index)); }
    QCheckBox* modeBox() const { return mode_; }
    UpDown* selector() const { return selector_; }
    FieldEdit* indexField() const { return index_; }
    FieldEdit* countField() const { return count_; }
    QPushButton* addBeforeButton() const { return addBefore_; }
    QPushButton* addBehindButton() const { return addBehind_; }
    QPushButton* removeButton() const { return remove_; }

signals:
    void statusRequested(const QString& text);
    // The user stepped value spinner `index` (the display's own positionings are not reported).
    void valueStepped(int index);

private:
    void buildValueRows(QVBoxLayout& layout);
    void buildNavigation(QVBoxLayout& layout);
    void UpDownCam_Change();
    void UpDownValue_Change(int index);
    void txtCurrentCam_LostFocus();
    void txtTotalCams_LostFocus();
    void positionSpinner(int index, double position);
    void showEmptySet();
    void applyEnabledStates();

    CamSet set_;
    EditorState& state_;
    Desktop& desktop_;
    const std::array<ValueRow, kTvValueCount>& rows_;

    std::array<FieldEdit*, kTvValueCount> fields_{};
    std::array<QLabel*, kTvValueCount> captions_{};
    std::array<UpDown*, kTvValueCount> spinners_{};
    std::array<QPushButton*, kAssignButtonCount> assign_{};
    QCheckBox* mode_ = nullptr;
    QLabel* lblCurrentCam_ = nullptr;
    FieldEdit* index_ = nullptr;
    QLabel* lblOf_ = nullptr;
    FieldEdit* count_ = nullptr;
    UpDown* selector_ = nullptr;
    QPushButton* addBefore_ = nullptr;
    QPushButton* addBehind_ = nullptr;
    QPushButton* remove_ = nullptr;
};

} // namespace vp
