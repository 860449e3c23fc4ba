// The options dialog's controls: the three tabs and the buttons below them, with their captions,
// tooltips and object names.

#include "options/OptionsDialog.h"

#include "options/SafetyBoxes.h"
#include "widgets/ControlNames.h"
#include "widgets/TextConversions.h"
#include "widgets/ValueField.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vp {

namespace {

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption, const char* toolTip)
{
    auto* button = named(new QPushButton(QString::fromUtf8(caption), parent), QString::fromLatin1(name),
                         QString::fromUtf8(toolTip));
    // Enter in a default-value box must not close the dialog past the box's check.
    button->setAutoDefault(false);
    return button;
}

QFrame* makeFrame(const char* name)
{
    auto* frame = new QFrame;
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameShape(QFrame::NoFrame);
    return frame;
}

} // namespace

void OptionsDialog::buildControls()
{
    setWindowTitle(QStringLiteral("Vantapoint: Options"));
    setModal(true);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("sstOptions"));
    tabs_->addTab(buildGeneralTab(), QStringLiteral("General"));
    tabs_->addTab(buildEditingTab(), QStringLiteral("Editing"));
    tabs_->addTab(buildRemoteTab(), QStringLiteral("GPL remote"));

    okButton_ = makeButton(this, "cmdOK", "OK", "Save settings and close options dialogue");
    cancelButton_ = makeButton(this, "cmdCancel", "Cancel", "Reject settings and close options dialogue");
    helpButton_ = makeButton(this, "cmdHelp", "Help", "Opens the online manual");

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addWidget(helpButton_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_);
    layout->addLayout(buttons);
}

QWidget* OptionsDialog::buildGeneralTab()
{
    QFrame* frame = makeFrame("frGeneral");
    auto* layout = new QVBoxLayout(frame);

    layout->addWidget(named(new QLabel(QStringLiteral("Safety settings:"), frame), QStringLiteral("lblSafety")));
    allSafetyBox_ = named(new QCheckBox(QStringLiteral("Show safety requests"), frame), QStringLiteral("chkAll"),
                    QStringLiteral("Click to toggle all safety requests"));
    layout->addWidget(allSafetyBox_);
    auto* singles = new QVBoxLayout;
    singles->setContentsMargins(20, 0, 0, 0);
    for (std::size_t i = 0; i < kSafetyBoxes.size(); ++i) {
        safetyBoxes_[i] = named(new QCheckBox(QString::fromUtf8(kSafetyBoxes[i].caption), frame),
                                QString::fromLatin1(kSafetyBoxes[i].name),
                                QStringLiteral("Click to toggle this special safety request"));
        singles->addWidget(safetyBoxes_[i]);
    }
    layout->addLayout(singles);

    layout->addSpacing(8);
    layout->addWidget(named(new QLabel(QStringLiteral("Informations:"), frame), QStringLiteral("lblInformation")));
    informationBox_ = named(new QCheckBox(QStringLiteral("Show informational windows"), frame),
                            QStringLiteral("chkInformation"), QStringLiteral("Click to toggle all informational windows"));
    layout->addWidget(informationBox_);

    layout->addSpacing(8);
    layout->addWidget(named(new QLabel(QStringLiteral("Folder where GPL is installed:"), frame),
                            QStringLiteral("lblGPLFolderDescription")));
    gplFolderLabel_ = named(new QLabel(frame), QStringLiteral("lblGPLFolder"));
    // A folder's name is shown as it is, never read as markup.
    gplFolderLabel_->setTextFormat(Qt::PlainText);
    gplFolderLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    changeFolderButton_ = makeButton(frame, "cmdChange", "Change", "Click to choose or change the path to the file gpl.exe");
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(gplFolderLabel_, 1);
    folderRow->addWidget(changeFolderButton_);
    layout->addLayout(folderRow);
    layout->addStretch();
    return frame;
}

