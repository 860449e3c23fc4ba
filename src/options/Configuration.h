#pragma once
// Vantapoint.cfg: the byte layout of the options record, and loading it at start-up with its
// recovery to defaults. Plain functions: the caller shows the boxes the load asks for.

#include "camdata/FileSystem.h"
#include "options/OptionsRecord.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

inline constexpr std::string_view kConfigWarningTitle = "Vantapoint: Error while initializing";
// Three lines joined by CR LF.
std::string configWarningText();
// The one box, titled kConfigWarningTitle, when the stored GPL folder no longer holds gpl.exe.
std::string gplNotFoundText(const std::string& folder);
inline constexpr std::string_view kDebugModeTitle = "Debug-Mode";
// "An error occured during loading the configuration file. Code: " + code.
std::string debugModeText(int code);

// A text field holds at most this many bytes: its length is stored in 16 bits.
inline constexpr std::size_t kMaxTextFieldBytes = 65535;
bool fitsInTextField(std::string_view text);

// Whether folder holds a gpl.exe that can be opened for reading (a folder of that name is not the
// game). Empty on success; the start-up check and the GPL folder dialog share this one rule.
std::optional<SystemError> checkGplFolder(const std::string& folder);

// Where the CAM file dialog opens for a known GPL folder: its "tracks" folder, or the GPL folder
// itself where it has none (a folder that does not exist would be taken for a file name).
std::string camFolderOf(const std::string& gplPath);

// The record as laid out in the file (3149 + header length + path length bytes).
// Empty when the header or the GPL folder does not fit in a text field: such a record cannot be stored.
std::vector<std::uint8_t> configBytes(const OptionsRecord& options);
// Reads a record from the start of bytes; what lies beyond their end reads as empty text and zeros.
OptionsRecord parseConfigBytes(std::span<const std::uint8_t> bytes);

struct ConfigLoadResult {
    bool showWarning = false;          // the "Vantapoint: Error while initializing" box
    std::optional<int> debugModeCode;  // the "Debug-Mode" box with this code (1 or 3)
    // Every "Debug-Mode" box in the order shown: a failed save (3) can follow a 1 from a read that
    // found no folder. debugModeCode is the last of them.
    std::vector<int> debugModeCodes;
    bool gplKnown = false;             // enables "Test"
    std::string camFolder;             // camFolderOf(gplFolder) when gplKnown
    bool saveFailed = false;           // rewriting the file failed (code 3 above)
    // The stored GPL folder that no longer holds gpl.exe: only gplFolder was reset (gplNotFoundText).
    std::optional<std::string> gplNotFoundIn;
};

// Whether new files can be made in folder (a probe file is made there and removed again).
bool folderWritable(const std::string& folder);

// The folder that keeps Vantapoint.cfg: the program's own while new files can be made there
// (programFolderWritable: a portable folder); else userFolder, the user's configuration folder, made
// if need be, which on its first use takes a byte copy of the file beside the program, so an
// installed program keeps the options it had. Without a userFolder, or one that cannot be made, the
// program's own.
std::string chooseConfigFolder(const std::string& programFolder, bool programFolderWritable,
                               const std::string& userFolder);

// Fills stored from folder/Vantapoint.cfg, or resets it to the defaults and rewrites the file.
// A GPL folder that lost gpl.exe (moved, deleted, a drive unplugged) resets gplFolder alone: every other
// option and the click script are kept, and the file is rewritten with that one change.
ConfigLoadResult loadConfiguration(const std::string& folder, OptionsRecord& stored);

// Writes the record from offset 0 without truncating the file. A record that configBytes cannot
// lay out is refused with ENAMETOOLONG before the file is touched.
std::optional<SystemError> saveConfiguration(const std::string& folder, const OptionsRecord& stored);

} // namespace vp
