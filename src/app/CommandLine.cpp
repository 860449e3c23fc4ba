#include "app/CommandLine.h"

#include <algorithm>
#include <cstddef>
#include <iterator>

namespace vp {

namespace {
constexpr const char* kScreenshotOption = "--screenshot";
}

std::string commandLinePath(const std::vector<std::string>& args)
{
    std::string text;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += args[i];
    }
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        text = text.substr(1, text.size() - 2);
    return text;
}

CommandLine parseCommandLine(std::vector<std::string> args)
{
    CommandLine result;
    auto option = std::find(args.begin(), args.end(), kScreenshotOption);
    if (option != args.end()) {
        if (std::next(option) == args.end() || std::next(option)->empty()) {
            result.error = "--screenshot needs the name of the PNG file to write";
            return result;
        }
        result.screenshotFile = *std::next(option);
        args.erase(option, std::next(option, 2));
    }
    result.path = commandLinePath(args);
    return result;
}

bool wantsOffscreenPlatform(const std::vector<std::string>& args, bool platformVariableSet)
{
    const auto given = [&args](const char* option) {
        return std::find(args.begin(), args.end(), option) != args.end();
    };
    // Qt takes its options with one dash or two.
    return given(kScreenshotOption) && !platformVariableSet && !given("-platform") && !given("--platform");
}

} // namespace vp
