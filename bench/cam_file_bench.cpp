// Reading and writing a CAM file of 255 + 255 cameras against moving the same bytes raw, all in one
// run; the ratios are printed at the end. Writing is compared twice: with a plain fwrite, and with
// the same durable steps the program takes (temporary file, fsync, rename over the target).

#include "camdata/CamFile.h"
#include "support/BenchSupport.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <iostream>
#include <random>
#include <string>
#include <system_error>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace {

namespace fs = std::filesystem;

const vp::CameraDocument& FullDocument()
{
    static const vp::CameraDocument doc = [] {
        vp::CameraDocument d;
        d.header = {0x4D, 0x41, 0x43, 0x54, 0, 0, 0, 0, 0, 0, 0, 0};
        std::mt19937 rng(1);
        for (vp::CamSet s : {vp::CamSet::TV1, vp::CamSet::TV2}) {
            d.set(s).setCount(vp::kMaxCamerasPerSet);
            for (int k = 1; k <= vp::kMaxCamerasPerSet; ++k)
                for (vp::ValueSlot& slot : d.set(s).camera(k).values)
                    slot.setBits(static_cast<std::uint32_t>(rng()));
        }
        vp::updateHeaderLength(d);
        return d;
    }();
    return doc;
}

const std::vector<std::uint8_t>& FullBytes()
{
    static const std::vector<std::uint8_t> bytes = vp::camFileBytes(FullDocument());
    return bytes;
}

// One folder for the whole run, on the same file system as a user's files would be.
std::string ScratchFile(const std::string& name)
{
    static const vp::bench::ProgramFolder folder;
    return (folder.path() / name).string();
}

void CamRead(benchmark::State& state)
{
    const std::string path = ScratchFile("read.cam");
    if (vp::writeCamFile(path, FullDocument())) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    vp::CameraDocument doc;
    for (auto _ : state) {
        if (vp::readCamFile(path, doc)) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(FullBytes().size()));
}

void RawRead(benchmark::State& state)
{
    const std::string path = ScratchFile("read.raw");
    if (vp::writeCamFile(path, FullDocument())) {
        state.SkipWithError("cannot write the input file");
        return;
    }
    std::vector<std::uint8_t> buffer(FullBytes().size());
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        const std::size_t got = file ? std::fread(buffer.data(), 1, buffer.size(), file) : 0;
        if (file)
            std::fclose(file);
        if (got != buffer.size()) {
            state.SkipWithError("read failed");
            break;
        }
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(FullBytes().size()));
}

void CamWrite(benchmark::State& state)
{
    const std::string path = ScratchFile("write.cam");
    for (auto _ : state) {
        if (vp::writeCamFile(path, FullDocument())) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(FullBytes().size()));
}

bool WriteRaw(const std::string& path, const std::vector<std::uint8_t>& bytes, bool durable)
{
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
#ifndef _WIN32
    if (durable)
        ok = std::fflush(file) == 0 && fsync(fileno(file)) == 0 && ok;
#endif
    return std::fclose(file) == 0 && ok;
}

void RawWrite(benchmark::State& state)
{
    const std::string path = ScratchFile("write.raw");
    for (auto _ : state) {
        if (!WriteRaw(path, FullBytes(), false)) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(FullBytes().size()));
}

void RawDurableReplace(benchmark::State& state)
{
    const std::string path = ScratchFile("replace.raw");
    const std::string temp = ScratchFile("replace.raw.tmp");
    for (auto _ : state) {
        if (!WriteRaw(temp, FullBytes(), true) || std::rename(temp.c_str(), path.c_str()) != 0) {
            state.SkipWithError("write failed");
            break;
        }
    }
    state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(FullBytes().size()));
}

BENCHMARK(CamRead)->UseRealTime();
BENCHMARK(RawRead)->UseRealTime();
BENCHMARK(CamWrite)->UseRealTime();
BENCHMARK(RawWrite)->UseRealTime();
BENCHMARK(RawDurableReplace)->UseRealTime();

} // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    vp::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::cout << "\nratios of real time (" << FullBytes().size() << " bytes, target at most 1.5):\n";
    reporter.printRatio("read", "CamRead", "RawRead");
    reporter.printRatio("write, same durable steps", "CamWrite", "RawDurableReplace");
    reporter.printRatio("write, against a plain fwrite", "CamWrite", "RawWrite");
    benchmark::Shutdown();
    return 0;
}
