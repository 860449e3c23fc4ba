#include "camdata/CameraChecks.h"

#include "camdata/NumberText.h"
#include "camdata/ValueEditing.h"
#include "camdata/ValueNames.h"

#include <cmath>
#include <limits>

namespace vp {

namespace {

constexpr int kDistance = 1;
constexpr int kChangeOver = 4;
constexpr int kFirstZoom = 6;
constexpr int kLastZoom = 8;
constexpr int kPitLeaveAtZero = 8;
constexpr int kPitLeaveAtEighth = 9;
constexpr float kPitEighth = -0.125F;

// x as the float nearest to it, as short as that reads back; beyond what a float holds, nine digits.
std::string shortText(double x)
{
    if (std::fabs(x) <= std::numeric_limits<float>::max())
        return formatShortest(static_cast<float>(x));
    return formatGeneral(x, 9, '.');
}

std::string withUnit(std::string text, const ValueRow& row)
{
    if (const std::string_view unit = shownUnit(row); !unit.empty())
        text.append(" ").append(unit);
    return text;
}

// A finite value in the unit it is shown in, with that unit: "1234.5677 m", "400 deg", "12".
std::string quantity(const ValueRow& row, double stored)
{
    return withUnit(shortText(shownInDegrees(row) ? stored * 180.0 / kPi : stored), row);
}

// Where the camera hands the picture to the next one: its distance plus its change-over point.
double changeOverPosition(const TvCameraRecord& camera)
{
    return static_cast<double>(camera.value(kDistance).asFloat()) + camera.value(kChangeOver).asFloat();
}

class Checker {
public:
    Checker(std::vector<Finding>& out, CheckedPlace place, int camera) : out_(out), place_(place), camera_(camera)
    {
        if (place == CheckedPlace::PitLane)
            prefix_ = "Pit lane: ";
        else
            prefix_ = (place == CheckedPlace::TV1 ? "TV1 camera " : "TV2 camera ") + std::to_string(camera) + ": ";
    }

    void add(int value, FindingKind kind, const std::string& text)
    {
        out_.push_back({place_, camera_, value, kind, prefix_ + text});
    }

    // The checks every value gets: finite, and within its field's range where it can be typed.
    // False when the value is not finite, so that nothing compares it any further.
    bool checkValue(const ValueRow& row, int value, std::string_view name, float stored)
    {
        const std::string label = valueLabel(value, name);
        if (!std::isfinite(stored)) {
            add(value, FindingKind::NotFinite, label + " is " + formatShortest(stored) + ", not a finite number");
            return false;
        }
        if (row.editable && !acceptedByField(row, stored))
            add(value, FindingKind::OutOfRange, label + " " + quantity(row, stored) + " is outside " +
                                                    formatDouble(row.lowest, '.') + " to " + withUnit(formatDouble(row.highest, '.'), row));
        return true;
    }

private:
    std::vector<Finding>& out_;
    CheckedPlace place_;
    int camera_;
    std::string prefix_;
};

void checkSet(std::vector<Finding>& out, const CameraSet& set, CamSet which)
{
    const auto& rows = tvValueRows(which);
    const CheckedPlace place = which == CamSet::TV1 ? CheckedPlace::TV1 : CheckedPlace::TV2;
    const int count = set.count();
    for (int k = 1; k <= count; ++k) {
        Checker check(out, place, k);
        const TvCameraRecord& camera = set.camera(k);
        // The display's rule: a camera is fixed when its mode read as a float is not zero.
        const bool moving = camera.value(kTvModeValue).asFloat() == 0.0F;
        for (int value = 1; value <= kTvValueCount; ++value) {
            const ValueSlot slot = camera.value(value);
            const ValueRow& row = rows[static_cast<std::size_t>(value - 1)];
            if (value == kTvModeValue) {
                if (slot.bits() != 0 && slot.bits() != 1)
                    check.add(value, FindingKind::ModeNotOneOrZero, valueLabel(value, tvValueName(value)) + " holds " +
                                                                        formatHex32(slot.bits()) +
                                                                        ", neither 1 (fixed) nor 0 (moving)");
                continue;
            }
            const float stored = slot.asFloat();
            if (!check.checkValue(row, value, tvValueName(value), stored))
                continue;
            if (value == kDistance && k > 1) {
                const float previous = set.camera(k - 1).value(kDistance).asFloat();
                if (std::isfinite(previous) && stored <= previous)
                    check.add(value, FindingKind::DistanceNotIncreasing,
                              valueLabel(value, tvValueName(value)) + " " + quantity(row, stored) + " is not beyond camera " +
                                  std::to_string(k - 1) + "'s " + quantity(row, previous));
            }
            if (value == kChangeOver && k < count) {
                const TvCameraRecord& next = set.camera(k + 1);
                const double here = changeOverPosition(camera);
                const double there = changeOverPosition(next);
                if (std::isfinite(here) && std::isfinite(there) && there <= here)
                    check.add(value, FindingKind::NeverGetsThePicture,
                              "change-over position (#1 + #4) " + quantity(rows[0], here) +
                                  " is not before camera " + std::to_string(k + 1) + "'s " +
                                  quantity(rows[0], there) + ", so camera " + std::to_string(k) +
                                  " never gets the picture");
            }
            if (value >= kFirstZoom && value <= kLastZoom && moving && stored == 0.0F)
                check.add(value, FindingKind::MovingWithoutZoom,
                          valueLabel(value, tvValueName(value)) + " is 0 on a moving camera");
        }
    }
}

void checkPitLane(std::vector<Finding>& out, const PitCameraRecord& pit)
{
    Checker check(out, CheckedPlace::PitLane, 0);
    const auto& rows = pitValueRows();
    for (int value = 1; value <= kPitValueCount; ++value) {
        const float stored = pit.value(value).asFloat();
        if (!check.checkValue(rows[static_cast<std::size_t>(value - 1)], value, pitValueName(value), stored))
            continue;
        const auto asked = [&](float wanted, const char* wantedText) {
            if (stored != wanted)
                check.add(value, FindingKind::NotAsCaptionAsks,
                          std::string("#").append(std::to_string(value)).append(" is ").append(formatShortest(stored)) +
                              ", but its caption asks to leave it at " + wantedText);
        };
        if (value == kPitLeaveAtZero)
            asked(0.0F, "0");
        else if (value == kPitLeaveAtEighth)
            asked(kPitEighth, "-0.125");
    }
}

} // namespace

std::vector<Finding> checkDocument(const CameraDocument& doc)
{
    std::vector<Finding> findings;
    checkSet(findings, doc.tv1, CamSet::TV1);
    checkSet(findings, doc.tv2, CamSet::TV2);
    checkPitLane(findings, doc.pit);
    return findings;
}

} // namespace vp
