#include "editor/ValueRowWidgets.h"

#include "editor/EditorState.h"
#include "editor/UpDown.h"
#include "camdata/ValueDisplay.h"
#include "widgets/FieldEdit.h"
#include "widgets/LocaleSeparator.h"

#include <QLabel>

namespace vp {

QString Indexed(const QString& name, int index)
{
    return name + QLatin1Char('_') + QString::number(index);
}

void PositionSpinner(EditorState& state, UpDown& spinner, double position)
{
    const IgnoringSpinnerChange ignoring(state);
    spinner.setValue(fitSpinnerPosition(position, spinner.Min(), spinner.Max(), spinner.Value()));
}

ValueRowWidgets MakeValueRow(QWidget* parent, const ValueRow& row, int index, const QString& captionName,
                             const QString& fieldName, const QString& spinnerName)
{
    const QString captionText = ToQString(row.caption);
    ValueRowWidgets widgets;

    widgets.caption = new QLabel(captionText, parent);
    widgets.caption->setObjectName(Indexed(captionName, index));
    widgets.caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    widgets.field = new FieldEdit(parent);
    widgets.field->setObjectName(Indexed(fieldName, index));
    widgets.field->setText(QStringLiteral("0"));
    widgets.field->setToolTip(ToQString(row.fieldHint));
    widgets.field->setAccessibleName(captionText);
    widgets.field->setFixedSize(kValueFieldWidth, kValueRowHeight);
    widgets.caption->setBuddy(widgets.field);

    widgets.spinner = new UpDown(parent);
    widgets.spinner->setObjectName(Indexed(spinnerName, index));
    widgets.spinner->setRange(row.spinner.min, row.spinner.max);
    widgets.spinner->setIncrement(row.spinner.increment);
    widgets.spinner->setToolTip(ToQString(row.spinner.hint));
    widgets.spinner->setAccessibleName(captionText);
    widgets.spinner->setFixedHeight(kValueRowHeight);
    return widgets;
}

} // namespace vp
