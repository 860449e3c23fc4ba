#include "camdata/CamFile.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <random>

namespace vp {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Kind = ReadProgress::Kind;

const std::uint32_t kDefaultBits[12] = {0xBF800000, 0, 0x40000000, 0, 1, 0x3DCCCCCD, 0x3DCCCCCD, 0x3DCCCCCD,
                                        0,          0, 0,          0x3FC90FDB};

std::array<ValueSlot, 12> Defaults()
{
    std::array<ValueSlot, 12> d{};
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = ValueSlot::fromBits(kDefaultBits[i]);
    return d;
}

void AppendSlot(Bytes& out, std::uint32_t b) { for (int s = 0; s < 32; s += 8) out.push_back(static_cast<std::uint8_t>(b >> s)); }

// Mostly arbitrary bits, with NaNs and the integer mode values mixed in.
std::uint32_t RandomSlot(std::mt19937& rng)
{
    const std::uint32_t r = static_cast<std::uint32_t>(rng());
    return r % 6 == 0 ? (0x7F800000u | (r >> 9) | 1u) : r % 6 == 1 ? (r >> 3) % 2 : r;
}

// Built byte by byte, independent of the writer under test.
Bytes RandomCamFile(std::mt19937& rng, int c1, int c2)
{
    Bytes out;
    for (int i = 0; i < 12; ++i)
        out.push_back(static_cast<std::uint8_t>(rng()));
    out[3] = 0x54;
    for (int c : {c1, c2}) {
        out.push_back(static_cast<std::uint8_t>(c));
        for (int i = 0; i < 3; ++i)
            out.push_back(rng() % 2 ? static_cast<std::uint8_t>(rng()) : 0);
        for (int i = 0; i < 14 * c; ++i)
            AppendSlot(out, RandomSlot(rng));
    }
    for (int i = 0; i < 13; ++i)
        AppendSlot(out, RandomSlot(rng));
    return out;
}

TEST(CamFileWrite, StartupDocumentIsTheKnown184Bytes)
{
    Bytes expected = {0x4D, 0x41, 0x43, 0x54, 0, 0, 0, 0, 0xAC, 0, 0, 0};
    for (int set = 0; set < 2; ++set) {
        expected.insert(expected.end(), {1, 0, 0, 0});
        for (int k = 1; k <= 14; ++k) // the position is 0, the rest the defaults, then two unused slots
            AppendSlot(expected, k == 1 || k > 12 ? 0u : kDefaultBits[k - 1]);
    }
    for (int k = 1; k <= 13; ++k)
        AppendSlot(expected, k == 9 ? 0xBE000000u : 0u);
    ASSERT_EQ(expected.size(), 184u);
    EXPECT_EQ(camFileBytes(CameraDocument::startup(Defaults())), expected);
}

TEST(CameraDocument, HeaderLengthFollowsBothCountsLittleEndianAndACountChangesByteZeroOnly)
{
    CameraDocument doc;
    doc.header[4] = 0x99;
    doc.tv1.countField() = {5, 0x7F, 0x01, 0x80};
    const struct { int c1, c2; std::uint32_t length; } cases[] = {{3, 2, 340u}, {0, 0, 60u}, {255, 255, 28620u}};
    for (const auto& c : cases) {
        doc.tv1.setCount(c.c1);
        doc.tv2.setCount(c.c2);
        updateHeaderLength(doc);
        EXPECT_EQ(doc.headerLength(), c.length);
    }
    EXPECT_EQ(doc.header, (CameraDocument::Header{0, 0, 0, 0, 0x99, 0, 0, 0, 0xCC, 0x6F, 0, 0}));
    EXPECT_EQ(doc.tv1.countField(), (CameraSet::CountField{255, 0x7F, 0x01, 0x80}));
}

TEST(CamFileRoundTrip, EveryCountInBothSetsIsReproducedByteForByte)
{
    std::mt19937 rng(20240501);
    CameraDocument doc;
    std::vector<std::pair<int, int>> counts = {{0, 0}};
    for (int c = 0; c <= kMaxCamerasPerSet; ++c)
        counts.emplace_back(c, kMaxCamerasPerSet - c);
    for (const auto& [c1, c2] : counts) {
        const Bytes file = RandomCamFile(rng, c1, c2);
        Bytes withTail = file;
        withTail.insert(withTail.end(), {0xDE, 0xAD, 0xBE, 0xEF});
        ASSERT_EQ(readCamBytes(withTail, doc), std::nullopt) << c1 << "/" << c2;
        EXPECT_EQ(doc.tv1.count(), c1);
        EXPECT_EQ(doc.tv2.count(), c2);
        ASSERT_EQ(camFileBytes(doc), file) << c1 << "/" << c2;
    }
}

TEST(CamFileRead, ProgressInFileOrderAndStaleRecordsKept)
{
    std::mt19937 rng(5);
    CameraDocument doc = CameraDocument::startup(Defaults());
    doc.tv1.camera(4).value(2).setBits(0x12345678);
    doc.tv2.camera(kCameraStorage).value(14).setBits(0x9ABCDEF0);
    const CameraDocument before = doc;
    std::vector<ReadProgress> events;
    ASSERT_EQ(readCamBytes(RandomCamFile(rng, 3, 2), doc, [&](const ReadProgress& e) { events.push_back(e); }), std::nullopt);
    for (const auto& [set, unread] : {std::pair{CamSet::TV1, 4}, {CamSet::TV2, 3}})
        for (int k = unread; k <= kCameraStorage; ++k)
            EXPECT_EQ(doc.set(set).camera(k), before.set(set).camera(k)) << "camera " << k;
    const std::vector<ReadProgress> expected = {
        {Kind::HeaderStep, CamSet::TV1, 0},  {Kind::CountStep, CamSet::TV1, 0},  {Kind::CountKnown, CamSet::TV1, 3},
        {Kind::CameraStep, CamSet::TV1, 1},  {Kind::CameraStep, CamSet::TV1, 2}, {Kind::CameraStep, CamSet::TV1, 3},
        {Kind::SetComplete, CamSet::TV1, 0}, {Kind::CountStep, CamSet::TV2, 0},  {Kind::CountKnown, CamSet::TV2, 2},
        {Kind::CameraStep, CamSet::TV2, 1},  {Kind::CameraStep, CamSet::TV2, 2}, {Kind::SetComplete, CamSet::TV2, 0},
        {Kind::PitStep, CamSet::TV1, 0},     {Kind::ReadComplete, CamSet::TV1, 0},
    };
    EXPECT_EQ(events, expected);
}

TEST(CamFileRead, EveryCutFailsAndLeavesTheDocumentAlone)
{
    std::mt19937 rng(17);
    const Bytes file = RandomCamFile(rng, 3, 2);
    const CameraDocument before = CameraDocument::startup(Defaults());
    for (std::size_t length = 0; length < file.size(); ++length) {
        CameraDocument doc = before;
        bool completed = false;
        const CamFileResult result =
            readCamBytes(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)), doc,
                         [&](const ReadProgress& e) { completed = completed || e.kind == Kind::ReadComplete; });
        ASSERT_EQ(result, (CamFileError{CamFileErrorKind::FileIncomplete, 62, ""})) << "length " << length;
        ASSERT_EQ(doc, before) << "length " << length;
        EXPECT_FALSE(completed);
    }
}

