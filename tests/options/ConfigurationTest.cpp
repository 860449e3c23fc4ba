#include "options/Configuration.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace vp {
namespace {

using test::ReadBytes;
using test::TempDir;
using test::WriteBytes;
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

bool StartsWith(const Bytes& bytes, const Bytes& prefix)
{
    return bytes.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), bytes.begin());
}

OptionsRecord Unusual()
{
    OptionsRecord options;
    options.ShowSafetyRequests = false;
    options.SafetyRemove = false;
    options.DefaultValue[0] = ValueSlot::fromFloat(150.0F);
    options.DefaultValue[4] = ValueSlot::fromInt(0);
    options.DefaultValue[9] = ValueSlot::fromBits(0xFFC00123); // a NaN with payload
    options.FixedSwitchOver = false;
    options.ClickCount = 255;
    for (int i = 0; i < kClickSlots; ++i) {
        options.ClickInterval[i] = i * 1000;
        options.ClickX[i] = -i;
        options.ClickY[i] = 0x12345678 + i;
    }
    options.ShutdownDelay = 3000;
    options.PlayScript = true;
    return options;
}

// A folder with gpl.exe in it, as a real installation has.
std::string MakeGplFolder(const TempDir& dir, const std::string& name)
{
    const std::string folder = dir.file(name);
    fs::create_directories(folder);
    WriteBytes(JoinPath(folder, "gpl.exe"), {'M', 'Z'});
    return folder;
}

// Root ignores permissions, so read-only cases only mean something for other users.
bool PermissionsAreEnforced(const TempDir& dir)
{
    const std::string probe = dir.file("probe");
    WriteBytes(probe, {1});
    fs::permissions(probe, fs::perms::none);
    const bool enforced = !std::ifstream(probe).is_open();
    fs::permissions(probe, fs::perms::owner_all);
    fs::remove(probe);
    return enforced;
}

// ---- byte layout ----

TEST(ConfigBytes, DefaultRecordIsTheListedFile)
{
    const Bytes bytes = ConfigBytes(OptionsRecord{});
    ASSERT_EQ(bytes.size(), 3210U);
    EXPECT_EQ(bytes, DefaultFile());
}

TEST(ConfigBytes, RecordRoundTripsAndFieldsSitAtTheirOffsets)
{
    OptionsRecord options = Unusual();
    options.GPLPath = "/games/Grand Prix Legends \xC3\xA9"; // native UTF-8 bytes kept as they are
    const Bytes bytes = ConfigBytes(options);
    const std::size_t b = 4 + options.Header.size() + options.GPLPath.size();
    ASSERT_EQ(bytes.size(), 3149 + options.Header.size() + options.GPLPath.size());

    EXPECT_EQ(bytes[b], 0x00); // ShowSafetyRequests false
    EXPECT_EQ(bytes[b + 2], 0xFF);
    EXPECT_EQ(bytes[b + 16], 0x00); // 150.0f = 0x43160000
    EXPECT_EQ(bytes[b + 19], 0x43);
    EXPECT_EQ(bytes[b + 66], 255); // ClickCount
    EXPECT_EQ(bytes[b + 67 + 4], 0xE8); // ClickInterval[1] = 1000
    EXPECT_EQ(bytes[b + 1091 + 4], 0xFF); // ClickX[1] = -1
    EXPECT_EQ(bytes[b + 2115], 0x78); // ClickY[0] low byte
    EXPECT_EQ(bytes[b + 3139], 0xB8); // ShutdownDelay 3000 = 0x0BB8
    EXPECT_EQ(bytes[b + 3140], 0x0B);
    EXPECT_EQ(bytes[b + 3143], 0xFF); // PlayScript
    EXPECT_EQ(bytes[b + 3144], 0xFF);

    EXPECT_EQ(ParseConfigBytes(bytes), options);
}

