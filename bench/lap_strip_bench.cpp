// The lap strip and the checks of a full file, 255 + 255 cameras, as after every change of the
// document. BM_LapStripPaint: the lap worked out again and every stretch, tick, marker and number
// painted into a picture of the strip's size in the main window; target well under a frame, under
// 2 ms. BM_DocumentChange: all the main window does on a change besides the edit itself (the
// checks, their list, the strip) and the strip's painting.

#include "camdata/CamFile.h"
#include "camdata/CameraChecks.h"
#include "editor/LapStrip.h"
#include "editor/MainWindow.h"
#include "support/BenchSupport.h"

#include <QCoreApplication>
#include <QImage>

#include <benchmark/benchmark.h>

#include <fstream>
#include <random>

namespace {

// Ascending cameras at random spacing, every third one moving, each handing over a little before
// it is reached, and a few slips for the checks to find: every stretch is there to be drawn.
vp::CameraDocument FullDocument()
{
    vp::CameraDocument doc = vp::CameraDocument::startup(vp::OptionsRecord::factoryDefaults());
    std::mt19937 rng(1);
    std::uniform_real_distribution<float> spacing(5.0F, 35.0F);
    for (vp::CamSet set : {vp::CamSet::TV1, vp::CamSet::TV2}) {
        doc.set(set).setCount(vp::kMaxCamerasPerSet);
        float distance = 0.0F;
        for (int k = 1; k <= vp::kMaxCamerasPerSet; ++k) {
            vp::TvCameraRecord& camera = doc.set(set).camera(k);
            camera = doc.set(set).camera(1);
            distance += spacing(rng);
            camera.value(1).setFloat(distance);
            camera.value(4).setFloat(-spacing(rng) / 3.0F);
            camera.value(5).setInt(k % 3 == 0 ? 0 : 1);
            if (k % 50 == 0)
                camera.value(4).setFloat(-200.0F);
        }
    }
    vp::updateHeaderLength(doc);
    return doc;
}

// The same with the distances in random order: the worst a file can bring, a finding at nearly every camera.
vp::CameraDocument DisorderedDocument()
{
    vp::CameraDocument doc = FullDocument();
    std::mt19937 rng(2);
    std::uniform_real_distribution<float> metres(0.0F, 5000.0F);
    for (vp::CamSet set : {vp::CamSet::TV1, vp::CamSet::TV2}) {
        for (int k = 1; k <= vp::kMaxCamerasPerSet; ++k)
            doc.set(set).camera(k).value(1).setFloat(metres(rng));
    }
    return doc;
}

void BM_Checks(benchmark::State& state)
{
    const vp::CameraDocument doc = state.range(0) == 0 ? FullDocument() : DisorderedDocument();
    std::size_t found = 0;
    for (auto _ : state)
        found = vp::checkDocument(doc).size();
    state.counters["findings"] = static_cast<double>(found);
}
BENCHMARK(BM_Checks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

struct Window {
    Window()
    {
        const std::vector<std::uint8_t> bytes = vp::camFileBytes(FullDocument());
        const std::string path = (folder.path() / "full.cam").string();
        std::ofstream(path, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        window = std::make_unique<vp::MainWindow>(
            vp::EditorServices{.desktop = desktop, .clock = clock, .input = nullptr, .programFolder = folder.path().string()},
            path);
        window->show();
        QCoreApplication::processEvents();
        strip = window->findChild<vp::LapStrip*>(QStringLiteral("lapStrip"));
    }

    const vp::bench::ProgramFolder folder;
    vp::bench::ScriptedDesktop desktop;
    vp::SteadyClock clock;
    std::unique_ptr<vp::MainWindow> window;
    vp::LapStrip* strip = nullptr;
};

void BM_LapStripPaint(benchmark::State& state)
{
    const Window shown;
    const vp::CameraDocument doc = FullDocument();
    vp::LapStrip strip(doc);
    strip.resize(shown.strip->size());
    strip.setFindings(vp::checkDocument(doc));
    strip.setCurrentCamera(vp::CamSet::TV1, 128);
    strip.setCurrentCamera(vp::CamSet::TV2, 3);
    QImage picture(strip.size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        strip.refresh();
        strip.render(&picture);
    }
    state.counters["width"] = strip.width();
    state.counters["stretches"] = static_cast<double>(strip.lap().set(vp::CamSet::TV1).stretches.size() +
                                                      strip.lap().set(vp::CamSet::TV2).stretches.size());
}
BENCHMARK(BM_LapStripPaint)->Unit(benchmark::kMillisecond);

void BM_DocumentChange(benchmark::State& state)
{
    Window shown;
    if (shown.window->document().tv2.count() != vp::kMaxCamerasPerSet)
        state.SkipWithError("the file was not loaded");
    QImage picture(shown.strip->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        emit shown.window->documentChanged();
        shown.strip->render(&picture);
    }
}
BENCHMARK(BM_DocumentChange)->Unit(benchmark::kMillisecond);

} // namespace
