// Program start until the main window is shown, against a bare Qt window program, in one run.
// Each iteration starts this executable again as children ("--probe bare", "--probe text",
// "--probe panel" and "--probe main FOLDER"), each building its window, showing it, letting the
// pending events run once and ending; a start's time covers the process start, Qt's own start-up,
// the window and the exit. The children are the same executable, so the difference is what
// Vantapoint's start-up adds. "panel" is a window holding only the first tab's camera panel with
// its value rows: the least that any start-up showing that tab pays, a yardstick for the rest of
// the window. Children run offscreen, or with VP_STARTUP_PLATFORM=xcb on the X server of $DISPLAY.
// MainWindowInProcess shows the part of it that is the window itself: MainWindow built, shown and
// destroyed again inside this process, where Qt has already started.

#include "app/QtDesktop.h"
#include "camdata/CameraDocument.h"
#include "editor/CameraSetPanel.h"
#include "editor/EditorServices.h"
#include "editor/MainWindow.h"
#include "remote/DeferredInputBackend.h"
#include "seams/Clock.h"
#include "support/BenchSupport.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFont>
#include <QLabel>
#include <QProcess>
#include <QVBoxLayout>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

namespace fs = std::filesystem;

// The main window, shown and with its pending events processed; window() keeps it alive.
class ShownMainWindow {
public:
    explicit ShownMainWindow(const std::string& programFolder)
        : desktop_(std::cerr), input_(vp::createPlatformInputBackend),
          window_(vp::EditorServices{desktop_, clock_, &input_, programFolder}, "")
    {
        window_.show();
        QApplication::processEvents();
    }

private:
    vp::ScreenshotDesktop desktop_;
    vp::SteadyClock clock_;
    vp::DeferredInputBackend input_;
    vp::MainWindow window_;
};

int Probe(int argc, char** argv)
{
    const std::string kind = argv[2];
    const std::string folder = argc > 3 ? argv[3] : "";
    QApplication app(argc, argv);
    if (kind == "bare") {
        QWidget window;
        window.resize(745, 620);
        window.show();
        QApplication::processEvents();
        return 0;
    }
    if (kind == "panel") {
        // Declared before the window, which holds the panel that refers to them.
        vp::CameraDocument document;
        vp::ScreenshotDesktop desktop(std::cerr);
        QWidget window;
        window.resize(745, 620);
        // The main window's text settings, so that the panel's text costs what it costs there.
        QFont plain = window.font();
        plain.setStyleStrategy(QFont::PreferNoShaping);
        plain.setHintingPreference(QFont::PreferFullHinting);
        window.setFont(plain);
        auto* panel = new vp::CameraSetPanel(vp::CamSet::TV1, document, desktop);
        (new QVBoxLayout(&window))->addWidget(panel);
        panel->buildValueRows();
        panel->showCamera();
        window.show();
        QApplication::processEvents();
        return 0;
    }
    if (kind == "text") {
        QWidget window;
        window.resize(745, 620);
        QLabel label(QStringLiteral("Vantapoint"), &window);
        window.show();
        QApplication::processEvents();
        return 0;
    }
    const ShownMainWindow window(folder);
    return 0;
}

QString& Self()
{
    static QString path;
    return path;
}

// The Qt platform the children start on.
QString ChildPlatform()
{
    return qEnvironmentVariable("VP_STARTUP_PLATFORM", QStringLiteral("offscreen"));
}

// The program folder of the main-window child: its Vantapoint.cfg is written by a first start
// before the measurement, so every measured start reads an existing configuration.
const vp::bench::ProgramFolder& Folder()
{
    static const vp::bench::ProgramFolder folder;
    return folder;
}

// CPU seconds (user + system) used by the ended children so far; wall time suffers from other
// load on the machine, CPU time much less.
double ChildrenCpuSeconds()
{
#ifndef _WIN32
    rusage usage{};
    if (getrusage(RUSAGE_CHILDREN, &usage) == 0)
        return static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
               static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
#endif
    return 0;
}

bool StartChild(const QStringList& arguments)
{
    QProcess child;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), ChildPlatform());
    child.setProcessEnvironment(environment);
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(Self(), arguments);
    return child.waitForFinished(60000) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