TEST(ConfigBytes, AnyNonZeroFlagReadsTrue)
{
    Bytes bytes = ConfigBytes(OptionsRecord{});
    const std::size_t b = 65;
    bytes[b] = 0x01; // ShowSafetyRequests = 1
    bytes[b + 1] = 0x00;
    bytes[b + 2] = 0x00; // SafetyAssignToAll = 0x0100
    bytes[b + 3] = 0x01;
    bytes[b + 4] = 0x00; // SafetyRecordScript = 0
    bytes[b + 5] = 0x00;
    bytes[b + 3143] = 0x01; // PlayScript = 1

    const OptionsRecord options = ParseConfigBytes(bytes);
    EXPECT_TRUE(options.ShowSafetyRequests);
    EXPECT_TRUE(options.SafetyAssignToAll);
    EXPECT_FALSE(options.SafetyRecordScript);
    EXPECT_TRUE(options.PlayScript);

    const Bytes rewritten = ConfigBytes(options);
    EXPECT_EQ(rewritten[b], 0xFF);
    EXPECT_EQ(rewritten[b + 1], 0xFF);
    EXPECT_EQ(rewritten[b + 3143], 0xFF);
}

TEST(ConfigBytes, ShortBufferReadsEmptyTextAndZerosBeyondItsEnd)
{
    const Bytes full = ConfigBytes(Unusual());
    for (std::size_t length = 0; length <= full.size(); ++length) {
        const OptionsRecord options = ParseConfigBytes(std::span(full).first(length));
        // Whatever was read must lay out again within the bytes it came from.
        const Bytes again = ConfigBytes(options);
        ASSERT_EQ(ParseConfigBytes(again), options) << "cut at " << length;
    }

    EXPECT_EQ(ParseConfigBytes({}).Header, "");
    const OptionsRecord cutBeforePlayScript = ParseConfigBytes(std::span(full).first(full.size() - 2));
    EXPECT_FALSE(cutBeforePlayScript.PlayScript);
    EXPECT_EQ(cutBeforePlayScript.ShutdownDelay, 3000);

    // ShutdownDelay with only its low byte there: the missing bytes read as zero.
    const OptionsRecord cutInDelay = ParseConfigBytes(std::span(full).first(full.size() - 5));
    EXPECT_EQ(cutInDelay.ShutdownDelay, 0xB8);
    EXPECT_EQ(cutInDelay.GPLPath, kGplNotInstalled);
}

TEST(ConfigBytes, LengthBeyondTheEndTakesOnlyTheBytesThatAreThere)
{
    const Bytes bytes = {0xFF, 0xFF, 'a', 'b'};
    const OptionsRecord options = ParseConfigBytes(bytes);
    EXPECT_EQ(options.Header, "ab");
    EXPECT_EQ(options.GPLPath, "");
    EXPECT_FALSE(options.ShowSafetyRequests);
    EXPECT_EQ(options.DefaultValue[11].bits(), 0U);
    EXPECT_EQ(options.ShutdownDelay, 0);
}

TEST(ConfigBytes, TextTooLongForItsLengthFieldIsRefused)
{
    EXPECT_TRUE(FitsInTextField(std::string(65535, 'x')));
    EXPECT_FALSE(FitsInTextField(std::string(65536, 'x')));

    OptionsRecord longest;
    longest.GPLPath = std::string(65535, 'x');
    EXPECT_EQ(ParseConfigBytes(ConfigBytes(longest)), longest);

    OptionsRecord tooLong;
    tooLong.GPLPath = std::string(65536, 'x');
    EXPECT_TRUE(ConfigBytes(tooLong).empty());

    TempDir dir;
    const Bytes before = ConfigBytes(Unusual());
    WriteBytes(dir.file("Vantapoint.cfg"), before);
    const auto error = SaveConfiguration(dir.path(), tooLong);
    ASSERT_TRUE(error.has_value());
    EXPECT_FALSE(error->description.empty());
    EXPECT_EQ(ReadBytes(dir.file("Vantapoint.cfg")), before);
}

