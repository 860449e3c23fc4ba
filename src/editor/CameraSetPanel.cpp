#include "editor/CameraSetPanel.h"

#include "camdata/NumberText.h"
#include "camdata/ValueDisplay.h"
#include "editor/ValueRowWidgets.h"
#include "seams/Desktop.h"
#include "widgets/ControlNames.h"
#include "widgets/LazyPage.h"
#include "widgets/SpinButton.h"
#include "widgets/TextConversions.h"
#include "widgets/ValueField.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vp {

namespace {

constexpr std::size_t kModeField = kTvModeValue - 1;

bool usedInMode(ModeGroup group, bool fixed)
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

CameraSetPanel::CameraSetPanel(CamSet set, CameraDocument& document, Desktop& desktop, QWidget* parent)
    : QWidget(parent)
    , set_(set)
    , document_(document)
    , desktop_(desktop)
    , rows_(tvValueRows(set))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 4, 6, 4);
    layout->setSpacing(4);
    valueRows_ = new LazyPage([this](QWidget& page) { return makeValueRows(page); }, this);
    layout->addWidget(valueRows_);
    layout->addStretch(1);
    buildNavigation(*layout);
    applyEnabledStates();
}

void CameraSetPanel::buildValueRows()
{
    valueRows_->contents();
}

QString CameraSetPanel::setName() const
{
    return QLatin1String(camSetName(set_));
}

QWidget* CameraSetPanel::makeValueRows(QWidget& page)
{
    const QString name = setName();
    auto* rowsWidget = new QWidget(&page);
    auto* grid = new QGridLayout(rowsWidget);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(1);

    for (int i = 0; i < kTvValueCount; ++i) {
        const ValueRow& row = rows_.at(static_cast<std::size_t>(i));
        const QString captionText = toQString(row.caption);
        const ValueRowWidgets widgets = makeValueRow(rowsWidget, row, i, QStringLiteral("lbl%1Description").arg(name),
                                                     QStringLiteral("txt%1CamData").arg(name),
                                                     QStringLiteral("UpDownValue%1").arg(name));
        QLabel* caption = widgets.caption;
        ValueField* field = widgets.field;
        SpinButton* spinner = widgets.spinner;
        captions_.at(static_cast<std::size_t>(i)) = caption;
        grid->addWidget(caption, i, 0);
        fields_.at(static_cast<std::size_t>(i)) = field;
        spinners_.at(static_cast<std::size_t>(i)) = spinner;
        connect(spinner, &SpinButton::positioned, this, [this, i] { emit valueStepped(i); });
        if (row.editable)
            connect(field, &ValueField::commitRequested, this, [this, i] { emit valueTyped(i); });
        if (row.spinner.hidden)
            spinner->hide();
        else
            grid->addWidget(spinner, i, 2);

        if (row.kind == ValueKind::Mode) {
            // The mode lives in the box; its field only carries the mode as text.
            field->hide();
            modeBox_ = new QCheckBox(rowsWidget);
            modeBox_->setObjectName(QStringLiteral("chk%1CamFixed").arg(name));
            modeBox_->setToolTip(QStringLiteral("Click to change camera mode (fixed or not fixed)"));
            modeBox_->setAccessibleName(captionText);
            modeBox_->setChecked(fixedShown_);
            caption->setBuddy(modeBox_);
            grid->addWidget(modeBox_, i, 1);
            connect(modeBox_, &QCheckBox::toggled, this, [this](bool fixed) {
                fixedShown_ = fixed;
                applyMode();
            });
        } else {
            grid->addWidget(field, i, 1);
        }

        if (row.assignButton) {
            auto* assign = new QPushButton(QStringLiteral("Assign to all"), rowsWidget);
            assign->setObjectName(indexedName(QStringLiteral("cmdAssignToAll%1").arg(name), i));
            assign->setToolTip(QStringLiteral("Copys the value of the current camera to all cameras in the %1-set").arg(name));
            assign->setFixedHeight(kValueRowHeight);
            assignButtons_.at(static_cast<std::size_t>(i)) = assign;
            grid->addWidget(assign, i, 3);
            connect(assign, &QPushButton::clicked, this, [this, i] { emit assignRequested(i); });
        }
    }
    grid->setColumnStretch(0, 1);
    rowsMade_ = true;
    showValues();
    applyEnabledStates();
    emit valueRowsMade();
    return rowsWidget;
}

