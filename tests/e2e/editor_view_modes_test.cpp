// The mode bar and the level button as a user meets them: Basic offers two modes, Extended
// four, each with its colour, caption and open boxes, and import mode a taller window.
#include "tests/e2e/scenario.h"

namespace e2e {
namespace {

constexpr COLORREF kVehicleColour = RGB(255, 0, 0);
constexpr COLORREF kSpeedColour = RGB(0, 255, 0);
constexpr COLORREF kImportColour = RGB(128, 128, 255);
constexpr COLORREF kRouteColour = RGB(255, 255, 0);

// 6690 and 7350 twips at the new prefix's 96 pixels per inch.
constexpr int kUsualHeight = 446;
constexpr int kImportModeHeight = 490;

class EditorViewModes : public Scenario {
  protected:
    // Inside the mode bar's frame, above its caption.
    static COLORREF modeBarColour(const EditorWindow& editor) {
        return colourAt(editor.modeBar(), {10, 2});
    }
    // Clicks the mode bar and waits until it shows the mode.
    static bool nextMode(const EditorWindow& editor, int mode) {
        click(editor.modeBar());
        return showsSoon(editor.modeBar(), EditorWindow::kModeCaptions[mode]);
    }
};

TEST_F(EditorViewModes, BasicOffersTwoModesAndExtendedFourWithTheirColours) {
    Program program(marlwick(), quoted(settings));
    const EditorWindow editor = loadedEditor(program);
    ASSERT_NE(editor.handle(), nullptr);
    // As laid out: the route mode's caption on yellow.
    EXPECT_EQ(textOf(editor.modeBar()), EditorWindow::kModeCaptions[3]);
    EXPECT_TRUE(showsColourSoon(editor.modeBar(), {10, 2}, kRouteColour));
    EXPECT_EQ(textOf(editor.levelButton()), "Basic");

    // Basic: vehicle mode and route mode in turn.
    ASSERT_TRUE(nextMode(editor, 0));
    EXPECT_TRUE(showsColourSoon(editor.modeBar(), {10, 2}, kVehicleColour));
    EXPECT_EQ(editorValue("klick"), "2");
    ASSERT_TRUE(nextMode(editor, 3));
    EXPECT_TRUE(showsColourSoon(editor.modeBar(), {10, 2}, kRouteColour));
    EXPECT_EQ(editorValue("klick"), "1");

    click(editor.levelButton());
    ASSERT_TRUE(showsSoon(editor.levelButton(), "Extended"));
    EXPECT_EQ(editorValue("user"), "1");

    // Extended: vehicle mode opens the vehicle block and the routing speeds.
    ASSERT_TRUE(nextMode(editor, 0));
    EXPECT_TRUE(showsColourSoon(editor.modeBar(), {10, 2}, kVehicleColour))
        << std::hex << modeBarColour(editor);
    EXPECT_TRUE(IsWindowEnabled(editor.valueBox(0)));
    EXPECT_TRUE(IsWindowEnabled(editor.valueBox(35)));
    EXPECT_FALSE(IsWindowEnabled(editor.valueBox(36)));
    EXPECT_TRUE(IsWindowEnabled(editor.speedBox(0)));
    EXPECT_EQ(editorValue("klick"), "2");

    // Speed mode: only the speeds are open; the routing speeds stand fixed between asterisks.
    ASSERT_TRUE(nextMode(editor, 1));
    EXPECT_TRUE(showsColourSoon(editor.modeBar(), {10, 2}, kSpeedColour));
    EXPECT_FALSE(IsWindowEnabled(editor.valueBox(0)));
    EXPECT_TRUE(IsWindowEnabled(editor.valueBox(20)));
    EXPECT_TRUE(IsWindowEnabled(editor.valueBox(35)));
    EXPECT_FALSE(IsWindowVisible(editor.speedBox(0)));
    ASSERT_NE(editor.speedLabel(0), nullptr);
    EXPECT_TRUE(IsWindowVisible(editor.speedLabel(0)));
    EXPECT_EQ(textOf(editor.speedLabel(0)), "*60*");
    EXPECT_EQ(textOf(editor.speedLabel(8)), "*169*");
    EXPECT_EQ(editorValue("klick"), "3");
    EXPECT_EQ(outerHeight(editor.handle()), kUsualHeight);

    // Import mode: nothing to edit, and a taller window that uncovers the import row.
    const HWND importButton = editor.button("Importdatei");
    ASSERT_NE(importButton, nullptr);
    EXPECT_FALSE(IsWindowVisible(importButton));
    ASSERT_TRUE(nextMode(editor, 2));
    EXPECT_TRUE(showsColourSoon(editor.modeBar(), {10, 2}, kImportColour));
    EXPECT_TRUE(waitUntil([&] { return outerHeight(editor.handle()) == kImportModeHeight; }))
        << outerHeight(editor.handle());
    EXPECT_TRUE(IsWindowVisible(importButton));
    EXPECT_TRUE(IsWindowVisible(editor.importCaption()));
    EXPECT_TRUE(IsWindowVisible(
        editor.button("Alle Routingoptionen für alle Fahrzeuge und Routen  importieren")));
    for (int box : {0, 20, 36, 56})
        EXPECT_FALSE(IsWindowEnabled(editor.valueBox(box))) << box;
    EXPECT_FALSE(IsWindowEnabled(editor.speedBox(0)));
    EXPECT_TRUE(IsWindowVisible(editor.speedBox(0)));
    EXPECT_EQ(editorValue("klick"), "4");
    const std::string importShown = editorValue("import");

    // Route mode: the route block open, the window back to its usual height.
    ASSERT_TRUE(nextMode(editor, 3));
    EXPECT_TRUE(showsColourSoon(editor.modeBar(), {10, 2}, kRouteColour));
    EXPECT_TRUE(waitUntil([&] { return outerHeight(editor.handle()) == kUsualHeight; }));
    EXPECT_FALSE(IsWindowVisible(importButton));
    EXPECT_FALSE(IsWindowEnabled(editor.valueBox(0)));
    EXPECT_TRUE(IsWindowEnabled(editor.valueBox(36)));
    EXPECT_TRUE(IsWindowEnabled(editor.valueBox(56)));
    EXPECT_TRUE(IsWindowEnabled(editor.speedBox(0)));
    EXPECT_EQ(editorValue("klick"), "1");
    EXPECT_NE(editorValue("import"), importShown);
    for (const char* name : {"klick", "user", "import"})
        EXPECT_EQ(storedValue(kEditorKey, name)->type, static_cast<DWORD>(REG_EXPAND_SZ)) << name;

    // The next start shows route mode again, at Extended level.
    ASSERT_EQ(closeAndWait(program, editor), 0u);
    Program again(marlwick(), "");
    const EditorWindow restarted = EditorWindow::find(again);
    ASSERT_NE(restarted.handle(), nullptr);
    EXPECT_TRUE(showsSoon(restarted.levelButton(), "Extended"));
    EXPECT_TRUE(restarted.showsListSoon(36, 8, "1.0|1.0|1.0|1.0|1.0|1.0|1.0|1.0"));
    EXPECT_EQ(textOf(restarted.modeBar()), EditorWindow::kModeCaptions[3]);
    EXPECT_TRUE(IsWindowEnabled(restarted.valueBox(36)));
    EXPECT_FALSE(IsWindowEnabled(restarted.valueBox(0)));
    EXPECT_EQ(closeAndWait(again, restarted), 0u);
}

} // namespace
} // namespace e2e