// ---- saving ----

TEST(SaveConfiguration, ShorterRecordOverALongerOneKeepsTheFileLength)
{
    TempDir dir;
    const std::string longFolder = MakeGplFolder(dir, "a folder with a rather long name/Grand Prix Legends");
    const std::string shortFolder = MakeGplFolder(dir, "gpl");
    OptionsRecord options;
    options.GPLPath = longFolder;
    ASSERT_FALSE(SaveConfiguration(dir.path(), options));
    const Bytes longRecord = ReadBytes(dir.file("Vantapoint.cfg"));

    options.GPLPath = shortFolder;
    ASSERT_FALSE(SaveConfiguration(dir.path(), options));
    const Bytes file = ReadBytes(dir.file("Vantapoint.cfg"));
    const Bytes shortRecord = ConfigBytes(options);
    ASSERT_EQ(file.size(), longRecord.size());
    EXPECT_TRUE(StartsWith(file, shortRecord));
    EXPECT_TRUE(std::equal(file.begin() + static_cast<std::ptrdiff_t>(shortRecord.size()), file.end(),
                           longRecord.begin() + static_cast<std::ptrdiff_t>(shortRecord.size())));

    OptionsRecord loaded;
    const ConfigLoadResult result = LoadConfiguration(dir.path(), loaded);
    EXPECT_FALSE(result.showWarning);
    EXPECT_FALSE(result.debugModeCode);
    EXPECT_TRUE(result.gplKnown);
    EXPECT_EQ(loaded, options);
}

// ---- loading ----

TEST(LoadConfiguration, FirstStartWarnsOnceAndWritesTheDefaults)
{
    TempDir dir;
    OptionsRecord stored = Unusual();
    const ConfigLoadResult result = LoadConfiguration(dir.path(), stored);

    EXPECT_TRUE(result.showWarning);
    EXPECT_FALSE(result.debugModeCode);
    EXPECT_TRUE(result.debugModeCodes.empty());
    EXPECT_FALSE(result.gplKnown);
    EXPECT_FALSE(result.saveFailed);
    EXPECT_EQ(stored, OptionsRecord{});
    EXPECT_EQ(ReadBytes(dir.file("Vantapoint.cfg")), DefaultFile());
}

TEST(LoadConfiguration, SecondStartIsSilentAndKeepsEveryValue)
{
    TempDir dir;
    ASSERT_FALSE(SaveConfiguration(dir.path(), Unusual()));
    const Bytes before = ReadBytes(dir.file("Vantapoint.cfg"));

    OptionsRecord stored;
    const ConfigLoadResult result = LoadConfiguration(dir.path(), stored);
    EXPECT_FALSE(result.showWarning);
    EXPECT_FALSE(result.debugModeCode);
    EXPECT_FALSE(result.gplKnown);
    EXPECT_EQ(stored, Unusual());
    EXPECT_EQ(ReadBytes(dir.file("Vantapoint.cfg")), before);
}

TEST(LoadConfiguration, ForeignOrEmptyFileIsResetWithTheWarning)
{
    struct Case {
        const char* name;
        Bytes bytes;
    };
    Bytes otherCase = ConfigBytes(Unusual());
    otherCase[2] = 'v'; // "vantapoint configuration ..."
    Bytes foreign(5000, 'x'); // longer than a record: the tail stays
    const Case cases[] = {{"empty", {}}, {"header in other letter case", otherCase}, {"foreign", foreign}};

    for (const Case& c : cases) {
        TempDir dir;
        WriteBytes(dir.file("Vantapoint.cfg"), c.bytes);
        OptionsRecord stored = Unusual();
        const ConfigLoadResult result = LoadConfiguration(dir.path(), stored);
        EXPECT_TRUE(result.showWarning) << c.name;
        EXPECT_FALSE(result.debugModeCode) << c.name;
        EXPECT_EQ(stored, OptionsRecord{}) << c.name;
        const Bytes file = ReadBytes(dir.file("Vantapoint.cfg"));
        ASSERT_EQ(file.size(), std::max<std::size_t>(c.bytes.size(), 3210)) << c.name;
        EXPECT_TRUE(StartsWith(file, DefaultFile())) << c.name;
    }
}

