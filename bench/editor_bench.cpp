// Loading and showing a CAM file of 255 + 255 cameras through the main window's Load command:
// the file dialog's answer, the reading with its 500-odd progress texts, the display of camera 1
// of each set and the pit-lane camera, and the window's repaint that follows. Target: under 5 ms.

#include "camdata/CamFile.h"
#include "camdata/FileSystem.h"
#include "editor/MainWindow.h"
#include "support/BenchSupport.h"

#include <QAbstractButton>
#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace {

namespace fs = std::filesystem;

vp::CameraDocument FullDocument()
{
    vp::CameraDocument doc = vp::CameraDocument::startup(vp::OptionsRecord::factoryDefaults());
    std::mt19937 rng(1);
    std::uniform_real_distribution<float> metres(0.0F, 5000.0F);
    for (vp::CamSet set : {vp::CamSet::TV1, vp::CamSet::TV2}) {
        doc.set(set).setCount(vp::kMaxCamerasPerSet);
        for (int k = 1; k <= vp::kMaxCamerasPerSet; ++k) {
            vp::TvCameraRecord& camera = doc.set(set).camera(k);
            camera = doc.set(set).camera(1);
            camera.value(1).setFloat(metres(rng));
            camera.value(2).setFloat(metres(rng) / 100.0F);
        }
    }
    vp::updateHeaderLength(doc);
    return doc;
}

void BM_LoadAndShowFullFile(benchmark::State& state)
{
    const vp::bench::ProgramFolder programFolder;
    const fs::path& folder = programFolder.path();
    const std::vector<std::uint8_t> bytes = vp::camFileBytes(FullDocument());
    const std::string path = (folder / "full.cam").string();
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));

    vp::bench::ScriptedDesktop desktop;
    desktop.file = path;
    vp::SteadyClock clock;
    {
        vp::MainWindow window(vp::EditorServices{.desktop = desktop, .clock = clock, .input = nullptr,
                                              .programFolder = folder.string()},
                           "");
        auto* load = window.findChild<QAbstractButton*>(QStringLiteral("cmdLoadCAMFile"));
        window.show();
        QCoreApplication::processEvents();
        for (auto _ : state) {
            load->click();
            // The layout and painting that the new texts ask for.
            QCoreApplication::processEvents();
        }
        if (window.document().tv2.count() != vp::kMaxCamerasPerSet)
            state.SkipWithError("the file was not loaded");
    }
}
BENCHMARK(BM_LoadAndShowFullFile)->Unit(benchmark::kMillisecond);

} // namespace
