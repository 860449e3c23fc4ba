// Typing and stepping camera values in the main window: bounds, non-numbers, the change-over point,
// the pit-lane echo and spinner steps. The rules in detail are left to the plain editing tests.

#include "MainWindowFixture.h"

#include "widgets/SpinButton.h"

#include <QLocale>
#include <QTest>
#include <QToolButton>

namespace vp::test {
namespace {

class ValueEditingWindow : public MainWindowTest {
protected:
    ~ValueEditingWindow() override { QLocale::setDefault(QLocale::c()); }

    void SetUp() override { restart(camFile("cams.cam", CamDocument(3, 2))); }

    TvCameraRecord& tv1(int k) { return window->document().tv1.camera(k); }
    PitCameraRecord& pit() { return window->document().pit; }
    void clickUp(const QString& spinner) { QTest::mouseClick(find<SpinButton>(spinner)->upButton(), Qt::LeftButton); }

    // Types into a TV1 field of camera 1 and tells whether it was accepted: a refusal beeps, says so,
    // restores the bits and shows the stored value again.
    bool accepts(int field, const QString& typed)
    {
        const QString name = QStringLiteral("txtTV1CamData_%1").arg(field);
        const ValueSlot before = tv1(1).value(field + 1);
        const QString shown = text(name);
        const bool modified = window->isModified();
        desktop.beeps = 0;
        statuses.clear();
        type(name, typed);
        if (desktop.beeps == 0) {
            EXPECT_TRUE(window->isModified());
            return true;
        }
        EXPECT_EQ(statuses, QStringList{"What do you mean? Ready."});
        EXPECT_EQ(tv1(1).value(field + 1), before) << typed.toStdString();
        EXPECT_EQ(text(name), shown);
        EXPECT_EQ(window->isModified(), modified);
        return false;
    }
};

TEST_F(ValueEditingWindow, BoundsAreInclusiveAndNonNumbersAreRefusedLikeOutOfRangeNumbers)
{
    EXPECT_TRUE(accepts(8, "360"));
    EXPECT_EQ(text("txtTV1CamData_8"), "360");
    for (const auto& [field, typed] : std::initializer_list<std::pair<int, const char*>>{{0, "50000.01"}, {1, "abc"}})
        EXPECT_FALSE(accepts(field, typed)) << typed;

    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_TRUE(accepts(1, "-12,5"));
    EXPECT_EQ(text("txtTV1CamData_1"), "-12,5");
}

TEST_F(ValueEditingWindow, PassingThroughFieldsStoresNothingAndTheFileIsSavedAsLoaded)
{
    CameraDocument doc = CamDocument(2, 1);
    doc.tv1.camera(1).value(9).setFloat(0.790634F); // 45.3 degrees, shown as 45
    doc.tv2.camera(1).value(1).setFloat(1234.5677F);
    doc.tv2.camera(1).value(4).setFloat(20.0F);
    doc.pit.value(1).setFloat(123.4567F);
    doc.pit.value(4).setFloat(0.12345F); // shown as 7.073 degrees
    const std::string path = camFile("exact.cam", doc);
    restart(path);
    for (const char* name : {"txtTV1CamData_8", "txtTV2CamData_0", "txtPitlaneCamData_0", "txtPitlaneCamData_3",
                             "txtCurrentTV1Cam", "txtTotalTV1Cams"})
        pass(name);
    EXPECT_EQ(desktop.beeps, 0);
    EXPECT_TRUE(statuses.isEmpty());
    EXPECT_FALSE(window->isModified());
    desktop.dialogAnswers = {folder.file("resaved.cam")};
    click("cmdSaveCAMFile");
    EXPECT_EQ(readBytes(folder.file("resaved.cam")), readBytes(path));

    type("txtTV1CamData_8", "45");
    EXPECT_EQ(tv1(1).value(9).asFloat(), 0.785398185F) << "typed over, the field's text is taken";
    EXPECT_TRUE(window->isModified());
}

TEST_F(ValueEditingWindow, SpinnerStepsStartFromTheShownValueOfTheShownCameraAndMarkTheDataUnsaved)
{
    type("txtTV1CamData_8", "12.4");
    window->options().askBeforeOverwrite = false;
    desktop.dialogAnswers = {folder.file("saved.cam")};
    click("cmdSaveCAMFile");
    ASSERT_FALSE(window->isModified());

    clickUp("UpDownValueTV1_8");
    EXPECT_EQ(tv1(1).value(9).asFloat(), 0.226892799F) << "13 degrees";
    EXPECT_EQ(text("txtTV1CamData_8"), "13");
    EXPECT_TRUE(window->isModified());
    clickUp("UpDownValueTV1_0");
    EXPECT_EQ(tv1(1).value(1).asFloat(), 101.0F) << "the loaded 100 m plus one step";

    find<SpinButton>("UpDownTV1")->setValue(3);
    clickUp("UpDownValueTV1_2");
    EXPECT_EQ(tv1(3).value(3).asFloat(), 1.0F);
    EXPECT_EQ(tv1(1).value(3).asFloat(), 0.0F);
    clickUp("UpDownValueTV2_1");
    EXPECT_EQ(window->document().tv2.camera(1).value(2).asFloat(), 1.0F);
}

TEST_F(ValueEditingWindow, PitLaneCommitsAreEchoedByTheirSpinnerAndRefusalsRestore)
{
    type("txtPitlaneCamData_3", "10.4");
    EXPECT_EQ(pit().value(4).asFloat(), 0.17453292F) << "10 degrees";
    EXPECT_EQ(text("txtPitlaneCamData_3"), "10");
    EXPECT_EQ(find<SpinButton>("UpDownValuePit_3")->value(), 10);
    type("txtPitlaneCamData_0", "12.3456");
    EXPECT_EQ(pit().value(1).asFloat(), 12.346F);
    EXPECT_EQ(text("txtPitlaneCamData_0"), "12.346");
    EXPECT_TRUE(window->isModified());
    EXPECT_EQ(desktop.beeps, 0);

    type("txtPitlaneCamData_0", "50000.5");
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(status(), "What do you mean? Ready.");
    EXPECT_EQ(pit().value(1).asFloat(), 12.346F);
    EXPECT_EQ(text("txtPitlaneCamData_0"), "12.346");
    EXPECT_EQ(find<SpinButton>("UpDownValuePit_0")->value(), 12346);
}

} // namespace
} // namespace vp::test
