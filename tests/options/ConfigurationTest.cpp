#include "options/Configuration.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

#ifndef _WIN32
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace vp {
namespace {

using test::readBytes;
using test::TempDir;
using test::writeBytes;
using Bytes = std::vector<std::uint8_t>;

void Append(Bytes& bytes, std::initializer_list<std::uint8_t> more)
{
    bytes.insert(bytes.end(), more);
}

void AppendText(Bytes& bytes, std::string_view text)
{
    Append(bytes, {static_cast<std::uint8_t>(text.size()), static_cast<std::uint8_t>(text.size() >> 8)});
    bytes.insert(bytes.end(), text.begin(), text.end());
}

// The file a first start writes, spelled out byte by byte.
Bytes DefaultFile()
{
    Bytes bytes;
    AppendText(bytes, "Vantapoint configuration file - DO NOT EDIT!");
    AppendText(bytes, "GPL not installed");
    for (int i = 0; i < 8; ++i)
        Append(bytes, {0xFF, 0xFF});
    Append(bytes, {0x00, 0x00, 0x80, 0xBF, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00,
                   0x01, 0x00, 0x00, 0x00});
    for (int i = 0; i < 3; ++i)
        Append(bytes, {0xCD, 0xCC, 0xCC, 0x3D});
    for (int i = 0; i < 3; ++i)
        Append(bytes, {0x00, 0x00, 0x00, 0x00});
    Append(bytes, {0xDB, 0x0F, 0xC9, 0x3F});
    Append(bytes, {0xFF, 0xFF, 0x00});
    bytes.resize(bytes.size() + 3072, 0);
    Append(bytes, {0xDC, 0x05, 0x00, 0x00, 0x00, 0x00});
    return bytes;
}

Bytes Slice(const Bytes& bytes, std::size_t offset, std::size_t count)
{
    return offset + count > bytes.size() ? Bytes{} : Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                                                           bytes.begin() + static_cast<std::ptrdiff_t>(offset + count));
}

bool StartsWith(const Bytes& bytes, const Bytes& prefix)
{
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

OptionsRecord Unusual()
{
    OptionsRecord options;
    options.showSafetyRequests = false;
    options.askBeforeRemove = false;
    options.defaultValues[0] = ValueSlot::fromFloat(150.0F);
    options.defaultValues[4] = ValueSlot::fromInt(0);
    options.defaultValues[9] = ValueSlot::fromBits(0xFFC00123); // a NaN with payload
    options.fixedSwitchOver = false;
    options.script.count = 255;
    for (int i = 0; i < kClickSlots; ++i) {
        options.script.intervals[i] = i * 1000;
        options.script.x[i] = -i;
        options.script.y[i] = 0x12345678 + i;
    }
    options.shutdownDelay = 3000;
    options.playScript = true;
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

TEST(ConfigBytes, DefaultRecordIsTheListedFile)
{
    ASSERT_EQ(DefaultFile().size(), 3210U);
    EXPECT_EQ(configBytes(OptionsRecord{}), DefaultFile());
}

TEST(ConfigBytes, RecordRoundTripsAndFieldsSitAtTheirOffsets)
{
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
}

TEST(ConfigBytes, AnyNonZeroFlagReadsTrue)
{
    Bytes bytes = configBytes(OptionsRecord{});
    const std::size_t b = 65;
    bytes[b] = 0x01;
    bytes[b + 1] = 0x00; // showSafetyRequests = 1
    bytes[b + 2] = 0x00;
    bytes[b + 3] = 0x01; // askBeforeAssignToAll = 0x0100
    bytes[b + 4] = 0x00;
    bytes[b + 5] = 0x00; // askBeforeNewScript = 0
    const OptionsRecord options = parseConfigBytes(bytes);
    EXPECT_TRUE(options.showSafetyRequests);
    EXPECT_TRUE(options.askBeforeAssignToAll);
    EXPECT_FALSE(options.askBeforeNewScript);
    const Bytes rewritten = configBytes(options);
    EXPECT_EQ(rewritten[b], 0xFF);
    EXPECT_EQ(rewritten[b + 1], 0xFF);
}

TEST(ConfigBytes, ShortRecordReadsWhatIsThereAndDefaultsForTheRest)
{
    const Bytes full = configBytes(Unusual());
    for (std::size_t length = 0; length <= full.size(); ++length) {
        const OptionsRecord options = parseConfigBytes(std::span(full).first(length));
        ASSERT_EQ(parseConfigBytes(configBytes(options)), options) << "cut at " << length;
    }
    // Cut inside shutdownDelay (3000 stored): it and playScript take their defaults.
    const OptionsRecord cutInDelay = parseConfigBytes(std::span(full).first(full.size() - 5));
    EXPECT_EQ(cutInDelay.shutdownDelay, 1500);
    EXPECT_FALSE(cutInDelay.playScript);
    EXPECT_EQ(cutInDelay.script.y[255], 0x12345777);

    // Cut inside defaultValues slot 1, after the flags: slot 0 and the flags are read.
    OptionsRecord expected;
    expected.showSafetyRequests = false;
    expected.askBeforeRemove = false;
    expected.defaultValues[0] = ValueSlot::fromFloat(150.0F);
    EXPECT_EQ(parseConfigBytes(std::span(full).first(65 + 22)), expected);

    const OptionsRecord lengthBeyondTheEnd = parseConfigBytes(Bytes{0xFF, 0xFF, 'a', 'b'});
    EXPECT_EQ(lengthBeyondTheEnd.header, "ab");
    EXPECT_EQ(lengthBeyondTheEnd.gplFolder, "GPL not installed");
    EXPECT_TRUE(lengthBeyondTheEnd.showSafetyRequests);
    EXPECT_EQ(parseConfigBytes(Bytes{}).header, "") << "no header is never the right one";
}

TEST(ConfigBytes, TextTooLongForItsLengthFieldIsRefused)
{
    EXPECT_TRUE(fitsInTextField(std::string(65535, 'x')));
    EXPECT_FALSE(fitsInTextField(std::string(65536, 'x')));

    OptionsRecord tooLong;
    tooLong.gplFolder = std::string(65536, 'x');
    EXPECT_TRUE(configBytes(tooLong).empty());

    TempDir dir;
    const Bytes before = configBytes(Unusual());
    writeBytes(dir.file("Vantapoint.cfg"), before);
    const auto error = saveConfiguration(dir.path(), tooLong);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->description.empty());
    EXPECT_EQ(readBytes(dir.file("Vantapoint.cfg")), before);
}

TEST(SaveConfiguration, ShorterRecordOverALongerOneKeepsTheFileLength)
{
    TempDir dir;
    const std::string longFolder = MakeGplFolder(dir, "a folder with a rather long name/Grand Prix Legends");
    const std::string shortFolder = MakeGplFolder(dir, "gpl");
    OptionsRecord options;
    options.gplFolder = longFolder;
    ASSERT_FALSE(saveConfiguration(dir.path(), options));
    const Bytes longRecord = readBytes(dir.file("Vantapoint.cfg"));

    options.gplFolder = shortFolder;
    ASSERT_FALSE(saveConfiguration(dir.path(), options));
    const Bytes file = readBytes(dir.file("Vantapoint.cfg"));
    const Bytes shortRecord = configBytes(options);
    ASSERT_EQ(file.size(), longRecord.size());
    EXPECT_TRUE(StartsWith(file, shortRecord));
    EXPECT_TRUE(std::equal(file.begin() + static_cast<std::ptrdiff_t>(shortRecord.size()), file.end(),
                           longRecord.begin() + static_cast<std::ptrdiff_t>(shortRecord.size())));
    OptionsRecord loaded;
    EXPECT_FALSE(loadConfiguration(dir.path(), loaded).showWarning);
    EXPECT_EQ(loaded, options);
}

TEST(LoadConfiguration, FirstStartWarnsOnceAndWritesTheDefaults)
{
    TempDir dir;
    OptionsRecord stored = Unusual();
    const ConfigLoadResult result = loadConfiguration(dir.path(), stored);

    EXPECT_TRUE(result.showWarning);
    EXPECT_TRUE(result.debugModeCodes.empty());
    EXPECT_FALSE(result.gplKnown);
    EXPECT_FALSE(result.saveFailed);
    EXPECT_EQ(stored, OptionsRecord{});
    EXPECT_EQ(readBytes(dir.file("Vantapoint.cfg")), DefaultFile());
}

TEST(LoadConfiguration, LaterStartIsSilentKeepsEveryValueAndGivesTheTracksFolder)
{
    // The program's folder and the game's may be named beyond ASCII.
    for (const std::string name : {"GPL", "Grand Prix Legends Ø ü 東"}) {
        TempDir dir;
        const std::string program = dir.file(name + " editor");
        fs::create_directory(test::nativePath(program));
        OptionsRecord options = Unusual();
        options.gplFolder = MakeGplFolder(dir, name);
        ASSERT_FALSE(saveConfiguration(program, options)) << name;
        const std::string file = joinPath(program, "Vantapoint.cfg");
        const Bytes before = readBytes(file);

        OptionsRecord stored;
        const ConfigLoadResult result = loadConfiguration(program, stored);
        EXPECT_FALSE(result.showWarning) << name;
        EXPECT_FALSE(result.debugModeCode) << name;
        EXPECT_TRUE(result.gplKnown) << name;
        EXPECT_EQ(result.camFolder, options.gplFolder) << "no tracks folder: the GPL folder itself";
        EXPECT_EQ(stored, options) << name;
        EXPECT_EQ(readBytes(file), before) << name;

        fs::create_directory(test::nativePath(joinPath(options.gplFolder, "tracks")));
        EXPECT_EQ(loadConfiguration(program, stored).camFolder, joinPath(options.gplFolder, "tracks")) << name;
    }
}

TEST(LoadConfiguration, ForeignOrEmptyFileIsResetWithTheWarning)
{
    struct Case {
        const char* name;
        Bytes bytes;
    };
    Bytes otherCase = configBytes(Unusual());
    otherCase[2] = 'v'; // "vantapoint configuration ..."
    Bytes foreign(5000, 'x'); // longer than a record: the tail stays
    const Case cases[] = {{"empty", {}}, {"header in other letter case", otherCase}, {"foreign", foreign}};

    for (const Case& c : cases) {
        TempDir dir;
        writeBytes(dir.file("Vantapoint.cfg"), c.bytes);
        OptionsRecord stored = Unusual();
        const ConfigLoadResult result = loadConfiguration(dir.path(), stored);
        EXPECT_TRUE(result.showWarning) << c.name;
        EXPECT_FALSE(result.debugModeCode) << c.name;
        EXPECT_EQ(stored, OptionsRecord{}) << c.name;
        const Bytes file = readBytes(dir.file("Vantapoint.cfg"));
        ASSERT_EQ(file.size(), std::max<std::size_t>(c.bytes.size(), 3210)) << c.name;
        EXPECT_TRUE(StartsWith(file, DefaultFile())) << c.name;
    }
}

TEST(LoadConfiguration, AGplFolderWithoutTheGameForgetsOnlyTheFolder)
{
    enum class Gone { Folder, Exe, ExeIsAFolder, ExeIsAPipe };
    std::vector<Gone> gones = {Gone::Folder, Gone::Exe, Gone::ExeIsAFolder};
#ifndef _WIN32
    gones.push_back(Gone::ExeIsAPipe);
#endif
    for (const Gone gone : gones) {
        TempDir dir;
        OptionsRecord options = Unusual();
        options.gplFolder = MakeGplFolder(dir, "GPL");
        ASSERT_FALSE(saveConfiguration(dir.path(), options));
        const std::string exe = joinPath(options.gplFolder, "gpl.exe");
        fs::remove_all(gone == Gone::Folder ? options.gplFolder : exe);
        if (gone == Gone::ExeIsAFolder)
            fs::create_directory(exe);
#ifndef _WIN32
        if (gone == Gone::ExeIsAPipe) {
            ASSERT_EQ(mkfifo(exe.c_str(), 0600), 0);
        }
#endif

        OptionsRecord stored;
        const ConfigLoadResult result = loadConfiguration(dir.path(), stored);
        const int c = static_cast<int>(gone);
        EXPECT_FALSE(result.showWarning) << c;
        EXPECT_TRUE(result.debugModeCodes.empty()) << c;
        EXPECT_EQ(result.gplNotFoundIn, options.gplFolder) << c;
        EXPECT_FALSE(result.gplKnown) << c;
        OptionsRecord expected = Unusual();
        expected.gplFolder = "GPL not installed";
        EXPECT_EQ(stored, expected) << c;
        const Bytes file = readBytes(dir.file("Vantapoint.cfg"));
        EXPECT_EQ(Slice(file, 46, 19), Slice(DefaultFile(), 46, 19)) << c << ": 17 and \"GPL not installed\"";
        EXPECT_EQ(parseConfigBytes(file), expected) << c;
    }
    EXPECT_EQ(gplNotFoundText("/games/GPL"),
              "GPL was not found in /games/GPL. Set its folder again in the options; all other options are kept.");
}

TEST(LoadConfiguration, UnreadableFileOrMissingProgramFolderKeepTheDefaultsWithoutTheWarning)
{
    TempDir dir;
    fs::create_directory(dir.file("Vantapoint.cfg"));
    struct Case {
        std::string folder;
        std::vector<int> codes;
    };
    std::vector<Case> cases = {{dir.path(), {3}}, {dir.file("gone"), {1, 3}}};
#ifndef _WIN32
    // A pipe is neither waited on nor overwritten.
    TempDir withPipe;
    ASSERT_EQ(mkfifo(withPipe.file("Vantapoint.cfg").c_str(), 0600), 0);
    cases.push_back({withPipe.path(), {3}});
#endif
    for (const auto& c : cases) {
        OptionsRecord stored = Unusual();
        const ConfigLoadResult result = loadConfiguration(c.folder, stored);
        EXPECT_FALSE(result.showWarning) << c.folder;
        EXPECT_EQ(result.debugModeCodes, c.codes) << c.folder;
        EXPECT_EQ(result.debugModeCode, 3) << c.folder;
        EXPECT_TRUE(result.saveFailed) << c.folder;
        EXPECT_EQ(stored, OptionsRecord{}) << c.folder;
    }
    EXPECT_FALSE(fs::exists(dir.file("gone")));
#ifndef _WIN32
    EXPECT_TRUE(fs::is_fifo(withPipe.file("Vantapoint.cfg")));
#endif
}

TEST(ConfigFolder, BesideAWritableProgramElseTheUsersFolderStartingFromTheFileBeside)
{
    const struct {
        bool programWritable;
        const char* beside;     // Vantapoint.cfg beside the program, if any
        const char* userFile;   // Vantapoint.cfg in the user's folder beforehand, if any
        bool userFolderGiven;
        bool chosenIsUsers;
        const char* userFileAfter;
    } cases[] = {
        {true, nullptr, nullptr, true, false, nullptr},
        {true, "portable", nullptr, true, false, nullptr},
        {false, nullptr, nullptr, true, true, nullptr},
        {false, "portable", nullptr, true, true, "portable"},
        {false, "portable", "own", true, true, "own"},
        {false, "portable", nullptr, false, false, nullptr},
    };
    const auto bytes = [](const char* text) { return Bytes(text, text + std::string_view(text).size()); };
    for (const auto& c : cases) {
        TempDir dir;
        const std::string program = dir.path();
        const std::string user = dir.file("config/vantapoint");
        if (c.beside != nullptr)
            writeBytes(joinPath(program, "Vantapoint.cfg"), bytes(c.beside));
        if (c.userFile != nullptr) {
            fs::create_directories(test::nativePath(user));
            writeBytes(joinPath(user, "Vantapoint.cfg"), bytes(c.userFile));
        }
        const std::string what = std::string(c.programWritable ? "writable" : "read-only") + ", beside " +
                                 (c.beside != nullptr ? c.beside : "none") + ", user's " +
                                 (c.userFile != nullptr ? c.userFile : "none");

        const std::string chosen = chooseConfigFolder(program, c.programWritable, c.userFolderGiven ? user : "");

        EXPECT_EQ(chosen, c.chosenIsUsers ? user : program) << what;
        EXPECT_EQ(fs::is_directory(test::nativePath(user)), c.chosenIsUsers) << what;
        if (c.userFileAfter != nullptr) {
            EXPECT_EQ(readBytes(joinPath(user, "Vantapoint.cfg")), bytes(c.userFileAfter)) << what;
        } else {
            EXPECT_FALSE(fs::exists(test::nativePath(joinPath(user, "Vantapoint.cfg")))) << what;
        }
        if (c.beside != nullptr) {
            EXPECT_EQ(readBytes(joinPath(program, "Vantapoint.cfg")), bytes(c.beside)) << what;
        }
    }

    TempDir dir;
    EXPECT_TRUE(folderWritable(dir.path()));
    EXPECT_TRUE(fs::is_empty(test::nativePath(dir.path()))) << "the probe is removed again";
    EXPECT_FALSE(folderWritable(dir.file("gone")));
}

} // namespace
} // namespace vp
