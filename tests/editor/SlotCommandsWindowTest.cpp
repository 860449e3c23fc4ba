// "Add Before", "Add Behind", "Remove" and "Assign to all" in the main window: what is shown after each,
// refusals and questions.

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

} // namespace
} // namespace vp::test