QWidget* OptionsDialog::buildEditingTab()
{
    QFrame* frame = makeFrame("frCameras");
    auto* grid = new QGridLayout(frame);

    fixedSwitchOverBox_ = named(
        new QCheckBox(QStringLiteral("Keep the switch-over-point fixed when moving cameras longitudinally"), frame),
        QStringLiteral("chkFixedSwitchOver"), QStringLiteral("Click to toggle between fixed or non-fixed switch-over-points"));
    grid->addWidget(fixedSwitchOverBox_, 0, 0, 1, 3);
    auto* newCameraLabel =
        new QLabel(QStringLiteral("When adding a new camera or at startup, use the following values as default:"), frame);
    grid->addWidget(named(newCameraLabel, QStringLiteral("lblNewCamera")), 1, 0, 1, 3);

    auto label = [frame](int value) {
        return named(new QLabel(QStringLiteral("Camera value #%1:").arg(value + 1), frame),
                     QStringLiteral("lblValue_%1").arg(value));
    };
    // A box is named by its label, so that a screen reader says which value it holds.
    auto box = [this, frame](int k, QLabel* caption) {
        const auto& spec = kDefaultValueBoxes.at(static_cast<std::size_t>(k));
        auto* edit = named(new ValueField(frame), QStringLiteral("txtDefaultValue_%1").arg(k), toQString(spec.tooltip));
        edit->setMaximumWidth(90);
        edit->setAccessibleName(caption->text());
        caption->setBuddy(edit);
        defaultValueFields_.at(static_cast<std::size_t>(k)) = edit;
        return edit;
    };

    // Value #1: the placement of a new camera, at a distance or in the middle.
    QLabel* distanceCaption = label(kDistanceBox);
    grid->addWidget(distanceCaption, 2, 0);
    placementButtons_[kPlaceAtDistance] = named(new QRadioButton(QStringLiteral("Place new camera"), frame),
                                         QStringLiteral("optValue1_1"));
    auto* distanceRow = new QHBoxLayout;
    distanceRow->addWidget(placementButtons_[kPlaceAtDistance]);
    distanceRow->addWidget(box(kDistanceBox, distanceCaption));
    distanceRow->addWidget(named(new QLabel(toQString(kDefaultValueBoxes[kDistanceBox].unit), frame),
                                 QStringLiteral("lblValue1a")));
    distanceRow->addStretch();
    grid->addLayout(distanceRow, 2, 1, 1, 2);
    placementButtons_[kMiddle] = named(
        new QRadioButton(QStringLiteral("Place new camera in the middle between the one before and the one after"), frame),
        QStringLiteral("optValue1_0"));
    grid->addWidget(placementButtons_[kMiddle], 3, 1, 1, 2);

    for (int k = 1; k < kDefaultValueBoxCount; ++k) {
        const int row = 3 + k;
        QLabel* caption = label(k);
        grid->addWidget(caption, row, 0);
        if (k == kFixedBox) {
            // The slot holds an integer, so a check box stands in for its box, which stays hidden.
            box(k, caption)->hide();
            fixedModeBox_ = named(new QCheckBox(QStringLiteral("Fixed"), frame), QStringLiteral("chkValue5"),
                               QStringLiteral("Click to toggle between fixed or moving camera"));
            caption->setBuddy(fixedModeBox_);
            grid->addWidget(fixedModeBox_, row, 1);
        } else {
            grid->addWidget(box(k, caption), row, 1);
        }
        grid->addWidget(named(new QLabel(toQString(kDefaultValueBoxes.at(static_cast<std::size_t>(k)).unit), frame),
                              QStringLiteral("lblUnit_%1").arg(k - 1)),
                        row, 2);
    }
    grid->setColumnStretch(2, 1);
    grid->setRowStretch(3 + kDefaultValueBoxCount, 1);
    return frame;
}

QWidget* OptionsDialog::buildRemoteTab()
{
    QFrame* frame = makeFrame("frBatchMode");
    auto* layout = new QVBoxLayout(frame);

    recordButton_ = makeButton(frame, "cmdConfigure", "Record new script", "Click to record a new scripting sequence");
    playScriptBox_ = named(new QCheckBox(QStringLiteral("Play script after GPL has started"), frame),
                           QStringLiteral("chkPlayScript"), QStringLiteral("Toggle script-playing after GPL launch"));
    testScriptButton_ = makeButton(frame, "cmdTest", "Test script", "Test the scripted sequence");
    scriptCommands_ = new QWidget(frame);
    auto* scriptRow = new QHBoxLayout(scriptCommands_);
    scriptRow->setContentsMargins(0, 0, 0, 0);
    scriptRow->addWidget(recordButton_);
    scriptRow->addWidget(testScriptButton_);
    scriptRow->addStretch();
    layout->addWidget(scriptCommands_);
    layout->addWidget(playScriptBox_);

    layout->addSpacing(8);
    layout->addWidget(named(new QLabel(QStringLiteral("GPL shutdown speed:"), frame), QStringLiteral("lblShutdown")));
    // From 3000 ms at the "Slow" end on the left to 0 ms at the "Fast" end on the right. The bar
    // counts the pause negatively: an inverted bar draws the same way, but Qt moves it against its
    // drawing on arrow and trough clicks. Counted this way arrows, trough, drag and the Left and
    // Right keys move the way they point, and the wheel turned up speeds up like a slider's.
    shutdownSlider_ = named(new QScrollBar(Qt::Horizontal, frame), QStringLiteral("hscShutdown"));
    shutdownSlider_->setRange(-kShutdownSlow, -kShutdownFast);
    shutdownSlider_->setSingleStep(50);
    shutdownSlider_->setPageStep(500);
    shutdownSlider_->setInvertedControls(false);
    shutdownSlider_->setFocusPolicy(Qt::StrongFocus);
    auto* sliderRow = new QHBoxLayout;
    sliderRow->addWidget(named(new QLabel(QStringLiteral("Slow"), frame), QStringLiteral("lblSlow")));
    sliderRow->addWidget(shutdownSlider_, 1);
    sliderRow->addWidget(named(new QLabel(QStringLiteral("Fast"), frame), QStringLiteral("lblFast")));
    layout->addLayout(sliderRow);
    layout->addStretch();
    return frame;
}

} // namespace vp
