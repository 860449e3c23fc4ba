#include "editor/frmMain.h"

#include "editor/PitPanel.h"
#include "editor/TvSetPanel.h"
#include "options/Configuration.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace vp {

namespace {

constexpr int kWidthTwips = 11175;
constexpr int kHeightTwips = 7620;
constexpr int kTwipsPerInch = 1440;

const QString kWelcome = QStringLiteral("Welcome to Vantapoint by Quillfen of Z.O.R.V. Ready to rumble ;-) !");

int TwipsToPixels(int twips, int dotsPerInch)
{
    return (twips * dotsPerInch + kTwipsPerInch / 2) / kTwipsPerInch;
}

QPushButton* CommandButton(const QString& name, const QString& caption, const QString& hint, QWidget* parent)
{
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setToolTip(hint);
    return button;
}

// The maker's sign on the homepage button.
QPixmap HomepageSign()
{
    QPixmap sign(132, 40);
    sign.fill(Qt::transparent);
    QPainter painter(&sign);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0x1f, 0x3a, 0x5f));
    painter.drawRoundedRect(sign.rect().adjusted(1, 1, -1, -1), 6, 6);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(20);
    painter.setFont(font);
    painter.setPen(QColor(0xf2, 0xc1, 0x4e));
    painter.drawText(sign.rect(), Qt::AlignCenter, QStringLiteral("Z.O.R.V."));
    return sign;
}

} // namespace

frmMain::frmMain(EditorServices services, std::string commandLinePath, QWidget* parent)
    : QWidget(parent)
    , services_(services)
{
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Vantapoint V1.52"));
    buildWindow();
    runStartup(commandLinePath);
    applyFixedSize();
}

frmMain::~frmMain() = default;

void frmMain::buildWindow()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(6);

    sstCamData_ = new QTabWidget(this);
    sstCamData_->setObjectName(QStringLiteral("sstCamData"));
    tv1_ = new TvSetPanel(CamSet::TV1, state_, services_.desktop, sstCamData_);
    tv2_ = new TvSetPanel(CamSet::TV2, state_, services_.desktop, sstCamData_);
    pit_ = new PitPanel(state_, sstCamData_);
    sstCamData_->addTab(tv1_, QStringLiteral("TV1-Cameras"));
    sstCamData_->addTab(tv2_, QStringLiteral("TV2-Cameras"));
    sstCamData_->addTab(pit_, QStringLiteral("Pitlane-Camera"));
    for (TvSetPanel* panel : {tv1_, tv2_})
        connect(panel, &TvSetPanel::statusRequested, this, &frmMain::ShowStatus);
    connectEditing();

    frStatus_ = new QGroupBox(QStringLiteral("Status report"), this);
    frStatus_->setObjectName(QStringLiteral("frStatus"));
    // A label, not a text field: a file read writes hundreds of progress texts, and a label lays
    // out only the text that is finally painted.
    txtStatusLine_ = new QLabel(kWelcome, frStatus_);
    txtStatusLine_->setObjectName(QStringLiteral("txtStatusLine"));
    txtStatusLine_->setToolTip(QStringLiteral("Shows errors and status messages"));
    txtStatusLine_->setTextFormat(Qt::PlainText);
    txtStatusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    txtStatusLine_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    txtStatusLine_->setBackgroundRole(QPalette::Base);
    txtStatusLine_->setAutoFillBackground(true);
    txtStatusLine_->setMargin(2);
    auto* statusLayout = new QVBoxLayout(frStatus_);
    statusLayout->setContentsMargins(6, 2, 6, 6);
    statusLayout->addWidget(txtStatusLine_);

    grid->addWidget(sstCamData_, 0, 0);
    grid->addWidget(buildCommandColumn(), 0, 1);
    grid->addWidget(frStatus_, 1, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
}

