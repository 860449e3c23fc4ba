#include "editor/PitLanePanel.h"

#include "camdata/ValueDisplay.h"
#include "camdata/ValueTables.h"
#include "editor/ValueRowWidgets.h"
#include "widgets/SpinButton.h"
#include "widgets/TextConversions.h"
#include "widgets/ValueField.h"

#include <QGridLayout>
#include <QLabel>

namespace vp {

PitLanePanel::PitLanePanel(const CameraDocument& document, QWidget* parent)
    : QWidget(parent)
    , document_(document)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    const auto& rows = pitValueRows();
    for (int i = 0; i < kPitValueCount; ++i) {
        const ValueRow& row = rows.at(static_cast<std::size_t>(i));
        const ValueRowWidgets widgets = makeValueRow(this, row, i, QStringLiteral("lblPitDescription"),
                                                     QStringLiteral("txtPitlaneCamData"), QStringLiteral("UpDownValuePit"));
        QLabel* caption = widgets.caption;
        ValueField* field = widgets.field;
        SpinButton* spinner = widgets.spinner;
        captions_.at(static_cast<std::size_t>(i)) = caption;
        field->setEnabled(row.editable);
        fields_.at(static_cast<std::size_t>(i)) = field;
        spinners_.at(static_cast<std::size_t>(i)) = spinner;
        connect(spinner, &SpinButton::positioned, this, [this, i] { emit valueStepped(i); });

        grid->addWidget(caption, i, 0);
        grid->addWidget(field, i, 1);
        if (row.spinner.hidden)
            spinner->hide();
        else
            grid->addWidget(spinner, i, 2);
    }
    grid->setColumnStretch(0, 1);
    // Lines the fields up with those of the TV tabs, which have their "Assign to all" buttons there.
    grid->setColumnMinimumWidth(3, 82);
    grid->setRowStretch(kPitValueCount, 1);
}

void PitLanePanel::showCamera()
{
    const char separator = decimalSeparator();
    const auto& rows = pitValueRows();
    for (int i = 0; i < kPitValueCount; ++i) {
        const ShownValue shown = shownValue(rows.at(static_cast<std::size_t>(i)), document_.pit.value(i + 1), separator);
        fields_.at(static_cast<std::size_t>(i))->setText(QString::fromStdString(shown.text));
        if (shown.spinnerPosition)
            positionSpinner(*spinners_.at(static_cast<std::size_t>(i)), *shown.spinnerPosition);
    }
}

} // namespace vp