// Every start of each child, in milliseconds, over the whole run.
struct Starts {
    std::vector<double> wall;
    std::vector<double> cpu;
};

enum Child { kBare, kText, kPanel, kVantapoint, kChildren };
constexpr const char* kChildNames[kChildren] = {"bare", "text", "panel", "vantapoint"};

std::array<Starts, kChildren>& AllStarts()
{
    static std::array<Starts, kChildren> starts;
    return starts;
}

double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

// The children started in turn, the order rotating every round, so that the machine's
// changing pace during the run (other load, clock speed) falls on all alike; one round per
// iteration. Reports each child's median start within the run as "<child>_ms".
void ProgramStarts(benchmark::State& state)
{
    const QString folder = QString::fromStdString(Folder().path().string());
    const QStringList arguments[kChildren] = {
        {"--probe", "bare"}, {"--probe", "text"}, {"--probe", "panel"}, {"--probe", "main", folder}};
    if (!StartChild(arguments[kVantapoint]) || !fs::exists(Folder().path() / "Vantapoint.cfg")) {
        state.SkipWithError("the first start did not write Vantapoint.cfg");
        return;
    }
    std::array<Starts, kChildren> run;
    int round = 0;
    for (auto _ : state) {
        for (int k = 0; k < kChildren; ++k) {
            const int child = (round + k) % kChildren;
            const double cpuBefore = ChildrenCpuSeconds();
            QElapsedTimer timer;
            timer.start();
            if (!StartChild(arguments[child])) {
                const std::string failure = std::string("the ") + kChildNames[child] + " program failed";
                state.SkipWithError(failure.c_str());
                return;
            }
            run[child].wall.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
            run[child].cpu.push_back((ChildrenCpuSeconds() - cpuBefore) * 1e3);
        }
        ++round;
    }
    for (int child = 0; child < kChildren; ++child) {
        state.counters[std::string(kChildNames[child]) + "_ms"] = Median(run[child].wall);
        Starts& all = AllStarts()[child];
        all.wall.insert(all.wall.end(), run[child].wall.begin(), run[child].wall.end());
        all.cpu.insert(all.cpu.end(), run[child].cpu.begin(), run[child].cpu.end());
    }
}

void MainWindowInProcess(benchmark::State& state)
{
    const std::string folder = Folder().path().string();
    for (auto _ : state)
        const ShownMainWindow window(folder);
}

BENCHMARK(ProgramStarts)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(9.0);
BENCHMARK(MainWindowInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// Vantapoint's start-up may take at most this many times the bare window program's.
constexpr double kStartupTargetRatio = 1.3;

void PrintRatio(const char* what, double vantapoint, double bare)
{
    if (bare > 0 && vantapoint > 0)
        std::cout << what << ", Vantapoint / bare Qt window program = " << vantapoint / bare << "x (target "
                  << kStartupTargetRatio << "x: " << (vantapoint / bare <= kStartupTargetRatio ? "met" : "missed")
                  << ")\n";
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "--probe") == 0)
        return Probe(argc, argv);

    qputenv("QT_QPA_PLATFORM", "offscreen");
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    QApplication app(argc, argv);
    Self() = QCoreApplication::applicationFilePath();

    benchmark::RunSpecifiedBenchmarks();
    const auto& starts = AllStarts();
    if (!starts[kBare].wall.empty()) {
        std::cout << "\nstart-up until the window is shown (" << ChildPlatform().toStdString() << "), medians of "
                  << starts[kBare].wall.size()
                  << " alternating starts each: bare Qt window program " << Median(starts[kBare].wall)
                  << " ms, Vantapoint " << Median(starts[kVantapoint].wall) << " ms\n";
        PrintRatio("real time", Median(starts[kVantapoint].wall), Median(starts[kBare].wall));
        PrintRatio("CPU time of the program", Median(starts[kVantapoint].cpu), Median(starts[kBare].cpu));
        std::cout << "real time, window with one line of text / bare Qt window program = "
                  << Median(starts[kText].wall) / Median(starts[kBare].wall) << "x\n"
                  << "real time, window with only the first tab's camera panel / bare Qt window program = "
                  << Median(starts[kPanel].wall) / Median(starts[kBare].wall) << "x\n";
    }
    benchmark::Shutdown();
    return 0;
}
