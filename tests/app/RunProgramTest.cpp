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

struct Outcome { int exitCode = -1; std::string standardError; };

// Runs the program as on a machine without any display.
Outcome RunProgram(const std::string& program, const QStringList& arguments)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
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

TEST(SampleCamFile, IsAPlausibleTrackAndTheSameOnEveryRun)
{
    test::TempDir dir, again;
    const std::string sample = MakeSample(dir);
    EXPECT_EQ(test::readBytes(sample), test::readBytes(MakeSample(again)));
    CameraDocument doc;
    ASSERT_EQ(readCamFile(sample, doc), std::nullopt);
    for (const CameraSet* set : {&doc.tv1, &doc.tv2}) {
        EXPECT_GE(set->count(), 15);
        for (int k = 2; k <= set->count(); ++k)
            EXPECT_LT(set->camera(k - 1).value(1).asFloat(), set->camera(k).value(1).asFloat()) << k;
        const float last = set->camera(set->count()).value(1).asFloat();
        EXPECT_TRUE(last > 3000.0f && last < 5000.0f) << last;
    }
}

TEST(ScreenshotMode, FirstStartWritesTheWindowAndReportsTheWarningBoxThenRestartsQuietly)
{
    // The program folder is the executable's folder, so the program runs from a copy in a fresh
    // folder: its Vantapoint.cfg lands there, never beside the build.
    test::TempDir dir;
    const std::string program = dir.file("vantapoint");
    fs::copy_file(VP_VANTAPOINT, program);
    EXPECT_EQ(RunProgram(program, {"--screenshot"}).exitCode, 2); // the option without its file: usage
    EXPECT_FALSE(fs::exists(dir.file("Vantapoint.cfg")));
    const std::string shot = dir.file("shot.png");
    Outcome run = RunProgram(program, {"--screenshot", QString::fromStdString(shot)});
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_NE(run.standardError.find("Vantapoint.cfg seems to be corrupt or non-existant."), std::string::npos);
    const QImage image(QString::fromStdString(shot), "PNG");
    EXPECT_TRUE(image.width() > 400 && image.height() > 300) << image.width() << " x " << image.height();

    run = RunProgram(program, {QString::fromStdString(MakeSample(dir)), "--screenshot", QString::fromStdString(shot)});
    EXPECT_EQ(run.exitCode, 0) << run.standardError;
    EXPECT_EQ(run.standardError.find("message box"), std::string::npos) << run.standardError;
}

} // namespace
} // namespace vp
