#pragma once
// The caption, field and spinner of one value row, as the TV panels and the pit-lane panel build
// them from their tables; the panels only place them and wire their notifications.

#include "camdata/ValueTables.h"

#include <QString>

class QLabel;
class QWidget;

namespace vp {

class SpinButton;
class ValueField;

inline constexpr int kValueFieldWidth = 96;
inline constexpr int kValueRowHeight = 21;

struct ValueRowWidgets {
    QLabel* caption = nullptr;
    ValueField* field = nullptr;
    SpinButton* spinner = nullptr;
};

// Puts a value spinner where the display wants it, fitted into its range. The spinner's report is
// held back for the move, so that it is not taken for a step of the user's and stores nothing.
void positionSpinner(SpinButton& spinner, double position);

// Named captionName_i, fieldName_i and spinnerName_i; caption, hints and spinner range come from
// the row. The field starts empty: the camera's value is written into it before it is first shown,
// and a text written before that would only be laid out in vain. The caption is the field's buddy.
ValueRowWidgets makeValueRow(QWidget* parent, const ValueRow& row, int index, const QString& captionName,
                             const QString& fieldName, const QString& spinnerName);

} // namespace vp
