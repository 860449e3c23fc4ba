#include "options/Configuration.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace vp {
namespace {

using test::readBytes, test::TempDir, test::writeBytes;
using Bytes = std::vector<std::uint8_t>;

// The file a first start writes, spelled out byte by byte.
Bytes DefaultFile()
{
    Bytes bytes;
    for (std::string_view text : {"Vantapoint configuration file - DO NOT EDIT!", "GPL not installed"}) {
        bytes.insert(bytes.end(), {static_cast<std::uint8_t>(text.size()), 0});
        bytes.insert(bytes.end(), text.begin(), text.end());
    }
    bytes.resize(bytes.size() + 16, 0xFF);
    bytes.insert(bytes.end(), {0x00, 0x00, 0x80, 0xBF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00,
                               0x01, 0x00, 0x00, 0x00, 0xCD, 0xCC, 0xCC, 0x3D, 0xCD, 0xCC, 0xCC, 0x3D, 0xCD, 0xCC, 0xCC, 0x3D});
    bytes.resize(bytes.size() + 12, 0);
    bytes.insert(bytes.end(), {0xDB, 0x0F, 0xC9, 0x3F, 0xFF, 0xFF, 0x00});
    bytes.resize(bytes.size() + 3072, 0);
    bytes.insert(bytes.end(), {0xDC, 0x05, 0x00, 0x00, 0x00, 0x00});
    return bytes;
}

bool StartsWith(const Bytes& bytes, const Bytes& prefix) { return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin()); }

OptionsRecord Unusual()
{
    OptionsRecord options;
    options.showSafetyRequests = options.askBeforeRemove = options.fixedSwitchOver = false;
    options.defaultValues[0] = ValueSlot::fromFloat(150.0F);
    options.defaultValues[4] = ValueSlot::fromInt(0);
    options.defaultValues[9] = ValueSlot::fromBits(0xFFC00123); // a NaN with payload
    options.script.count = 255;
    for (int i = 0; i < kClickSlots; ++i)
        std::tie(options.script.intervals[i], options.script.x[i], options.script.y[i]) = std::tuple(i * 1000, -i, 0x12345678 + i);
    std::tie(options.shutdownDelay, options.playScript) = std::tuple(3000, true);
    return options;
}

// A folder with gpl.exe in it, as a real installation has.
std::string MakeGplFolder(const TempDir& dir, const std::string& name)
{
    const std::string folder = dir.file(name);
    fs::create_directories(test::nativePath(folder));
    writeBytes(joinPath(folder, "gpl.exe"), {'M', 'Z'});
    return folder;
}

TEST(ConfigBytes, RecordRoundTripsAndFieldsSitAtTheirOffsets)
{
    ASSERT_EQ(DefaultFile().size(), 3210U);
    EXPECT_EQ(configBytes(OptionsRecord{}), DefaultFile());

    OptionsRecord options = Unusual();
    options.gplFolder = "/games/Grand Prix Legends \xC3\xA9"; // native UTF-8 bytes kept as they are
    const Bytes bytes = configBytes(options);
    const std::size_t b = 4 + options.header.size() + options.gplFolder.size();
    ASSERT_EQ(bytes.size(), 3149 + options.header.size() + options.gplFolder.size());
    const std::pair<std::size_t, std::uint8_t> fields[] = {
        {0, 0x00},    {2, 0xFF},           // showSafetyRequests false, askBeforeAssignToAll true
        {19, 0x43},   {66, 255},           // 150.0f = 0x43160000, script.count
        {71, 0xE8},   {1095, 0xFF},        // script.intervals[1] = 1000, script.x[1] = -1
        {2115, 0x78}, {3139, 0xB8},        // script.y[0] low byte, shutdownDelay 3000 = 0x0BB8
        {3140, 0x0B}, {3143, 0xFF}};       // playScript
    for (const auto& [offset, value] : fields)
        EXPECT_EQ(bytes[b + offset], value) << "offset " << offset;
    EXPECT_EQ(parseConfigBytes(bytes), options);

    // Any non-zero flag reads true and is written back as 0xFFFF.
    Bytes flags = configBytes(OptionsRecord{});
    std::copy_n(Bytes{0x01, 0x00, 0x00, 0x01, 0x00, 0x00}.begin(), 6, flags.begin() + 65);
    const OptionsRecord read = parseConfigBytes(flags);
    EXPECT_EQ(std::tuple(read.showSafetyRequests, read.askBeforeAssignToAll, read.askBeforeNewScript), std::tuple(true, true, false));
    const Bytes rewritten = configBytes(read);
    EXPECT_EQ(Bytes(rewritten.begin() + 65, rewritten.begin() + 67), (Bytes{0xFF, 0xFF}));
}

