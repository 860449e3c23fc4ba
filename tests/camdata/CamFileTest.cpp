#include "camdata/CamFile.h"

#include "camdata/LittleEndian.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <random>

#ifndef _WIN32
#include <unistd.h>
#endif

namespace vp {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;
using Kind = ReadProgress::Kind;

std::array<ValueSlot, 12> Defaults()
{
    std::array<ValueSlot, 12> d{};
    const float values[12] = {-1.0f, 0.0f, 2.0f, 0.0f, 0.0f, 0.1f, 0.1f, 0.1f, 0.0f, 0.0f, 0.0f,
                              static_cast<float>(3.14159265358979 / 2)};
    for (std::size_t i = 0; i < d.size(); ++i)
        d[i] = ValueSlot::fromFloat(values[i]);
    d[kTvModeValue - 1] = ValueSlot::fromInt(1);
    return d;
}

void AppendSlot(Bytes& out, std::uint32_t bits)
{
    std::uint8_t b[4];
    StoreLe32(b, bits);
    out.insert(out.end(), b, b + 4);
}

// Slot bits as files bring them: mostly arbitrary, with NaNs and the integer mode values mixed in.
std::uint32_t RandomSlot(std::mt19937& rng)
{
    switch (rng() % 6) {
    case 0:
        return 0x7F800000u | (rng() & 0x007FFFFFu) | 1u;  // a NaN with payload
    case 1:
        return rng() % 2;  // integer 0 or 1
    default:
        return static_cast<std::uint32_t>(rng());
    }
}

// A CAM file built byte by byte, independent of the writer under test.
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

// A document whose every record, used or not, holds distinct bits.
CameraDocument FilledDocument(std::mt19937& rng)
{
    CameraDocument doc;
    for (auto& b : doc.header)
        b = static_cast<std::uint8_t>(rng());
    for (CamSet s : {CamSet::TV1, CamSet::TV2}) {
        for (auto& b : doc.set(s).countField())
            b = static_cast<std::uint8_t>(rng());
        for (int k = 1; k <= kCameraStorage; ++k)
            for (ValueSlot& v : doc.set(s).camera(k).values)
                v.setBits(static_cast<std::uint32_t>(rng()));
    }
    for (ValueSlot& v : doc.pit.values)
        v.setBits(static_cast<std::uint32_t>(rng()));
    return doc;
}

std::vector<ReadProgress> Events(const Bytes& bytes, CameraDocument& doc, CamFileResult* result = nullptr)
{
    std::vector<ReadProgress> events;
    CamFileResult r = ReadCamBytes(bytes, doc, [&](const ReadProgress& e) { events.push_back(e); });
    if (result)
        *result = r;
    return events;
}

TEST(CamFileWrite, StartupDocumentIsTheKnown184Bytes)
{
    Bytes expected = {0x4D, 0x41, 0x43, 0x54, 0, 0, 0, 0, 0xAC, 0, 0, 0};
    const std::uint32_t tvCamera[14] = {0, 0, 0x40000000, 0, 1, 0x3DCCCCCD, 0x3DCCCCCD, 0x3DCCCCCD, 0, 0, 0,
                                        0x3FC90FDB, 0, 0};
    for (int set = 0; set < 2; ++set) {
        expected.insert(expected.end(), {1, 0, 0, 0});
        for (std::uint32_t bits : tvCamera)
            AppendSlot(expected, bits);
    }
    for (int k = 1; k <= 13; ++k)
        AppendSlot(expected, k == 9 ? 0xBE000000u : 0u);
    ASSERT_EQ(expected.size(), 184u);

    EXPECT_EQ(CamFileBytes(CameraDocument::startup(Defaults())), expected);
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
        ASSERT_EQ(file.size(), 72u + 56u * static_cast<std::size_t>(c1 + c2));
        Bytes withTail = file;
        withTail.insert(withTail.end(), {0xDE, 0xAD, 0xBE, 0xEF});

        ASSERT_EQ(ReadCamBytes(withTail, doc), std::nullopt) << c1 << "/" << c2;
        EXPECT_EQ(doc.tv1.count(), c1);
        EXPECT_EQ(doc.tv2.count(), c2);
        ASSERT_EQ(CamFileBytes(doc), file) << c1 << "/" << c2;
    }
}

