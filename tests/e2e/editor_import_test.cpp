// Import mode as a user meets it: a second settings file chosen in the open dialog, the
// vehicle block taken from it and applied, or the whole routing section taken over.
#include "editor/operations/restore_command.h"
#include "tests/e2e/scenario.h"
#include "tests/e2e/settings_texts.h"
#include "tests/win_support/on_screen.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace e2e {
namespace {

constexpr const char* kImportAllCaption =
    "Alle Routingoptionen für alle Fahrzeuge und Routen  importieren";
constexpr const char* kImportWarning =
    "!!!Achtung!!!\r\nAlle Settings für alle Fahrzeuge und Routen werden übernommen\r\n"
    "Alle anderen Einstellung der ApplicationSettings.xml bleiben erhalten";

class EditorImport : public Scenario {
  protected:
    void SetUp() override {
        Scenario::SetUp();
        second = placeSettings("Zweites Navi.xml", secondSettingsFile());
    }

    // Once the editor shows the settings file: switches to Extended and on to import mode, and
    // chooses the second file as the import file.
    void openImportMode(const Program& program, EditorWindow& editor) {
        editor = loadedEditor(program);
        ASSERT_NE(editor.handle(), nullptr);
        click(editor.levelButton());
        ASSERT_TRUE(showsSoon(editor.levelButton(), "Extended"));
        for (int mode = 0; mode < 3; ++mode) {
            click(editor.modeBar());
            ASSERT_TRUE(showsSoon(editor.modeBar(), EditorWindow::kModeCaptions[mode]));
        }
        click(editor.button("Importdatei"));
        ASSERT_TRUE(
            chooseFileInOpenDialog(program.processId(), EditorWindow::kOpenDialogTitle, second));
        // The choice replays the modes up to import mode and loads again.
        ASSERT_TRUE(showsSoon(editor.importCaption(), second));
        ASSERT_TRUE(showsSoon(editor.modeBar(), EditorWindow::kModeCaptions[2]));
        EXPECT_EQ(editorValue("importpfad"), second);
        EXPECT_EQ(editorValue("pfad"), quoted(settings));
    }

    std::string second;
};

TEST_F(EditorImport, TakesTheVehicleBlockFromASecondFileAndAppliesIt) {
    Program program(marlwick(), quoted(settings));
    EditorWindow editor(nullptr);
    ASSERT_NO_FATAL_FAILURE(openImportMode(program, editor));
    // Both blocks come from the target until a title is clicked.
    EXPECT_TRUE(editor.showsListSoon(20, 8, "50|50|50|50|40|30|20|10"));

    click(editor.vehicleTitle());
    EXPECT_TRUE(editor.showsListSoon(20, 8, "55|55|52|50|40|30|20|10")) << editor.valueList(20, 8);
    EXPECT_EQ(editor.valueList(28, 8), "140|120|100|90|80|60|30|15");
    EXPECT_EQ(editor.valueList(16, 4), "1|1|0|1");
    EXPECT_EQ(editor.valueList(0, 8), "1.25|1.15|1.1|1.0|0.95|0.9|0.8|0.7");
    EXPECT_TRUE(IsWindowEnabled(editor.valueBox(0)));
    // The route block stays the target's.
    EXPECT_EQ(editor.valueList(36, 8), "1.0|1.0|1.0|1.0|1.0|1.0|1.0|1.0");
    EXPECT_FALSE(IsWindowEnabled(editor.valueBox(36)));

    const FILETIME original = lastWriteTime(settings);
    click(editor.button("Änderungen Fahrzeug übernehmen"));
    const MessageBoxSeen asked =
        answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDYES);
    ASSERT_TRUE(asked.appeared);
    EXPECT_TRUE(asked.text.starts_with("Folgende Änderungen werden übernommen\r\n"
                                       "<Name>Car Fast</Name>"))
        << asked.text;
    EXPECT_NE(asked.text.find("<City>55|55|52|50|40|30|20|10</City>"), std::string::npos);
    EXPECT_EQ(bytesOnceRewritten(settings, original), withOtherCarFastVehicle(sampleSettings()));
    EXPECT_EQ(readFile(second), secondSettingsFile());

    EXPECT_EQ(closeAndWait(program, editor), 0u);
}

