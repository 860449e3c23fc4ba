// Program start until the main window is shown, against a bare Qt window program, in one run.
// Each iteration starts this executable again as a child ("--probe bare" or "--probe main FOLDER")
// that builds its window, shows it, lets the pending events run once and ends; the time covers
// the process start, Qt's own start-up, the window and the exit. Both children are the same
// executable, so the difference is what Vantapoint's start-up adds. Children run offscreen.
// MainWindowInProcess shows the part of it that is the window itself: MainWindow built, shown and
// destroyed again inside this process, where Qt has already started.

#include "app/QtDesktop.h"
#include "editor/EditorServices.h"
#include "editor/MainWindow.h"
#include "remote/InputBackend.h"
#include "seams/Clock.h"
#include "support/BenchSupport.h"

#include <QApplication>
#include <QLabel>
#include <QProcess>
#include <QWidget>

#include <benchmark/benchmark.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <string>

#ifndef _WIN32
#include <sys/resource.h>
#endif

namespace {

namespace fs = std::filesystem;

// The main window, shown and with its pending events processed; window() keeps it alive.
class ShownMainWindow {
public:
    explicit ShownMainWindow(const std::string& programFolder)
        : desktop_(std::cerr), input_(vp::createPlatformInputBackend()),
          window_(vp::EditorServices{desktop_, clock_, input_.get(), programFolder}, "")
    {
        window_.show();
        QApplication::processEvents();
    }

private:
    vp::ScreenshotDesktop desktop_;
    vp::SteadyClock clock_;
    std::unique_ptr<vp::InputBackend> input_;
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
    child.setStandardOutputFile(QProcess::nullDevice());
    child.setStandardErrorFile(QProcess::nullDevice());
    child.start(Self(), arguments);
    return child.waitForFinished(60000) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

// Starts the child once per iteration and reports its average CPU time as "child_cpu".
void MeasureStarts(benchmark::State& state, const QStringList& arguments, const char* failure)
{
    const double cpuBefore = ChildrenCpuSeconds();
    for (auto _ : state) {
        if (!StartChild(arguments)) {
            state.SkipWithError(failure);
            return;
        }
    }
    state.counters["child_cpu"] = benchmark::Counter(
        ChildrenCpuSeconds() - cpuBefore, benchmark::Counter::kAvgIterations);
}

void BareWindowProgram(benchmark::State& state)
{
    MeasureStarts(state, {"--probe", "bare"}, "the bare window program failed");
}

// The bare window with one line of text: what starting the font system and drawing the first
// glyphs add, which any window with a caption pays.
void TextWindowProgram(benchmark::State& state)
{
    MeasureStarts(state, {"--probe", "text"}, "the text window program failed");
}

void VantapointStartup(benchmark::State& state)
{
    const QStringList arguments{"--probe", "main", QString::fromStdString(Folder().path().string())};
    if (!StartChild(arguments) || !fs::exists(Folder().path() / "Vantapoint.cfg")) {
        state.SkipWithError("the first start did not write Vantapoint.cfg");
        return;
    }
    MeasureStarts(state, arguments, "the main window program failed");
}

void MainWindowInProcess(benchmark::State& state)
{
    const std::string folder = Folder().path().string();
    for (auto _ : state)
        const ShownMainWindow window(folder);
}

BENCHMARK(BareWindowProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(TextWindowProgram)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(VantapointStartup)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(MainWindowInProcess)->Unit(benchmark::kMillisecond)->UseRealTime();

// The console output, and the real time of each benchmark kept for the ratio (the median when the
// run is repeated).
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred)
                continue;
            const std::string& name = run.run_name.function_name;
            const auto cpu = run.counters.find("child_cpu");
            const Figures figures{run.GetAdjustedRealTime(), cpu == run.counters.end() ? 0.0 : cpu->second.value};
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                median_[name] = figures;
            else if (run.run_type == Run::RT_Iteration)
                single_[name] = figures;
        }
    }

    struct Figures {
        double realTime = 0;
        double childCpu = 0;
    };

    Figures figures(const std::string& name) const
    {
        if (auto it = median_.find(name); it != median_.end())
            return it->second;
        if (auto it = single_.find(name); it != single_.end())
            return it->second;
        return {};
    }

private:
    std::map<std::string, Figures> median_;
    std::map<std::string, Figures> single_;
};

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

    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const RatioReporter::Figures bare = reporter.figures("BareWindowProgram");
    const RatioReporter::Figures vantapoint = reporter.figures("VantapointStartup");
    std::cout << "\nstart-up until the window is shown:\n";
    PrintRatio("real time", vantapoint.realTime, bare.realTime);
    PrintRatio("CPU time of the program", vantapoint.childCpu, bare.childCpu);
    const RatioReporter::Figures text = reporter.figures("TextWindowProgram");
    if (text.realTime > 0 && bare.realTime > 0)
        std::cout << "real time, window with one line of text / bare Qt window program = "
                  << text.realTime / bare.realTime << "x\n";
    benchmark::Shutdown();
    return 0;
}
