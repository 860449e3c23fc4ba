// Load and Save through the main window's buttons, and a file named on the command line.

#include "MainWindowFixture.h"

#include <tuple>

namespace vp::test {
namespace {

class LoadSave : public MainWindowTest {
protected:
    void makeUnsaved() { find<QCheckBox>("chkTV2CamFixed")->click(); ASSERT_TRUE(window->isModified()); }
};

TEST_F(LoadSave, LoadReportsEveryStepThenShowsCameraOneOfEachSet)
{
    std::filesystem::create_directory(folder.file("tracks"));
    const CameraDocument doc = CamDocument(3, 2);
    const std::string path = camFile("tracks/monza.cam", doc);
    restart();
    clickWithFile("cmdLoadCAMFile", path);
    const FileDialogSpec& dialog = desktop.dialogs.at(0);
    EXPECT_EQ(std::tuple(dialog.mode, dialog.title, dialog.filter, dialog.folder),
              std::tuple(FileDialogMode::Open, "Vantapoint: Load&Save", "GPL-camera-files (*.cam)|*.cam|All Files (*.*)|*.*", folder.path()));
    EXPECT_EQ(statuses, (QStringList{"Reading CAMFile-Header...", "Reading number of TV1-cams...",
                                     "Reading data of TV1-cam # 1...", "Reading data of TV1-cam # 2...",
                                     "Reading data of TV1-cam # 3...", "Reading number of TV2-cams...",
                                     "Reading data of TV2-cam # 1...", "Reading data of TV2-cam # 2...",
                                     "Reading data of Pitlane-cam...", "File loaded, data read. Ready."}));
    EXPECT_EQ(window->document(), doc);
    EXPECT_EQ(text("txtTV1CamData_0"), "100");
    EXPECT_FALSE(window->isModified()) << "fixed first cameras, as shown before: nothing unsaved";
    click("cmdLoadCAMFile");
    EXPECT_EQ(desktop.dialogs.back().folder, folderOf(path)) << "the next dialog opens in the file's folder";
}

TEST_F(LoadSave, AnUnexpectedErrorIsShownAndTheProgramGoesOn)
{
    restart().show();
    makeUnsaved();
    clickWithFile("cmdLoadCAMFile", folder.file("no-such-folder/track.cam"));
    EXPECT_EQ(state(), "Load aborted. Ready. | unsaved | Vantapoint: Safety request: There is unsaved data in memory. "
                       "Really load? | Runtime-Error!: Path not found - 76");
    clickWithFile("cmdSaveCAMFile", folder.file("no-such-folder/track.cam"));
    EXPECT_EQ(state(), "Save aborted. Ready. | unsaved | Runtime-Error!: Path not found - 76");
    EXPECT_TRUE(window->isVisible());
}

TEST_F(LoadSave, LoadAsksBeforeReplacingUnsavedData)
{
    const std::string path = camFile("other.cam", CamDocument(2, 2));
    const std::string question = " | Vantapoint: Safety request: There is unsaved data in memory. Really load?";
    restart();
    click("cmdLoadCAMFile");
    EXPECT_EQ(state(), "Cancel pressed. Load aborted. Ready. | saved") << "nothing unsaved: no question";

    makeUnsaved();
    desktop.clearRecords();
    desktop.boxAnswers = {BoxAnswer::Cancel};
    click("cmdLoadCAMFile");
    EXPECT_EQ(desktop.boxes.at(0).buttons, BoxButtons::OkCancel);
    EXPECT_EQ(state(), "Cancel pressed. Load aborted. Ready. | unsaved" + question);
    EXPECT_TRUE(desktop.dialogs.empty());

    clickWithFile("cmdLoadCAMFile", path);
    EXPECT_EQ(state(), "File loaded, data read. Ready. | unsaved" + question) << "loading does not save anything";

    window->options().askBeforeLoad = false;
    click("cmdLoadCAMFile");
    EXPECT_EQ(state(), "Cancel pressed. Load aborted. Ready. | unsaved");
    EXPECT_EQ(desktop.dialogs.size(), 2U);
}

TEST_F(LoadSave, ADroppedCamFileIsLoadedAnythingElseRefused)
{
    const CameraDocument spa = CamDocument(3, 2);
    const std::string spaPath = camFile("Spa.cam", spa);
    const std::string upperPath = camFile("SPA2.CAM", spa);
    const std::string gonePath = folder.file("gone.cam");
    const std::vector<std::uint8_t> whole = camFileBytes(spa);
    const std::string shortPath = folder.file("short.cam");
    writeBytes(shortPath, {whole.begin(), whole.end() - 10});
    const QUrl spaUrl = QUrl::fromLocalFile(pathText(spaPath));
    const char* refused = "Drop one CAM file (*.cam) to load it. Ready.";
    // urls: none: plain text is dropped
    // onto: a field, or the window
    // unsaved: the question about unsaved data is answered Cancel
    // chosen: the file Load took, as if chosen in its dialog
    const struct { QList<QUrl> urls; const char* onto; bool unsaved; const char* status; const std::string* chosen; } cases[] = {
        {{spaUrl}, nullptr, false, "File loaded, data read. Ready.", &spaPath},
        {{QUrl::fromLocalFile(pathText(upperPath))}, "txtTV1CamData_0", false, "File loaded, data read. Ready.", &upperPath},
        {{spaUrl}, nullptr, true, "Cancel pressed. Load aborted. Ready.", nullptr},
        {{QUrl::fromLocalFile(pathText(gonePath))}, nullptr, false, "File not found. Load aborted. Ready.", &gonePath},
        {{QUrl::fromLocalFile(pathText(shortPath))}, nullptr, false, "File is incomplete. Load aborted. Ready.", &shortPath},
        {{spaUrl, QUrl::fromLocalFile(pathText(upperPath))}, nullptr, false, refused, nullptr},
        {{QUrl::fromLocalFile(pathText(folder.file("notes.txt")))}, "txtPitlaneCamData_0", false, refused, nullptr},
        {{QUrl(QStringLiteral("https://example.org/Spa.cam"))}, nullptr, false, refused, nullptr},
        {{}, nullptr, false, refused, nullptr},
    };
    for (const auto& c : cases) {
        restart();
        if (c.unsaved)
            makeUnsaved();
        desktop.boxAnswers = {BoxAnswer::Cancel};
        const CameraDocument before = window->document();
        QMimeData data;
        c.urls.isEmpty() ? data.setText(QStringLiteral("Spa.cam")) : data.setUrls(c.urls);
        const bool taken = drop(data, c.onto != nullptr ? find<QWidget>(c.onto) : nullptr);

        const QString what = c.urls.isEmpty() ? data.text() : data.urls().first().toString();
        EXPECT_EQ(status(), c.status) << what.toStdString();
        EXPECT_EQ(taken, c.chosen != nullptr) << what.toStdString();
        EXPECT_EQ(window->camFileName(), c.chosen != nullptr ? *c.chosen : "") << what.toStdString();
        const bool loaded = std::string(c.status) == "File loaded, data read. Ready.";
        EXPECT_EQ(window->document(), loaded ? spa : before) << what.toStdString();
        EXPECT_EQ(desktop.beeps, std::string(c.status) == refused ? 1 : 0) << what.toStdString();
        EXPECT_EQ(desktop.boxes.size(), c.unsaved ? 1U : 0U) << what.toStdString();
    }
    EXPECT_EQ(text("txtTV1CamData_0"), "0") << "no file name was typed into the field it fell on";
}

TEST_F(LoadSave, SaveWritesTheWholeDocumentAndReplacesAFileOnlyAfterOk)
{
    const std::vector<std::uint8_t> old = camFileBytes(CamDocument(5, 5));
    const std::string path = folder.file("old.cam");
    writeBytes(path, old);
    restart();
    makeUnsaved();
    clickWithFile("cmdSaveCAMFile", folder.file("new.cam"));
    EXPECT_EQ(state(), "File written. Ready. | saved");
    CameraDocument saved;
    EXPECT_FALSE(readCamFile(folder.file("new.cam"), saved));
    EXPECT_EQ(saved, window->document());

    makeUnsaved();
    desktop.boxAnswers = {BoxAnswer::Cancel};
    clickWithFile("cmdSaveCAMFile", path);
    EXPECT_EQ(state(), "Cancel pressed. Save aborted. Ready. | unsaved | Vantapoint: Safety request: File exists. Overwrite?");
    EXPECT_EQ(readBytes(path), old);
    clickWithFile("cmdSaveCAMFile", path);
    EXPECT_EQ(readBytes(path).size(), 184u) << "the longer old file leaves no tail";
}

TEST_F(LoadSave, TheTitleNamesTheFileInMemoryAndMarksUnsavedData)
{
    const auto save = [this](std::string path) { return [this, path] { clickWithFile("cmdSaveCAMFile", path); }; };
    const std::function<void()> edit = [this] { makeUnsaved(); };
    const std::pair<std::function<void()>, const char*> steps[] = {
        {[] {}, "Vantapoint V1.52"}, {edit, "Vantapoint V1.52*"},
        {save(folder.file("Monza.cam")), "Monza.cam - Vantapoint V1.52"}, {edit, "Monza.cam* - Vantapoint V1.52"},
        {[this] { clickWithFile("cmdLoadCAMFile", folder.file("missing.cam")); }, "Monza.cam* - Vantapoint V1.52"},
        {save(folder.file("a[*].cam")), "a[*].cam - Vantapoint V1.52"},
    };
    restart();
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].first();
        EXPECT_EQ(shownTitle(), steps[i].second) << "step " << i;
    }
    restart(camFile("Spa.cam", CamDocument(2, 2)));
    EXPECT_EQ(shownTitle(), "Spa.cam - Vantapoint V1.52") << "named on the command line";
}

} // namespace
} // namespace vp::test