TEST_F(EditorImport, TakesOverTheWholeRoutingSectionAfterTheWarning) {
    Program program(marlwick(), quoted(settings));
    EditorWindow editor(nullptr);
    ASSERT_NO_FATAL_FAILURE(openImportMode(program, editor));
    const HWND importAll = editor.button(kImportAllCaption);
    ASSERT_NE(importAll, nullptr);

    // Answered No: nothing is written.
    const FILETIME before = lastWriteTime(settings);
    click(importAll);
    MessageBoxSeen asked =
        answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDNO);
    ASSERT_TRUE(asked.appeared);
    EXPECT_EQ(asked.text, kImportWarning);
    ASSERT_TRUE(wintest::handledSoFar(editor.handle())); // the click, answered No, is done with
    EXPECT_EQ(readFile(settings), sampleSettings());
    const FILETIME after = lastWriteTime(settings);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);

    // Answered Yes: only what lies between the routing tags changes.
    click(importAll);
    asked = answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDYES);
    ASSERT_TRUE(asked.appeared);
    const std::string expected =
        withRoutingSection(sampleSettings(), routingSectionOf(secondSettingsFile()));
    const std::string written = bytesOnceRewritten(settings, before);
    EXPECT_EQ(written, expected);
    EXPECT_NE(written.find("<Language>Deutsch</Language>"), std::string::npos);
    // The grid is loaded again, from the target with its new section.
    EXPECT_TRUE(editor.showsListSoon(20, 8, "55|55|52|50|40|30|20|10")) << editor.valueList(20, 8);
    EXPECT_EQ(editor.valueList(36, 8), "1.1|1.0|1.0|1.0|1.0|1.0|1.0|1.0");

    EXPECT_EQ(closeAndWait(program, editor), 0u);
}

// The paths of the editor's backups.
std::vector<std::string> backupsSoFar() {
    const std::string folder = std::string(getenv("LOCALAPPDATA")) + "\\Marlwick\\Sicherungen";
    std::vector<std::string> paths;
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA((folder + "\\*.xml").c_str(), &found);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = FindNextFileA(find, &found))
        paths.push_back(joinPath(folder, found.cFileName));
    if (find != INVALID_HANDLE_VALUE)
        FindClose(find);
    return paths;
}

TEST_F(EditorImport, AWriteIsUndoneByImportingItsBackup) {
    Program program(marlwick(), quoted(settings));
    EditorWindow editor(nullptr);
    ASSERT_NO_FATAL_FAILURE(openImportMode(program, editor));
    click(editor.vehicleTitle());
    ASSERT_TRUE(editor.showsListSoon(20, 8, "55|55|52|50|40|30|20|10"));
    FILETIME before = lastWriteTime(settings);
    click(editor.button("Änderungen Fahrzeug übernehmen"));
    ASSERT_TRUE(
        answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDYES).appeared);
    ASSERT_EQ(bytesOnceRewritten(settings, before), withOtherCarFastVehicle(sampleSettings()));
    const std::vector<std::string> written = backupsSoFar();
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(readFile(written[0]), sampleSettings());

    click(editor.button("Importdatei"));
    ASSERT_TRUE(
        chooseFileInOpenDialog(program.processId(), EditorWindow::kOpenDialogTitle, written[0]));
    ASSERT_TRUE(showsSoon(editor.importCaption(), written[0]));
    before = lastWriteTime(settings);
    click(editor.button(kImportAllCaption));
    ASSERT_TRUE(
        answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDYES).appeared);
    EXPECT_EQ(bytesOnceRewritten(settings, before), sampleSettings());
    // Going back kept the written file too.
    const std::vector<std::string> kept = backupsSoFar();
    ASSERT_EQ(kept.size(), 2u);
    const std::string ofTheWrite =
        *std::ranges::find_if(kept, [&](const std::string& path) { return path != written[0]; });

    // The other way back, in one step from the system menu: the write comes back whole, and
    // the vehicle block, taken from the target since the import file was chosen, shows it.
    ASSERT_FALSE(IsWindowEnabled(editor.valueBox(0)));
    ASSERT_TRUE(editor.showsListSoon(20, 8, "50|50|50|50|40|30|20|10"));
    before = lastWriteTime(settings);
    PostMessageA(editor.handle(), WM_SYSCOMMAND, marlwick::kRestoreMenuCommand, 0);
    ASSERT_TRUE(chooseFileInOpenDialog(program.processId(), marlwick::kRestoreDialogTitle.data(),
                                       ofTheWrite));
    const MessageBoxSeen asked =
        answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDYES);
    ASSERT_TRUE(asked.appeared);
    EXPECT_NE(asked.text.find(ofTheWrite), std::string::npos) << asked.text;
    EXPECT_EQ(bytesOnceRewritten(settings, before), withOtherCarFastVehicle(sampleSettings()));
    EXPECT_TRUE(editor.showsListSoon(20, 8, "55|55|52|50|40|30|20|10")) << editor.valueList(20, 8);
    EXPECT_EQ(backupsSoFar().size(), 3u);

    EXPECT_EQ(closeAndWait(program, editor), 0u);
}

} // namespace
} // namespace e2e