TEST(CamFileRoundTrip, OddCountBytesAndWrongLengthAreCarried)
{
    std::mt19937 rng(7);
    Bytes file = RandomCamFile(rng, 5, 5);
    file[8] = 0x01;  // length field that fits no count
    file[9] = 0x02;
    file[10] = 0x03;
    file[11] = 0x04;
    const std::size_t tv2Count = 16 + 56 * 5;
    file[12] = 5;
    file[13] = 0x7F;
    file[14] = 0;
    file[15] = 0;
    file[tv2Count + 1] = 0;
    file[tv2Count + 2] = 0;
    file[tv2Count + 3] = 0;

    CameraDocument doc;
    ASSERT_EQ(ReadCamBytes(file, doc), std::nullopt);
    EXPECT_EQ(doc.tv1.count(), 5);
    EXPECT_EQ(doc.tv2.count(), 5);
    EXPECT_EQ(doc.tv1.countField(), (CameraSet::CountField{5, 0x7F, 0, 0}));
    EXPECT_EQ(doc.headerLength(), 0x04030201u);

    test::TempDir dir;
    const std::string path = dir.file("odd.cam");
    test::WriteBytes(path, file);
    CameraDocument fromDisk;
    ASSERT_EQ(ReadCamFile(path, fromDisk), std::nullopt);
    ASSERT_EQ(WriteCamFile(path, fromDisk), std::nullopt);
    EXPECT_EQ(test::ReadBytes(path), file);
}

TEST(CamFileRead, ThreeAndTwoCamerasWithStaleRecordsAbove)
{
    std::mt19937 rng(11);
    const Bytes file = RandomCamFile(rng, 3, 2);
    EXPECT_EQ(file.size(), 352u);
    CameraDocument doc = FilledDocument(rng);
    const CameraDocument before = doc;

    ASSERT_EQ(ReadCamBytes(file, doc), std::nullopt);
    EXPECT_EQ(doc.tv1.camera(3).value(14).bits(), LoadLe32(&file[16 + 56 * 3 - 4]));
    EXPECT_EQ(doc.tv2.camera(1).value(1).bits(), LoadLe32(&file[20 + 56 * 3]));
    EXPECT_EQ(doc.pit.value(13).bits(), LoadLe32(&file[348]));
    for (int k = 4; k <= kCameraStorage; ++k)
        EXPECT_EQ(doc.tv1.camera(k), before.tv1.camera(k)) << "TV1 camera " << k;
    for (int k = 3; k <= kCameraStorage; ++k)
        EXPECT_EQ(doc.tv2.camera(k), before.tv2.camera(k)) << "TV2 camera " << k;
}

TEST(CamFileRead, ProgressEventsInFileOrder)
{
    std::mt19937 rng(5);
    CameraDocument doc;
    CamFileResult result;
    const std::vector<ReadProgress> events = Events(RandomCamFile(rng, 3, 2), doc, &result);
    ASSERT_EQ(result, std::nullopt);
    const std::vector<ReadProgress> expected = {
        {Kind::HeaderStep, CamSet::TV1, 0},
        {Kind::CountStep, CamSet::TV1, 0},
        {Kind::CountKnown, CamSet::TV1, 3},
        {Kind::CameraStep, CamSet::TV1, 1},
        {Kind::CameraStep, CamSet::TV1, 2},
        {Kind::CameraStep, CamSet::TV1, 3},
        {Kind::SetComplete, CamSet::TV1, 0},
        {Kind::CountStep, CamSet::TV2, 0},
        {Kind::CountKnown, CamSet::TV2, 2},
        {Kind::CameraStep, CamSet::TV2, 1},
        {Kind::CameraStep, CamSet::TV2, 2},
        {Kind::SetComplete, CamSet::TV2, 0},
        {Kind::PitStep, CamSet::TV1, 0},
        {Kind::ReadComplete, CamSet::TV1, 0},
    };
    EXPECT_EQ(events, expected);
}

