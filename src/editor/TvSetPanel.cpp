#include "editor/TvSetPanel.h"

#include "editor/EditorState.h"
#include "camdata/NumberText.h"
#include "editor/UpDown.h"
#include "camdata/ValueDisplay.h"
#include "editor/ValueRowWidgets.h"
#include "seams/Desktop.h"
#include "widgets/FieldEdit.h"
#include "widgets/LocaleSeparator.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vp {

namespace {

constexpr std::size_t kModeField = kTvModeValue - 1;

bool UsedInMode(ModeGroup group, bool fixed)
{
    switch (group) {
    case ModeGroup::None:
        return true;
    case ModeGroup::Moving:
        return !fixed;
    case ModeGroup::Fixed:
        return fixed;
    }
    return true;
}

} // namespace

TvSetPanel::TvSetPanel(CamSet set, EditorState& state, Desktop& desktop, QWidget* parent)
    : QWidget(parent)
    , set_(set)
    , state_(state)
    , desktop_(desktop)
    , rows_(tvValueRows(set))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    buildValueRows(*layout);
    layout->addStretch(1);
    buildNavigation(*layout);
    applyEnabledStates();
}

QString TvSetPanel::setName() const
{
    return set_ == CamSet::TV1 ? QStringLiteral("TV1") : QStringLiteral("TV2");
}

int TvSetPanel::currentCamera() const
{
    return selector_->Value();
}

void TvSetPanel::buildValueRows(QVBoxLayout& layout)
{
    const QString name = setName();
    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);
    layout.addLayout(grid);

    for (int i = 0; i < kTvValueCount; ++i) {
        const ValueRow& row = rows_.at(static_cast<std::size_t>(i));
        const QString captionText = ToQString(row.caption);
        const ValueRowWidgets widgets = MakeValueRow(this, row, i, QStringLiteral("lbl%1Description").arg(name),
                                                     QStringLiteral("txt%1CamData").arg(name),
                                                     QStringLiteral("UpDownValue%1").arg(name));
        QLabel* caption = widgets.caption;
        FieldEdit* field = widgets.field;
        UpDown* spinner = widgets.spinner;
        captions_.at(static_cast<std::size_t>(i)) = caption;
        grid->addWidget(caption, i, 0);
        fields_.at(static_cast<std::size_t>(i)) = field;
        spinners_.at(static_cast<std::size_t>(i)) = spinner;
        connect(spinner, &UpDown::Change, this, [this, i] { UpDownValue_Change(i); });
        if (row.spinner.hidden)
            spinner->hide();
        else
            grid->addWidget(spinner, i, 2);

        if (row.kind == ValueKind::Mode) {
            // The mode lives in the box; its field only carries the mode as text.
            field->hide();
            mode_ = new QCheckBox(this);
            mode_->setObjectName(QStringLiteral("chk%1CamFixed").arg(name));
            mode_->setToolTip(QStringLiteral("Click to change camera mode (fixed or not fixed)"));
            mode_->setAccessibleName(captionText);
            caption->setBuddy(mode_);
            grid->addWidget(mode_, i, 1);
            connect(mode_, &QCheckBox::toggled, this, &TvSetPanel::chkCamFixed_Click);
        } else {
            grid->addWidget(field, i, 1);
        }

        if (row.assignButton) {
            auto* assign = new QPushButton(QStringLiteral("Assign to all"), this);
            assign->setObjectName(Indexed(QStringLiteral("cmdAssignToAll%1").arg(name), i));
            assign->setToolTip(QStringLiteral("Copys the value of the current camera to all cameras in the %1-set").arg(name));
            assign->setFixedHeight(kValueRowHeight);
            assign_.at(static_cast<std::size_t>(i)) = assign;
            grid->addWidget(assign, i, 3);
        }
    }
    grid->setColumnStretch(0, 1);
}