TEST(ConfigBytes, ShortRecordReadsWhatIsThereAndDefaultsForTheRest)
{
    const Bytes full = configBytes(Unusual());
    // Cut inside shutdownDelay (3000 stored): it and playScript take their defaults.
    const OptionsRecord cut = parseConfigBytes(std::span(full).first(full.size() - 5));
    EXPECT_EQ(std::tuple(cut.shutdownDelay, cut.playScript, cut.script.y[255]), std::tuple(1500, false, 0x12345777));

    // Cut inside defaultValues slot 1, after the flags: slot 0 and the flags are read.
    OptionsRecord expected;
    expected.showSafetyRequests = expected.askBeforeRemove = false;
    expected.defaultValues[0] = ValueSlot::fromFloat(150.0F);
    EXPECT_EQ(parseConfigBytes(std::span(full).first(65 + 22)), expected);

    const OptionsRecord lengthBeyondTheEnd = parseConfigBytes(Bytes{0xFF, 0xFF, 'a', 'b'});
    EXPECT_EQ(std::tuple(lengthBeyondTheEnd.header, lengthBeyondTheEnd.gplFolder), std::tuple("ab", "GPL not installed"));
    EXPECT_EQ(parseConfigBytes(Bytes{}).header, "") << "no header is never the right one";
}

TEST(ConfigBytes, TextTooLongForItsLengthFieldIsRefused)
{
    EXPECT_TRUE(fitsInTextField(std::string(65535, 'x')) && !fitsInTextField(std::string(65536, 'x')));
    OptionsRecord tooLong;
    tooLong.gplFolder = std::string(65536, 'x');
    EXPECT_TRUE(configBytes(tooLong).empty());

    TempDir dir;
    const Bytes before = configBytes(Unusual());
    writeBytes(dir.file("Vantapoint.cfg"), before);
    const auto error = saveConfiguration(dir.path(), tooLong);
    EXPECT_TRUE(error && !error->description.empty());
    EXPECT_EQ(readBytes(dir.file("Vantapoint.cfg")), before);
}

TEST(LoadConfiguration, LaterStartIsSilentKeepsEveryValueAndGivesTheTracksFolder)
{
    // The program's folder and the game's may be named beyond ASCII.
    TempDir dir;
    const std::string program = dir.file("Grand Prix Legends Ø ü 東 editor");
    fs::create_directory(test::nativePath(program));
    OptionsRecord options = Unusual();
    options.gplFolder = MakeGplFolder(dir, "Grand Prix Legends Ø ü 東");
    ASSERT_FALSE(saveConfiguration(program, options));
    const Bytes before = readBytes(joinPath(program, "Vantapoint.cfg"));

    OptionsRecord stored;
    const ConfigLoadResult result = loadConfiguration(program, stored);
    EXPECT_EQ(std::tuple(result.showWarning, result.debugModeCode, result.gplKnown), std::tuple(false, std::optional<int>(), true));
    // No tracks folder: the GPL folder itself.
    EXPECT_EQ(std::tuple(result.camFolder, stored, readBytes(joinPath(program, "Vantapoint.cfg"))), std::tuple(options.gplFolder, options, before));
    fs::create_directory(test::nativePath(joinPath(options.gplFolder, "tracks")));
    EXPECT_EQ(loadConfiguration(program, stored).camFolder, joinPath(options.gplFolder, "tracks"));
}

TEST(LoadConfiguration, MissingForeignOrEmptyFileIsResetWithTheWarning)
{
    Bytes otherCase = configBytes(Unusual());
    otherCase[2] = 'v'; // "vantapoint configuration ..."
    const std::pair<const char*, std::optional<Bytes>> cases[] = {
        {"first start", std::nullopt}, {"empty", Bytes{}}, {"header in other letter case", otherCase},
        {"foreign, longer than a record: the tail stays", Bytes(5000, 'x')}};
    for (const auto& [name, bytes] : cases) {
        TempDir dir;
        if (bytes)
            writeBytes(dir.file("Vantapoint.cfg"), *bytes);
        OptionsRecord stored = Unusual();
        const ConfigLoadResult result = loadConfiguration(dir.path(), stored);
        EXPECT_EQ(std::tuple(result.showWarning, result.debugModeCodes.size(), result.gplKnown, result.saveFailed), std::tuple(true, 0U, false, false)) << name;
        const Bytes file = readBytes(dir.file("Vantapoint.cfg"));
        EXPECT_EQ(std::tuple(stored, file.size(), StartsWith(file, DefaultFile())), std::tuple(OptionsRecord{}, bytes ? std::max<std::size_t>(bytes->size(), 3210) : 3210, true)) << name;
    }
}