TEST(CamFileRead, DocumentChangesOnlyWhenReadCompletes)
{
    std::mt19937 rng(9);
    const Bytes file = RandomCamFile(rng, 2, 1);
    CameraDocument doc = FilledDocument(rng);
    const CameraDocument before = doc;
    bool sawOldBeforeComplete = true;
    bool sawNewAtComplete = false;
    ASSERT_EQ(ReadCamBytes(file, doc,
                           [&](const ReadProgress& e) {
                               if (e.kind == Kind::ReadComplete)
                                   sawNewAtComplete = CamFileBytes(doc) == file;
                               else
                                   sawOldBeforeComplete = sawOldBeforeComplete && doc == before;
                           }),
              std::nullopt);
    EXPECT_TRUE(sawOldBeforeComplete);
    EXPECT_TRUE(sawNewAtComplete);
}

TEST(CamFileTruncated, EveryCutFailsAndLeavesTheDocumentAlone)
{
    std::mt19937 rng(17);
    const Bytes file = RandomCamFile(rng, 3, 2);
    const CameraDocument before = FilledDocument(rng);
    for (std::size_t length = 0; length < file.size(); ++length) {
        CameraDocument doc = before;
        const Bytes cut(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
        CamFileResult result;
        const std::vector<ReadProgress> events = Events(cut, doc, &result);
        ASSERT_EQ(result, MakeCamFileError(CamFileErrorKind::FileIncomplete)) << "length " << length;
        EXPECT_EQ(result->number, 62);
        ASSERT_EQ(doc, before) << "length " << length;
        ASSERT_FALSE(events.empty());
        EXPECT_NE(events.back().kind, Kind::ReadComplete);
    }
}

TEST(CamFileTag, OnlyTheFourthByteIsChecked)
{
    std::mt19937 rng(19);
    Bytes file = RandomCamFile(rng, 1, 1);
    file[0] = 'x';
    file[1] = 0;
    file[2] = 0xFF;
    CameraDocument doc;
    EXPECT_EQ(ReadCamBytes(file, doc), std::nullopt);

    const CameraDocument before = FilledDocument(rng);
    for (std::uint8_t tag : {std::uint8_t{'t'}, std::uint8_t{0}, std::uint8_t{'M'}}) {
        file[3] = tag;
        for (std::size_t length : {std::size_t{4}, std::size_t{11}, std::size_t{12}, file.size()}) {
            doc = before;
            const Bytes head(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(length));
            CamFileResult result;
            const std::vector<ReadProgress> events = Events(head, doc, &result);
            EXPECT_EQ(result, MakeCamFileError(CamFileErrorKind::NotACamFile)) << "length " << length;
            EXPECT_EQ(result->number, 6666);
            EXPECT_EQ(doc, before);
            EXPECT_EQ(events, std::vector<ReadProgress>{ReadProgress{Kind::HeaderStep}});
        }
    }
    doc = before;
    EXPECT_EQ(ReadCamBytes(Bytes{'M', 'A', 'C'}, doc), MakeCamFileError(CamFileErrorKind::FileIncomplete));
}

TEST(CamFileErrors, NumbersOfTheProgramsOwnKinds)
{
    EXPECT_EQ(MakeCamFileError(CamFileErrorKind::DialogCancelled).number, 32755);
    EXPECT_EQ(MakeCamFileError(CamFileErrorKind::NoFileName).number, 6665);
    EXPECT_EQ(MakeCamFileError(CamFileErrorKind::OverwriteDeclined).number, 6666);
    EXPECT_EQ(MakeCamFileError(CamFileErrorKind::FileNotFound).number, 53);
    EXPECT_EQ(MakeCamFileError(CamFileErrorKind::DriveNotReady).number, 71);
}

TEST(CamFileOpen, EmptyPathMissingFileAndMissingFolder)
{
    test::TempDir dir;
    std::mt19937 rng(23);
    const CameraDocument before = FilledDocument(rng);
    CameraDocument doc = before;
    int events = 0;
    const auto count = [&events](const ReadProgress&) { ++events; };

    EXPECT_EQ(ReadCamFile("", doc, count), MakeCamFileError(CamFileErrorKind::NoFileName));

    const std::string missing = dir.file("missing.cam");
    EXPECT_EQ(ReadCamFile(missing, doc, count), MakeCamFileError(CamFileErrorKind::FileNotFound));
    EXPECT_FALSE(fs::exists(missing));

    const CamFileResult noFolder = ReadCamFile(dir.file("nowhere/missing.cam"), doc, count);
    ASSERT_TRUE(noFolder);
    EXPECT_EQ(noFolder->kind, CamFileErrorKind::OtherError);
    EXPECT_EQ(noFolder->number, 76);
    EXPECT_EQ(noFolder->description, "Path not found");

    EXPECT_EQ(events, 0);
    EXPECT_EQ(doc, before);
}

class CamFileWriteOnDisk : public ::testing::Test {
protected:
    test::TempDir dir;
    CameraDocument doc = CameraDocument::startup(Defaults());
    const Bytes old = {'o', 'l', 'd'};

    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(dir.path()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

TEST_F(CamFileWriteOnDisk, FolderInPlaceOfTheFile)
{
    fs::create_directory(dir.file("x.cam"));
    test::WriteBytes(dir.file("x.cam/inside"), old);
    const CamFileResult result = WriteCamFile(dir.file("x.cam"), doc);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->kind, CamFileErrorKind::OtherError);
    EXPECT_FALSE(result->description.empty());
    EXPECT_TRUE(fs::is_directory(dir.file("x.cam")));
    EXPECT_EQ(test::ReadBytes(dir.file("x.cam/inside")), old);
    EXPECT_EQ(Entries(), std::vector<std::string>{"x.cam"});
}

TEST_F(CamFileWriteOnDisk, MissingFolder)
{
    const CamFileResult result = WriteCamFile(dir.file("nowhere/x.cam"), doc);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->kind, CamFileErrorKind::OtherError);
    EXPECT_EQ(result->number, 76);
    EXPECT_TRUE(Entries().empty());
}

TEST_F(CamFileWriteOnDisk, WriteProtectedFileIsKept)
{
    const std::string path = dir.file("x.cam");
    test::WriteBytes(path, old);
    fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                    fs::perm_options::remove);
    const CamFileResult result = WriteCamFile(path, doc);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->kind, CamFileErrorKind::OtherError);
    EXPECT_EQ(result->number, EACCES);
    EXPECT_EQ(result->description, std::generic_category().message(EACCES));
    EXPECT_EQ(test::ReadBytes(path), old);
    EXPECT_EQ(Entries(), std::vector<std::string>{"x.cam"});
}

#ifndef _WIN32
TEST_F(CamFileWriteOnDisk, ReadOnlyFolder)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "a privileged user writes into read-only folders";
    const std::string path = dir.file("x.cam");
    test::WriteBytes(path, old);
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::remove);
    const CamFileResult result = WriteCamFile(path, doc);
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
    ASSERT_TRUE(result);
    EXPECT_EQ(result->kind, CamFileErrorKind::OtherError);
    EXPECT_EQ(test::ReadBytes(path), old);
    EXPECT_EQ(Entries(), std::vector<std::string>{"x.cam"});
}
#endif

} // namespace
} // namespace vp
