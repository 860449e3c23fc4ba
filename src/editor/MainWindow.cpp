#include "editor/MainWindow.h"

#include "editor/CameraSetPanel.h"
#include "editor/PitLanePanel.h"
#include "options/Configuration.h"
#include "widgets/ControlNames.h"
#include "widgets/FrameStyle.h"
#include "widgets/LazyPage.h"
#include "widgets/PngImage.h"
#include "widgets/TextConversions.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWindow>

namespace vp {

namespace {

constexpr int kWidthTwips = 11175;
// The camera editor's 7620 and 1680 (112 pixels at 96 dots per inch) for the lap strip below it.
constexpr int kHeightTwips = 7620 + 1680;
constexpr int kTwipsPerInch = 1440;

const QString kProgramTitle = QStringLiteral("Vantapoint V1.52");
const QString kWelcome = QStringLiteral("Welcome to Vantapoint by Quillfen of Z.O.R.V. Ready to rumble ;-) !");

int twipsToPixels(int twips, int dotsPerInch)
{
    return (twips * dotsPerInch + kTwipsPerInch / 2) / kTwipsPerInch;
}

} // namespace

MainWindow::MainWindow(EditorServices services, std::string commandLinePath, QWidget* parent)
    : QWidget(parent)
    , services_(services)
{
    setObjectName(QStringLiteral("frmMain"));
    setAcceptDrops(true);
    // Text set for the first picture's sake. The captions, values and buttons are Latin text, for
    // which the font's shaping rules (kerning, ligatures) are decoration: without them its few
    // hundred texts are laid out in about half the time; a script that needs shaping is still
    // shaped. Fully hinted, a glyph is drawn once per size, fitted to the pixels, rather than once
    // for each sub-pixel position it is met at: about a quarter as many glyphs to rasterise, and
    // crisper small text in this fixed-size window.
    QFont plain = font();
    plain.setStyleStrategy(QFont::PreferNoShaping);
    plain.setHintingPreference(QFont::PreferFullHinting);
    setFont(plain);
    // "[*]" is where the title shows the unsaved mark.
    setWindowTitle(kProgramTitle + QStringLiteral("[*]"));
    buildWindow();
    connectKeys();
    runStartup(commandLinePath);
    applyFixedSize();
}

MainWindow::~MainWindow() = default;

void MainWindow::buildWindow()
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setSpacing(6);

    tabs_ = new QTabWidget(this);
    tabs_->setObjectName(QStringLiteral("sstCamData"));
    tabs_->setStyle(FrameStyle::shared());
    tv1Panel_ = new CameraSetPanel(CamSet::TV1, document_, services_.desktop, tabs_);
    tv2Panel_ = new CameraSetPanel(CamSet::TV2, document_, services_.desktop, tabs_);
    // The first tab is part of the first picture; the other set's rows wait for their tab.
    tv1Panel_->buildValueRows();
    pitLanePage_ = new LazyPage([this](QWidget& page) { return buildPitLanePanel(page); }, tabs_);
    tabs_->addTab(tv1Panel_, QStringLiteral("TV1-Cameras"));
    tabs_->addTab(tv2Panel_, QStringLiteral("TV2-Cameras"));
    tabs_->addTab(pitLanePage_, QStringLiteral("Pitlane-Camera"));
    for (CameraSetPanel* panel : {tv1Panel_, tv2Panel_}) {
        connect(panel, &CameraSetPanel::statusRequested, this, &MainWindow::showStatus);
        connect(panel, &CameraSetPanel::documentChanged, this, &MainWindow::markModified);
    }
    connectEditing();

    statusBox_ = new QGroupBox(QStringLiteral("Status report"), this);
    statusBox_->setStyle(FrameStyle::shared());
    statusBox_->setObjectName(QStringLiteral("frStatus"));
    // A label, not a text field: a file read writes hundreds of progress texts, and a label lays
    // out only the text that is finally painted.
    statusLine_ = new QLabel(kWelcome, statusBox_);
    statusLine_->setObjectName(QStringLiteral("txtStatusLine"));
    statusLine_->setToolTip(QStringLiteral("Shows errors and status messages"));
    statusLine_->setTextFormat(Qt::PlainText);
    statusLine_->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    statusLine_->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    statusLine_->setBackgroundRole(QPalette::Base);
    statusLine_->setAutoFillBackground(true);
    statusLine_->setMargin(2);
    auto* statusLayout = new QVBoxLayout(statusBox_);
    statusLayout->setContentsMargins(6, 2, 6, 6);
    statusLayout->addWidget(statusLine_);

