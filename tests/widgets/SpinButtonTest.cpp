// The spinner: its range, its steps and its notification of every positioning.

#include "support/QtTestApp.h"
#include "widgets/SpinButton.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace vp {
namespace {

class SpinButtonTest : public ::testing::Test {
protected:
    SpinButtonTest() { spinner.setRange(-360, 360); spinner.setSingleStep(100); }
    QApplication& app = test::testApp();
    SpinButton spinner;
};

TEST_F(SpinButtonTest, EveryPositioningIsReportedAndKeptInsideTheRange)
{
    QSignalSpy changes(&spinner, &SpinButton::positioned);
    spinner.setValue(45);
    spinner.setValue(45);
    EXPECT_EQ(changes.count(), 2) << "even to the same position";
    spinner.setValue(1000);
    EXPECT_EQ(spinner.value(), 360);
    changes.clear();
    spinner.setRange(1, 255);
    spinner.setRange(1, 255);
    EXPECT_EQ(spinner.value(), 255);
    EXPECT_EQ(changes.count(), 1) << "only a shrinking range that moves the position reports it";
}

TEST_F(SpinButtonTest, ClicksAndArrowKeysStepByTheSingleStepAndStopAtTheEnds)
{
    spinner.setValue(200);
    QSignalSpy changes(&spinner, &SpinButton::positioned);
    for (int i = 0; i < 3; ++i)
        QTest::mouseClick(spinner.upButton(), Qt::LeftButton);
    EXPECT_EQ(spinner.value(), 360);
    EXPECT_EQ(changes.count(), 2) << "at the end nothing moves and nothing is reported";
    QTest::keyClick(&spinner, Qt::Key_Down);
    EXPECT_EQ(spinner.value(), 260);
    spinner.setSingleStep(0);
    QTest::keyClick(&spinner, Qt::Key_Up);
    EXPECT_EQ(spinner.value(), 261) << "a step of 0 steps by 1";
}

} // namespace
} // namespace vp
