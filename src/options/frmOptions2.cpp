#include "options/frmOptions2.h"

#include "options/frmGPLPath.h"
#include "remote/MouseInput.h"
#include "seams/Desktop.h"
#include "widgets/FieldEdit.h"
#include "widgets/LocaleSeparator.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

namespace vp {

namespace {

struct SafetyBoxSpec {
    const char* name;
    const char* caption;
    bool OptionsRecord::*flag;
};

// The single safety boxes in their tab order, each with the flag it edits.
constexpr std::array<SafetyBoxSpec, 6> kSafetyBoxes{{
    {"chkLoad", "Show safety request when clicking on the \"Load\"-button with unsaved data in memory",
     &OptionsRecord::askBeforeLoad},
    {"chkSafe", "Show safety request before overwriting an existing file", &OptionsRecord::askBeforeOverwrite},
    {"chkConfigure", "Show safety request before recording a new script in the \"GPL remote\"-options",
     &OptionsRecord::askBeforeNewScript},
    {"chkRemove", "Show safety request before removing a camera", &OptionsRecord::askBeforeRemove},
    {"chkExit", "Show safety request before exiting with unsaved data in memory", &OptionsRecord::askBeforeExit},
    {"chkAssign", "Show safety request when clicking an \"Assign to all\"-button", &OptionsRecord::askBeforeAssignToAll},
}};

constexpr int kMiddle = 0;        // optValue1 0: in the middle between the neighbours
constexpr int kPlaceAtDistance = 1;  // optValue1 1: at the distance in box 0
constexpr float kFirstDistance = 200.0F;

constexpr int kShutdownFast = 0;
constexpr int kShutdownSlow = 3000;

template <typename Widget>
Widget* Named(Widget* widget, const QString& name, const QString& toolTip = {})
{
    widget->setObjectName(name);
    widget->setToolTip(toolTip);
    return widget;
}

QPushButton* Button(QWidget* parent, const char* name, const char* caption, const char* toolTip)
{
    auto* button = Named(new QPushButton(QString::fromUtf8(caption), parent), QString::fromLatin1(name),
                         QString::fromUtf8(toolTip));
    // Enter in a default-value box must not close the dialog past the box's check.
    button->setAutoDefault(false);
    return button;
}

QFrame* Frame(const char* name)
{
    auto* frame = new QFrame;
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

} // namespace

frmOptions2::frmOptions2(OptionsRecord& working, OptionsDialogServices services, QWidget* parent)
    : QDialog(parent)
    , working_(working)
    , services_(std::move(services))
{
    BuildControls();
    Form_Load();
    ConnectHandlers();
    ConnectScriptCommands();
}

frmOptions2::~frmOptions2()
{
    services_.scriptActivity.unwatch(scriptActivityWatch_);
}

void frmOptions2::done(int result)
{
    if (!services_.scriptActivity.mayRun(GatedCommand::CloseOptions)) {
        services_.desktop.beep();
        return;
    }
    QDialog::done(result);
}

void frmOptions2::BuildControls()
{
    setWindowTitle(QStringLiteral("Vantapoint: Options"));
    setModal(true);

    sstOptions_ = new QTabWidget(this);
    sstOptions_->setObjectName(QStringLiteral("sstOptions"));
    sstOptions_->addTab(BuildGeneralTab(), QStringLiteral("General"));
    sstOptions_->addTab(BuildEditingTab(), QStringLiteral("Editing"));
    sstOptions_->addTab(BuildRemoteTab(), QStringLiteral("GPL remote"));

    cmdOK_ = Button(this, "cmdOK", "OK", "Save settings and close options dialogue");
    cmdCancel_ = Button(this, "cmdCancel", "Cancel", "Reject settings and close options dialogue");
    cmdHelp_ = Button(this, "cmdHelp", "Help", "Opens the online manual");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdOK_);
    buttons->addWidget(cmdCancel_);
    buttons->addWidget(cmdHelp_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(sstOptions_);
    layout->addLayout(buttons);
}

QWidget* frmOptions2::BuildGeneralTab()
{
    QFrame* frame = Frame("frGeneral");
    auto* layout = new QVBoxLayout(frame);

    layout->addWidget(Named(new QLabel(QStringLiteral("Safety settings:"), frame), QStringLiteral("lblSafety")));
    chkAll_ = Named(new QCheckBox(QStringLiteral("Show safety requests"), frame), QStringLiteral("chkAll"),
                    QStringLiteral("Click to toggle all safety requests"));
    layout->addWidget(chkAll_);
    auto* singles = new QVBoxLayout;
    singles->setContentsMargins(20, 0, 0, 0);
    for (std::size_t i = 0; i < kSafetyBoxes.size(); ++i) {
        safetyBoxes_[i] = Named(new QCheckBox(QString::fromUtf8(kSafetyBoxes[i].caption), frame),
                                QString::fromLatin1(kSafetyBoxes[i].name),
                                QStringLiteral("Click to toggle this special safety request"));
        singles->addWidget(safetyBoxes_[i]);
    }
    layout->addLayout(singles);

    layout->addSpacing(8);
    layout->addWidget(Named(new QLabel(QStringLiteral("Informations:"), frame), QStringLiteral("lblInformation")));
    chkInformation_ = Named(new QCheckBox(QStringLiteral("Show informational windows"), frame),
                            QStringLiteral("chkInformation"), QStringLiteral("Click to toggle all informational windows"));
    layout->addWidget(chkInformation_);

    layout->addSpacing(8);
    layout->addWidget(Named(new QLabel(QStringLiteral("Folder where GPL is installed:"), frame),
                            QStringLiteral("lblGPLFolderDescription")));
    lblGPLFolder_ = Named(new QLabel(frame), QStringLiteral("lblGPLFolder"));
    // A folder's name is shown as it is, never read as markup.
    lblGPLFolder_->setTextFormat(Qt::PlainText);
    lblGPLFolder_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    cmdChange_ = Button(frame, "cmdChange", "Change", "Click to choose or change the path to the file gpl.exe");
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(lblGPLFolder_, 1);
    folderRow->addWidget(cmdChange_);
    layout->addLayout(folderRow);
    layout->addStretch();
    return frame;
}

QWidget* frmOptions2::BuildEditingTab()
{
    QFrame* frame = Frame("frCameras");
    auto* grid = new QGridLayout(frame);

    chkFixedSwitchOver_ = Named(
        new QCheckBox(QStringLiteral("Keep the switch-over-point fixed when moving cameras longitudinally"), frame),
        QStringLiteral("chkFixedSwitchOver"), QStringLiteral("Click to toggle between fixed or non-fixed switch-over-points"));
    grid->addWidget(chkFixedSwitchOver_, 0, 0, 1, 3);
    auto* lblNewCamera =
        new QLabel(QStringLiteral("When adding a new camera or at startup, use the following values as default:"), frame);
    grid->addWidget(Named(lblNewCamera, QStringLiteral("lblNewCamera")), 1, 0, 1, 3);

    auto label = [frame](int value) {
        return Named(new QLabel(QStringLiteral("Camera value #%1:").arg(value + 1), frame),
                     QStringLiteral("lblValue_%1").arg(value));
    };
    // A box is named by its label, so that a screen reader says which value it holds.
    auto box = [this, frame](int k, QLabel* caption) {
        const auto& spec = kDefaultValueBoxes.at(static_cast<std::size_t>(k));
        auto* edit = Named(new FieldEdit(frame), QStringLiteral("txtDefaultValue_%1").arg(k), ToQString(spec.tooltip));
        edit->setMaximumWidth(90);
        edit->setAccessibleName(caption->text());
        caption->setBuddy(edit);
        txtDefaultValue_.at(static_cast<std::size_t>(k)) = edit;
        return edit;
    };

    // Value #1: the placement of a new camera, at a distance or in the middle.
    QLabel* distanceCaption = label(kDistanceBox);
    grid->addWidget(distanceCaption, 2, 0);
    optValue1_[kPlaceAtDistance] = Named(new QRadioButton(QStringLiteral("Place new camera"), frame),
                                         QStringLiteral("optValue1_1"));
    auto* distanceRow = new QHBoxLayout;
    distanceRow->addWidget(optValue1_[kPlaceAtDistance]);
    distanceRow->addWidget(box(kDistanceBox, distanceCaption));
    distanceRow->addWidget(Named(new QLabel(ToQString(kDefaultValueBoxes[kDistanceBox].unit), frame),
                                 QStringLiteral("lblValue1a")));
    distanceRow->addStretch();
    grid->addLayout(distanceRow, 2, 1, 1, 2);
    optValue1_[kMiddle] = Named(
        new QRadioButton(QStringLiteral("Place new camera in the middle between the one before and the one after"), frame),
        QStringLiteral("optValue1_0"));
    grid->addWidget(optValue1_[kMiddle], 3, 1, 1, 2);

    for (int k = 1; k < kDefaultValueBoxCount; ++k) {
        const int row = 3 + k;
        QLabel* caption = label(k);
        grid->addWidget(caption, row, 0);
        if (k == kFixedBox) {
            // The slot holds an integer, so a check box stands in for its box, which stays hidden.
            box(k, caption)->hide();
            chkValue5_ = Named(new QCheckBox(QStringLiteral("Fixed"), frame), QStringLiteral("chkValue5"),
                               QStringLiteral("Click to toggle between fixed or moving camera"));
            caption->setBuddy(chkValue5_);
            grid->addWidget(chkValue5_, row, 1);
        } else {
            grid->addWidget(box(k, caption), row, 1);
        }
        grid->addWidget(Named(new QLabel(ToQString(kDefaultValueBoxes.at(static_cast<std::size_t>(k)).unit), frame),
                              QStringLiteral("lblUnit_%1").arg(k - 1)),
                        row, 2);
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3 + kDefaultValueBoxCount, 1);
    return frame;
}

QWidget* frmOptions2::BuildRemoteTab()
{
    QFrame* frame = Frame("frBatchMode");
    auto* layout = new QVBoxLayout(frame);

    cmdConfigure_ = Button(frame, "cmdConfigure", "Record new script", "Click to record a new scripting sequence");
    chkPlayScript_ = Named(new QCheckBox(QStringLiteral("Play script after GPL has started"), frame),
                           QStringLiteral("chkPlayScript"), QStringLiteral("Toggle script-playing after GPL launch"));
    cmdTest_ = Button(frame, "cmdTest", "Test script", "Test the scripted sequence");
    scriptCommands_ = new QWidget(frame);
    auto* scriptRow = new QHBoxLayout(scriptCommands_);
    scriptRow->setContentsMargins(0, 0, 0, 0);
    scriptRow->addWidget(cmdConfigure_);
    scriptRow->addWidget(cmdTest_);
    scriptRow->addStretch();
    layout->addWidget(scriptCommands_);
    layout->addWidget(chkPlayScript_);

    layout->addSpacing(8);
    layout->addWidget(Named(new QLabel(QStringLiteral("GPL shutdown speed:"), frame), QStringLiteral("lblShutdown")));
    // From 3000 ms at the "Slow" end on the left to 0 ms at the "Fast" end on the right. The bar
    // counts the pause negatively: an inverted bar draws the same way, but Qt moves it against its
    // drawing on arrow and trough clicks. Counted this way arrows, trough, drag and the Left and
    // Right keys move the way they point, and the wheel turned up speeds up like a slider's.
    hscShutdown_ = Named(new QScrollBar(Qt::Horizontal, frame), QStringLiteral("hscShutdown"));
    hscShutdown_->setRange(-kShutdownSlow, -kShutdownFast);
    hscShutdown_->setSingleStep(50);
    hscShutdown_->setPageStep(500);
    hscShutdown_->setInvertedControls(false);
    hscShutdown_->setFocusPolicy(Qt::StrongFocus);
    auto* sliderRow = new QHBoxLayout;
    sliderRow->addWidget(Named(new QLabel(QStringLiteral("Slow"), frame), QStringLiteral("lblSlow")));
    sliderRow->addWidget(hscShutdown_, 1);
    sliderRow->addWidget(Named(new QLabel(QStringLiteral("Fast"), frame), QStringLiteral("lblFast")));
    layout->addLayout(sliderRow);
    layout->addStretch();
    return frame;
}

void frmOptions2::Form_Load()
{
    if (services_.input != nullptr && services_.replaceMouseEvent) {
        auto fresh = std::make_unique<MouseInput>(*services_.input, services_.clock,
                                                   [] { QCoreApplication::processEvents(); });
        mouseEvent_ = fresh.get();
        services_.replaceMouseEvent(std::move(fresh));
    }

    chkAll_->setChecked(working_.showSafetyRequests);
    if (working_.showSafetyRequests) {
        for (std::size_t i = 0; i < safetyBoxes_.size(); ++i)
            safetyBoxes_[i]->setChecked(working_.*kSafetyBoxes[i].flag);
    } else {
        chkAll_Click();
    }
    chkInformation_->setChecked(working_.showInformation);
    chkFixedSwitchOver_->setChecked(working_.fixedSwitchOver);
    lblGPLFolder_->setText(PathText(working_.gplFolder));

    const char separator = DecimalSeparator();
    FieldEdit* distance = txtDefaultValue_[kDistanceBox];
    const ValueSlot placement = working_.defaultValues[kDistanceBox];
    if (placement.asFloat() == kPlaceInMiddle) {
        optValue1_[kMiddle]->setChecked(true);
        distance->setText(QStringLiteral("200"));
        distance->setEnabled(false);
    } else {
        optValue1_[kPlaceAtDistance]->setChecked(true);
        distance->setText(ToQString(defaultBoxText(kDistanceBox, placement, separator)));
    }
    for (int k = 1; k < kDefaultValueBoxCount; ++k) {
        const ValueSlot slot = working_.defaultValues.at(static_cast<std::size_t>(k));
        if (k == kFixedBox)
            chkValue5_->setChecked(slot.asInt() != 0);
        else
            txtDefaultValue_.at(static_cast<std::size_t>(k))->setText(ToQString(defaultBoxText(k, slot, separator)));
    }

    UpdateGplControls();
    UpdateScriptControls();
    hscShutdown_->setValue(-std::clamp(working_.shutdownDelay, kShutdownFast, kShutdownSlow));
    chkPlayScript_->setChecked(working_.playScript);
}

void frmOptions2::BindFlag(QCheckBox* box, bool OptionsRecord::*flag)
{
    connect(box, &QCheckBox::toggled, this, [this, flag](bool checked) { working_.*flag = checked; });
}

void frmOptions2::ConnectHandlers()
{
    connect(chkAll_, &QCheckBox::toggled, this, &frmOptions2::chkAll_Click);
    for (std::size_t i = 0; i < safetyBoxes_.size(); ++i)
        BindFlag(safetyBoxes_[i], kSafetyBoxes[i].flag);
    BindFlag(chkInformation_, &OptionsRecord::showInformation);
    BindFlag(chkFixedSwitchOver_, &OptionsRecord::fixedSwitchOver);
    BindFlag(chkPlayScript_, &OptionsRecord::playScript);
    for (int index : {kMiddle, kPlaceAtDistance}) {
        connect(optValue1_.at(static_cast<std::size_t>(index)), &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked)
                optValue1_Click(index);
        });
    }
    connect(chkValue5_, &QCheckBox::toggled, this, &frmOptions2::chkValue5_Click);
    for (int k = 0; k < kDefaultValueBoxCount; ++k)
        connect(txtDefaultValue_.at(static_cast<std::size_t>(k)), &FieldEdit::LostFocus, this,
                [this, k] { txtDefaultValue_LostFocus(k); });
    connect(hscShutdown_, &QScrollBar::valueChanged, this, &frmOptions2::hscShutdown_Change);
    connect(cmdChange_, &QPushButton::clicked, this, &frmOptions2::cmdChange_Click);
    connect(cmdOK_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdCancel_, &QPushButton::clicked, this, &QDialog::reject);
    connect(cmdHelp_, &QPushButton::clicked, this, &frmOptions2::cmdHelp_Click);
}

