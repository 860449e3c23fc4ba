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

TEST_F(UpDownTest, EveryPositioningIsReportedAndKeptInsideTheRange)
{
    QSignalSpy changes(&spinner, &UpDown::Change);
    spinner.setValue(45);
    spinner.setValue(45);
    EXPECT_EQ(changes.count(), 2) << "even to the same position";
    spinner.setValue(1000);
    EXPECT_EQ(spinner.Value(), 360);

    changes.clear();
    spinner.setRange(1, 255);
    EXPECT_EQ(spinner.Value(), 255);
    spinner.setRange(1, 255);
    EXPECT_EQ(changes.count(), 1) << "only a shrinking range that moves the position reports it";

    changes.clear();
    spinner.setRangeAndValue(1, 3, 1);
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(spinner.Value(), 1);
    EXPECT_EQ(spinner.Max(), 3);
}

TEST_F(UpDownTest, ClicksAndArrowKeysStepByTheIncrementAndStopAtTheEnds)
{
    spinner.setValue(200);
    QSignalSpy changes(&spinner, &UpDown::Change);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(spinner.upButton(), Qt::LeftButton);
    EXPECT_EQ(spinner.Value(), 360);
    EXPECT_EQ(changes.count(), 2) << "at the end nothing moves and nothing is reported";

    spinner.setValue(-300);
    QTest::mouseClick(spinner.downButton(), Qt::LeftButton);
    QTest::mouseClick(spinner.downButton(), Qt::LeftButton);
    EXPECT_EQ(spinner.Value(), -360);

    spinner.setValue(0);
    QTest::keyClick(&spinner, Qt::Key_Up);
    EXPECT_EQ(spinner.Value(), 100);
    QTest::keyClick(&spinner, Qt::Key_Down);
    QTest::keyClick(&spinner, Qt::Key_Down);
    EXPECT_EQ(spinner.Value(), -100);
}

} // namespace
} // namespace vp
