// The command-line tool, in-process: its texts, its exit statuses and its files.

#include "camdata/CamFile.h"
#include "cli/CamTool.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <sstream>

namespace vp::cli {
namespace {

struct ToolRun { int status; std::string out, err; };

ToolRun Tool(const std::vector<std::string>& args)
{
    std::ostringstream out, err;
    const int status = runCamTool(args, out, err);
    return {status, out.str(), err.str()};
}

std::string Corpus(const std::string& name) { return std::string(VP_CAM_CORPUS_DIR) + "/" + name; }

CameraDocument Read(const std::string& path) { CameraDocument doc; EXPECT_FALSE(readCamFile(path, doc)) << path; return doc; }

void Write(const std::string& path, const CameraDocument& doc) { ASSERT_FALSE(writeCamFile(path, doc)) << path; }

// Byte offsets of value #v in a file of one camera per set.
constexpr std::size_t Tv1(int v) { return 16 + 4 * static_cast<std::size_t>(v - 1); }
constexpr std::size_t Tv2(int v) { return 76 + 4 * static_cast<std::size_t>(v - 1); }
constexpr std::size_t Pit(int v) { return 132 + 4 * static_cast<std::size_t>(v - 1); }

std::uint32_t WordAt(const std::vector<std::uint8_t>& b, std::size_t at)
{
    return at + 4 > b.size() ? 0xDEADBEEF : static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16 | b[at + 3] << 24);
}

TEST(CamToolShow, TheValuesAsTheEditorShowsThemWithTheirBits)
{
    test::TempDir dir;
    CameraDocument doc;
    doc.header = {0x4D, 0x41, 0x43, 0x54, 0, 0, 0, 0, 0x74, 0, 0, 0};
    doc.tv1.setCount(1);
    doc.tv2.countField() = {0, 0x7F, 0, 0};
    const std::uint32_t bits[] = {0x449A522B, 0xC1480000, 0x41200000, 0xC1A00000, 1,          0x3DCCCCCD, 0,
                                  0x3F800000, 0x3F4A7B8D, 0xBFC90FDB, 0x7FC00000, 0x3F060A92, 0, 0x80000000};
    for (int v = 1; v <= 14; ++v)
        doc.tv1.camera(1).value(v).setBits(bits[v - 1]);
    for (auto [v, x] : {std::pair{1, 12345.6789F}, {4, 0.7854F}, {9, -0.125F}})
        doc.pit.value(v).setFloat(x);
    Write(dir.file("small.cam"), doc);

    const std::string raw = R"(header 4D 41 43 54 00 00 00 00 74 00 00 00 (length 116)

TV1: 1 camera (count bytes 01 00 00 00)
cam  #1 distance [m]  #2 offset [m]  #3 height [m]  #4 change-over [m]     #5 mode  #6 initial zoom  #7 first-part zoom  #8 second-part zoom  #9 yaw [deg]  #10 pitch [deg]  #11 bank [deg]  #12 opening angle [deg]  #13 unknown [deg]  #14 unknown [deg]
  1         1234.568          -12.5             10                 -20       fixed              0.1                   0                    1            45              -90             NaN                       30                  0                  0
          0x449A522B     0xC1480000     0x41200000          0xC1A00000  0x00000001       0x3DCCCCCD          0x00000000           0x3F800000    0x3F4A7B8D       0xBFC90FDB      0x7FC00000               0x3F060A92         0x00000000         0x80000000

TV2: 0 cameras (count bytes 00 7F 00 00)

pit lane
    #1 x [m]    #2 y [m]    #3 z [m]  #4 yaw [deg]  #5 pitch [deg]  #6 bank [deg]  #7 opening angle [deg]  #8 leave at 0  #9 leave at -0.125  #10 unknown  #11 unknown  #12 unknown  #13 unknown
    12345.68           0           0            45               0              0                       0              0              -0.125            0            0            0            0
  0x4640E6B7  0x00000000  0x00000000    0x3F490FF9      0x00000000     0x00000000              0x00000000     0x00000000          0xBE000000   0x00000000   0x00000000   0x00000000   0x00000000
)";
    const ToolRun withBits = Tool({"show", "--raw", dir.file("small.cam")});
    EXPECT_EQ(withBits.status, kExitOk);
    EXPECT_EQ(withBits.out, raw);

    const ToolRun plain = Tool({"show", dir.file("small.cam")});
    EXPECT_EQ(plain.out.substr(0, 100), raw.substr(0, 100));
    EXPECT_EQ(plain.out.find("0x449A522B"), std::string::npos) << "the bits only with --raw";
}