    grid->addWidget(tabs_, 0, 0);
    grid->addWidget(buildCommandColumn(), 0, 1);
    grid->addWidget(buildLapView(), 1, 0, 1, 2);
    grid->addWidget(statusBox_, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setRowStretch(0, 1);
}

QWidget* MainWindow::buildCommandColumn()
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 22, 0, 0);
    layout->setSpacing(6);

    const struct {
        QPushButton*& button;
        const char* name;
        const char* caption;
        const char* hint;
    } commands[] = {
        {loadButton_, "cmdLoadCAMFile", "&Load", "Loads an existing CAM-file"},
        {saveButton_, "cmdSaveCAMFile", "&Save", "Saves current shown data into a CAM-file"},
        {optionsButton_, "cmdOptions", "&Options", "Opens the options dialogue"},
        {testButton_, "cmdTestCams", "&Test", "Launches GPL [and plays recorded script]"},
        {helpButton_, "cmdHelp", "&Help", "Opens the online manual"},
        {exitButton_, "cmdExit", "E&xit", "Terminates Vantapoint"},
    };
    for (const auto& command : commands) {
        command.button = named(new QPushButton(QString::fromUtf8(command.caption), column),
                               QString::fromUtf8(command.name), QString::fromUtf8(command.hint));
        layout->addWidget(command.button);
    }
    layout->addStretch(1);

    makerLabel_ = new QLabel(QStringLiteral("developed and presented by:"), column);
    makerLabel_->setObjectName(QStringLiteral("lblDevelop"));
    makerLabel_->setWordWrap(true);
    homepageButton_ = new QToolButton(column);
    homepageButton_->setObjectName(QStringLiteral("cmdVisitHP"));
    const QPixmap sign = QPixmap::fromImage(readPngImage(QStringLiteral(":/images/homepage-sign.png")));
    homepageButton_->setIcon(sign);
    homepageButton_->setIconSize(sign.size());
    homepageButton_->setAutoRaise(true);
    homepageButton_->setToolTip(QStringLiteral("Visit the homepage of Z.O.R.V!"));
    // A picture has no caption for a screen reader to say.
    homepageButton_->setAccessibleName(homepageButton_->toolTip());
    layout->addWidget(makerLabel_);
    layout->addWidget(homepageButton_, 0, Qt::AlignHCenter);
    column->setFixedWidth(140);

    // An accelerator letter presses its button without taking the focus from the field being typed
    // into: the entry is committed first, as a click would have done.
    for (QPushButton* button : {loadButton_, saveButton_, optionsButton_, testButton_, helpButton_, exitButton_})
        connect(button, &QPushButton::clicked, this, &MainWindow::commitEditedField);
    connect(loadButton_, &QPushButton::clicked, this, &MainWindow::loadCamFile);
    connect(saveButton_, &QPushButton::clicked, this, &MainWindow::saveCamFile);
    connect(optionsButton_, &QPushButton::clicked, this, &MainWindow::editOptions);
    connect(testButton_, &QPushButton::clicked, this, &MainWindow::testCameras);
    // The activity is this window's own: the watch ends with the window.
    scriptActivity_.watch([this](bool running) { scriptActivityChanged(running); });
    connect(helpButton_, &QPushButton::clicked, this, &MainWindow::openManual);
    connect(exitButton_, &QPushButton::clicked, this, &QWidget::close);
    connect(homepageButton_, &QToolButton::clicked, this, &MainWindow::openHomepage);
    return column;
}