TEST(LoadConfiguration, KnownGplFolderGivesTheTracksFolder)
{
    TempDir dir;
    OptionsRecord options = Unusual();
    options.GPLPath = MakeGplFolder(dir, "GPL");
    ASSERT_FALSE(SaveConfiguration(dir.path(), options));

    OptionsRecord stored;
    const ConfigLoadResult result = LoadConfiguration(dir.path(), stored);
    EXPECT_FALSE(result.showWarning);
    EXPECT_FALSE(result.debugModeCode);
    EXPECT_TRUE(result.gplKnown);
    EXPECT_EQ(result.camFolder, JoinPath(options.GPLPath, "tracks"));
    EXPECT_EQ(stored, options);
}

TEST(LoadConfiguration, DeletedGplFolderWarnsWithCode2AndResetsEverything)
{
    TempDir dir;
    OptionsRecord options = Unusual();
    options.GPLPath = MakeGplFolder(dir, "GPL");
    ASSERT_FALSE(SaveConfiguration(dir.path(), options));
    fs::remove_all(options.GPLPath);

    OptionsRecord stored;
    const ConfigLoadResult result = LoadConfiguration(dir.path(), stored);
    EXPECT_TRUE(result.showWarning);
    EXPECT_EQ(result.debugModeCode, 2);
    EXPECT_EQ(result.debugModeCodes, std::vector<int>{2});
    EXPECT_FALSE(result.gplKnown);
    EXPECT_FALSE(result.saveFailed);
    EXPECT_EQ(stored, OptionsRecord{});
    const Bytes file = ReadBytes(dir.file("Vantapoint.cfg"));
    EXPECT_TRUE(StartsWith(file, DefaultFile()));
}

TEST(LoadConfiguration, GplFolderWithoutTheGameWarnsWithoutDebugCode)
{
    for (const bool exeIsFolder : {false, true}) {
        TempDir dir;
        OptionsRecord options;
        options.GPLPath = dir.file("GPL");
        fs::create_directories(options.GPLPath);
        if (exeIsFolder)
            fs::create_directory(JoinPath(options.GPLPath, "gpl.exe"));
        ASSERT_FALSE(SaveConfiguration(dir.path(), options));

        OptionsRecord stored;
        const ConfigLoadResult result = LoadConfiguration(dir.path(), stored);
        EXPECT_TRUE(result.showWarning) << exeIsFolder;
        EXPECT_FALSE(result.debugModeCode) << exeIsFolder;
        EXPECT_FALSE(result.gplKnown) << exeIsFolder;
        EXPECT_EQ(stored, OptionsRecord{}) << exeIsFolder;
    }
}

TEST(LoadConfiguration, FileThatCannotBeReadSkipsTheWarning)
{
    TempDir dir;
    fs::create_directory(dir.file("Vantapoint.cfg"));
    OptionsRecord stored = Unusual();
    const ConfigLoadResult result = LoadConfiguration(dir.path(), stored);
    EXPECT_FALSE(result.showWarning);
    // Not a missing folder, so the read brings no box; writing over a folder fails as well.
    EXPECT_EQ(result.debugModeCodes, std::vector<int>{3});
    EXPECT_TRUE(result.saveFailed);
    EXPECT_EQ(stored, OptionsRecord{});
}

TEST(LoadConfiguration, MissingProgramFolderGivesCode1ThenCode3)
{
    TempDir dir;
    OptionsRecord stored = Unusual();
    const ConfigLoadResult result = LoadConfiguration(dir.file("gone"), stored);
    EXPECT_FALSE(result.showWarning);
    EXPECT_EQ(result.debugModeCodes, (std::vector<int>{1, 3}));
    EXPECT_EQ(result.debugModeCode, 3);
    EXPECT_TRUE(result.saveFailed);
    EXPECT_FALSE(result.gplKnown);
    EXPECT_EQ(stored, OptionsRecord{}); // the defaults stay in memory
    EXPECT_FALSE(fs::exists(dir.file("gone")));
}

