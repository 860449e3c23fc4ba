// The spinner: its range, its steps, its arrows under the mouse and its notification of every
// positioning.

#include "support/QtTestApp.h"
#include "widgets/SpinButton.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleValueInterface>
#include <QSignalSpy>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace vp {
namespace {

// 16 x 22: the up arrow is rows 0 to 10, the down arrow rows 11 to 21.
constexpr QPoint kUp{8, 3};
constexpr QPoint kDown{8, 18};

class SpinButtonTest : public ::testing::Test {
protected:
    SpinButtonTest() { spinner.setRange(-360, 360); spinner.setSingleStep(100); spinner.resize(16, 22); }
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
        QTest::mouseClick(&spinner, Qt::LeftButton, {}, kUp);
    EXPECT_EQ(spinner.value(), 360);
    EXPECT_EQ(changes.count(), 2) << "at the end nothing moves and nothing is reported";
    QTest::keyClick(&spinner, Qt::Key_Down);
    EXPECT_EQ(spinner.value(), 260);
    spinner.setSingleStep(0);
    QTest::keyClick(&spinner, Qt::Key_Up);
    EXPECT_EQ(spinner.value(), 261) << "a step of 0 steps by 1";
}

TEST_F(SpinButtonTest, AnArrowStepsWhenReleasedOnItselfAndRepeatsWhileHeld)
{
    const struct {
        const char* what;
        QPoint press, release;
        int value;
    } cases[] = {
        {"up", kUp, kUp, 100},
        {"down", kDown, kDown, -100},
        {"released on the other arrow", kUp, kDown, 0},
        {"released beside the spinner", kDown, {30, 18}, 0},
    };
    for (const auto& c : cases) {
        spinner.setValue(0);
        QTest::mousePress(&spinner, Qt::LeftButton, {}, c.press);
        QTest::mouseRelease(&spinner, Qt::LeftButton, {}, c.release);
        EXPECT_EQ(spinner.value(), c.value) << c.what;
    }

    spinner.setValue(0);
    QTest::mousePress(&spinner, Qt::LeftButton, {}, kUp);
    EXPECT_TRUE(QTest::qWaitFor([&] { return spinner.value() == 100; }, 5000)) << "held, it repeats";
    QTest::mouseRelease(&spinner, Qt::LeftButton, {}, kUp);
    EXPECT_EQ(spinner.value(), 200) << "and steps once more when released";

    // Disabled or left for a message box while held, it forgets the press: no repeat, no last step.
    QFocusEvent focusOut(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    for (const auto& interrupt : {std::function<void()>([&] { spinner.setEnabled(false); }),
                                  std::function<void()>([&] { QApplication::sendEvent(&spinner, &focusOut); })}) {
        spinner.setEnabled(true);
        spinner.setValue(0);
        QTest::mousePress(&spinner, Qt::LeftButton, {}, kUp);
        interrupt();
        QTest::qWait(450);
        QTest::mouseRelease(&spinner, Qt::LeftButton, {}, kUp);
        EXPECT_EQ(spinner.value(), 0);
    }
}

TEST_F(SpinButtonTest, AScreenReaderSeesASpinBoxWithItsPositionAndSteps)
{
    spinner.setValue(300);
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(&spinner);
    ASSERT_NE(accessible, nullptr);
    EXPECT_EQ(accessible->role(), QAccessible::SpinBox);
    ASSERT_NE(accessible->valueInterface(), nullptr);
    EXPECT_EQ(accessible->valueInterface()->maximumValue().toInt(), 360);
    accessible->actionInterface()->doAction(QAccessibleActionInterface::increaseAction());
    accessible->actionInterface()->doAction(QAccessibleActionInterface::decreaseAction());
    EXPECT_EQ(accessible->valueInterface()->currentValue().toInt(), 260);
}

} // namespace
} // namespace vp
