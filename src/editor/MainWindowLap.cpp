// The main window's view of the whole lap: the lap strip below the tabs and the list of checks on
// a tab of its own. Both follow every change of the document; choosing a camera in either shows it.

#include "editor/MainWindow.h"

#include "camdata/CameraChecks.h"
#include "editor/CameraSetPanel.h"
#include "editor/ChecksList.h"
#include "editor/LapStrip.h"
#include "editor/PitLanePanel.h"
#include "widgets/FrameStyle.h"
#include "widgets/LazyPage.h"
#include "widgets/SpinButton.h"
#include "widgets/ValueField.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QStyle>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vp {

QWidget* MainWindow::buildLapView()
{
    lapBox_ = new QGroupBox(QStringLiteral("Lap"), this);
    lapBox_->setStyle(FrameStyle::shared());
    lapBox_->setObjectName(QStringLiteral("frLap"));
    lapStrip_ = new LapStrip(document_, lapBox_);
    lapStrip_->setObjectName(QStringLiteral("lapStrip"));
    lapStrip_->setToolTip(QStringLiteral("Both camera sets along the lap: a square is a fixed camera, a ring a "
                                         "moving one, orange ones have findings. Click a camera to show it."));
    auto* layout = new QVBoxLayout(lapBox_);
    layout->setContentsMargins(6, 0, 6, 4);
    layout->addWidget(lapStrip_);

    checksPage_ = new LazyPage([this](QWidget& page) { return buildChecksList(page); }, tabs_);
    checksPage_->setContentsMargins(6, 6, 6, 6);
    tabs_->addTab(checksPage_, QStringLiteral("Checks"));

    for (CameraSetPanel* panel : {tv1Panel_, tv2Panel_}) {
        // Connected after the panel's own handling, which makes the selector's camera current.
        connect(panel->selector(), &SpinButton::positioned, lapStrip_,
                [this, panel] { lapStrip_->setCurrentCamera(panel->set(), panel->currentCamera()); });
        lapStrip_->setCurrentCamera(panel->set(), panel->currentCamera());
    }
    connect(tabs_, &QTabWidget::currentChanged, lapStrip_, [this] {
        if (tabs_->currentWidget() == tv1Panel_)
            lapStrip_->setActiveSet(CamSet::TV1);
        else if (tabs_->currentWidget() == tv2Panel_)
            lapStrip_->setActiveSet(CamSet::TV2);
    });
    connect(lapStrip_, &LapStrip::cameraChosen, this, &MainWindow::goToCamera);
    connect(this, &MainWindow::documentChanged, this, &MainWindow::refreshLapView);
    return lapBox_;
}

QWidget* MainWindow::buildChecksList(QWidget& page)
{
    auto* list = new ChecksList(&page);
    list->setObjectName(QStringLiteral("lstChecks"));
    list->setToolTip(QStringLiteral("Click a finding to go to its camera"));
    list->setAccessibleName(QStringLiteral("Checks"));
    connect(list, &ChecksList::findingChosen, this, &MainWindow::goToFinding);
    list->showFindings(checkDocument(document_));
    return list;
}

void MainWindow::refreshLapView()
{
    const std::vector<Finding> findings = checkDocument(document_);
    lapStrip_->setFindings(findings);
    lapStrip_->refresh();
    // A list not made yet is made with the findings of its time.
    if (checksPage_->built())
        static_cast<ChecksList&>(checksPage_->contents()).showFindings(findings);
    // A tab's text or icon lays the tab bar out anew: only when they change.
    const int tab = tabs_->indexOf(checksPage_);
    const QString title = QStringLiteral("Checks (%1)").arg(findings.size());
    if (tabs_->tabText(tab) != title)
        tabs_->setTabText(tab, title);
    if (tabs_->tabIcon(tab).isNull() != findings.empty())
        tabs_->setTabIcon(tab, findings.empty() ? QIcon() : style()->standardIcon(QStyle::SP_MessageBoxWarning));
}

void MainWindow::goToCamera(CamSet set, int camera)
{
    CameraSetPanel& panel = setPanel(set);
    tabs_->setCurrentWidget(&panel);
    if (panel.currentCamera() != camera)
        panel.selectCamera(camera);
}

void MainWindow::goToFinding(const Finding& finding)
{
    QWidget* field = nullptr;
    if (finding.place == CheckedPlace::PitLane) {
        tabs_->setCurrentWidget(pitLanePage_);
        if (finding.value >= 1 && finding.value <= kPitValueCount)
            field = pitLanePanel().valueField(finding.value - 1);
    } else {
        const CamSet set = finding.place == CheckedPlace::TV1 ? CamSet::TV1 : CamSet::TV2;
        goToCamera(set, finding.camera);
        CameraSetPanel& panel = setPanel(set);
        if (finding.value == kTvModeValue)
            field = panel.modeBox();
        else if (finding.value >= 1 && finding.value <= kTvValueCount)
            field = panel.valueField(finding.value - 1);
    }
    // A value that cannot be typed (the unknown ones, or one the camera's mode does not use): the
    // strip, which tells of the camera, takes the focus from the list that is no longer shown.
    if (field != nullptr && field->isEnabled())
        field->setFocus(Qt::OtherFocusReason);
    else
        lapStrip_->setFocus(Qt::OtherFocusReason);
}

} // namespace vp
