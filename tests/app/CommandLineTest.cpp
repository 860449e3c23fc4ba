#include "app/CommandLine.h"

#include <gtest/gtest.h>

#include <tuple>

namespace vp {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLinePath, JoinsTheArgumentsAndRemovesOnlyEnclosingQuotes)
{
    const std::pair<Args, std::string> cases[] = {
        {{}, ""}, {{"/home/me/My", "Tracks/monza.cam"}, "/home/me/My Tracks/monza.cam"},
        {{"\"C:\\GPL\\tracks\\monza.cam\""}, "C:\\GPL\\tracks\\monza.cam"},
        // A desktop that splits at blanks leaves the quotes on the outer arguments.
        {{"\"/home/me/My", "Tracks/monza.cam\""}, "/home/me/My Tracks/monza.cam"},
        {{"\"\"double.cam\"\""}, "\"double.cam\""}, {{"\"open.cam"}, "\"open.cam"},
        {{"a\"b\".cam"}, "a\"b\".cam"}, {{"\""}, "\""},
    };
    for (const auto& [args, path] : cases)
        EXPECT_EQ(commandLinePath(args), path);
}

TEST(ParseCommandLine, TakesTheScreenshotOptionOutWhereverItStandsAndWantsOffscreenOnlyForIt)
{
    const std::tuple<Args, std::optional<std::string>, std::string> cases[] = { // and the screenshot and path taken
        {{"--screenshot", "shot.png", "\"My", "Track.cam\""}, "shot.png", "My Track.cam"},
        {{"\"My", "--screenshot", "shot.png", "Track.cam\""}, "shot.png", "My Track.cam"},
        {{"monza.cam"}, std::nullopt, "monza.cam"}};
    for (const auto& [args, screenshot, path] : cases) {
        const CommandLine line = parseCommandLine(args);
        EXPECT_EQ(std::tuple(line.error.has_value(), line.screenshotFile, line.path), std::tuple(false, screenshot, path)) << path;
    }
    EXPECT_TRUE(parseCommandLine({"monza.cam", "--screenshot"}).error && parseCommandLine({"--screenshot", ""}).error);

    // The offscreen platform only for the screenshot mode and only when the user chose no platform.
    const struct { Args args; bool variableSet, offscreen; } platformCases[] = {
        {{"--screenshot", "shot.png"}, false, true}, {{"monza.cam", "--screenshot", "shot.png"}, false, true},
        {{"--screenshot", "shot.png"}, true, false},
        {{"-platform", "xcb", "--screenshot", "shot.png"}, false, false},
        {{"--platform", "wayland", "--screenshot", "shot.png"}, false, false}, {{"monza.cam"}, false, false},
    };
    for (const auto& c : platformCases)
        EXPECT_EQ(wantsOffscreenPlatform(c.args, c.variableSet), c.offscreen) << c.args.front() << c.variableSet;
}

} // namespace
} // namespace vp
