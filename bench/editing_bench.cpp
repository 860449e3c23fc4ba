// Editing through the main window: one typed value from its field to the stored slot and back onto
// the screen, and one insertion that shifts 254 cameras and fills the set. The insertion is also
// measured on the plain document alone, which tells the window's share of the time.

#include "camdata/SlotOperations.h"
#include "editor/CameraSetPanel.h"
#include "editor/MainWindow.h"
#include "support/BenchSupport.h"
#include "widgets/ValueField.h"

#include <QCoreApplication>
#include <QPushButton>

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

// 254 TV1 cameras 100 m apart: one more insertion fills the set.
vp::CameraDocument NearlyFullDocument()
{
    vp::CameraDocument doc = vp::CameraDocument::startup(vp::OptionsRecord::factoryDefaults());
    vp::CameraSet& cameras = doc.tv1;
    cameras.setCount(vp::kMaxCamerasPerSet - 1);
    for (int k = 1; k < vp::kMaxCamerasPerSet; ++k) {
        cameras.camera(k) = cameras.camera(1);
        cameras.camera(k).value(1).setFloat(100.0F * static_cast<float>(k));
    }
    vp::updateHeaderLength(doc);
    return doc;
}

// The main window as a user has it after start-up: shown, with its own program folder.
struct ShownMainWindow {
    const vp::bench::ProgramFolder folder;
    vp::bench::ScriptedDesktop desktop;
    vp::SteadyClock clock;
    vp::MainWindow window{vp::EditorServices{.desktop = desktop, .clock = clock, .input = nullptr,
                                          .programFolder = folder.path().string()},
                       ""};

    ShownMainWindow()
    {
        window.show();
        QCoreApplication::processEvents();
    }
};

void BM_CommitTypedDistance(benchmark::State& state)
{
    ShownMainWindow shown;
    vp::MainWindow& window = shown.window;
    vp::ValueField* field = window.setPanel(vp::CamSet::TV1).valueField(0);
    const QString typed[] = {QStringLiteral("1234.5678"), QStringLiteral("2345.678")};
    int next = 0;
    for (auto _ : state) {
        field->setText(typed[next]);
        next ^= 1;
        emit field->commitRequested();
        // The layout and painting that the new texts ask for.
        QCoreApplication::processEvents();
    }
    if (field->text() != QStringLiteral("2345.678") && field->text() != QStringLiteral("1234.568"))
        state.SkipWithError("the typed value was not committed");
}
BENCHMARK(BM_CommitTypedDistance)->Unit(benchmark::kMicrosecond);

void BM_InsertIntoNearlyFullSet_Window(benchmark::State& state)
{
    ShownMainWindow shown;
    vp::MainWindow& window = shown.window;
    vp::CameraSetPanel& panel = window.setPanel(vp::CamSet::TV1);
    const vp::CameraDocument nearlyFull = NearlyFullDocument();
    for (auto _ : state) {
        window.document() = nearlyFull;
        panel.setCameraCount(nearlyFull.tv1.count());
        window.showCamera(vp::CamSet::TV1);
        const auto start = Clock::now();
        panel.addBeforeButton()->click();
        QCoreApplication::processEvents();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
        if (window.document().tv1.count() != vp::kMaxCamerasPerSet) {
            state.SkipWithError("the camera was not inserted");
            break;
        }
    }
}
BENCHMARK(BM_InsertIntoNearlyFullSet_Window)->UseManualTime()->Unit(benchmark::kMicrosecond);

void BM_InsertIntoNearlyFullSet_Document(benchmark::State& state)
{
    const vp::CameraDocument nearlyFull = NearlyFullDocument();
    vp::CameraDocument doc = nearlyFull;
    const auto defaults = vp::OptionsRecord::factoryDefaults();
    for (auto _ : state) {
        doc = nearlyFull;
        const auto start = Clock::now();
        const vp::SlotOutcome outcome = vp::insertCameraBefore(doc, vp::CamSet::TV1, 1, defaults);
        benchmark::DoNotOptimize(outcome);
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - start).count());
    }
}
BENCHMARK(BM_InsertIntoNearlyFullSet_Document)->UseManualTime()->Unit(benchmark::kMicrosecond);

} // namespace