TEST(LoadConfiguration, AGplFolderWithoutTheGameForgetsOnlyTheFolder)
{
    enum class Gone { Folder, Exe, ExeIsAFolder, ExeIsAPipe };
    std::vector<Gone> gones = {Gone::Folder, Gone::Exe, Gone::ExeIsAFolder};
#ifndef _WIN32
    gones.push_back(Gone::ExeIsAPipe);
#endif
    const Bytes defaults = DefaultFile();
    for (const Gone gone : gones) {
        const int c = static_cast<int>(gone);
        TempDir dir;
        OptionsRecord options = Unusual();
        options.gplFolder = MakeGplFolder(dir, "GPL");
        ASSERT_FALSE(saveConfiguration(dir.path(), options));
        const std::string exe = joinPath(options.gplFolder, "gpl.exe");
        fs::remove_all(gone == Gone::Folder ? options.gplFolder : exe);
        if (gone == Gone::ExeIsAFolder)
            fs::create_directory(exe);
#ifndef _WIN32
        ASSERT_TRUE(gone != Gone::ExeIsAPipe || mkfifo(exe.c_str(), 0600) == 0);
#endif
        OptionsRecord stored;
        const ConfigLoadResult result = loadConfiguration(dir.path(), stored);
        EXPECT_EQ(std::tuple(result.showWarning, result.gplKnown, result.debugModeCodes.size(), result.gplNotFoundIn),
                  std::tuple(false, false, 0U, std::optional(options.gplFolder))) << c;
        options.gplFolder = "GPL not installed";
        EXPECT_EQ(stored, options) << c;
        const Bytes file = readBytes(dir.file("Vantapoint.cfg"));
        // The header and "GPL not installed" lead the file.
        EXPECT_EQ(std::pair(StartsWith(file, Bytes(defaults.begin(), defaults.begin() + 65)), parseConfigBytes(file)), std::pair(true, options)) << c;
    }
    EXPECT_EQ(gplNotFoundText("/games/GPL"),
              "GPL was not found in /games/GPL. Set its folder again in the options; all other options are kept.");
}

TEST(LoadConfiguration, UnreadableFileOrMissingProgramFolderKeepTheDefaultsWithoutTheWarning)
{
    TempDir dir;
    fs::create_directory(dir.file("Vantapoint.cfg"));
    std::vector<std::pair<std::string, std::vector<int>>> cases = {{dir.path(), {3}}, {dir.file("gone"), {1, 3}}};
#ifndef _WIN32
    // A pipe is neither waited on nor overwritten.
    TempDir withPipe;
    ASSERT_EQ(mkfifo(withPipe.file("Vantapoint.cfg").c_str(), 0600), 0);
    cases.emplace_back(withPipe.path(), std::vector<int>{3});
#endif
    for (const auto& [folder, codes] : cases) {
        OptionsRecord stored = Unusual();
        const ConfigLoadResult result = loadConfiguration(folder, stored);
        EXPECT_EQ(std::tuple(result.showWarning, result.debugModeCodes, result.debugModeCode, result.saveFailed, stored), std::tuple(false, codes, 3, true, OptionsRecord{}))
            << folder;
    }
    EXPECT_FALSE(fs::exists(dir.file("gone")));
#ifndef _WIN32
    EXPECT_TRUE(fs::is_fifo(withPipe.file("Vantapoint.cfg")));
#endif
}

TEST(ConfigFolder, BesideAWritableProgramElseTheUsersFolderStartingFromTheFileBeside)
{
    // Program folder writable; Vantapoint.cfg beside it and in the user's folder beforehand ("": none);
    // a user's folder given; the user's folder chosen; what Vantapoint.cfg in the user's folder holds after.
    const std::tuple<bool, std::string, std::string, bool, bool, std::string> cases[] = {
        {true, "", "", true, false, ""},           {true, "portable", "", true, false, ""},
        {false, "", "", true, true, ""},           {false, "portable", "", true, true, "portable"},
        {false, "portable", "own", true, true, "own"}, {false, "portable", "", false, false, ""},
    };
    const auto bytes = [](const std::string& text) { return Bytes(text.begin(), text.end()); };
    int row = 0;
    for (const auto& [writable, beside, userFile, userFolderGiven, chosenIsUsers, userFileAfter] : cases) {
        TempDir dir;
        const std::string user = dir.file("config/vantapoint");
        if (!beside.empty())
            writeBytes(dir.file("Vantapoint.cfg"), bytes(beside));
        if (!userFile.empty())
            fs::create_directories(test::nativePath(user)), writeBytes(joinPath(user, "Vantapoint.cfg"), bytes(userFile));
        EXPECT_EQ(chooseConfigFolder(dir.path(), writable, userFolderGiven ? user : ""), chosenIsUsers ? user : dir.path()) << row;
        EXPECT_EQ(std::tuple(fs::is_directory(test::nativePath(user)), readBytes(joinPath(user, "Vantapoint.cfg")), readBytes(dir.file("Vantapoint.cfg"))),
                  std::tuple(chosenIsUsers, bytes(userFileAfter), bytes(beside))) << row++;
    }

    TempDir dir;
    // The probe is removed again.
    EXPECT_TRUE(folderWritable(dir.path()) && fs::is_empty(test::nativePath(dir.path())) && !folderWritable(dir.file("gone")));
}

} // namespace
} // namespace vp
