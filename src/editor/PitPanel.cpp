#include "editor/PitPanel.h"

#include "editor/EditorState.h"
#include "editor/UpDown.h"
#include "camdata/ValueDisplay.h"
#include "editor/ValueRowWidgets.h"
#include "camdata/ValueTables.h"
#include "widgets/FieldEdit.h"
#include "widgets/LocaleSeparator.h"

#include <QGridLayout>
#include <QLabel>

namespace vp {

PitPanel::PitPanel(EditorState& state, QWidget* parent)
    : QWidget(parent)
    , state_(state)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 4);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    const auto& rows = pitValueRows();
    for (int i = 0; i < kPitValueCount; ++i) {
        const ValueRow& row = rows.at(static_cast<std::size_t>(i));
        const ValueRowWidgets widgets = MakeValueRow(this, row, i, QStringLiteral("lblPitDescription"),
                                                     QStringLiteral("txtPitlaneCamData"), QStringLiteral("UpDownValuePit"));
        QLabel* caption = widgets.caption;
        FieldEdit* field = widgets.field;
        UpDown* spinner = widgets.spinner;
        captions_.at(static_cast<std::size_t>(i)) = caption;
        field->setEnabled(row.editable);
        fields_.at(static_cast<std::size_t>(i)) = field;
        spinners_.at(static_cast<std::size_t>(i)) = spinner;
        connect(spinner, &UpDown::Change, this, [this, i] { UpDownValue_Change(i); });

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

void PitPanel::ShowCam()
{
    const char separator = DecimalSeparator();
    const auto& rows = pitValueRows();
    for (int i = 0; i < kPitValueCount; ++i) {
        const ShownValue shown = shownValue(rows.at(static_cast<std::size_t>(i)), state_.document.pit.value(i + 1), separator);
        fields_.at(static_cast<std::size_t>(i))->setText(QString::fromStdString(shown.text));
        if (shown.spinnerPosition)
            PositionSpinner(state_, *spinners_.at(static_cast<std::size_t>(i)), *shown.spinnerPosition);
    }
}

void PitPanel::UpDownValue_Change(int index)
{
    if (state_.IgnoreSpinnerChange)
        return;
    emit valueStepped(index);
}

} // namespace vp