void TvSetPanel::buildNavigation(QVBoxLayout& layout)
{
    const QString name = setName();
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    layout.addLayout(line);

    lblCurrentCam_ = new QLabel(QStringLiteral("Cam #"), this);
    lblCurrentCam_->setObjectName(QStringLiteral("lblCurrent%1Cam").arg(name));
    index_ = new FieldEdit(this);
    index_->setObjectName(QStringLiteral("txtCurrent%1Cam").arg(name));
    index_->setText(QStringLiteral("1"));
    index_->setToolTip(QStringLiteral("Shows the index of the currently selected camera"));
    index_->setAccessibleName(lblCurrentCam_->text());
    lblCurrentCam_->setBuddy(index_);

    lblOf_ = new QLabel(QStringLiteral("of"), this);
    lblOf_->setObjectName(set_ == CamSet::TV1 ? QStringLiteral("lblOf") : QStringLiteral("lblOf2"));
    count_ = new FieldEdit(this);
    count_->setObjectName(QStringLiteral("txtTotal%1Cams").arg(name));
    count_->setText(QStringLiteral("1"));
    count_->setToolTip(QStringLiteral("Shows the total number of cameras in the %1-set").arg(name));
    count_->setAccessibleName(lblOf_->text());
    lblOf_->setBuddy(count_);

    selector_ = new UpDown(this);
    selector_->setObjectName(QStringLiteral("UpDown%1").arg(name));
    selector_->setRange(1, 1);
    selector_->setValue(1);
    selector_->setToolTip(QStringLiteral("Changes camera selection"));
    selector_->setAccessibleName(lblCurrentCam_->text());
    selector_->setFixedHeight(kValueRowHeight + 2);

    addBefore_ = new QPushButton(QStringLiteral("Add Before"), this);
    addBefore_->setObjectName(QStringLiteral("cmdAdd%1Before").arg(name));
    addBefore_->setToolTip(QStringLiteral("Adds an empty cameraslot before the one currently shown"));
    addBehind_ = new QPushButton(QStringLiteral("Add Behind"), this);
    addBehind_->setObjectName(QStringLiteral("cmdAdd%1Behind").arg(name));
    addBehind_->setToolTip(QStringLiteral("Adds an empty cameraslot behind the one currently shown"));
    remove_ = new QPushButton(QStringLiteral("Remove"), this);
    remove_->setObjectName(QStringLiteral("cmdRemove%1").arg(name));
    remove_->setToolTip(set_ == CamSet::TV1 ? QStringLiteral("Removes the currently shown camera")
                                            : QStringLiteral("Removes currently shown camera"));

    for (FieldEdit* field : {index_, count_})
        field->setFixedSize(44, kValueRowHeight + 2);
    line->addWidget(lblCurrentCam_);
    line->addWidget(index_);
    line->addWidget(lblOf_);
    line->addWidget(count_);
    line->addWidget(selector_);
    line->addStretch(1);
    line->addWidget(addBefore_);
    line->addWidget(addBehind_);
    line->addWidget(remove_);

    connect(selector_, &UpDown::Change, this, &TvSetPanel::UpDownCam_Change);
    connect(index_, &FieldEdit::LostFocus, this, &TvSetPanel::txtCurrentCam_LostFocus);
    connect(count_, &FieldEdit::LostFocus, this, &TvSetPanel::txtTotalCams_LostFocus);
}

void TvSetPanel::ShowCam()
{
    const CameraSet& cameras = state_.document.set(set_);
    if (cameras.count() == 0) {
        showEmptySet();
        return;
    }
    const char separator = DecimalSeparator();
    for (int i = 0; i < kTvValueCount; ++i) {
        // Read at each value: a nested handler may have moved the selector meanwhile.
        const ValueSlot value = cameras.camera(currentCamera()).value(i + 1);
        const ShownValue shown = shownValue(rows_.at(static_cast<std::size_t>(i)), value, separator);
        fields_.at(static_cast<std::size_t>(i))->setText(QString::fromStdString(shown.text));
        if (shown.spinnerPosition)
            positionSpinner(i, *shown.spinnerPosition);
    }
    mode_->setChecked(fields_.at(kModeField)->text() != QLatin1String("0"));
    count_->setText(QString::number(cameras.count()));
    applyEnabledStates();
}

