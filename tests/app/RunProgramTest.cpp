// The program as the README starts it: the sample camera file and the unattended screenshot mode.

#include "camdata/CamFile.h"

#include "support/TempDir.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

namespace vp {
namespace {

namespace fs = std::filesystem;

const char* const kFirstStartWarning =
    "Vantapoint.cfg seems to be corrupt or non-existant. All options will be set back to default.\n"
    "If you're about to fire up Vantapoint for the first time, this is normal.\n"
    "For further information see online manual.";

struct Outcome {
    int exitCode = -1;
    std::string standardError;
};

Outcome RunProgram(const std::string& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    process.setProcessEnvironment(environment);
    process.start(QString::fromStdString(program), arguments);
    EXPECT_TRUE(process.waitForFinished(60000)) << program << " did not end";
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit) << program << " crashed";
    return {process.exitCode(), process.readAllStandardError().toStdString()};
}

std::string MakeSample(const test::TempDir& dir)
{
    const std::string sample = dir.file("Sample.cam");
    EXPECT_EQ(RunProgram(VP_MAKE_SAMPLE_CAM, {QString::fromStdString(sample)}).exitCode, 0);
    return sample;
}

void ExpectAscendingMixedSet(const CameraSet& set, const char* name)
{
    int fixed = 0;
    for (int k = 1; k <= set.count(); ++k) {
        if (k > 1) {
            EXPECT_LT(set.camera(k - 1).value(1).asFloat(), set.camera(k).value(1).asFloat()) << name << " camera " << k;
        }
        const std::int32_t mode = set.camera(k).value(kTvModeValue).asInt();
        EXPECT_TRUE(mode == 0 || mode == 1) << name << " camera " << k;
        fixed += mode;
    }
    EXPECT_GT(fixed, 0) << name;
    EXPECT_LT(fixed, set.count()) << name;
}

TEST(SampleCamFile, IsAPlausibleTrackWithACorrectHeader)
{
    test::TempDir dir;
    CameraDocument doc;
    ASSERT_EQ(ReadCamFile(MakeSample(dir), doc), std::nullopt);

    EXPECT_GE(doc.tv1.count(), 15);
    EXPECT_GE(doc.tv2.count(), 15);
    EXPECT_EQ(doc.headerLength(), 60u + 56u * static_cast<unsigned>(doc.tv1.count() + doc.tv2.count()));
    ExpectAscendingMixedSet(doc.tv1, "TV1");
    ExpectAscendingMixedSet(doc.tv2, "TV2");
    for (const CameraSet* set : {&doc.tv1, &doc.tv2}) {
        const float last = set->camera(set->count()).value(1).asFloat();
        EXPECT_GT(last, 3000.0f);
        EXPECT_LT(last, 5000.0f);
    }
    EXPECT_EQ(doc.pit.value(9).asFloat(), -0.125f);
}

TEST(SampleCamFile, IsTheSameOnEveryRun)
{
    test::TempDir first;
    test::TempDir second;
    EXPECT_EQ(test::ReadBytes(MakeSample(first)), test::ReadBytes(MakeSample(second)));
}

// The program folder is the executable's folder, so the program runs from a copy in a fresh folder:
// its Vantapoint.cfg lands there, never beside the build.
class ScreenshotMode : public ::testing::Test {
protected:
    void SetUp() override
    {
        program_ = dir_.file("vantapoint");
        fs::copy_file(VP_VANTAPOINT, program_);
    }

    test::TempDir dir_;
    std::string program_;
};

TEST_F(ScreenshotMode, FirstStartWritesTheWindowAndReportsTheWarningBox)
{
    const std::string shot = dir_.file("shot.png");
    const Outcome run = RunProgram(program_, {"--screenshot", QString::fromStdString(shot)});

    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_NE(run.standardError.find("\"Vantapoint: Error while initializing\""), std::string::npos) << run.standardError;
    EXPECT_NE(run.standardError.find(kFirstStartWarning), std::string::npos) << run.standardError;
    EXPECT_TRUE(fs::exists(dir_.file("Vantapoint.cfg")));

    const QImage image(QString::fromStdString(shot), "PNG");
    ASSERT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 400);
    EXPECT_GT(image.height(), 300);
}

TEST_F(ScreenshotMode, LaterStartWithAFileAsksNothing)
{
    RunProgram(program_, {"--screenshot", QString::fromStdString(dir_.file("first.png"))});
    const std::string sample = MakeSample(dir_);

    const Outcome run = RunProgram(program_, {QString::fromStdString(sample), "--screenshot",
                                          QString::fromStdString(dir_.file("second.png"))});
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(run.standardError.find("message box"), std::string::npos) << run.standardError;
    EXPECT_TRUE(fs::exists(dir_.file("second.png")));
}

TEST_F(ScreenshotMode, ScreenshotOptionWithoutAFileIsRefused)
{
    const Outcome run = RunProgram(program_, {"--screenshot"});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.standardError.find("usage"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_.file("Vantapoint.cfg")));
}

} // namespace
} // namespace vp