void CameraSetPanel::buildNavigation(QVBoxLayout& layout)
{
    const QString name = setName();
    auto* line = new QHBoxLayout;
    line->setSpacing(4);
    layout.addLayout(line);

    indexLabel_ = new QLabel(QStringLiteral("Cam #"), this);
    indexLabel_->setObjectName(QStringLiteral("lblCurrent%1Cam").arg(name));
    indexField_ = new ValueField(this);
    indexField_->setObjectName(QStringLiteral("txtCurrent%1Cam").arg(name));
    indexField_->setText(QStringLiteral("1"));
    indexField_->setToolTip(QStringLiteral("Shows the index of the currently selected camera"));
    indexField_->setAccessibleName(indexLabel_->text());
    indexLabel_->setBuddy(indexField_);

    countLabel_ = new QLabel(QStringLiteral("of"), this);
    countLabel_->setObjectName(set_ == CamSet::TV1 ? QStringLiteral("lblOf") : QStringLiteral("lblOf2"));
    countField_ = new ValueField(this);
    countField_->setObjectName(QStringLiteral("txtTotal%1Cams").arg(name));
    countField_->setText(QStringLiteral("1"));
    countField_->setToolTip(QStringLiteral("Shows the total number of cameras in the %1-set").arg(name));
    countField_->setAccessibleName(countLabel_->text());
    countLabel_->setBuddy(countField_);

    selector_ = new SpinButton(this);
    selector_->setObjectName(QStringLiteral("UpDown%1").arg(name));
    selector_->setRange(1, 1);
    selector_->setValue(1);
    selector_->setToolTip(QStringLiteral("Changes camera selection"));
    selector_->setAccessibleName(indexLabel_->text());
    selector_->setFixedHeight(kValueRowHeight + 2);

    addBeforeButton_ = new QPushButton(QStringLiteral("Add Before"), this);
    addBeforeButton_->setObjectName(QStringLiteral("cmdAdd%1Before").arg(name));
    addBeforeButton_->setToolTip(QStringLiteral("Adds an empty cameraslot before the one currently shown"));
    addBehindButton_ = new QPushButton(QStringLiteral("Add Behind"), this);
    addBehindButton_->setObjectName(QStringLiteral("cmdAdd%1Behind").arg(name));
    addBehindButton_->setToolTip(QStringLiteral("Adds an empty cameraslot behind the one currently shown"));
    removeButton_ = new QPushButton(QStringLiteral("Remove"), this);
    removeButton_->setObjectName(QStringLiteral("cmdRemove%1").arg(name));
    removeButton_->setToolTip(set_ == CamSet::TV1 ? QStringLiteral("Removes the currently shown camera")
                                                  : QStringLiteral("Removes currently shown camera"));

    for (ValueField* field : {indexField_, countField_})
        field->setFixedSize(44, kValueRowHeight + 2);
    line->addWidget(indexLabel_);
    line->addWidget(indexField_);
    line->addWidget(countLabel_);
    line->addWidget(countField_);
    line->addWidget(selector_);
    line->addStretch(1);
    line->addWidget(addBeforeButton_);
    line->addWidget(addBehindButton_);
    line->addWidget(removeButton_);

    connect(selector_, &SpinButton::positioned, this, &CameraSetPanel::followSelector);
    connect(indexField_, &ValueField::commitRequested, this, &CameraSetPanel::goToTypedCamera);
    connect(countField_, &ValueField::commitRequested, this, &CameraSetPanel::refuseCountEdit);
}

void CameraSetPanel::showCamera()
{
    const CameraSet& cameras = document_.set(set_);
    if (cameras.count() == 0) {
        showEmptySet();
        return;
    }
    showValues();
    const ValueSlot mode = cameras.camera(currentCamera()).value(kTvModeValue);
    showMode(shownValue(rows_.at(kModeField), mode, decimalSeparator()).text != "0");
    countField_->setText(QString::number(cameras.count()));
    applyEnabledStates();
}

