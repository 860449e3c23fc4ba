// "Add Before", "Add Behind", "Remove" and "Assign to all" in the main window: what is shown after each,
// refusals, questions, and a whole session compared byte for byte.

#include "MainWindowFixture.h"

namespace vp::test {
namespace {

class SlotCommandsWindow : public MainWindowTest {
protected:
    void load(const CameraDocument& doc)
    {
        restart(camFile("set.cam", doc));
        window->options().askBeforeOverwrite = false;
        desktop.clearRecords();
    }
};

TEST_F(SlotCommandsWindow, RemoveAsksFirstAndCancelChangesNothing)
{
    load(CamDocument(1, 1));
    click("cmdRemoveTV1");
    EXPECT_EQ(desktop.beeps, 1);
    EXPECT_EQ(state(), "Sorry, no more TV1-cameras there to delete. Ready. | saved") << "no question before a refusal";

    const std::string question = " | Vantapoint: Safety request: This will remove the currently shown camera from the "
                                 "TV1-set. Undo is NOT possible. Continue?";
    load(CamDocument(5, 1));
    selector("TV1")->setValue(3);
    desktop.boxAnswers = {BoxAnswer::Cancel};
    const CameraDocument before = window->document();
    click("cmdRemoveTV1");
    EXPECT_EQ(desktop.boxes.at(0).buttons, BoxButtons::OkCancel);
    EXPECT_EQ(state(), "Action canceled by user. Ready. | saved" + question);
    EXPECT_EQ(window->document(), before);

    click("cmdRemoveTV1"); // answered OK
    EXPECT_EQ(text("txtTotalTV1Cams"), "4");
    EXPECT_EQ(text("txtTV1CamData_0"), "400") << "the camera that followed the removed one";
    EXPECT_EQ(state(), "Action canceled by user. Ready. | unsaved" + question) << "a removal writes no status";

    window->options().askBeforeRemove = false;
    click("cmdRemoveTV1");
    EXPECT_EQ(state(), "Action canceled by user. Ready. | unsaved");
    EXPECT_EQ(text("txtTotalTV1Cams"), "3");
}

TEST_F(SlotCommandsWindow, AssignToAllCopiesTheModeAfterItsQuestion)
{
    CameraDocument doc = CamDocument(3, 1);
    doc.tv1.camera(2).value(5).setInt(0);
    load(doc);
    const std::string question = " | Vantapoint: Safety request: This will overwrite the same value of all other cameras "
                                 "in the TV1-set. Undo is NOT possible. Continue?";
    desktop.boxAnswers = {BoxAnswer::Cancel};
    click("cmdAssignToAllTV1_4");
    EXPECT_EQ(state(), "Action canceled by user. Ready. | saved" + question);
    EXPECT_EQ(window->document(), doc);

    click("cmdAssignToAllTV1_4");
    for (int k = 1; k <= 3; ++k)
        EXPECT_EQ(window->document().tv1.camera(k).value(5), ValueSlot::fromInt(1)) << k;
    EXPECT_EQ(state(), "Values copied.Ready. | unsaved" + question);

    window->options().askBeforeAssignToAll = false;
    click("cmdAssignToAllTV2_0");
    EXPECT_EQ(state(), "Values copied.Ready. | unsaved");
}

TEST_F(SlotCommandsWindow, AnEmptySetOffersOnlyInsertionWhichGivesItCameraOne)
{
    load(CamDocument(0, 1));
    EXPECT_EQ(text("txtCurrentTV1Cam"), "0");
    for (const QString name : {"txtTV1CamData_0", "UpDownValueTV1_0", "txtTV1CamData_8", "chkTV1CamFixed",
                               "cmdRemoveTV1", "cmdAssignToAllTV1_0", "UpDownTV1"})
        EXPECT_FALSE(enabled(name)) << name.toStdString();
    EXPECT_TRUE(enabled("txtTV2CamData_0"));

    click("cmdAddTV1Before");
    EXPECT_EQ(text("txtCurrentTV1Cam"), "1");
    EXPECT_EQ(text("txtTV1CamData_0"), "0");
    EXPECT_EQ(window->document().tv1.camera(1).value(12), window->options().defaultValues[11]);
    for (const QString name : {"txtTV1CamData_0", "txtTV1CamData_8", "cmdRemoveTV1"})
        EXPECT_TRUE(enabled(name)) << name.toStdString();
    EXPECT_FALSE(enabled("txtTV1CamData_5"));
}

TEST_F(SlotCommandsWindow, AWholeSessionSavesExactlyTheEditedDocument)
{
    CameraDocument original = CamDocument(3, 2);
    for (CamSet set : {CamSet::TV1, CamSet::TV2}) {
        for (int k = 1; k <= original.set(set).count(); ++k) {
            original.set(set).camera(k).value(2).setFloat(static_cast<float>(k) / 4);
            original.set(set).camera(k).value(13) = ValueSlot::fromBits(0xA000 + static_cast<std::uint32_t>(k));
            original.set(set).camera(k).value(14) = ValueSlot::fromBits(0xB000 + static_cast<std::uint32_t>(k));
        }
    }
    original.pit.value(11) = ValueSlot::fromBits(0x7F800001);
    load(original);

    type("txtTV1CamData_0", "150");
    selector("TV1")->setValue(2);
    click("cmdAddTV1Behind");
    type("txtTV1CamData_8", "90");
    click("cmdRemoveTV2");
    type("txtPitlaneCamData_0", "12.3456");
    desktop.dialogAnswers = {folder.file("saved.cam")};
    click("cmdSaveCAMFile");
    const std::vector<std::uint8_t> bytes = readBytes(folder.file("saved.cam"));

    CameraDocument expected = original;
    expected.header[8] = 0x54; // 60 + 56 * 5 = 340
    expected.header[9] = 0x01;
    expected.tv1.camera(1).value(1).setFloat(150);
    expected.tv1.camera(1).value(4).setFloat(-50);
    TvCameraRecord added = original.tv1.camera(3); // keeps the #13/#14 pair of the camera that followed
    added.value(1).setFloat(250);
    // The default values #2 to #12 (bits of the configuration written at the first start), then the typed yaw.
    const std::uint32_t defaults[] = {0, 0x40000000, 0, 1, 0x3DCCCCCD, 0x3DCCCCCD, 0x3DCCCCCD, 0, 0, 0, 0x3FC90FDB};
    for (int k = 2; k <= 12; ++k)
        added.value(k) = ValueSlot::fromBits(defaults[k - 2]);
    added.value(9).setFloat(1.57079637F);
    expected.tv1.camera(3) = added;
    expected.tv1.camera(4) = original.tv1.camera(3);
    expected.tv1.setCount(4);
    expected.tv2.camera(1) = original.tv2.camera(2);
    expected.tv2.setCount(1);
    expected.pit.value(1).setFloat(12.346F);
    EXPECT_EQ(bytes, camFileBytes(expected));
}

} // namespace
} // namespace vp::test
