#include "options/OptionsDialog.h"

#include "options/GplFolderDialog.h"
#include "options/SafetyBoxes.h"
#include "remote/MouseInput.h"
#include "remote/ScriptCommands.h"
#include "seams/Desktop.h"
#include "widgets/TextConversions.h"
#include "widgets/ValueField.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>

#include <algorithm>
#include <optional>
#include <utility>

namespace vp {

namespace {

constexpr float kFirstDistance = 200.0F;

} // namespace

OptionsDialog::OptionsDialog(const OptionsRecord& options, OptionsDialogServices services, QWidget* parent)
    : QDialog(parent)
    , options_(options)
    , showInformationInForce_(options.showInformation)
    , services_(std::move(services))
{
    buildControls();
    if (services_.input != nullptr && services_.replaceMouseInput) {
        auto fresh = std::make_unique<MouseInput>(*services_.input, services_.clock,
                                                  [] { QCoreApplication::processEvents(); });
        mouseInput_ = fresh.get();
        services_.replaceMouseInput(std::move(fresh));
    }
    showOptions();
    connectControls();
    connectScriptCommands();
}

OptionsDialog::~OptionsDialog()
{
    services_.scriptActivity.unwatch(scriptActivityWatch_);
}

void OptionsDialog::done(int result)
{
    if (!services_.scriptActivity.mayRun(GatedCommand::CloseOptions)) {
        services_.desktop.beep();
        return;
    }
    QDialog::done(result);
}

void OptionsDialog::showOptions()
{
    allSafetyBox_->setChecked(options_.showSafetyRequests);
    if (options_.showSafetyRequests) {
        for (std::size_t i = 0; i < safetyBoxes_.size(); ++i)
            safetyBoxes_[i]->setChecked(options_.*kSafetyBoxes[i].flag);
    } else {
        applyAllSafetyRequests();
    }
    informationBox_->setChecked(options_.showInformation);
    fixedSwitchOverBox_->setChecked(options_.fixedSwitchOver);
    gplFolderLabel_->setText(pathText(options_.gplFolder));

    const char separator = decimalSeparator();
    ValueField* distance = defaultValueFields_[kDistanceBox];
    const ValueSlot placement = options_.defaultValues[kDistanceBox];
    if (placement.asFloat() == kPlaceInMiddle) {
        placementButtons_[kMiddle]->setChecked(true);
        distance->setText(QStringLiteral("200"));
        distance->setEnabled(false);
    } else {
        placementButtons_[kPlaceAtDistance]->setChecked(true);
        distance->setText(toQString(defaultBoxText(kDistanceBox, placement, separator)));
    }
    for (int k = 1; k < kDefaultValueBoxCount; ++k) {
        const ValueSlot slot = options_.defaultValues.at(static_cast<std::size_t>(k));
        if (k == kFixedBox)
            fixedModeBox_->setChecked(slot.asInt() != 0);
        else
            defaultValueFields_.at(static_cast<std::size_t>(k))->setText(toQString(defaultBoxText(k, slot, separator)));
    }

    updateGplControls();
    setScriptControlsEnabled(options_.script.count != 0);
    shutdownSlider_->setValue(-std::clamp(options_.shutdownDelay, kShutdownFast, kShutdownSlow));
    playScriptBox_->setChecked(options_.playScript);
}

void OptionsDialog::bindFlag(QCheckBox* box, bool OptionsRecord::*flag)
{
    connect(box, &QCheckBox::toggled, this, [this, flag](bool checked) { options_.*flag = checked; });
}

void OptionsDialog::connectControls()
{
    connect(allSafetyBox_, &QCheckBox::toggled, this, &OptionsDialog::applyAllSafetyRequests);
    for (std::size_t i = 0; i < safetyBoxes_.size(); ++i)
        bindFlag(safetyBoxes_[i], kSafetyBoxes[i].flag);
    bindFlag(informationBox_, &OptionsRecord::showInformation);
    bindFlag(fixedSwitchOverBox_, &OptionsRecord::fixedSwitchOver);
    bindFlag(playScriptBox_, &OptionsRecord::playScript);
    for (int index : {kMiddle, kPlaceAtDistance}) {
        connect(placementButtons_.at(static_cast<std::size_t>(index)), &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked)
                choosePlacement(index);
        });
    }
    connect(fixedModeBox_, &QCheckBox::toggled, this, &OptionsDialog::storeFixedMode);
    for (int k = 0; k < kDefaultValueBoxCount; ++k)
        connect(defaultValueFields_.at(static_cast<std::size_t>(k)), &ValueField::commitRequested, this,
                [this, k] { commitDefaultValue(k); });
    connect(shutdownSlider_, &QScrollBar::valueChanged, this, &OptionsDialog::storeShutdownDelay);
    connect(changeFolderButton_, &QPushButton::clicked, this, &OptionsDialog::changeGplFolder);
    connect(okButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(helpButton_, &QPushButton::clicked, this, &OptionsDialog::openManual);
}