void CameraSetPanel::showValues()
{
    if (!rowsMade_)
        return;
    const CameraSet& cameras = document_.set(set_);
    if (cameras.count() == 0) {
        for (ValueField* field : fields_)
            field->clear();
        return;
    }
    const char separator = decimalSeparator();
    for (int i = 0; i < kTvValueCount; ++i) {
        // Read at each value: a nested handler may have moved the selector meanwhile.
        const ValueSlot value = cameras.camera(currentCamera()).value(i + 1);
        const ShownValue shown = shownValue(rows_.at(static_cast<std::size_t>(i)), value, separator);
        fields_.at(static_cast<std::size_t>(i))->setText(QString::fromStdString(shown.text));
        if (shown.spinnerPosition)
            positionSpinner(*spinners_.at(static_cast<std::size_t>(i)), *shown.spinnerPosition);
    }
}

void CameraSetPanel::showMode(bool fixed)
{
    if (fixed == fixedShown_)
        return;
    fixedShown_ = fixed;
    if (rowsMade_)
        modeBox_->setChecked(fixed); // runs applyMode through the box's handler
    else
        applyMode();
}

void CameraSetPanel::showEmptySet()
{
    showValues();
    countField_->setText(QStringLiteral("0"));
    applyEnabledStates();
}

void CameraSetPanel::setCameraCount(int count)
{
    selector_->setRange(count == 0 ? 0 : 1, count);
}

void CameraSetPanel::showFirstCamera()
{
    // In one step: lowering the bound first would show a camera of the new set that the user
    // never asked for, and that showing could rewrite its mode.
    const int count = document_.set(set_).count();
    selector_->setRangeAndValue(count == 0 ? 0 : 1, count, 1);
}

void CameraSetPanel::applyMode()
{
    applyEnabledStates();
    CameraSet& cameras = document_.set(set_);
    if (cameras.count() == 0)
        return;
    if (rowsMade_)
        fields_.at(kModeField)->setText(QString::fromStdString(modeText(fixedShown_, decimalSeparator())));
    cameras.camera(currentCamera()).value(kTvModeValue).setInt(fixedShown_ ? 1 : 0);
    emit documentChanged();
}

void CameraSetPanel::applyEnabledStates()
{
    const bool any = document_.set(set_).count() > 0;
    for (QWidget* control : std::initializer_list<QWidget*>{removeButton_, selector_, indexField_})
        control->setEnabled(any);
    if (!rowsMade_)
        return;
    modeBox_->setEnabled(any);
    for (int i = 0; i < kTvValueCount; ++i) {
        const ValueRow& row = rows_.at(static_cast<std::size_t>(i));
        const bool enabled = any && row.editable && usedInMode(row.group, fixedShown_);
        fields_.at(static_cast<std::size_t>(i))->setEnabled(enabled);
        spinners_.at(static_cast<std::size_t>(i))->setEnabled(enabled);
        // The mode's own button stays usable although its field is never typed into.
        if (row.assignButton)
            assignButtons_.at(static_cast<std::size_t>(i))->setEnabled(any && usedInMode(row.group, fixedShown_));
    }
}

void CameraSetPanel::selectCamera(int k)
{
    selector_->setValue(k);
}

void CameraSetPanel::followSelector()
{
    currentCamera_ = selector_->value();
    indexField_->setText(QString::number(currentCamera_));
    showCamera();
}

void CameraSetPanel::goToTypedCamera()
{
    const int count = document_.set(set_).count();
    const std::optional<double> typed = parseNumber(indexField_->text().toStdString(), decimalSeparator());
    // Only a number that rounds to a byte converts.
    const double whole = typed ? roundHalfEven(*typed, 0) : -1.0;
    if (!(whole >= 0.0 && whole <= 255.0)) {
        indexField_->setText(QString::number(currentCamera_));
        emit statusRequested(QStringLiteral("Enter a number between 1 and %1. Ready.").arg(count));
        return;
    }
    const int wanted = static_cast<int>(whole);
    if (wanted < selector_->minimum())
        selectCamera(selector_->minimum());
    else if (wanted > count)
        selectCamera(count);
    else
        selectCamera(wanted);
    showCamera();
}

void CameraSetPanel::refuseCountEdit()
{
    const QString countText = QString::number(document_.set(set_).count());
    if (countField_->text() == countText)
        return;
    countField_->setText(countText);
    desktop_.beep();
    emit statusRequested(QStringLiteral("This value is not editable. Ready."));
}

} // namespace vp
