// vantapoint-cam's show and export of a CAM file of 255 + 255 cameras against reading the file, all
// in one run; the ratios are printed at the end (target: show + export under 3 times the read). For
// scale, the run also measures the least any text form costs: the file read and each of its 7153
// values turned into its shortest decimal text, and nothing else.

#include "camdata/CamFile.h"
#include "cli/CamTool.h"
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <array>
#include <charconv>
#include <iostream>
#include <random>
#include <streambuf>

namespace {

// Cameras as a track maker would place them: along the lap, beside and above the track, fixed and
// moving, with angles of a few degrees to a few tens and values with fractions.
const std::string& FullFile()
{
    static const vp::bench::ProgramFolder folder("vantapoint-cam-bench-");
    static const std::string path = [] {
        vp::CameraDocument doc;
        doc.header = {0x4D, 0x41, 0x43, 0x54, 0, 0, 0, 0, 0, 0, 0, 0};
        std::mt19937 rng(1);
        std::uniform_real_distribution<float> unit(0.0F, 1.0F);
        for (vp::CamSet s : {vp::CamSet::TV1, vp::CamSet::TV2}) {
            vp::CameraSet& set = s == vp::CamSet::TV1 ? doc.tv1 : doc.tv2;
            set.setCount(vp::kMaxCamerasPerSet);
            for (int k = 1; k <= vp::kMaxCamerasPerSet; ++k) {
                vp::TvCameraRecord& camera = set.camera(k);
                const float values[] = {k * 23.7F + unit(rng), unit(rng) * 80 - 40, unit(rng) * 25, -unit(rng) * 60, 0,
                                        unit(rng) * 4, unit(rng) * 4, unit(rng) * 4, unit(rng) * 6 - 3, unit(rng) - 0.5F,
                                        unit(rng) * 0.2F - 0.1F, unit(rng), 0, 0};
                for (int v = 1; v <= vp::kTvValueCount; ++v)
                    camera.value(v).setFloat(values[v - 1]);
                camera.value(vp::kTvModeValue).setInt(k % 3 == 0 ? 0 : 1);
            }
        }
        for (int v = 1; v <= 7; ++v)
            doc.pit.value(v).setFloat(unit(rng) * 100);
        doc.pit.value(9).setFloat(-0.125F);
        vp::updateHeaderLength(doc);
        const std::string file = (folder.path() / "full.cam").string();
        if (vp::writeCamFile(file, doc))
            return std::string();
        return file;
    }();
    return path;
}

// Standard output that takes everything and keeps nothing, as a fast terminal or file would.
class Discard : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

void CamRead(benchmark::State& state)
{
    vp::CameraDocument doc;
    for (auto _ : state) {
        if (FullFile().empty() || vp::readCamFile(FullFile(), doc)) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::ClobberMemory();
    }
}

// The least any text form of the file costs: reading it and writing each value's shortest decimal
// text into a buffer, with nothing around it.
void ShortestTexts(benchmark::State& state)
{
    vp::CameraDocument doc;
    std::array<char, 32> buffer{};
    for (auto _ : state) {
        if (vp::readCamFile(FullFile(), doc)) {
            state.SkipWithError("read failed");
            break;
        }
        std::size_t length = 0;
        for (const vp::CameraSet* set : {&doc.tv1, &doc.tv2}) {
            for (int k = 1; k <= set->count(); ++k) {
                for (vp::ValueSlot slot : set->camera(k).values)
                    length += static_cast<std::size_t>(
                        std::to_chars(buffer.data(), buffer.data() + buffer.size(), slot.asFloat()).ptr - buffer.data());
            }
        }
        benchmark::DoNotOptimize(length);
    }
}

void RunTool(benchmark::State& state, const char* command)
{
    Discard discard;
    std::ostream out(&discard);
    std::ostream err(&discard);
    const std::vector<std::string> args{command, FullFile()};
    for (auto _ : state) {
        if (vp::cli::runCamTool(args, out, err) != vp::cli::kExitOk) {
            state.SkipWithError("the command failed");
            break;
        }
    }
}

void Show(benchmark::State& state)
{
    RunTool(state, "show");
}

void Export(benchmark::State& state)
{
    RunTool(state, "export");
}

BENCHMARK(CamRead)->UseRealTime();
BENCHMARK(ShortestTexts)->UseRealTime();
BENCHMARK(Show)->UseRealTime();
BENCHMARK(Export)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    vp::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::cout << "\nratios of real time (255 + 255 cameras):\n";
    reporter.printRatio("show against reading the file", "Show", "CamRead");
    reporter.printRatio("export against reading the file", "Export", "CamRead");
    const double both = reporter.realTime("Show") + reporter.realTime("Export");
    if (reporter.realTime("CamRead") > 0 && reporter.realTime("ShortestTexts") > 0) {
        std::cout << "show + export against reading the file: " << both / reporter.realTime("CamRead")
                  << " (target under 3)\n"
                  << "show + export against the shortest texts alone: " << both / reporter.realTime("ShortestTexts") << '\n';
    }
    benchmark::Shutdown();
    return 0;
}