void OptionsDialog::applyAllSafetyRequests()
{
    const bool on = allSafetyBox_->isChecked();
    for (std::size_t i = 0; i < safetyBoxes_.size(); ++i) {
        QCheckBox* box = safetyBoxes_[i];
        if (on) {
            box->setEnabled(true);
            box->setChecked(true);
        } else {
            box->setChecked(false);
            box->setEnabled(false);
        }
        options_.*kSafetyBoxes[i].flag = on;
    }
    options_.showSafetyRequests = on;
}

void OptionsDialog::choosePlacement(int index)
{
    ValueField* distance = defaultValueFields_[kDistanceBox];
    ValueSlot& placement = options_.defaultValues[kDistanceBox];
    if (index == kMiddle) {
        distance->setEnabled(false);
        placement = ValueSlot::fromFloat(kPlaceInMiddle);
        return;
    }
    distance->setEnabled(true);
    if (placement.asFloat() == kPlaceInMiddle) {
        distance->setText(QStringLiteral("200"));
        placement = ValueSlot::fromFloat(kFirstDistance);
    } else {
        distance->setText(toQString(defaultBoxText(kDistanceBox, placement, decimalSeparator())));
    }
}

void OptionsDialog::storeFixedMode()
{
    options_.defaultValues[kFixedBox] = ValueSlot::fromInt(fixedModeBox_->isChecked() ? 1 : 0);
}

void OptionsDialog::storeShutdownDelay()
{
    options_.shutdownDelay = -shutdownSlider_->value();
}

void OptionsDialog::commitDefaultValue(int box)
{
    ValueField* edit = defaultValueFields_.at(static_cast<std::size_t>(box));
    ValueSlot& slot = options_.defaultValues.at(static_cast<std::size_t>(box));
    const char separator = decimalSeparator();
    if (const std::optional<ValueSlot> typed = readDefaultBox(box, edit->text().toStdString(), separator)) {
        slot = *typed;
        return;
    }
    // Refused: the slot keeps its value and the box shows it again.
    services_.desktop.beep();
    edit->setText(toQString(refusedBoxText(box, slot, separator)));
}

void OptionsDialog::changeGplFolder()
{
    if (!services_.scriptActivity.mayRun(GatedCommand::Options)) {
        services_.desktop.beep();
        return;
    }
    GplFolderDialog dialog(options_.gplFolder, this);
    dialog.exec();
    options_.gplFolder = dialog.gplFolder();
    gplFolderLabel_->setText(pathText(options_.gplFolder));
    updateGplControls();
}

void OptionsDialog::openManual()
{
    services_.desktop.openDocument(services_.manual);
}

void OptionsDialog::connectScriptCommands()
{
    connect(recordButton_, &QPushButton::clicked, this, &OptionsDialog::recordScript);
    connect(testScriptButton_, &QPushButton::clicked, this, &OptionsDialog::testScript);
    const auto update = [this] {
        scriptCommands_->setEnabled(services_.scriptActivity.mayRun(GatedCommand::ScriptCommand));
    };
    update();
    scriptActivityWatch_ = services_.scriptActivity.watch([update](bool) { update(); });
}

RemoteContext OptionsDialog::scriptContext()
{
    return {services_.desktop, services_.clock, services_.input, services_.launcher, services_.scriptActivity,
            [] { QCoreApplication::processEvents(); }};
}

void OptionsDialog::recordScript()
{
    RemoteContext context = scriptContext();
    const ScreenSize screen = services_.recordingScreen.value_or(services_.desktop.screenSize());
    ScriptSettings settings = options_.scriptSettings();
    settings.shutdownDelayInDialog = &options_.shutdownDelay;
    const ScriptOutcome outcome = recordClickScript(context, options_.script, settings, screen);
    if (const auto enabled = scriptControlsAfterRecording(outcome))
        setScriptControlsEnabled(*enabled);
}

void OptionsDialog::testScript()
{
    RemoteContext context = scriptContext();
    // The script and folder as set here, the information box as the options in force say.
    ScriptSettings settings = options_.scriptSettings();
    settings.showInformation = showInformationInForce_;
    settings.shutdownDelayInDialog = &options_.shutdownDelay;
    playClickScript(context, mouseInput_, options_.script, settings);
}

void OptionsDialog::updateGplControls()
{
    const bool gplKnown = options_.gplKnown();
    recordButton_->setEnabled(gplKnown);
    shutdownSlider_->setEnabled(gplKnown);
}

void OptionsDialog::setScriptControlsEnabled(bool enabled)
{
    playScriptBox_->setEnabled(enabled);
    testScriptButton_->setEnabled(enabled);
}

} // namespace vp