TEST(CamFileRead, OnlyTheFourthByteOfTheTagIsChecked)
{
    std::mt19937 rng(19);
    Bytes file = RandomCamFile(rng, 1, 1);
    file[0] = 'x';
    file[2] = 0xFF;
    CameraDocument doc;
    EXPECT_EQ(readCamBytes(file, doc), std::nullopt);
    const CameraDocument before = doc;
    for (std::uint8_t tag : {std::uint8_t{'t'}, std::uint8_t{0}}) {
        file[3] = tag;
        for (std::size_t length : {std::size_t{4}, file.size()}) {
            std::vector<ReadProgress> events;
            EXPECT_EQ(readCamBytes(Bytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length)), doc,
                                   [&](const ReadProgress& e) { events.push_back(e); }),
                      (CamFileError{CamFileErrorKind::NotACamFile, 6666, ""})) << "length " << length;
            EXPECT_EQ(doc, before);
            EXPECT_EQ(events, std::vector<ReadProgress>{ReadProgress{Kind::HeaderStep}});
        }
    }
    EXPECT_EQ(readCamBytes(Bytes{'M', 'A', 'C'}, doc), makeCamFileError(CamFileErrorKind::FileIncomplete));
}

// How the replacing itself fails is the file system's test; here its error becomes the file's.
TEST(CamFileWrite, AFailureIsTheSystemsErrorAndTheOldFileStays)
{
    test::TempDir dir;
    const std::string path = dir.file("x.cam");
    test::writeBytes(path, {'o', 'l', 'd'});
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write, fs::perm_options::remove);
    const CamFileResult error = writeCamFile(path, CameraDocument::startup(Defaults()));
    ASSERT_TRUE(error);
    EXPECT_EQ(std::pair(error->kind, error->number), std::pair(CamFileErrorKind::OtherError, EACCES));
    EXPECT_EQ(test::readBytes(path), (Bytes{'o', 'l', 'd'}));
}

} // namespace
} // namespace vp
