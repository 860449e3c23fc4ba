#pragma once
// Reading and writing CAM files. The reader fills a copy of the caller's document and hands it over
// only when the whole file was read, so a failed read leaves the caller's document as it was. The
// writer writes a temporary file beside the target and replaces the target in one step.

#include "camdata/CameraDocument.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vp {

enum class CamFileErrorKind {
    DialogCancelled,
    NoFileName,
    NotACamFile,
    OverwriteDeclined,
    FileNotFound,
    DriveNotReady,
    FileIncomplete,
    OtherError,
};

struct CamFileError {
    CamFileErrorKind kind = CamFileErrorKind::OtherError;
    // The program's number for its own kinds (32755, 6665, 6666, 53, 71, 62); the system's number
    // for OtherError (76 for a missing folder).
    int number = 0;
    // The system's description for OtherError; empty for the program's own kinds.
    std::string description;

    friend bool operator==(const CamFileError&, const CamFileError&) = default;
};

// Builds the error of one of the program's own kinds with its number.
CamFileError makeCamFileError(CamFileErrorKind kind);

// The first sentence of the status message for a failure of one of the program's own kinds
// ("Not a track-camerafile."); empty for OtherError, whose text is the system's description.
std::string_view camFileFailureReason(CamFileErrorKind kind);

// Empty on success.
using CamFileResult = std::optional<CamFileError>;

struct ReadProgress {
    enum class Kind { HeaderStep, CountStep, CountKnown, CameraStep, SetComplete, PitStep, ReadComplete };
    Kind kind = Kind::HeaderStep;
    CamSet set = CamSet::TV1;  // meaningful for CountStep, CountKnown, CameraStep, SetComplete
    int number = 0;            // the count for CountKnown, k for CameraStep

    friend bool operator==(const ReadProgress&, const ReadProgress&) = default;
};

using ReadProgressSink = std::function<void(const ReadProgress&)>;

// The largest file that can matter: 72 + 56 * (255 + 255) bytes. Anything after is never read.
inline constexpr std::size_t kMaxCamFileSize = 72 + 56 * 2 * kMaxCamerasPerSet;

// Parses CAM bytes into doc (all or nothing), reporting progress in file order. doc takes the new
// contents just before ReadComplete is reported; earlier events still see the old document. A file
// that ends inside a counted field fails with FileIncomplete.
CamFileResult readCamBytes(std::span<const std::uint8_t> bytes, CameraDocument& doc,
                           const ReadProgressSink& progress = {});
// The exact bytes of the document as a CAM file: 72 + 56 * (c1 + c2) bytes.
std::vector<std::uint8_t> camFileBytes(const CameraDocument& doc);

CamFileResult readCamFile(const std::string& path, CameraDocument& doc, const ReadProgressSink& progress = {});
CamFileResult writeCamFile(const std::string& path, const CameraDocument& doc);

} // namespace vp
