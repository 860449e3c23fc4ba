#include "editor/ValueTables.h"

namespace vp {

namespace {

constexpr std::string_view kStepOneUnit = "Changes the value in steps of 1 unit per click";
constexpr std::string_view kUnknownCaption = "Unknown, mail me if you know more! -->";
constexpr std::string_view kUnknownHint = "Unknown - leave this field blank";

constexpr SpinnerRow ShownSpinner(int min, int max, int increment, SpinnerUnit unit, std::string_view hint)
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

constexpr SpinnerRow HiddenSpinner(int min, int max, SpinnerUnit unit)
{
    SpinnerRow spinner;
    spinner.min = min;
    spinner.max = max;
    spinner.unit = unit;
    return spinner;
}

constexpr ValueRow Row(std::string_view caption, std::string_view hint, ValueKind kind, ShownAs shownAs)
{
    ValueRow row;
    row.caption = caption;
    row.fieldHint = hint;
    row.kind = kind;
    row.shownAs = shownAs;
    return row;
}

// An editable value accepted from lowest to highest (metres, factor or degrees).
constexpr ValueRow Editable(ValueRow row, double lowest, double highest, SpinnerRow spinner)
{
    row.lowest = lowest;
    row.highest = highest;
    row.editable = true;
    row.spinner = spinner;
    return row;
}

constexpr ValueRow InGroup(ValueRow row, ModeGroup group)
{
    row.group = group;
    return row;
}

constexpr ValueRow WithAssignButton(ValueRow row)
{
    row.assignButton = true;
    return row;
}

constexpr ValueRow Metres(std::string_view caption, std::string_view hint, int lowest, int highest, ShownAs shownAs)
{
    return Editable(Row(caption, hint, ValueKind::Metres, shownAs), lowest, highest,
                    ShownSpinner(lowest * 1000, highest * 1000, 1000, SpinnerUnit::Thousandths, kStepOneUnit));
}

constexpr ValueRow Angle(std::string_view caption, std::string_view hint, int lowest, ShownAs shownAs)
{
    return Editable(Row(caption, hint, ValueKind::Angle, shownAs), lowest, 360,
                    ShownSpinner(lowest, 360, 1, SpinnerUnit::Degrees, kStepOneUnit));
}

constexpr ValueRow TvMetres(std::string_view caption, std::string_view hint, int lowest, int highest)
{
    return WithAssignButton(Metres(caption, hint, lowest, highest, ShownAs::Thousandths));
}

constexpr ValueRow TvZoom(std::string_view caption)
{
    const ValueRow row = Editable(Row(caption, "Enter a number between 0 and 10", ValueKind::Factor, ShownAs::Thousandths),
                                  0, 10,
                                  ShownSpinner(0, 10000, 1, SpinnerUnit::Thousandths,
                                               "Changes the value in steps of 1/1000 per click"));
    return WithAssignButton(InGroup(row, ModeGroup::Moving));
}

constexpr ValueRow TvAngle(std::string_view caption, std::string_view hint, int lowest)
{
    return WithAssignButton(InGroup(Angle(caption, hint, lowest, ShownAs::WholeDegrees), ModeGroup::Fixed));
}

constexpr ValueRow TvUnnamed(SpinnerUnit stepping)
{
    ValueRow row = Row(kUnknownCaption, kUnknownHint, ValueKind::Unnamed, ShownAs::WholeDegrees);
    row.spinner = HiddenSpinner(0, 180, stepping);
    return row;
}

constexpr std::array<ValueRow, kTvValueCount> kTv1Rows = {{
    TvMetres("Distance from s/f-line [m] -->", "Enter a number between 0 and 50000", 0, 50000),
    TvMetres("Distance from center-line of the track [m] -->", "Enter a number between -200 and 200", -200, 200),
    TvMetres("Height from the ground [m] -->", "Enter a number between 0 and 200", 0, 200),
    TvMetres("Change-over point [m] -->", "Enter a number between -10000 and 10000", -10000, 10000),
    // The mode is set through its box, but "Assign to all" copies it like any other value.
    WithAssignButton(Row("Fixed (check) or moving (uncheck) camera -->", {}, ValueKind::Mode, ShownAs::ModeText)),
    TvZoom("Initial zoom factor [-] (moving cam) -->"),
    TvZoom("Zoom factor for first part [-] (moving cam) -->"),
    TvZoom("Zoom factor for second part [-] (moving cam) -->"),
    TvAngle("Yaw [°] (fixed cam) -->", "Enter a number between -360 and 360", -360),
    TvAngle("Pitch [°] (fixed cam) -->", "Enter a number between -360 and 360", -360),
    TvAngle("Bank [°] (fixed cam) -->", "Enter a number between -360 and 360", -360),
    TvAngle("Opening angle [°] (fixed cam) -->", "Enter a number between 0 and 360", 0),
    // Value #13 still steps like an angle although its spinner is never shown; #14 does not.
    TvUnnamed(SpinnerUnit::Degrees),
    TvUnnamed(SpinnerUnit::None),
}};

constexpr std::array<ValueRow, kTvValueCount> WithTv2Hints(std::array<ValueRow, kTvValueCount> rows)
{
    for (ValueRow& row : rows) {
        if (row.kind == ValueKind::Factor)
            row.spinner.hint = "Changes the value in steps of 0.001 per click";
    }
    return rows;
}

constexpr std::array<ValueRow, kTvValueCount> kTv2Rows = WithTv2Hints(kTv1Rows);

constexpr ValueRow PitCarried(std::string_view caption, std::string_view hint = {})
{
    return Row(caption, hint, ValueKind::Unnamed, ShownAs::Significant7);
}

constexpr std::array<ValueRow, kPitValueCount> kPitRows = {{
    Metres("Absolute x-coordinate [m] -->", "Enter a number between -50000 and 50000", -50000, 50000, ShownAs::Significant7),
    Metres("Absolute y-coordinate [m] -->", "Enter a number between -50000 and 50000", -50000, 50000, ShownAs::Significant7),
    Metres("Absolute z-coordinate [m] -->", "Enter a number between 0 and 200", 0, 200, ShownAs::Significant7),
    Angle("Yaw [°] -->", "Enter a number between -360 and 360", -360, ShownAs::Degrees3),
    Angle("Pitch [°] -->", "Enter a number between -360 and 360", -360, ShownAs::Degrees3),
    Angle("Bank [°] -->", "Enter a number between -360 and 360", -360, ShownAs::Degrees3),
    Angle("Opening angle [°] -->", "Enter a number between 0 and 360", 0, ShownAs::Degrees3),
    PitCarried("Leave this value at 0! -->"),
    PitCarried("Leave this value at -0.125! -->"),
    PitCarried(kUnknownCaption, kUnknownHint),
    PitCarried(kUnknownCaption, kUnknownHint),
    PitCarried(kUnknownCaption, kUnknownHint),
    PitCarried(kUnknownCaption, kUnknownHint),
}};

} // namespace

const std::array<ValueRow, kTvValueCount>& TvValueRows(CamSet set)
{
    return set == CamSet::TV1 ? kTv1Rows : kTv2Rows;
}

const std::array<ValueRow, kPitValueCount>& PitValueRows()
{
    return kPitRows;
}

} // namespace vp