TEST(LoadConfiguration, WriteProtectedFileIsStillRead)
{
    TempDir dir;
    if (!PermissionsAreEnforced(dir))
        GTEST_SKIP() << "permissions are not enforced for this user";
    ASSERT_FALSE(SaveConfiguration(dir.path(), Unusual()));
    fs::permissions(dir.file("Vantapoint.cfg"), fs::perms::owner_read);

    OptionsRecord stored;
    const ConfigLoadResult result = LoadConfiguration(dir.path(), stored);
    EXPECT_FALSE(result.showWarning);
    EXPECT_FALSE(result.debugModeCode);
    EXPECT_EQ(stored, Unusual());
}

TEST(LoadConfiguration, RefusedAccessGoesToTheDefaultsWithCode3Only)
{
    for (const bool wholeFolder : {false, true}) {
        TempDir dir;
        if (!PermissionsAreEnforced(dir))
            GTEST_SKIP() << "permissions are not enforced for this user";
        if (wholeFolder) {
            fs::permissions(dir.path(), fs::perms::owner_read | fs::perms::owner_exec);
        } else {
            ASSERT_FALSE(SaveConfiguration(dir.path(), Unusual()));
            fs::permissions(dir.file("Vantapoint.cfg"), fs::perms::none);
        }

        OptionsRecord stored = Unusual();
        const ConfigLoadResult result = LoadConfiguration(dir.path(), stored);
        EXPECT_FALSE(result.showWarning) << wholeFolder;
        EXPECT_EQ(result.debugModeCodes, std::vector<int>{3}) << wholeFolder;
        EXPECT_TRUE(result.saveFailed) << wholeFolder;
        EXPECT_EQ(stored, OptionsRecord{}) << wholeFolder;
    }
}

TEST(LoadConfiguration, TruncatedFileNeverCrashes)
{
    OptionsRecord options = Unusual();
    TempDir gpl;
    options.GPLPath = MakeGplFolder(gpl, "GPL");
    const Bytes full = ConfigBytes(options);
    const std::size_t pathEnd = 4 + options.Header.size() + options.GPLPath.size();

    for (const std::size_t length : {std::size_t{1}, std::size_t{2}, std::size_t{30}, std::size_t{46},
                                     std::size_t{47}, pathEnd - 1, pathEnd, pathEnd + 1, full.size() - 1}) {
        TempDir dir;
        WriteBytes(dir.file("Vantapoint.cfg"), Bytes(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length)));
        OptionsRecord stored;
        const ConfigLoadResult result = LoadConfiguration(dir.path(), stored);
        if (length < 48) {
            // No GPL folder at all: nothing is looked up beside the working folder.
            EXPECT_TRUE(result.showWarning) << length;
            EXPECT_FALSE(result.debugModeCode) << length;
            EXPECT_EQ(stored, OptionsRecord{}) << length;
        } else if (length < pathEnd) {
            // The cut path names a folder that does not exist.
            EXPECT_TRUE(result.showWarning) << length;
            EXPECT_EQ(result.debugModeCode, 2) << length;
            EXPECT_EQ(stored, OptionsRecord{}) << length;
        } else {
            // A complete header and GPL folder are accepted; the fields after the end read as zero.
            EXPECT_FALSE(result.showWarning) << length;
            EXPECT_FALSE(result.debugModeCode) << length;
            EXPECT_EQ(stored.GPLPath, options.GPLPath) << length;
            EXPECT_EQ(stored.ShutdownDelay, length == full.size() - 1 ? 3000 : 0) << length;
        }
    }
}

} // namespace
} // namespace vp
