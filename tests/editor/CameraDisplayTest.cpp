// Showing cameras and moving between them: the number texts in two locales, the mode box, the
// selector, the index field and the count field, the lap strip and the list of checks.

#include "MainWindowFixture.h"

#include <QListWidget>

#include <algorithm>

namespace vp::test {
namespace {

// The darkest grey of a set's name in the lap strip's left margin, around the band's middle row.
int darkestName(QWidget* strip, int middle)
{
    const QImage image = strip->grab().toImage();
    int darkest = 255;
    for (int y = middle - 5; y <= middle + 5; ++y) {
        for (int x = 0; x < 30; ++x)
            darkest = std::min(darkest, qGray(image.pixel(x, y)));
    }
    return darkest;
}

class CameraDisplay : public MainWindowTest {
protected:
    // Starts on camera 2 of 12 in TV1, which carries the example values.
    void startWithExample()
    {
        CameraDocument doc = CamDocument(12, 3);
        doc.tv1.camera(2).value(1).setFloat(1234.5678F);
        doc.tv1.camera(2).value(9).setFloat(0.790634F);  // 45.3 degrees
        restart(camFile("example.cam", doc));
        selector("TV1")->setValue(2);
    }
};

TEST_F(CameraDisplay, NumbersUseTheLocalesDecimalSeparator)
{
    startWithExample();
    EXPECT_EQ(text("txtTV1CamData_0"), "1234.568");

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    window->showCamera(CamSet::TV1);
    EXPECT_EQ(text("txtTV1CamData_0"), "1234,568");
    type("txtCurrentTV1Cam", "2,5");
    EXPECT_EQ(text("txtCurrentTV1Cam"), "2") << "typed numbers are read with the same separator";
    type("txtTV1CamData_1", "-12,5");
    EXPECT_EQ(window->document().tv1.camera(2).value(2).asFloat(), -12.5F);
    EXPECT_EQ(text("txtTV1CamData_1"), "-12,5");
}

TEST_F(CameraDisplay, AFloatOneIsAFixedCameraAndKeepsItsBitsUnlessTheBoxFlipsWithTheControls)
{
    // TV2's rows are made only at the end, where its box is looked at: until then its panel flips
    // the mode as the box would.
    for (const CamSet set : {CamSet::TV1, CamSet::TV2}) {
        const char* name = set == CamSet::TV1 ? "TV1" : "TV2";
        CameraDocument doc = CamDocument(3, 3);
        doc.set(set).camera(2).value(5).setFloat(1.0F);
        doc.set(set).camera(3).value(5).setInt(0);
        restart(camFile("float-one.cam", doc));
        const auto mode = [&] { return std::tuple(window->document().set(set).camera(2).value(5), window->isModified()); };
        selector(name)->setValue(2);
        EXPECT_EQ(mode(), std::tuple(ValueSlot::fromFloat(1.0F), false)) << name;
        selector(name)->setValue(3);
        EXPECT_TRUE(window->isModified()) << name << ": stepping onto a moving camera flips the box";
        EXPECT_TRUE(enabled(set == CamSet::TV1 ? "txtTV2CamData_8" : "txtTV1CamData_8")) << "the other set keeps its own mode";
        selector(name)->setValue(2);
        EXPECT_EQ(mode(), std::tuple(ValueSlot::fromInt(1), true)) << name << ": the flip writes the integer";
        EXPECT_TRUE(find<QCheckBox>(QStringLiteral("chk%1CamFixed").arg(name))->isChecked()) << name;
        for (int i : {5, 7, 8, 11})
            EXPECT_EQ(enabled(QStringLiteral("UpDownValue%1_%2").arg(name).arg(i)), i >= 8) << name << i;
    }
}

TEST_F(CameraDisplay, TheIndexFieldMovesToTheTypedCameraOrSaysWhatToEnter)
{
    startWithExample();
    const struct { const char* typed; int camera; bool refused; } cases[] = {
        {"5", 5, false},  {"0", 1, false},  {"12", 12, false},  {"200", 12, false}, {"2.5", 2, false},
        {"3.5", 4, false}, {" +7 ", 7, false}, {"1e1", 10, false}, {"abc", 10, true},  {"", 10, true},
        {"-3", 10, true}, {"256", 10, true}, {"1.000,5", 10, true}, {"255.5", 10, true}};
    for (const auto& c : cases) {
        statuses.clear();
        type("txtCurrentTV1Cam", c.typed);
        EXPECT_EQ(text("txtCurrentTV1Cam"), QString::number(c.camera)) << c.typed;
        EXPECT_EQ(selector("TV1")->value(), c.camera) << c.typed;
        EXPECT_EQ(statuses, c.refused ? QStringList{"Enter a number between 1 and 12. Ready."} : QStringList{}) << c.typed;
    }

    restart(camFile("full.cam", CamDocument(255, 1)));
    type("txtCurrentTV1Cam", "255");
    EXPECT_EQ(selector("TV1")->value(), 255);
    EXPECT_EQ(text("txtTV1CamData_0"), "25500");
}

TEST_F(CameraDisplay, TheCountFieldRefusesEdits)
{
    startWithExample();
    type("txtTotalTV1Cams", "13");
    EXPECT_EQ(text("txtTotalTV1Cams"), "12");
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(status(), "This value is not editable. Ready.");
}

TEST_F(CameraDisplay, AClickOnTheLapStripOrAnArrowKeyShowsThatCamera)
{
    CameraDocument doc = CamDocument(2, 3);
    doc.tv2.camera(3).value(1).setFloat(1000.0F);  // the lap: 0 to 1000 m, TV2 camera 2 from 200 m to its end
    restart(camFile("lap.cam", doc));
    window->show();
    auto* strip = find<QWidget>("lapStrip");
    // The TV2 band is the strip's middle row.
    QTest::mouseClick(strip, Qt::LeftButton, {}, QPoint(strip->width() * 6 / 10, strip->height() / 2));
    EXPECT_EQ(find<QTabWidget>("sstCamData")->currentIndex(), 1);
    EXPECT_EQ(text("txtCurrentTV2Cam"), "2");
    EXPECT_EQ(strip->accessibleDescription(),
              "TV2 camera 2 of 3, fixed. Distance 200 m. Change-over position 200 m. Covers 200 m to the s/f-line.");
    // The shown set's name in the text colour, the other's dimmed; TV1's band is above TV2's.
    const int tv1Middle = strip->height() * 27 / 100;
    EXPECT_LT(darkestName(strip, strip->height() / 2), 60);
    EXPECT_GT(darkestName(strip, tv1Middle), 90);

    QTest::keyClick(strip, Qt::Key_Left);
    EXPECT_EQ(text("txtCurrentTV2Cam"), "1");
    QTest::keyClick(strip, Qt::Key_Up);
    EXPECT_EQ(find<QTabWidget>("sstCamData")->currentIndex(), 0);
    EXPECT_LT(darkestName(strip, tv1Middle), 60);
    EXPECT_GT(darkestName(strip, strip->height() / 2), 90);
}

TEST_F(CameraDisplay, TheChecksFollowEveryEditAndLeadToTheCamera)
{
    restart(camFile("checks.cam", CamDocument(3, 2)));
    window->show();
    auto* tabs = find<QTabWidget>("sstCamData");
    auto* list = find<QListWidget>("lstChecks");
    type("txtTV1CamData_3", "150");
    type("txtTV1CamData_0", "250");  // the change-over position stays where it is
    ASSERT_EQ(tabs->tabText(3), "Checks (2)");
    EXPECT_EQ(list->item(1)->text(), "TV1 camera 2: #1 distance 200 m is not beyond camera 1's 250 m");
    tabs->setCurrentIndex(3);
    list->setCurrentRow(1);
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(text("txtCurrentTV1Cam"), "2");
    EXPECT_EQ(window->focusWidget(), find<QWidget>("txtTV1CamData_0"));
    selector("TV1")->setValue(1);
    type("txtTV1CamData_0", "100");
    type("txtTV1CamData_3", "0");
    EXPECT_EQ(tabs->tabText(3), "Checks (0)");
    EXPECT_EQ(list->item(0)->text(), "No problems found.");
}

} // namespace
} // namespace vp::test
