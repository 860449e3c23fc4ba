#include "camdata/ValueTables.h"

namespace vp {

namespace {

constexpr std::string_view kStepOneUnit = "Changes the value in steps of 1 unit per click";
constexpr std::string_view kUnknownCaption = "Unknown, mail me if you know more! -->";
constexpr std::string_view kUnknownHint = "Unknown - leave this field blank";

constexpr SpinnerRow shownSpinner(int min, int max, int increment, SpinnerUnit unit, std::string_view hint)
{
    SpinnerRow spinner;
    spinner.min = min;
    spinner.max = max;
    spinner.increment = increment;
    spinner.hidden = false;
    spinner.unit = unit;
    spinner.hint = hint;
    return spinner;
}

constexpr SpinnerRow hiddenSpinner(int min, int max, SpinnerUnit unit)
{
    SpinnerRow spinner;
    spinner.min = min;
    spinner.max = max;
    spinner.unit = unit;
    return spinner;
}

constexpr ValueRow makeRow(std::string_view caption, std::string_view hint, ValueKind kind, ShownAs shownAs)
{
    ValueRow row;
    row.caption = caption;
    row.fieldHint = hint;
    row.kind = kind;
    row.shownAs = shownAs;
    return row;
}

// An editable value accepted from lowest to highest (metres, factor or degrees).
constexpr ValueRow editableRow(ValueRow row, double lowest, double highest, SpinnerRow spinner)
{
    row.lowest = lowest;
    row.highest = highest;
    row.editable = true;
    row.spinner = spinner;
    return row;
}

constexpr ValueRow inGroup(ValueRow row, ModeGroup group)
{
    row.group = group;
    return row;
}

constexpr ValueRow withAssignButton(ValueRow row)
{
    row.assignButton = true;
    return row;
}

constexpr ValueRow metres(std::string_view caption, std::string_view hint, int lowest, int highest, ShownAs shownAs)
{
    return editableRow(makeRow(caption, hint, ValueKind::Metres, shownAs), lowest, highest,
                    shownSpinner(lowest * 1000, highest * 1000, 1000, SpinnerUnit::Thousandths, kStepOneUnit));
}

constexpr ValueRow angle(std::string_view caption, std::string_view hint, int lowest, ShownAs shownAs)
{
    return editableRow(makeRow(caption, hint, ValueKind::Angle, shownAs), lowest, 360,
                    shownSpinner(lowest, 360, 1, SpinnerUnit::Degrees, kStepOneUnit));
}

constexpr ValueRow tvMetres(std::string_view caption, std::string_view hint, int lowest, int highest)
{
    return withAssignButton(metres(caption, hint, lowest, highest, ShownAs::Thousandths));
}

constexpr ValueRow tvZoom(std::string_view caption)
{
    const ValueRow row = editableRow(makeRow(caption, "Enter a number between 0 and 10", ValueKind::Factor, ShownAs::Thousandths),
                                  0, 10,
                                  shownSpinner(0, 10000, 1, SpinnerUnit::Thousandths,
                                               "Changes the value in steps of 1/1000 per click"));
    return withAssignButton(inGroup(row, ModeGroup::Moving));
}

constexpr ValueRow tvAngle(std::string_view caption, std::string_view hint, int lowest)
{
    return withAssignButton(inGroup(angle(caption, hint, lowest, ShownAs::WholeDegrees), ModeGroup::Fixed));
}

constexpr ValueRow tvUnnamed(SpinnerUnit stepping)
{
    ValueRow row = makeRow(kUnknownCaption, kUnknownHint, ValueKind::Unnamed, ShownAs::WholeDegrees);
    row.spinner = hiddenSpinner(0, 180, stepping);
    return row;
}

constexpr std::array<ValueRow, kTvValueCount> kTv1Rows = {{
    tvMetres("Distance from s/f-line [m] -->", "Enter a number between 0 and 50000", 0, 50000),
    tvMetres("Distance from center-line of the track [m] -->", "Enter a number between -200 and 200", -200, 200),
    tvMetres("Height from the ground [m] -->", "Enter a number between 0 and 200", 0, 200),
    tvMetres("Change-over point [m] -->", "Enter a number between -10000 and 10000", -10000, 10000),
    // The mode is set through its box, but "Assign to all" copies it like any other value.
    withAssignButton(makeRow("Fixed (check) or moving (uncheck) camera -->", {}, ValueKind::Mode, ShownAs::ModeText)),
    tvZoom("Initial zoom factor [-] (moving cam) -->"),
    tvZoom("Zoom factor for first part [-] (moving cam) -->"),
    tvZoom("Zoom factor for second part [-] (moving cam) -->"),
    tvAngle("Yaw [°] (fixed cam) -->", "Enter a number between -360 and 360", -360),
    tvAngle("Pitch [°] (fixed cam) -->", "Enter a number between -360 and 360", -360),
    tvAngle("Bank [°] (fixed cam) -->", "Enter a number between -360 and 360", -360),
    tvAngle("Opening angle [°] (fixed cam) -->", "Enter a number between 0 and 360", 0),
    // Value #13 still steps like an angle although its spinner is never shown; #14 does not.
    tvUnnamed(SpinnerUnit::Degrees),
    tvUnnamed(SpinnerUnit::None),
}};

constexpr std::array<ValueRow, kTvValueCount> withTv2Hints(std::array<ValueRow, kTvValueCount> rows)
{
    for (ValueRow& row : rows) {
        if (row.kind == ValueKind::Factor)
            row.spinner.hint = "Changes the value in steps of 0.001 per click";
    }
    return rows;
}

constexpr std::array<ValueRow, kTvValueCount> kTv2Rows = withTv2Hints(kTv1Rows);

constexpr ValueRow pitCarried(std::string_view caption, std::string_view hint = {})
{
    return makeRow(caption, hint, ValueKind::Unnamed, ShownAs::Significant7);
}

constexpr std::array<ValueRow, kPitValueCount> kPitRows = {{
    metres("Absolute x-coordinate [m] -->", "Enter a number between -50000 and 50000", -50000, 50000, ShownAs::Significant7),
    metres("Absolute y-coordinate [m] -->", "Enter a number between -50000 and 50000", -50000, 50000, ShownAs::Significant7),
    metres("Absolute z-coordinate [m] -->", "Enter a number between 0 and 200", 0, 200, ShownAs::Significant7),
    angle("Yaw [°] -->", "Enter a number between -360 and 360", -360, ShownAs::Degrees3),
    angle("Pitch [°] -->", "Enter a number between -360 and 360", -360, ShownAs::Degrees3),
    angle("Bank [°] -->", "Enter a number between -360 and 360", -360, ShownAs::Degrees3),
    angle("Opening angle [°] -->", "Enter a number between 0 and 360", 0, ShownAs::Degrees3),
    pitCarried("Leave this value at 0! -->"),
    pitCarried("Leave this value at -0.125! -->"),
    pitCarried(kUnknownCaption, kUnknownHint),
    pitCarried(kUnknownCaption, kUnknownHint),
    pitCarried(kUnknownCaption, kUnknownHint),
    pitCarried(kUnknownCaption, kUnknownHint),
}};

} // namespace

const std::array<ValueRow, kTvValueCount>& tvValueRows(CamSet set)
{
    return set == CamSet::TV1 ? kTv1Rows : kTv2Rows;
}

const std::array<ValueRow, kPitValueCount>& pitValueRows()
{
    return kPitRows;
}

} // namespace vp
