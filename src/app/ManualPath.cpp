#include "app/ManualPath.h"

#include "camdata/FileSystem.h"

#include <filesystem>

namespace vp {

namespace {

constexpr std::string_view kManualName = "VantapointHelp.html";

} // namespace

std::string ManualPath(const std::string& programFolder, std::string_view installedFolder)
{
    const std::string beside = JoinPath(programFolder, kManualName);
    if (FileExists(beside))
        return beside;
    // Without the "..": the manual's address is shown by the browser.
    const std::string installed =
        Utf8FromPath((PathFromUtf8(programFolder) / PathFromUtf8(installedFolder) / kManualName).lexically_normal());
    return FileExists(installed) ? installed : beside;
}

} // namespace vp
