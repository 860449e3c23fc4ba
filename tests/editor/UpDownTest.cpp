// The spinner: its range, its steps and its notification of every positioning.

#include "QtTestApp.h"

#include "editor/UpDown.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace vp {
namespace {

class UpDownTest : public ::testing::Test {
protected:
    UpDownTest()
    {
        spinner.setRange(-360, 360);
        spinner.setIncrement(100);
    }
    QApplication& app = test::TestApp();
    UpDown spinner;
};

TEST_F(UpDownTest, EveryPositioningIsReportedEvenToTheSamePosition)
{
    QSignalSpy changes(&spinner, &UpDown::Change);
    spinner.setValue(45);
    spinner.setValue(45);
    EXPECT_EQ(changes.count(), 2);
    EXPECT_EQ(spinner.Value(), 45);

    spinner.setValue(1000);
    EXPECT_EQ(spinner.Value(), 360) << "a position beyond the range goes to its end";
    EXPECT_EQ(changes.count(), 3);
}

TEST_F(UpDownTest, AShrinkingRangeMovesThePositionDownAndReportsIt)
{
    spinner.setValue(300);
    QSignalSpy changes(&spinner, &UpDown::Change);
    spinner.setRange(1, 255);
    EXPECT_EQ(spinner.Value(), 255);
    EXPECT_EQ(changes.count(), 1);
    spinner.setRange(1, 255);
    EXPECT_EQ(changes.count(), 1) << "a position inside the range stays unreported";
}

TEST_F(UpDownTest, ANewRangeAndPositionAreOnePositioning)
{
    spinner.setValue(300);
    QSignalSpy changes(&spinner, &UpDown::Change);
    spinner.setRangeAndValue(1, 3, 1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(spinner.Value(), 1);
    EXPECT_EQ(spinner.Max(), 3);
}

TEST_F(UpDownTest, ClicksStepByTheIncrementAndStopAtTheEnds)
{
    spinner.setValue(200);
    QSignalSpy changes(&spinner, &UpDown::Change);

    QTest::mouseClick(spinner.upButton(), Qt::LeftButton);
    EXPECT_EQ(spinner.Value(), 300);
    QTest::mouseClick(spinner.upButton(), Qt::LeftButton);
    EXPECT_EQ(spinner.Value(), 360) << "the last step stops at the end of the range";
    QTest::mouseClick(spinner.upButton(), Qt::LeftButton);
    EXPECT_EQ(spinner.Value(), 360);
    EXPECT_EQ(changes.count(), 2) << "at the end nothing moves and nothing is reported";

    spinner.setValue(-300);
    changes.clear();
    QTest::mouseClick(spinner.downButton(), Qt::LeftButton);
    QTest::mouseClick(spinner.downButton(), Qt::LeftButton);
    EXPECT_EQ(spinner.Value(), -360);
    EXPECT_EQ(changes.count(), 1);
}

TEST_F(UpDownTest, ArrowKeysStepLikeClicks)
{
    spinner.setValue(0);
    QTest::keyClick(&spinner, Qt::Key_Up);
    EXPECT_EQ(spinner.Value(), 100);
    QTest::keyClick(&spinner, Qt::Key_Down);
    QTest::keyClick(&spinner, Qt::Key_Down);
    EXPECT_EQ(spinner.Value(), -100);
}

} // namespace
} // namespace vp