TEST(CamToolExport, FilesAndExtremeBitsImportBackByteForByte)
{
    test::TempDir dir;
    // Bits no field would store, in every kind of value: the largest floats (beyond the float range
    // once in degrees), the smallest, -0, infinities, a NaN with a payload, a mode of 1.0.
    CameraDocument extremes = Read(Corpus("startup.cam"));
    const std::uint32_t patterns[] = {0x7F7FFFFF, 0xFF7FFFFF, 0x00000001, 0x80000000, 0x7F800000, 0xFF800000, 0x7FC12345,
                                      0x3F800000, 0x00800000, 0x3F490FDA, 0x3F490FDC, 0xC0C90FDB, 0x40C90FDC, 0x7FFFFFFF};
    for (int v = 1; v <= 14; ++v) {
        extremes.tv1.camera(1).value(v).setBits(patterns[v - 1]);
        extremes.tv2.camera(1).value(v).setBits(patterns[14 - v]);
        extremes.pit.value(std::min(v, 13)).setBits(patterns[std::min(v, 13)]);
    }
    Write(dir.file("extremes.cam"), extremes);
    for (const std::string& cam : {dir.file("extremes.cam"), Corpus("empty_sets.cam"), Corpus("three_two_tail.cam")}) {
        const ToolRun exported = Tool({"export", cam});
        test::writeBytes(dir.file("cams.csv"), std::vector<std::uint8_t>(exported.out.begin(), exported.out.end()));
        EXPECT_EQ(Tool({"import", dir.file("cams.csv"), dir.file("back.cam")}).err, "") << cam;
        EXPECT_EQ(test::readBytes(dir.file("back.cam")), camFileBytes(Read(cam))) << cam;
    }
}

TEST(CamToolDiff, EveryDifferenceOnALineAndTheExitStatus)
{
    test::TempDir dir;
    const std::string a = dir.file("a.cam"), b = dir.file("b.cam");
    const CameraDocument startup = Read(Corpus("startup.cam"));
    Write(a, startup);
    const struct { std::function<void(CameraDocument&)> change; int status; std::string out; } cases[] = {
        {[](CameraDocument&) {}, kExitOk, ""},
        {[](CameraDocument& d) { d.tv1.camera(1).value(1).setFloat(1500.25F); }, kExitFound,
         "TV1 camera 1 #1 distance [m]: 0 -> 1500.25\n"},
        {[](CameraDocument& d) { d.tv2.camera(1).value(12).setBits(0x3FC90FDC); }, kExitFound,
         "TV2 camera 1 #12 opening angle [deg]: 90 -> 90 (0x3FC90FDB -> 0x3FC90FDC)\n"},
        {[](CameraDocument& d) { d.header[4] = 1; d.tv1.setCount(2); d.tv1.camera(2) = d.tv1.camera(1); d.pit.value(8).setFloat(3); },
         kExitFound, "header: 4D 41 43 54 00 00 00 00 AC 00 00 00 -> 4D 41 43 54 01 00 00 00 AC 00 00 00\n"
         "TV1 count bytes: 01 00 00 00 -> 02 00 00 00\nTV1 camera 2: only in " + b + "\npit lane #8 leave at 0: 0 -> 3\n"},
    };
    for (const auto& c : cases) {
        CameraDocument changed = startup;
        c.change(changed);
        Write(b, changed);
        const ToolRun run = Tool({"diff", a, b});
        EXPECT_EQ(run.status, c.status) << c.out;
        EXPECT_EQ(run.out, c.out);
    }
}

