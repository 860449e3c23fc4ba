// Feeds every committed corpus file to a fuzz target, without libFuzzer: a target aborts on a
// broken expectation, and the sanitizer build catches what it does out of bounds.

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

// Named after its target (VP_FUZZ_TARGET) so that the replays of different targets stay apart.
TEST(FuzzCorpusReplay, VP_FUZZ_TARGET)
{
    std::size_t inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(VP_FUZZ_CORPUS_DIR)) {
        if (!entry.is_regular_file())
            continue;
        const std::vector<std::uint8_t> bytes = vp::test::readBytes(vp::test::utf8Path(entry.path()));
        SCOPED_TRACE(entry.path().filename().string());
        EXPECT_EQ(LLVMFuzzerTestOneInput(bytes.data(), bytes.size()), 0);
        ++inputs;
    }
    EXPECT_GT(inputs, 0u) << "no corpus in " << VP_FUZZ_CORPUS_DIR;
}

} // namespace