QWidget* frmMain::buildCommandColumn()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 22, 0, 0);
    layout->setSpacing(6);

    cmdLoadCAMFile_ = CommandButton(QStringLiteral("cmdLoadCAMFile"), QStringLiteral("Load"),
                                    QStringLiteral("Loads an existing CAM-file"), column);
    cmdSaveCAMFile_ = CommandButton(QStringLiteral("cmdSaveCAMFile"), QStringLiteral("Save"),
                                    QStringLiteral("Saves current shown data into a CAM-file"), column);
    cmdOptions_ = CommandButton(QStringLiteral("cmdOptions"), QStringLiteral("Options"),
                                QStringLiteral("Opens the options dialogue"), column);
    cmdTestCams_ = CommandButton(QStringLiteral("cmdTestCams"), QStringLiteral("Test"),
                                 QStringLiteral("Launches GPL [and plays recorded script]"), column);
    cmdHelp_ = CommandButton(QStringLiteral("cmdHelp"), QStringLiteral("Help"),
                             QStringLiteral("Opens the online manual"), column);
    cmdExit_ = CommandButton(QStringLiteral("cmdExit"), QStringLiteral("Exit"),
                             QStringLiteral("Terminates Vantapoint"), column);
    for (QPushButton* button : {cmdLoadCAMFile_, cmdSaveCAMFile_, cmdOptions_, cmdTestCams_, cmdHelp_, cmdExit_})
        layout->addWidget(button);
    layout->addStretch(1);

    lblDevelop_ = new QLabel(QStringLiteral("developed and presented by:"), column);
    lblDevelop_->setObjectName(QStringLiteral("lblDevelop"));
    lblDevelop_->setWordWrap(true);
    cmdVisitHP_ = new QToolButton(column);
    cmdVisitHP_->setObjectName(QStringLiteral("cmdVisitHP"));
    const QPixmap sign = HomepageSign();
    cmdVisitHP_->setIcon(sign);
    cmdVisitHP_->setIconSize(sign.size());
    cmdVisitHP_->setAutoRaise(true);
    cmdVisitHP_->setToolTip(QStringLiteral("Visit the homepage of Z.O.R.V!"));
    // A picture has no caption for a screen reader to say.
    cmdVisitHP_->setAccessibleName(cmdVisitHP_->toolTip());
    layout->addWidget(lblDevelop_);
    layout->addWidget(cmdVisitHP_, 0, Qt::AlignHCenter);
    column->setFixedWidth(140);

    connect(cmdLoadCAMFile_, &QPushButton::clicked, this, &frmMain::cmdLoadCAMFile_Click);
    connect(cmdSaveCAMFile_, &QPushButton::clicked, this, &frmMain::cmdSaveCAMFile_Click);
    connect(cmdOptions_, &QPushButton::clicked, this, &frmMain::cmdOptions_Click);
    connect(cmdTestCams_, &QPushButton::clicked, this, &frmMain::cmdTestCams_Click);
    // The activity lives in this window's state: the watch ends with the window.
    state_.scriptActivity.watch([this](bool running) { ScriptActivity_Change(running); });
    connect(cmdHelp_, &QPushButton::clicked, this, &frmMain::cmdHelp_Click);
    connect(cmdExit_, &QPushButton::clicked, this, &frmMain::cmdExit_Click);
    connect(cmdVisitHP_, &QToolButton::clicked, this, &frmMain::cmdVisitHP_Click);
    return column;
}

