#include "app/ManualPath.h"

#include "camdata/FileSystem.h"

#include <filesystem>

namespace vp {

namespace {

constexpr std::string_view kManualName = "VantapointHelp.html";

} // namespace

std::string manualPath(const std::string& programFolder, std::string_view installedFolder)
{
    const std::string beside = joinPath(programFolder, kManualName);
    if (fileExists(beside))
        return beside;
    // Without the "..": the manual's address is shown by the browser.
    const std::string installed =
        utf8FromPath((pathFromUtf8(programFolder) / pathFromUtf8(installedFolder) / kManualName).lexically_normal());
    return fileExists(installed) ? installed : beside;
}

} // namespace vp
