#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace vp {
namespace {

using Args = std::vector<std::string>;

TEST(CommandLinePath, JoinsTheArgumentsWithSingleBlanks)
{
    EXPECT_EQ(CommandLinePath({}), "");
    EXPECT_EQ(CommandLinePath({"/tracks/monza.cam"}), "/tracks/monza.cam");
    EXPECT_EQ(CommandLinePath({"/home/me/My", "Tracks/monza.cam"}), "/home/me/My Tracks/monza.cam");
}

TEST(CommandLinePath, RemovesOnePairOfEnclosingQuotes)
{
    EXPECT_EQ(CommandLinePath({"\"C:\\GPL\\tracks\\monza\\monza.cam\""}), "C:\\GPL\\tracks\\monza\\monza.cam");
    // A desktop that splits at blanks leaves the quotes on the outer arguments.
    EXPECT_EQ(CommandLinePath({"\"/home/me/My", "Tracks/monza.cam\""}), "/home/me/My Tracks/monza.cam");
    EXPECT_EQ(CommandLinePath({"\"\"double.cam\"\""}), "\"double.cam\"");
}

TEST(CommandLinePath, KeepsQuotesThatDoNotEncloseTheWholeText)
{
    EXPECT_EQ(CommandLinePath({"\"open.cam"}), "\"open.cam");
    EXPECT_EQ(CommandLinePath({"close.cam\""}), "close.cam\"");
    EXPECT_EQ(CommandLinePath({"a\"b\".cam"}), "a\"b\".cam");
    EXPECT_EQ(CommandLinePath({"\""}), "\"");
}

TEST(ParseCommandLine, TakesTheScreenshotOptionOutWhereverItStands)
{
    for (const Args& args : {Args{"--screenshot", "shot.png", "\"My", "Track.cam\""},
                             Args{"\"My", "Track.cam\"", "--screenshot", "shot.png"},
                             Args{"\"My", "--screenshot", "shot.png", "Track.cam\""}}) {
        const CommandLine line = ParseCommandLine(args);
        EXPECT_FALSE(line.error);
        EXPECT_EQ(line.screenshotFile, "shot.png");
        EXPECT_EQ(line.path, "My Track.cam");
    }
}

TEST(ParseCommandLine, WithoutTheOptionOnlyTheFileIsNamed)
{
    const CommandLine line = ParseCommandLine({"monza.cam"});
    EXPECT_FALSE(line.error);
    EXPECT_FALSE(line.screenshotFile);
    EXPECT_EQ(line.path, "monza.cam");

    const CommandLine none = ParseCommandLine({});
    EXPECT_FALSE(none.error);
    EXPECT_EQ(none.path, "");
}

TEST(ParseCommandLine, TheOptionWithoutAFileIsAnError)
{
    EXPECT_TRUE(ParseCommandLine({"monza.cam", "--screenshot"}).error);
    EXPECT_TRUE(ParseCommandLine({"--screenshot", ""}).error);
}

} // namespace
} // namespace vp