TEST(CamToolImport, EditsAreStoredAsTheFieldsStoreThemAndRefusalsWriteNothing)
{
    test::TempDir dir;
    const std::string csv = dir.file("cams.csv");
    const std::string out = dir.file("out.cam");
    // The start-up document; the TV2 row without its bits, so typed in.
    const std::vector<std::string> base = {
        "vantapoint-cam,header,4D 41 43 54 00 00 00 00 AC 00 00 00,TV1 count,01 00 00 00,TV2 count,01 00 00 00",
        "TV1,1,0,0,2,0,fixed,0.1,0.1,0.1,0,0,0,90,0,0,0x00000000 0x00000000 0x40000000 0x00000000 0x00000001 "
        "0x3DCCCCCD 0x3DCCCCCD 0x3DCCCCCD 0x00000000 0x00000000 0x00000000 0x3FC90FDB 0x00000000 0x00000000",
        "TV2,1,0,0,2,0,fixed,0.1,0.1,0.1,0,0,0,90,0,0",
        "pit lane,,0,0,0,0,0,0,0,0,-0.125,0,0,0,0,,0x00000000 0x00000000 0x00000000 0x00000000 0x00000000 "
        "0x00000000 0x00000000 0x00000000 0xBE000000 0x00000000 0x00000000 0x00000000 0x00000000"};
    const std::string prefix = "vantapoint-cam: " + csv + ": ";
    std::string tooMany = base[1];
    for (int k = 1; k < 255; ++k)  // with the first row, 256 TV1 cameras
        tooMany += "\n" + base[1];
    struct Edit { std::size_t line; int cell; std::string text; };  // cell -1: the whole line
    // An empty error: accepted, with these words at these offsets.
    const struct { std::vector<Edit> edits; std::string error; std::vector<std::pair<std::size_t, std::uint32_t>> words; } cases[] = {
        {{}, {}, {{Tv2(3), 0x40000000}, {Tv2(5), 1}, {Tv2(6), 0x3DCCCCCD}, {Tv2(12), 0x3FC90FDB}}},
        {{{1, 2, "1234.5"}, {1, 10, "45"}, {1, 6, "Moving"}, {1, 13, "9.0000001E+01"}}, {},
         {{Tv1(1), 0x449A5000}, {Tv1(9), 0x3F490FDB}, {Tv1(5), 0}, {Tv1(12), 0x3FC90FDB}}},
        {{{2, 3, "-3.5"}, {3, 2, "12.3456"}, {3, 5, "10.6"}}, {},
         {{Tv2(2), 0xC0600000}, {Pit(1), 0x41458937}, {Pit(4), 0x3E449809}}},
        {{{0, -1, "\"vantapoint-cam\",header,\"4D 41 43 54 00 00 00 00 AC 00 00 00\",,01 00 00 00,,01 00 00 00\r"},
          {1, 0, "set,camera,\"notes, with a comma\"\r\nTV1"},
          {3, 17, "\"a note \"\"after\"\" the bits\"\r"}},
         {},
         {{Tv1(3), 0x40000000}, {Pit(9), 0xBE000000}}},
        {{{2, -1, base[2] + "\n" + base[1]}, {3, 2, "1"}}, {}, {{8, 0xE4}, {12, 2}, {Tv1(1), 0}, {Pit(1) + 56, 0x3F800000}}},
        {{{0, 0, "\xEF\xBB\xBFvantapoint-cam"}}, {}, {{Tv1(3), 0x40000000}}},  // a byte-order mark first
        {{{1, 4, "250"}}, prefix + "line 2, column 5 (#3 height [m]): \"250\" is refused: Enter a number between 0 and 200", {}},
        {{{1, 10, "abc"}}, prefix + "line 2, column 11 (#9 yaw [deg]): \"abc\" is refused: Enter a number between -360 and 360", {}},
        {{{1, 14, "5"}},
         prefix + "line 2, column 15 (#13 unknown [deg]): \"5\" is refused: this value is carried unchanged and cannot be edited", {}},
        {{{1, 6, "maybe"}}, prefix + "line 2, column 7 (#5 mode): \"maybe\" is refused: write fixed or moving", {}},
        {{{1, 16, "0x1234"}}, prefix + "line 2, column 17 (raw): \"0x1234\" is not 14 32-bit patterns (0x3F800000)", {}},
        {{{1, 0, "TV3"}}, prefix + "line 2, column 1 (set): \"TV3\" is not TV1, TV2 or pit lane", {}},
        {{{0, 2, "4D 41"}}, prefix + "line 1, column 3 (header): \"4D 41\" is not 12 bytes in hex (4D 41 43 54 ...)", {}},
        {{{1, -1, "TV1,1,0,0"}}, prefix + "line 2, column 5: the row ends here; it needs 14 values", {}},
        {{{1, 2, "\"5"}}, prefix + "line 2: a quoted cell is not closed", {}},
        {{{3, 15, "7"}}, prefix + "line 4, column 16: the pit-lane camera has 13 values; this cell stays empty", {}},
        {{{2, -1, base[3]}}, prefix + "line 4, column 1 (set): a second pit lane row", {}},
        {{{0, -1, ""}}, prefix + "no vantapoint-cam line with the header bytes; is this an export of vantapoint-cam?", {}},
        {{{3, -1, ""}}, prefix + "no pit lane row", {}},
        {{{2, -1, tooMany}}, prefix + "line 257, column 1 (set): more than 255 TV1 cameras", {}},
    };
    for (const auto& c : cases) {
        std::vector<std::vector<std::string>> cells(base.size());
        for (std::size_t i = 0; i < base.size(); ++i) {
            std::istringstream split(base[i]);
            for (std::string cell; std::getline(split, cell, ',');)
                cells[i].push_back(cell);
        }
        for (const Edit& e : c.edits) {
            std::vector<std::string>& line = cells[e.line];
            const auto at = static_cast<std::size_t>(std::max(e.cell, 0));
            line.resize(e.cell < 0 ? 1 : std::max(line.size(), at + 1));
            line[at] = e.text;
        }
        std::string text;
        for (const auto& line : cells)
            for (std::size_t i = 0; i < line.size(); ++i)
                text += line[i] + (i + 1 < line.size() ? "," : "\n");
        test::writeBytes(csv, std::vector<std::uint8_t>(text.begin(), text.end()));
        std::filesystem::remove(test::nativePath(out));
        const ToolRun run = Tool({"import", csv, out});
        EXPECT_EQ(run.err, c.error.empty() ? "" : c.error + '\n') << text.substr(0, 500);
        EXPECT_EQ(run.status, c.error.empty() ? kExitOk : kExitError) << c.error;
        EXPECT_EQ(std::filesystem::exists(test::nativePath(out)), c.error.empty()) << c.error;
        const std::vector<std::uint8_t> bytes = c.error.empty() ? test::readBytes(out) : std::vector<std::uint8_t>{};
        for (const auto& [offset, word] : c.words)
            EXPECT_EQ(WordAt(bytes, offset), word) << text << "at byte " << offset;
        if (c.edits.empty()) {
            EXPECT_EQ(bytes, test::readBytes(Corpus("startup.cam")));
        }
    }
}