void frmOptions2::chkAll_Click()
{
    const bool on = chkAll_->isChecked();
    for (std::size_t i = 0; i < safetyBoxes_.size(); ++i) {
        QCheckBox* box = safetyBoxes_[i];
        if (on) {
            box->setEnabled(true);
            box->setChecked(true);
        } else {
            box->setChecked(false);
            box->setEnabled(false);
        }
        working_.*kSafetyBoxes[i].flag = on;
    }
    working_.showSafetyRequests = on;
}

void frmOptions2::optValue1_Click(int index)
{
    FieldEdit* distance = txtDefaultValue_[kDistanceBox];
    ValueSlot& placement = working_.defaultValues[kDistanceBox];
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
        distance->setText(ToQString(defaultBoxText(kDistanceBox, placement, DecimalSeparator())));
    }
}

void frmOptions2::chkValue5_Click()
{
    working_.defaultValues[kFixedBox] = ValueSlot::fromInt(chkValue5_->isChecked() ? 1 : 0);
}

void frmOptions2::hscShutdown_Change()
{
    working_.shutdownDelay = -hscShutdown_->value();
}

void frmOptions2::txtDefaultValue_LostFocus(int box)
{
    FieldEdit* edit = txtDefaultValue_.at(static_cast<std::size_t>(box));
    ValueSlot& slot = working_.defaultValues.at(static_cast<std::size_t>(box));
    const char separator = DecimalSeparator();
    if (const std::optional<ValueSlot> typed = readDefaultBox(box, edit->text().toStdString(), separator)) {
        slot = *typed;
        return;
    }
    // Refused: the slot keeps its value and the box shows it again.
    services_.desktop.beep();
    edit->setText(ToQString(refusedBoxText(box, slot, separator)));
}

