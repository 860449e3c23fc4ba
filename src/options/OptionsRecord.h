#pragma once
// All options of the program, the GPL folder and the recorded click script: one fixed record,
// stored in Vantapoint.cfg beside the program (options/Configuration.h lays it out).

#include "camdata/SlotOperations.h"
#include "camdata/ValueSlot.h"
#include "remote/ClickScript.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace vp {

inline constexpr std::string_view kConfigHeader = "Vantapoint configuration file - DO NOT EDIT!";
inline constexpr std::string_view kGplNotInstalled = "GPL not installed";
inline constexpr std::string_view kConfigFileName = "Vantapoint.cfg";

struct ScriptSettings;

struct OptionsRecord {
    std::string header{kConfigHeader};
    std::string gplFolder{kGplNotInstalled};
    // The master switch of the six safety questions below it.
    bool showSafetyRequests = true;
    bool askBeforeAssignToAll = true;
    bool askBeforeNewScript = true;
    bool askBeforeExit = true;
    bool askBeforeLoad = true;
    bool askBeforeRemove = true;
    bool askBeforeOverwrite = true;
    bool showInformation = true;
    // Slot 0 places a new camera (kPlaceInMiddle, or a distance in metres); slots 1..11 are the
    // values #2..#12 of a new camera.
    std::array<ValueSlot, 12> defaultValues = factoryDefaults();
    // A typed distance moves the change-over point along, so that it stays where it was on the track.
    bool fixedSwitchOver = true;
    ClickScript script;
    // Milliseconds between the first and the second Escape that close GPL.
    std::int32_t shutdownDelay = 1500;
    bool playScript = false;

    bool gplKnown() const { return gplFolder != kGplNotInstalled; }
    // Every field but the header, as the Options command takes over the options dialog's copy.
    void copyAllButHeaderFrom(const OptionsRecord& other);
    // What the script commands take of these options.
    ScriptSettings scriptSettings() const;

    // -1.0 (middle), 0, 2, 0, integer 1 (fixed), 0.1, 0.1, 0.1, 0, 0, 0, pi/2 as a float.
    static std::array<ValueSlot, 12> factoryDefaults();

    friend bool operator==(const OptionsRecord&, const OptionsRecord&) = default;
};

} // namespace vp
