#include "camdata/ValueEditing.h"

#include "camdata/NumberText.h"
#include "camdata/ValueTables.h"

#include <cassert>
#include <cmath>

namespace vp {

namespace {

// Value #1 and value #4 of a TV camera: the distance and the change-over point relative to it.
constexpr int kDistanceField = 0;
constexpr int kChangeOverValue = 4;
// The change-over point stays within its own field's range when it follows a distance.
constexpr float kChangeOverLimit = 10000.0F;

// The windows only ask for fields they have: another index is a fault of the caller, asserted, and
// answered with no row (nothing is stored) where assertions are off.
template <std::size_t N>
const ValueRow* rowAt(const std::array<ValueRow, N>& rows, int index)
{
    const bool valid = index >= 0 && index < static_cast<int>(N);
    assert(valid);
    return valid ? &rows[static_cast<std::size_t>(index)] : nullptr;
}

// The rules of the two TV sets differ only in hints, so the TV1 rows serve both.
const ValueRow* tvRow(int field)
{
    return rowAt(tvValueRows(CamSet::TV1), field);
}

const ValueRow* pitRow(int field)
{
    return rowAt(pitValueRows(), field);
}

// Converts and checks the number just stored in `slot`; false when it lies outside the row's bounds.
// An angle is checked as the radians it becomes, so the single-precision conversion decides the edge.
bool convertAndCheck(ValueSlot& slot, const ValueRow& row)
{
    if (row.kind == ValueKind::Angle)
        slot.setFloat(degreesToRadians(slot.asFloat()));
    return acceptedByField(row, slot.asFloat());
}

// Stores the typed number and checks it; on any failure the previous bits are put back.
bool commitSlot(ValueSlot& slot, const ValueRow& row, std::optional<double> typed)
{
    const ValueSlot previous = slot;
    const std::optional<float> single = typed && row.editable ? toSingle(*typed) : std::nullopt;
    if (single) {
        slot.setFloat(*single);
        if (convertAndCheck(slot, row))
            return true;
    }
    slot = previous;
    return false;
}

bool stepSlot(ValueSlot& slot, const ValueRow& row, int position)
{
    switch (row.spinner.unit) {
    case SpinnerUnit::Thousandths:
        slot.setFloat(static_cast<float>(position / 1000.0));
        return true;
    case SpinnerUnit::Degrees:
        slot.setFloat(degreesToRadians(position));
        return true;
    case SpinnerUnit::None:
        break;
    }
    return false;
}

int wholeNumber(double x)
{
    return static_cast<int>(roundHalfEven(x, 0));
}

} // namespace

float degreesToRadians(double degrees)
{
    return static_cast<float>((degrees * kPi) / 180.0);
}

bool acceptedByField(const ValueRow& row, float stored)
{
    switch (row.kind) {
    case ValueKind::Metres:
    case ValueKind::Factor:
        return stored >= static_cast<float>(row.lowest) && stored <= static_cast<float>(row.highest);
    case ValueKind::Angle:
        return stored >= degreesToRadians(row.lowest) && stored <= degreesToRadians(row.highest);
    case ValueKind::Mode:
    case ValueKind::Unnamed:
        break;
    }
    return false;
}

bool commitTvValue(CameraSet& cameras, int camera, int field, std::optional<double> typed, bool fixedSwitchOver)
{
    const ValueRow* row = tvRow(field);
    if (row == nullptr)
        return false;
    TvCameraRecord& record = cameras.camera(camera);
    ValueSlot& slot = record.value(field + 1);
    const float previous = slot.asFloat();
    if (!commitSlot(slot, *row, typed))
        return false;
    if (field == kDistanceField && fixedSwitchOver) {
        ValueSlot& changeOver = record.value(kChangeOverValue);
        const float d = slot.asFloat() - previous;
        const float x = changeOver.asFloat() - d;
        changeOver.setFloat(std::fabs(x) > kChangeOverLimit ? std::copysign(kChangeOverLimit, x) : x);
    }
    return true;
}

bool stepTvValue(CameraSet& cameras, int camera, int spinner, int position)
{
    const ValueRow* row = tvRow(spinner);
    return row != nullptr && stepSlot(cameras.camera(camera).value(spinner + 1), *row, position);
}

PitCommit commitPitValue(PitCameraRecord& pit, int field, std::optional<double> typed)
{
    const ValueRow* row = pitRow(field);
    if (row == nullptr)
        return {};
    ValueSlot& slot = pit.value(field + 1);
    if (!commitSlot(slot, *row, typed))
        return {};
    const double stored = slot.asFloat();
    if (row->kind == ValueKind::Angle)
        return {true, wholeNumber(stored * 180.0 / kPi)};
    return {true, wholeNumber(roundHalfEven(stored, 3) * 1000.0)};
}

bool stepPitValue(PitCameraRecord& pit, int spinner, int position)
{
    const ValueRow* row = pitRow(spinner);
    return row != nullptr && stepSlot(pit.value(spinner + 1), *row, position);
}

} // namespace vp
