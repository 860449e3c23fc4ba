#pragma once
// The pit-lane camera on its tab: its thirteen values with their spinners.

#include "camdata/CameraDocument.h"
#include "widgets/ControlNames.h"

#include <QString>
#include <QWidget>

#include <array>

class QLabel;

namespace vp {

class SpinButton;
class ValueField;

class PitLanePanel : public QWidget {
    Q_OBJECT

public:
    explicit PitLanePanel(const CameraDocument& document, QWidget* parent = nullptr);

    // Shows the pit-lane camera's values and puts the spinners on them, so a step starts from there.
    void showCamera();

    ValueField* valueField(int index) const { return controlAt(fields_, index); }
    QLabel* caption(int index) const { return controlAt(captions_, index); }
    SpinButton* valueSpinner(int index) const { return controlAt(spinners_, index); }

signals:
    // The user, or a commit's echo, moved value spinner `index`; the display's own positionings
    // are not reported.
    void valueStepped(int index);

private:
    const CameraDocument& document_;
    std::array<ValueField*, kPitValueCount> fields_{};
    std::array<QLabel*, kPitValueCount> captions_{};
    std::array<SpinButton*, kPitValueCount> spinners_{};
};

} // namespace vp