void frmOptions2::cmdChange_Click()
{
    if (!services_.scriptActivity.mayRun(GatedCommand::Options)) {
        services_.desktop.beep();
        return;
    }
    frmGPLPath dialog(working_, this);
    dialog.exec();
    lblGPLFolder_->setText(PathText(working_.gplFolder));
    UpdateGplControls();
}

void frmOptions2::cmdHelp_Click()
{
    services_.desktop.openDocument(services_.manual);
}

void frmOptions2::ConnectScriptCommands()
{
    connect(cmdConfigure_, &QPushButton::clicked, this, &frmOptions2::cmdConfigure_Click);
    connect(cmdTest_, &QPushButton::clicked, this, &frmOptions2::cmdTest_Click);
    const auto update = [this] {
        scriptCommands_->setEnabled(services_.scriptActivity.mayRun(GatedCommand::ScriptCommand));
    };
    update();
    scriptActivityWatch_ = services_.scriptActivity.watch([update](bool) { update(); });
}

RemoteContext frmOptions2::ScriptContext()
{
    return {services_.desktop, services_.clock, services_.input, services_.launcher, services_.scriptActivity,
            [] { QCoreApplication::processEvents(); }};
}

void frmOptions2::cmdConfigure_Click()
{
    RemoteContext context = ScriptContext();
    const ScreenSize screen = services_.recordingScreen.value_or(services_.desktop.screenSize());
    const ScriptOutcome outcome = recordClickScript(context, working_.script, working_.scriptSettings(), screen);
    if (const auto enabled = scriptControlsAfterRecording(outcome))
        SetScriptControlsEnabled(*enabled);
}

void frmOptions2::cmdTest_Click()
{
    RemoteContext context = ScriptContext();
    // The working script from the working folder, but the information box as the stored options say.
    ScriptSettings settings = working_.scriptSettings();
    if (services_.storedOptions != nullptr)
        settings.showInformation = services_.storedOptions->showInformation;
    playClickScript(context, mouseEvent_, working_.script, settings);
}

void frmOptions2::UpdateGplControls()
{
    const bool gplKnown = working_.gplKnown();
    cmdConfigure_->setEnabled(gplKnown);
    hscShutdown_->setEnabled(gplKnown);
}

void frmOptions2::UpdateScriptControls()
{
    SetScriptControlsEnabled(working_.script.count != 0);
}

void frmOptions2::SetScriptControlsEnabled(bool enabled)
{
    chkPlayScript_->setEnabled(enabled);
    cmdTest_->setEnabled(enabled);
}

} // namespace vp