void TvSetPanel::showEmptySet()
{
    for (FieldEdit* field : fields_)
        field->clear();
    count_->setText(QStringLiteral("0"));
    applyEnabledStates();
}

void TvSetPanel::setCameraCount(int count)
{
    selector_->setRange(count == 0 ? 0 : 1, count);
}

void TvSetPanel::showFirstCamera()
{
    // In one step: lowering the bound first would show a camera of the new set that the user
    // never asked for, and that showing could rewrite its mode.
    const int count = state_.document.set(set_).count();
    selector_->setRangeAndValue(count == 0 ? 0 : 1, count, 1);
}

void TvSetPanel::positionSpinner(int index, double position)
{
    PositionSpinner(state_, *spinners_.at(static_cast<std::size_t>(index)), position);
}

void TvSetPanel::chkCamFixed_Click()
{
    applyEnabledStates();
    CameraSet& cameras = state_.document.set(set_);
    if (cameras.count() == 0)
        return;
    const bool fixed = mode_->isChecked();
    fields_.at(kModeField)->setText(QString::fromStdString(modeText(fixed, DecimalSeparator())));
    cameras.camera(currentCamera()).value(kTvModeValue).setInt(fixed ? 1 : 0);
    state_.documentChanged();
}

void TvSetPanel::applyEnabledStates()
{
    const bool any = state_.document.set(set_).count() > 0;
    const bool fixed = mode_->isChecked();
    for (int i = 0; i < kTvValueCount; ++i) {
        const ValueRow& row = rows_.at(static_cast<std::size_t>(i));
        const bool enabled = any && row.editable && UsedInMode(row.group, fixed);
        fields_.at(static_cast<std::size_t>(i))->setEnabled(enabled);
        spinners_.at(static_cast<std::size_t>(i))->setEnabled(enabled);
        // The mode's own button stays usable although its field is never typed into.
        if (row.assignButton)
            assign_.at(static_cast<std::size_t>(i))->setEnabled(any && UsedInMode(row.group, fixed));
    }
    for (QWidget* control : std::initializer_list<QWidget*>{mode_, remove_, selector_, index_})
        control->setEnabled(any);
}

void TvSetPanel::UpDownCam_Change()
{
    index_->setText(QString::number(selector_->Value()));
    ShowCam();
}

void TvSetPanel::UpDownValue_Change(int index)
{
    if (state_.IgnoreSpinnerChange)
        return;
    emit valueStepped(index);
}

void TvSetPanel::txtCurrentCam_LostFocus()
{
    const int count = state_.document.set(set_).count();
    const std::optional<double> typed = parseNumber(index_->text().toStdString(), DecimalSeparator());
    // Only a number that rounds to a byte converts.
    const double whole = typed ? roundHalfEven(*typed, 0) : -1.0;
    if (!(whole >= 0.0 && whole <= 255.0)) {
        index_->setText(QString::number(selector_->Value()));
        emit statusRequested(QStringLiteral("Enter a number between 1 and %1. Ready.").arg(count));
        return;
    }
    const int wanted = static_cast<int>(whole);
    if (wanted < selector_->Min())
        selector_->setValue(selector_->Min());
    else if (wanted > count)
        selector_->setValue(count);
    else
        selector_->setValue(wanted);
    ShowCam();
}

void TvSetPanel::txtTotalCams_LostFocus()
{
    const QString countText = QString::number(state_.document.set(set_).count());
    if (count_->text() == countText)
        return;
    count_->setText(countText);
    desktop_.beep();
    emit statusRequested(QStringLiteral("This value is not editable. Ready."));
}

} // namespace vp
