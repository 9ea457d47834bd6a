// The editor's first run on a new machine, and the choice of vehicle and route that the next
// run brings back, also after a file choice given up.
#include "tests/e2e/scenario.h"

namespace e2e {
namespace {

constexpr const char* kCarFastSpeedsInTowns = "50|50|50|50|40|30|20|10";
constexpr const char* kCarFastSpeedsOutside = "130|110|100|90|80|60|30|15";
constexpr const char* kCarFastFactorsInTowns = "1.2|1.15|1.1|1.0|0.95|0.9|0.8|0.7";
constexpr const char* kCarFastFactorsOutside = "1.3|1.2|1.1|1.0|0.9|0.85|0.7|0.6";
constexpr const char* kCarFastSpecials = "0|1|0|1";
constexpr const char* kFastestFactors = "1.0|1.0|1.0|1.0|1.0|1.0|1.0|1.0";

// The routing speeds of the row: the texts of eight Text3 boxes joined by "|".
std::string speedRow(const EditorWindow& editor, int first) {
    std::string row;
    for (int box = first; box < first + 8; ++box)
        row += (box == first ? "" : "|") + textOf(editor.speedBox(box));
    return row;
}

using EditorFirstRun = Scenario;

TEST_F(EditorFirstRun, AsksForTheFileAndShowsCarFastAndFastest) {
    Program program(marlwick(), "");

    // Nothing is stored yet: the editor asks for the file before it shows its window.
    ASSERT_TRUE(
        chooseFileInOpenDialog(program.processId(), EditorWindow::kOpenDialogTitle, settings));
    const EditorWindow editor = EditorWindow::find(program);
    ASSERT_NE(editor.handle(), nullptr);

    EXPECT_TRUE(showsSoon(editor.vehicleTitle(), "PKW sch."));
    EXPECT_EQ(textOf(editor.routeTitle()), "Schnelle");
    EXPECT_TRUE(editor.showsListSoon(0, 8, kCarFastFactorsInTowns)) << editor.valueList(0, 8);
    EXPECT_EQ(editor.valueList(8, 8), kCarFastFactorsOutside);
    EXPECT_EQ(editor.valueList(16, 4), kCarFastSpecials);
    EXPECT_EQ(editor.valueList(20, 8), kCarFastSpeedsInTowns);
    EXPECT_EQ(editor.valueList(28, 8), kCarFastSpeedsOutside);
    EXPECT_EQ(editor.valueList(36, 8), kFastestFactors);
    EXPECT_EQ(editor.valueList(44, 8), kFastestFactors);
    EXPECT_EQ(editor.valueList(52, 4), "0|0|0|0");
    EXPECT_EQ(textOf(editor.valueBox(56)), "0.0");
    // Speed times both preference factors, with the German decimal comma.
    EXPECT_EQ(speedRow(editor, 0), "60|57,5|55|50|38|27|16|7");
    EXPECT_EQ(speedRow(editor, 8), "169|132|110|90|72|51|21|9");
    EXPECT_EQ(textOf(editor.targetCaption()), settings);
    // Start-up shows the route look until the mode bar is used: only the route block is open.
    EXPECT_FALSE(IsWindowEnabled(editor.valueBox(0)));
    EXPECT_TRUE(IsWindowEnabled(editor.valueBox(36)));

    const auto path = storedValue(kEditorKey, "pfad");
    ASSERT_TRUE(path.has_value());
    EXPECT_EQ(path->data, settings);
    EXPECT_EQ(path->type, static_cast<DWORD>(REG_EXPAND_SZ));
    for (const char* unwritten : {"importpfad", "klick", "user", "fahrzeug", "route"})
        EXPECT_FALSE(storedValue(kEditorKey, unwritten).has_value()) << unwritten;
    // The file was only read.
    EXPECT_EQ(readFile(settings), sampleSettings());

    EXPECT_EQ(closeAndWait(program, editor), 0u);
}

TEST_F(EditorFirstRun, TheChosenVehicleAndRouteComeBackAtTheNextStart) {
    {
        // The first start from a shortcut that names the file.
        Program program(marlwick(), quoted(settings));
        const EditorWindow editor = loadedEditor(program);
        ASSERT_NE(editor.handle(), nullptr);
        EXPECT_TRUE(showsSoon(editor.valueBox(0), "1.2"));

        click(editor.button("LKW"));
        EXPECT_TRUE(showsSoon(editor.vehicleTitle(), "LKW"));
        EXPECT_TRUE(editor.showsListSoon(20, 8, "45|45|45|40|35|25|15|10"));
        EXPECT_TRUE(showsSoon(editor.valueBox(0), "1.1"));
        click(editor.button("Kurze"));
        EXPECT_TRUE(showsSoon(editor.routeTitle(), "Kurze"));
        EXPECT_TRUE(editor.showsListSoon(36, 8, "0.9|0.9|0.95|1.0|1.0|1.05|1.1|1.1"));
        EXPECT_EQ(editorValue("fahrzeug"), "LKW");
        EXPECT_EQ(editorValue("route"), "Kurze");
        EXPECT_EQ(editorValue("pfad"), quoted(settings)); // as the shortcut gave it

        // The file choice, cancelled: the file stays the one shown, stored as the choice found it.
        click(editor.button("Datei"));
        ASSERT_TRUE(answerMessageBox(program.processId(), EditorWindow::kOpenDialogTitle, IDCANCEL)
                        .appeared);
        EXPECT_TRUE(waitUntil([&] { return editorValue("pfad") == settings; }));
        EXPECT_TRUE(showsSoon(editor.targetCaption(), settings));
        EXPECT_TRUE(showsSoon(editor.valueBox(0), "1.1"));

        ASSERT_EQ(closeAndWait(program, editor), 0u);
    }
    // The next start without a command line: the same file, titles and values.
    Program program(marlwick(), "");
    const EditorWindow editor = EditorWindow::find(program);
    ASSERT_NE(editor.handle(), nullptr);
    EXPECT_TRUE(showsSoon(editor.vehicleTitle(), "LKW"));
    EXPECT_EQ(textOf(editor.routeTitle()), "Kurze");
    EXPECT_TRUE(editor.showsListSoon(20, 8, "45|45|45|40|35|25|15|10"));
    EXPECT_EQ(editor.valueList(28, 8), "80|80|70|60|50|40|20|10");
    EXPECT_EQ(editor.valueList(0, 8), "1.1|1.1|1.0|0.9|0.85|0.8|0.6|0.5");
    EXPECT_EQ(editor.valueList(36, 8), "0.9|0.9|0.95|1.0|1.0|1.05|1.1|1.1");
    EXPECT_EQ(editor.valueList(44, 8), "0.8|0.85|0.9|1.0|1.05|1.1|1.1|1.1");
    EXPECT_EQ(textOf(editor.valueBox(56)), "1.0");
    EXPECT_EQ(textOf(editor.targetCaption()), settings);
    EXPECT_EQ(readFile(settings), sampleSettings());
    EXPECT_EQ(closeAndWait(program, editor), 0u);
}

} // namespace
} // namespace e2e
