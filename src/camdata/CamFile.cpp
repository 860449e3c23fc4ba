#include "camdata/CamFile.h"

#include "camdata/FileSystem.h"
#include "camdata/LittleEndian.h"

#include <algorithm>

namespace vp {

namespace {

constexpr std::uint8_t kTagByte = 0x54;   // 'T' of "MACT", the only header byte that is checked
constexpr std::size_t kTagOffset = 3;
constexpr std::size_t kSlotSize = 4;

// Hands out the file's bytes field by field; a field that runs past the end is not taken at all.
class FieldReader {
public:
    explicit FieldReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    template <std::size_t N>
    bool take(std::array<std::uint8_t, N>& field)
    {
        if (bytes_.size() - pos_ < N)
            return false;
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(pos_), N, field.begin());
        pos_ += N;
        return true;
    }

    template <std::size_t N>
    bool take(std::array<ValueSlot, N>& slots)
    {
        if (bytes_.size() - pos_ < N * kSlotSize)
            return false;
        for (ValueSlot& slot : slots) {
            slot.setBits(loadLe32(bytes_.data() + pos_));
            pos_ += kSlotSize;
        }
        return true;
    }

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t pos_ = 0;
};

template <std::size_t N>
void put(std::vector<std::uint8_t>& out, const std::array<std::uint8_t, N>& field)
{
    out.insert(out.end(), field.begin(), field.end());
}

template <std::size_t N>
void put(std::vector<std::uint8_t>& out, const std::array<ValueSlot, N>& slots)
{
    for (ValueSlot slot : slots) {
        std::uint8_t bytes[kSlotSize];
        storeLe32(bytes, slot.bits());
        out.insert(out.end(), bytes, bytes + kSlotSize);
    }
}

CamFileError fromSystemError(const SystemError& error)
{
    switch (error.number) {
    case kErrFileNotFound:
        return makeCamFileError(CamFileErrorKind::FileNotFound);
    case kErrDriveNotReady:
        return makeCamFileError(CamFileErrorKind::DriveNotReady);
    default:
        return {CamFileErrorKind::OtherError, error.number, error.description};
    }
}

} // namespace

CamFileError makeCamFileError(CamFileErrorKind kind)
{
    switch (kind) {
    case CamFileErrorKind::DialogCancelled:
        return {kind, 32755, {}};
    case CamFileErrorKind::NoFileName:
        return {kind, 6665, {}};
    case CamFileErrorKind::NotACamFile:
    case CamFileErrorKind::OverwriteDeclined:
        return {kind, 6666, {}};
    case CamFileErrorKind::FileNotFound:
        return {kind, kErrFileNotFound, {}};
    case CamFileErrorKind::DriveNotReady:
        return {kind, kErrDriveNotReady, {}};
    case CamFileErrorKind::FileIncomplete:
        return {kind, 62, {}};  // the system's "input past end of file"
    case CamFileErrorKind::OtherError:
        break;
    }
    return {CamFileErrorKind::OtherError, 0, {}};
}

std::string_view camFileFailureReason(CamFileErrorKind kind)
{
    switch (kind) {
    case CamFileErrorKind::DialogCancelled:
    case CamFileErrorKind::OverwriteDeclined:
        return "Cancel pressed.";
    case CamFileErrorKind::NoFileName:
        return "No file specified.";
    case CamFileErrorKind::NotACamFile:
        return "Not a track-camerafile.";
    case CamFileErrorKind::FileNotFound:
        return "File not found.";
    case CamFileErrorKind::DriveNotReady:
        return "Drive not ready.";
    case CamFileErrorKind::FileIncomplete:
        return "File is incomplete.";
    case CamFileErrorKind::OtherError:
        break;
    }
    return {};
}

CamFileResult readCamBytes(std::span<const std::uint8_t> bytes, CameraDocument& doc, const ReadProgressSink& progress)
{
    using Kind = ReadProgress::Kind;
    const auto report = [&progress](Kind kind, CamSet set = CamSet::TV1, int number = 0) {
        if (progress)
            progress(ReadProgress{kind, set, number});
    };
    const auto incomplete = [] { return makeCamFileError(CamFileErrorKind::FileIncomplete); };

    // Filled in file order and handed over only when complete. Starting from the caller's document
    // keeps the records above the new counts as they were.
    CameraDocument read = doc;
    FieldReader in(bytes);

    report(Kind::HeaderStep);
    const bool headerRead = in.take(read.header);
    if (bytes.size() > kTagOffset && bytes[kTagOffset] != kTagByte)
        return makeCamFileError(CamFileErrorKind::NotACamFile);
    if (!headerRead)
        return incomplete();

    for (CamSet s : {CamSet::TV1, CamSet::TV2}) {
        CameraSet& set = read.set(s);
        report(Kind::CountStep, s);
        if (!in.take(set.countField()))
            return incomplete();
        const int count = set.count();
        report(Kind::CountKnown, s, count);
        for (int k = 1; k <= count; ++k) {
            report(Kind::CameraStep, s, k);
            if (!in.take(set.camera(k).values))
                return incomplete();
        }
        report(Kind::SetComplete, s);
    }

    report(Kind::PitStep);
    if (!in.take(read.pit.values))
        return incomplete();

    doc = read;
    report(Kind::ReadComplete);
    return std::nullopt;
}

std::vector<std::uint8_t> camFileBytes(const CameraDocument& doc)
{
    std::vector<std::uint8_t> out;
    out.reserve(72 + 56 * static_cast<std::size_t>(doc.tv1.count() + doc.tv2.count()));
    put(out, doc.header);
    for (CamSet s : {CamSet::TV1, CamSet::TV2}) {
        const CameraSet& set = doc.set(s);
        put(out, set.countField());
        for (int k = 1; k <= set.count(); ++k)
            put(out, set.camera(k).values);
    }
    put(out, doc.pit.values);
    return out;
}

CamFileResult readCamFile(const std::string& path, CameraDocument& doc, const ReadProgressSink& progress)
{
    if (path.empty())
        return makeCamFileError(CamFileErrorKind::NoFileName);
    ReadResult file = readFilePrefix(path, kMaxCamFileSize);
    if (file.error)
        return fromSystemError(*file.error);
    return readCamBytes(file.bytes, doc, progress);
}

CamFileResult writeCamFile(const std::string& path, const CameraDocument& doc)
{
    if (std::optional<SystemError> error = replaceFile(path, camFileBytes(doc)))
        return fromSystemError(*error);
    return std::nullopt;
}

} // namespace vp