TEST(CamTool, ChecksUsageAndUnreadableFiles)
{
    test::TempDir dir;
    CameraDocument doc = Read(Corpus("startup.cam"));
    doc.pit.value(8).setFloat(3);
    Write(dir.file("pit.cam"), doc);
    const std::string usage = "usage: vantapoint-cam show [--raw] FILE.cam\n"
        "       vantapoint-cam diff A.cam B.cam\n"
        "       vantapoint-cam check FILE.cam\n"
        "       vantapoint-cam export FILE.cam > CAMS.csv\n"
        "       vantapoint-cam import CAMS.csv OUT.cam\n"
        "       vantapoint-cam --help\n";
    const auto refused = [](const std::string& path, const std::string& why) { return "vantapoint-cam: " + path + ": " + why + "\n"; };
    const struct { std::vector<std::string> args; int status; std::string out, err; } cases[] = {
        {{"check", Corpus("startup.cam")}, kExitOk, "No problems found.\n", ""},
        {{"check", dir.file("pit.cam")}, kExitFound, "Pit lane: #8 is 3, but its caption asks to leave it at 0\n", ""},
        {{"check", Corpus("text.cam")}, kExitError, "", refused(Corpus("text.cam"), "Not a track-camerafile.")},
        {{"export", Corpus("three_two_truncated.cam")}, kExitError, "", refused(Corpus("three_two_truncated.cam"), "File is incomplete.")},
        {{"diff", Corpus("startup.cam"), dir.file("none.cam")}, kExitError, "", refused(dir.file("none.cam"), "File not found.")},
        {{"import", dir.file("none.csv"), dir.file("out.cam")}, kExitError, "", refused(dir.file("none.csv"), "File not found - 53")},
        {{}, kExitError, "", "vantapoint-cam: no command\n" + usage},
        {{"show", "a.cam", "b.cam"}, kExitError, "", "vantapoint-cam: wrong number of files for show\n" + usage},
        {{"check", "--raw", "a.cam"}, kExitError, "", "vantapoint-cam: unknown option --raw\n" + usage},
        {{"fix", "a.cam"}, kExitError, "", "vantapoint-cam: unknown command fix\n" + usage},
    };
    for (const auto& c : cases) {
        const ToolRun run = Tool(c.args);
        EXPECT_EQ(run.status, c.status) << c.err;
        EXPECT_EQ(run.out, c.out);
        EXPECT_EQ(run.err, c.err);
    }
    const ToolRun help = Tool({"--help"});
    EXPECT_EQ(help.status, kExitOk);
    EXPECT_EQ(help.out.substr(0, usage.size()), usage);
}

} // namespace
} // namespace vp::cli