void frmMain::runStartup(const std::string& commandLinePath)
{
    state_.ProgramFolder = services_.programFolder;
    state_.CAMPath = state_.ProgramFolder;
    state_.CAMFileName.clear();
    state_.AcceptOptions = false;
    state_.DataSaved = true;
    const ScreenSize screen = services_.desktop.screenSize();
    state_.ScreenWidth = screen.width;
    state_.ScreenHeight = screen.height;
    // Header, one camera per set, header length and the pit lane's -0.125; camera 1 gets its
    // values once the options are known.
    state_.document = CameraDocument::startup({});
    if (services_.input != nullptr)
        state_.mouse = std::make_unique<MouseInput>(*services_.input, services_.clock,
                                                     [] { QCoreApplication::processEvents(); });

    const ConfigLoadResult config = loadConfiguration(state_.ProgramFolder, state_.storedOptions);
    if (config.showWarning)
        services_.desktop.messageBox({std::string(kConfigWarningTitle), configWarningText(), BoxIcon::Exclamation,
                                      BoxButtons::Ok});
    if (config.gplNotFoundIn)
        services_.desktop.messageBox({std::string(kConfigWarningTitle), gplNotFoundText(*config.gplNotFoundIn),
                                      BoxIcon::Exclamation, BoxButtons::Ok});
    // A failed write of the defaults (code 3) is reported and the start-up goes on with the
    // defaults in memory, so the window is never left half built.
    for (int code : config.debugModeCodes)
        services_.desktop.messageBox({std::string(kDebugModeTitle), debugModeText(code), BoxIcon::Exclamation,
                                      BoxButtons::Ok});
    if (config.gplKnown)
        state_.CAMPath = config.camFolder;

    for (CamSet set : {CamSet::TV1, CamSet::TV2}) {
        TvCameraRecord& first = state_.document.set(set).camera(1);
        for (int k = 2; k <= 12; ++k)
            first.value(k) = state_.storedOptions.defaultValues.at(static_cast<std::size_t>(k - 1));
    }
    ShowTV1Cam();
    ShowTV2Cam();
    ShowPitlaneCam();
    EnableTestCams();
    state_.DataSaved = true;

    if (!commandLinePath.empty())
        ReadNamedCamFile(commandLinePath);
}

void frmMain::ShowStatus(const QString& text)
{
    txtStatusLine_->setText(text);
    emit statusShown(text);
}

void frmMain::ShowTV1Cam()
{
    tv1_->ShowCam();
}

void frmMain::ShowTV2Cam()
{
    tv2_->ShowCam();
}

void frmMain::ShowPitlaneCam()
{
    pit_->ShowCam();
}

TvSetPanel& frmMain::tvPanel(CamSet set) const
{
    return set == CamSet::TV1 ? *tv1_ : *tv2_;
}

void frmMain::setMouse(std::unique_ptr<MouseInput> mouse)
{
    state_.mouse = std::move(mouse);
}

QSize FixedOuterSize(int dotsPerInchX, int dotsPerInchY)
{
    return {TwipsToPixels(kWidthTwips, dotsPerInchX), TwipsToPixels(kHeightTwips, dotsPerInchY)};
}

QSize frmMain::fixedOuterSize() const
{
    return FixedOuterSize(logicalDpiX(), logicalDpiY());
}

void frmMain::applyFixedSize()
{
    // The outer size is fixed; the window frame, known once the window exists, is taken off it.
    const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    const QSize outer = fixedOuterSize();
    setFixedSize(outer.width() - frame.left() - frame.right(), outer.height() - frame.top() - frame.bottom());
}

void frmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyFixedSize();
}

void frmMain::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const Qt::WindowStates states = windowState();
    // A maximised window goes back to its fixed size; a minimised one is left alone.
    if (!(states & Qt::WindowMinimized) && (states & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        setWindowState(states & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
}

void frmMain::cmdExit_Click()
{
    close();
}

void frmMain::closeEvent(QCloseEvent* event)
{
    if (state_.scriptActivity.running()) {
        state_.scriptActivity.requestStop();
        closeAfterScript_ = true;
        event->ignore();
        return;
    }
    if (!ExitConfirmed()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool frmMain::ExitConfirmed()
{
    if (state_.DataSaved || !state_.storedOptions.askBeforeExit)
        return true;
    services_.desktop.beep();
    const BoxAnswer answer = services_.desktop.messageBox({"Vantapoint: Safety request",
                                                          "There is unsaved data in memory. Really exit?",
                                                          BoxIcon::Exclamation, BoxButtons::OkCancel});
    return answer == BoxAnswer::Ok;
}

void frmMain::cmdHelp_Click()
{
    services_.desktop.openDocument(services_.manualFile());
}

void frmMain::cmdVisitHP_Click()
{
    // The project has no public homepage; the manual's About section tells who makes Vantapoint.
    services_.desktop.openDocument(services_.manualFile() + "#about");
}

} // namespace vp
