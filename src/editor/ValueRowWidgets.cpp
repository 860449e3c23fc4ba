#include "editor/ValueRowWidgets.h"

#include "camdata/ValueDisplay.h"
#include "widgets/ControlNames.h"
#include "widgets/SpinButton.h"
#include "widgets/TextConversions.h"
#include "widgets/ValueField.h"

#include <QLabel>
#include <QSignalBlocker>

namespace vp {

void positionSpinner(SpinButton& spinner, double position)
{
    const QSignalBlocker displayOnly(spinner);
    spinner.setValue(fitSpinnerPosition(position, spinner.minimum(), spinner.maximum(), spinner.value()));
}

ValueRowWidgets makeValueRow(QWidget* parent, const ValueRow& row, int index, const QString& captionName,
                             const QString& fieldName, const QString& spinnerName)
{
    const QString captionText = toQString(row.caption);
    ValueRowWidgets widgets;

    widgets.caption = new QLabel(captionText, parent);
    widgets.caption->setObjectName(indexedName(captionName, index));
    widgets.caption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    widgets.field = new ValueField(parent);
    widgets.field->setObjectName(indexedName(fieldName, index));
    widgets.field->setToolTip(toQString(row.fieldHint));
    widgets.field->setAccessibleName(captionText);
    widgets.field->setFixedSize(kValueFieldWidth, kValueRowHeight);
    widgets.caption->setBuddy(widgets.field);

    widgets.spinner = new SpinButton(parent);
    widgets.spinner->setObjectName(indexedName(spinnerName, index));
    widgets.spinner->setRange(row.spinner.min, row.spinner.max);
    widgets.spinner->setSingleStep(row.spinner.increment);
    widgets.spinner->setToolTip(toQString(row.spinner.hint));
    widgets.spinner->setAccessibleName(captionText);
    widgets.spinner->setFixedHeight(kValueRowHeight);
    return widgets;
}

} // namespace vp