void MainWindow::runStartup(const std::string& commandLinePath)
{
    camFolder_ = services_.programFolder;
    camFileName_.clear();
    screenSize_ = services_.desktop.screenSize();
    // Header, one camera per set, header length and the pit lane's -0.125; camera 1 gets its
    // values once the options are known.
    document_ = CameraDocument::startup({});
    if (services_.input != nullptr)
        mouseInput_ = std::make_unique<MouseInput>(*services_.input, services_.clock,
                                                   [] { QCoreApplication::processEvents(); });

    const ConfigLoadResult config = loadConfiguration(services_.configHome(), options_);
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
        camFolder_ = config.camFolder;

    for (CamSet set : {CamSet::TV1, CamSet::TV2}) {
        TvCameraRecord& first = document_.set(set).camera(1);
        for (int k = 2; k <= 12; ++k)
            first.value(k) = options_.defaultValues.at(static_cast<std::size_t>(k - 1));
    }
    showCamera(CamSet::TV1);
    showCamera(CamSet::TV2);
    showPitLaneCamera();
    emit documentChanged();
    updateTestButton();
    setModified(false);

    if (!commandLinePath.empty())
        loadFrom(commandLinePath);
}

void MainWindow::showStatus(const QString& text)
{
    statusLine_->setText(text);
    emit statusShown(text);
}

void MainWindow::showCamera(CamSet set)
{
    setPanel(set).showCamera();
}

void MainWindow::showPitLaneCamera()
{
    // A panel not made yet shows the camera as it is when it is made.
    if (pitLanePage_->built())
        pitLanePanel().showCamera();
}

PitLanePanel& MainWindow::pitLanePanel()
{
    return static_cast<PitLanePanel&>(pitLanePage_->contents());
}

void MainWindow::buildPages()
{
    tv2Panel_->buildValueRows();
    pitLanePage_->contents();
    checksPage_->contents();
}

CameraSetPanel& MainWindow::setPanel(CamSet set) const
{
    return set == CamSet::TV1 ? *tv1Panel_ : *tv2Panel_;
}

void MainWindow::markModified()
{
    setModified(true);
    emit documentChanged();
}

void MainWindow::setModified(bool modified)
{
    setWindowModified(modified);
}

void MainWindow::showFileInTitle(const std::string& path)
{
    // A "[*]" in the name itself is doubled, which the title shows as the text it is.
    QString name = QFileInfo(QDir::fromNativeSeparators(pathText(path))).fileName();
    name.replace(QStringLiteral("[*]"), QStringLiteral("[*][*]"));
    setWindowTitle(QStringLiteral("%1[*] - %2").arg(name, kProgramTitle));
}

QSize fixedOuterSize(int dotsPerInchX, int dotsPerInchY)
{
    return {twipsToPixels(kWidthTwips, dotsPerInchX), twipsToPixels(kHeightTwips, dotsPerInchY)};
}

QSize MainWindow::fixedOuterSize() const
{
    return vp::fixedOuterSize(logicalDpiX(), logicalDpiY());
}

void MainWindow::applyFixedSize()
{
    // The outer size is fixed; the window frame, known once the window exists, is taken off it.
    const QMargins frame = windowHandle() != nullptr ? windowHandle()->frameMargins() : QMargins();
    const QSize outer = fixedOuterSize();
    setFixedSize(outer.width() - frame.left() - frame.right(), outer.height() - frame.top() - frame.bottom());
}

void MainWindow::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    applyFixedSize();
}

void MainWindow::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    const Qt::WindowStates states = windowState();
    // A maximised window goes back to its fixed size; a minimised one is left alone.
    if (!(states & Qt::WindowMinimized) && (states & (Qt::WindowMaximized | Qt::WindowFullScreen)))
        setWindowState(states & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (scriptActivity_.running()) {
        scriptActivity_.requestStop();
        closeAfterScript_ = true;
        event->ignore();
        return;
    }
    if (!exitConfirmed()) {
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}

bool MainWindow::exitConfirmed()
{
    if (!isModified() || !options_.askBeforeExit)
        return true;
    services_.desktop.beep();
    const BoxAnswer answer = services_.desktop.messageBox({"Vantapoint: Safety request",
                                                          "There is unsaved data in memory. Really exit?",
                                                          BoxIcon::Exclamation, BoxButtons::OkCancel});
    return answer == BoxAnswer::Ok;
}

void MainWindow::openManual()
{
    services_.desktop.openDocument(services_.manualFile());
}

void MainWindow::openHomepage()
{
    // The project has no public homepage; the manual's About section tells who makes Vantapoint.
    services_.desktop.openDocument(services_.manualFile() + "#about");
}

} // namespace vp
