#include "editor/ValueEditing.h"

#include "editor/NumberText.h"
#include "editor/ValueTables.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace vp {

namespace {

// Value #1 and value #4 of a TV camera: the distance and the change-over point relative to it.
constexpr int kDistanceField = 0;
constexpr int kChangeOverValue = 4;
// The change-over point stays within its own field's range when it follows a distance.
constexpr float kChangeOverLimit = 10000.0F;

template <std::size_t N>
const ValueRow& RowAt(const std::array<ValueRow, N>& rows, int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        throw std::out_of_range("value field " + std::to_string(index) + " outside 0.." + std::to_string(N - 1));
    return rows[static_cast<std::size_t>(index)];
}

// The rules of the two TV sets differ only in hints, so the TV1 rows serve both.
const ValueRow& TvRow(int field)
{
    return RowAt(TvValueRows(CamSet::TV1), field);
}

const ValueRow& PitRow(int field)
{
    return RowAt(PitValueRows(), field);
}

// Converts and checks the number just stored in `slot`; false when it lies outside the row's bounds.
// An angle is checked as the radians it becomes, so the single-precision conversion decides the edge.
bool ConvertAndCheck(ValueSlot& slot, const ValueRow& row)
{
    switch (row.kind) {
    case ValueKind::Metres:
    case ValueKind::Factor: {
        const float v = slot.asFloat();
        return v >= static_cast<float>(row.lowest) && v <= static_cast<float>(row.highest);
    }
    case ValueKind::Angle: {
        const float r = DegreesToRadians(slot.asFloat());
        slot.setFloat(r);
        return r >= DegreesToRadians(row.lowest) && r <= DegreesToRadians(row.highest);
    }
    case ValueKind::Mode:
    case ValueKind::Unnamed:
        break;
    }
    return false;
}

// Stores the typed number and checks it; on any failure the previous bits are put back.
bool Commit(ValueSlot& slot, const ValueRow& row, std::optional<double> typed)
{
    const ValueSlot previous = slot;
    const std::optional<float> single = typed && row.editable ? ToSingle(*typed) : std::nullopt;
    if (single) {
        slot.setFloat(*single);
        if (ConvertAndCheck(slot, row))
            return true;
    }
    slot = previous;
    return false;
}

bool Step(ValueSlot& slot, const ValueRow& row, int position)
{
    switch (row.spinner.unit) {
    case SpinnerUnit::Thousandths:
        slot.setFloat(static_cast<float>(position / 1000.0));
        return true;
    case SpinnerUnit::Degrees:
        slot.setFloat(DegreesToRadians(position));
        return true;
    case SpinnerUnit::None:
        break;
    }
    return false;
}

int WholeNumber(double x)
{
    return static_cast<int>(RoundHalfEven(x, 0));
}

} // namespace

float DegreesToRadians(double degrees)
{
    return static_cast<float>((degrees * kPi) / 180.0);
}

bool CommitTvValue(CameraSet& cameras, int camera, int field, std::optional<double> typed, bool fixedSwitchOver)
{
    const ValueRow& row = TvRow(field);
    TvCameraRecord& record = cameras.camera(camera);
    ValueSlot& slot = record.value(field + 1);
    const float previous = slot.asFloat();
    if (!Commit(slot, row, typed))
        return false;
    if (field == kDistanceField && fixedSwitchOver) {
        ValueSlot& changeOver = record.value(kChangeOverValue);
        const float d = slot.asFloat() - previous;
        const float x = changeOver.asFloat() - d;
        changeOver.setFloat(std::fabs(x) > kChangeOverLimit ? std::copysign(kChangeOverLimit, x) : x);
    }
    return true;
}

bool TvSpinnerStep(CameraSet& cameras, int camera, int spinner, int position)
{
    return Step(cameras.camera(camera).value(spinner + 1), TvRow(spinner), position);
}

PitCommit CommitPitValue(PitCameraRecord& pit, int field, std::optional<double> typed)
{
    const ValueRow& row = PitRow(field);
    ValueSlot& slot = pit.value(field + 1);
    if (!Commit(slot, row, typed))
        return {};
    const double stored = slot.asFloat();
    if (row.kind == ValueKind::Angle)
        return {true, WholeNumber(stored * 180.0 / kPi)};
    return {true, WholeNumber(RoundHalfEven(stored, 3) * 1000.0)};
}

bool PitSpinnerStep(PitCameraRecord& pit, int spinner, int position)
{
    return Step(pit.value(spinner + 1), PitRow(spinner), position);
}

} // namespace vp
