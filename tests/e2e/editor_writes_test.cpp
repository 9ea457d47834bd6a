// A routing speed edited in vehicle mode moves the vehicle's preference factor, a speed the
// routing speed; applying either changes that one list in the file after Yes, nothing after
// No, and nothing once another program changed that list. A value not written is not lost
// silently when the window closes.
#include "tests/e2e/scenario.h"
#include "tests/e2e/settings_texts.h"
#include "tests/win_support/on_screen.h"

namespace e2e {
namespace {

using EditorWrites = Scenario;

TEST_F(EditorWrites, AnEditedRoutingSpeedChangesOnlyItsListAndNoKeepsTheFile) {
    Program program(marlwick(), quoted(settings));
    const EditorWindow editor = loadedEditor(program);
    ASSERT_NE(editor.handle(), nullptr);
    const HWND window = editor.handle();
    click(editor.modeBar());
    ASSERT_TRUE(showsSoon(editor.modeBar(), EditorWindow::kModeCaptions[0]));

    // Each edit, applied with Yes, changes its own list of Car Fast in the file and no other.
    struct Edit {
        HWND box;
        const char* typed;
        HWND moved; // the box whose value the edit moves
        const char* moves;
        const char* list; // the list in the file before
        const char* written;
    };
    const Edit edits[] = {
        // Autobahn in towns: 50 km/h at route factor 1.0; 72 asks for a vehicle factor of 1.44.
        {editor.speedBox(0), "72", editor.valueBox(0), "1.44",
         "<City>1.2|1.15|1.1|1.0|0.95|0.9|0.8|0.7</City>",
         "<City>1.44|1.15|1.1|1.0|0.95|0.9|0.8|0.7</City>"},
        // The vehicle's own speed in towns, which the factor of 1.44 makes 79.2 on Autobahn.
        {editor.valueBox(20), "55", editor.speedBox(0), "79,2",
         "<City>50|50|50|50|40|30|20|10</City>", "<City>55|50|50|50|40|30|20|10</City>"},
    };
    const HWND apply = editor.button("Änderungen Fahrzeug übernehmen");
    std::string expected = sampleSettings();
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.written);
        ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(edit.box) != FALSE; }));
        editor.editBox(edit.box, edit.typed);
        EXPECT_TRUE(showsSoon(edit.moved, edit.moves)) << textOf(edit.moved);
        EXPECT_TRUE(showsSoon(edit.box, edit.typed));
        const FILETIME original = lastWriteTime(settings);
        click(apply);
        const MessageBoxSeen asked =
            answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDYES);
        ASSERT_TRUE(asked.appeared);
        EXPECT_NE(asked.text.find(edit.written), std::string::npos) << asked.text;
        expected = replacedAfter(expected, "<Name>Car Fast</Name>", edit.list, edit.written);
        EXPECT_EQ(bytesOnceRewritten(settings, original), expected);
    }

    // Another time: Autobahn outside towns, left by clicking the apply button, answered No.
    const FILETIME before = lastWriteTime(settings);
    ASSERT_TRUE(editor.enterBox(editor.speedBox(8)));
    type(editor.speedBox(8), "150");
    ASSERT_TRUE(showsSoon(editor.speedBox(8), "150"));
    click(apply);
    MessageBoxSeen asked =
        answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDNO);
    ASSERT_TRUE(asked.appeared);
    EXPECT_NE(asked.text.find("<Open>1.154|1.2|"), std::string::npos) << asked.text;
    EXPECT_EQ(textOf(editor.valueBox(8)), "1.154");
    ASSERT_TRUE(wintest::handledSoFar(window)); // the click, answered No, is done with
    EXPECT_EQ(readFile(settings), expected);
    const FILETIME after = lastWriteTime(settings);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);

    // Another program changes the list typed into: applying it would undo that, so it is refused.
    const std::string changed = replacedAfter(expected, "<Name>Car Fast</Name>",
                                              "<Open>1.3|1.2|1.1|", "<Open>1.3|1.2|1.12|");
    writeFile(settings, changed);
    click(apply);
    asked = answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDOK);
    ASSERT_TRUE(asked.appeared);
    EXPECT_NE(asked.text.find("seit dem Laden"), std::string::npos) << asked.text;
    ASSERT_TRUE(wintest::handledSoFar(window));
    EXPECT_EQ(readFile(settings), changed);

    // The value not written waits: the title says so, and closing asks first. No keeps the
    // window and the value; Yes closes it.
    EXPECT_TRUE(showsSoon(window, std::string("*") + EditorWindow::kTitle)) << textOf(window);
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(
        answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDNO).appeared);
    ASSERT_TRUE(wintest::handledSoFar(window));
    EXPECT_TRUE(program.running());
    EXPECT_EQ(textOf(editor.valueBox(8)), "1.154");
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    EXPECT_TRUE(
        answerMessageBox(program.processId(), EditorWindow::kMessageCaption, IDYES).appeared);
    EXPECT_EQ(program.exitCode(), 0u);
}

} // namespace
} // namespace e2e
