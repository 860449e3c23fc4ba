// Typing and stepping camera values in the main window: bounds, non-numbers, the change-over point,
// the pit-lane echo and spinner steps. The rules in detail are left to the plain editing tests.

#include "MainWindowFixture.h"

namespace vp::test {
namespace {

class ValueEditingWindow : public MainWindowTest {
protected:
    void SetUp() override { restart(camFile("cams.cam", CamDocument(3, 2))); }

    TvCameraRecord& tv1(int k) { return window->document().tv1.camera(k); }
    void clickUp(const QString& spinner) { QTest::mouseClick(find<SpinButton>(spinner), Qt::LeftButton, {}, {8, 3}); }
};

TEST_F(ValueEditingWindow, ATypedValueIsStoredAsShownARefusalBeepsAndRestoresFieldAndBits)
{
    const struct { const char* field; const char* typed; bool refused; const char* shown; float stored; int spinner; } cases[] = {
        {"txtTV1CamData_8", "360", false, "360", 6.2831855F, 360},  // bounds are inclusive
        {"txtTV1CamData_0", "50000.01", true, "100", 100.0F, 100000}, {"txtTV1CamData_1", "abc", true, "0", 0.0F, 0},
        {"txtPitlaneCamData_3", "10.4", false, "10", 0.17453292F, 10},  // the spinner echoes the stored value
        {"txtPitlaneCamData_0", "12.3456", false, "12.346", 12.346F, 12346},
        {"txtPitlaneCamData_0", "50000.5", true, "12.346", 12.346F, 12346},
    };
    for (const auto& c : cases) {
        const QString name = c.field;
        const bool pit = name.startsWith("txtPit");
        const int field = name.section('_', 1).toInt();
        const bool modified = window->isModified();
        desktop.beeps = 0;
        statuses.clear();
        type(name, c.typed);
        const ValueSlot& stored = pit ? window->document().pit.value(field + 1) : tv1(1).value(field + 1);
        EXPECT_EQ(text(name), c.shown) << c.typed;
        EXPECT_EQ(stored.asFloat(), c.stored) << c.typed;
        EXPECT_EQ(find<SpinButton>(QStringLiteral("UpDownValue%1_%2").arg(pit ? "Pit" : "TV1").arg(field))->value(), c.spinner);
        EXPECT_EQ(desktop.beeps, c.refused ? 1 : 0) << c.typed;
        EXPECT_EQ(statuses, c.refused ? QStringList{"What do you mean? Ready."} : QStringList{}) << c.typed;
        EXPECT_EQ(window->isModified(), modified || !c.refused) << c.typed;
    }
}

TEST_F(ValueEditingWindow, PassingThroughFieldsStoresNothingAndTheFileIsSavedAsLoaded)
{
    CameraDocument doc = CamDocument(2, 1);
    doc.tv1.camera(1).value(9).setFloat(0.790634F); // 45.3 degrees, shown as 45
    doc.pit.value(1).setFloat(123.4567F);
    const std::string path = camFile("exact.cam", doc);
    restart(path);
    for (const char* name : {"txtTV1CamData_8", "txtPitlaneCamData_0", "txtCurrentTV1Cam", "txtTotalTV1Cams"})
        pass(name);
    EXPECT_FALSE(window->isModified());
    clickWithFile("cmdSaveCAMFile", folder.file("resaved.cam"));
    EXPECT_EQ(readBytes(folder.file("resaved.cam")), readBytes(path));
}

TEST_F(ValueEditingWindow, SpinnerStepsStartFromTheShownValueOfTheShownCameraAndMarkTheDataUnsaved)
{
    type("txtTV1CamData_8", "12.4");
    window->options().askBeforeOverwrite = false;
    clickWithFile("cmdSaveCAMFile", folder.file("saved.cam"));
    ASSERT_FALSE(window->isModified());

    clickUp("UpDownValueTV1_8");
    EXPECT_EQ(tv1(1).value(9).asFloat(), 0.226892799F) << "13 degrees";
    EXPECT_EQ(text("txtTV1CamData_8"), "13");
    EXPECT_TRUE(window->isModified());
    clickUp("UpDownValueTV1_0");
    EXPECT_EQ(tv1(1).value(1).asFloat(), 101.0F) << "the loaded 100 m plus one step";

    selector("TV1")->setValue(3);
    clickUp("UpDownValueTV1_2");
    EXPECT_EQ(tv1(3).value(3).asFloat(), 1.0F);
    EXPECT_EQ(tv1(1).value(3).asFloat(), 0.0F);
    clickUp("UpDownValueTV2_1");
    EXPECT_EQ(window->document().tv2.camera(1).value(2).asFloat(), 1.0F);
}

} // namespace
} // namespace vp::test
