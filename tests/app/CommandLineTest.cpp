#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLinePath, JoinsTheArgumentsAndRemovesOnlyEnclosingQuotes)
{
    const std::pair<Args, std::string> cases[] = {
        {{}, ""},
        {{"/home/me/My", "Tracks/monza.cam"}, "/home/me/My Tracks/monza.cam"},
        {{"\"C:\\GPL\\tracks\\monza.cam\""}, "C:\\GPL\\tracks\\monza.cam"},
        // A desktop that splits at blanks leaves the quotes on the outer arguments.
        {{"\"/home/me/My", "Tracks/monza.cam\""}, "/home/me/My Tracks/monza.cam"},
        {{"\"\"double.cam\"\""}, "\"double.cam\""},
        {{"\"open.cam"}, "\"open.cam"},
        {{"a\"b\".cam"}, "a\"b\".cam"},
        {{"\""}, "\""},
    };
    for (const auto& [args, path] : cases)
        EXPECT_EQ(commandLinePath(args), path);
}

TEST(ParseCommandLine, TakesTheScreenshotOptionOutWhereverItStands)
{
    for (const Args& args : {Args{"--screenshot", "shot.png", "\"My", "Track.cam\""},
                             Args{"\"My", "--screenshot", "shot.png", "Track.cam\""}}) {
        const CommandLine line = parseCommandLine(args);
        EXPECT_FALSE(line.error);
        EXPECT_EQ(line.screenshotFile, "shot.png");
        EXPECT_EQ(line.path, "My Track.cam");
    }
    const CommandLine plain = parseCommandLine({"monza.cam"});
    EXPECT_FALSE(plain.error);
    EXPECT_FALSE(plain.screenshotFile);
    EXPECT_EQ(plain.path, "monza.cam");

    EXPECT_TRUE(parseCommandLine({"monza.cam", "--screenshot"}).error);
    EXPECT_TRUE(parseCommandLine({"--screenshot", ""}).error);
}

TEST(WantsOffscreenPlatform, OnlyForTheScreenshotModeWithoutAPlatformOfTheUsers)
{
    const struct {
        Args args;
        bool variableSet;
        bool offscreen;
    } cases[] = {
        {{"--screenshot", "shot.png"}, false, true},
        {{"monza.cam", "--screenshot", "shot.png"}, false, true},
        {{"--screenshot", "shot.png"}, true, false},
        {{"-platform", "xcb", "--screenshot", "shot.png"}, false, false},
        {{"--platform", "wayland", "--screenshot", "shot.png"}, false, false},
        {{"monza.cam"}, false, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wantsOffscreenPlatform(c.args, c.variableSet), c.offscreen) << c.args.front() << c.variableSet;
}

} // namespace
} // namespace vp
