#pragma once
// All options of the program, the GPL folder and the recorded click script: one fixed record,
// stored in Vantapoint.cfg beside the program. Field names are those of the file's record.

#include "camdata/ValueSlot.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vp {

inline constexpr std::string_view kConfigHeader = "Vantapoint configuration file - DO NOT EDIT!";
inline constexpr std::string_view kGplNotInstalled = "GPL not installed";
inline constexpr std::string_view kConfigFileName = "Vantapoint.cfg";
inline constexpr int kClickSlots = 256;

// DefaultValue slot 0 holding -1.0 places a new camera in the middle of its neighbours.
inline constexpr float kPlaceInMiddle = -1.0F;

struct OptionsRecord {
    std::string Header{kConfigHeader};
    std::string GPLPath{kGplNotInstalled};
    bool ShowSafetyRequests = true;
    bool SafetyAssignToAll = true;
    bool SafetyRecordScript = true;
    bool SafetyExit = true;
    bool SafetyLoad = true;
    bool SafetyRemove = true;
    bool SafetyOverwrite = true;
    bool ShowInformation = true;
    std::array<ValueSlot, 12> DefaultValue = DefaultSlots();
    bool FixedSwitchOver = true;
    std::uint8_t ClickCount = 0;
    std::array<std::int32_t, kClickSlots> ClickInterval{};
    std::array<std::int32_t, kClickSlots> ClickX{};
    std::array<std::int32_t, kClickSlots> ClickY{};
    std::int32_t ShutdownDelay = 1500;
    bool PlayScript = false;

    bool gplKnown() const { return GPLPath != kGplNotInstalled; }
    // Every field but Header, as the Options command copies between stored and working options.
    void copyAllButHeaderFrom(const OptionsRecord& other);

    // -1.0 (middle), 0, 2, 0, integer 1 (fixed), 0.1, 0.1, 0.1, 0, 0, 0, pi/2 as a float.
    static std::array<ValueSlot, 12> DefaultSlots();

    friend bool operator==(const OptionsRecord&, const OptionsRecord&) = default;
};

} // namespace vp
