#include "editor/operations/view_modes.h"
#include "tests/editor/editor_fixture.h"
#include "tests/fakes/sample_settings.h"

namespace marlwick {
namespace {

class ViewModes : public EditorFixture {
  protected:
    void SetUp() override { chooseTarget(fakes::sampleSettingsText()); }
    const Control& modeBar() const { return model.form.command4[0]; }
    bool enabled(int box) const { return model.form.text1[box].enabled; }
    // Which of the value boxes are enabled, as "first-last" runs.
    std::string enabledBoxes() const {
        std::string runs;
        for (int i = 0; i < kValueBoxCount; ++i) {
            if (!enabled(i) || (i > 0 && enabled(i - 1)))
                continue;
            int last = i;
            while (last + 1 < kValueBoxCount && enabled(last + 1))
                ++last;
            runs += (runs.empty() ? "" : ",") + std::to_string(i) + "-" + std::to_string(last);
        }
        return runs;
    }
};

TEST_F(ViewModes, ExtendedCycleShowsFourModesAndStoresWhatComesNext) {
    model.state.userLevel = 1;
    struct Expected {
        Rgb colour;
        std::string_view caption;
        std::string boxes;
        bool speedBoxesEnabled;
        std::string klick;
    };
    const Expected cycle[] = {
        {colours::kRed, kVehicleModeCaption, "0-35", true, "2"},
        {colours::kGreen, kSpeedModeCaption, "20-35", false, "3"},
        {{128, 128, 255}, kImportModeCaption, "", false, "4"},
        {colours::kYellow, kRouteModeCaption, "36-56", true, "1"},
        {colours::kRed, kVehicleModeCaption, "0-35", true, "2"},
    };
    for (const auto& expected : cycle) {
        SCOPED_TRACE(std::string(expected.caption));
        AdvanceViewMode(editor);
        EXPECT_EQ(modeBar().background, Colour(expected.colour));
        EXPECT_EQ(modeBar().text, expected.caption);
        EXPECT_EQ(enabledBoxes(), expected.boxes);
        EXPECT_EQ(model.form.text3[0].enabled, expected.speedBoxesEnabled);
        EXPECT_EQ(stored("klick"), expected.klick);
    }
}

TEST_F(ViewModes, BasicAlternatesVehicleAndRoute) {
    const std::pair<Rgb, std::string> expected[] = {
        {colours::kRed, "2"}, {colours::kYellow, "1"}, {colours::kRed, "2"}};
    for (const auto& [colour, klick] : expected) {
        AdvanceViewMode(editor);
        EXPECT_EQ(modeBar().background, Colour(colour));
        EXPECT_EQ(stored("klick"), klick);
        EXPECT_EQ(stored("import"), "False");
    }
    // The start-up replaying "klick" 2 into a vehicle mode whose load has to ask for the file:
    // the file choice restores the stored view itself, and that view stands.
    model.state.nextViewMode = view_mode::kVehicle;
    model.state.targetPath = "E:\\weg.xml";
    dialogs.answerFileDialog(kTargetPath);
    AdvanceViewMode(editor);
    EXPECT_EQ(modeBar().background, Colour(colours::kRed));
    EXPECT_EQ(model.state.nextViewMode, view_mode::kSpeed);
    EXPECT_EQ(stored("klick"), "2");
}

TEST_F(ViewModes, SpeedModeShowsTheRoutingSpeedsAsBoldLabels) {
    model.form.text3[5].text = "50";
    model.state.userLevel = 1;
    model.state.nextViewMode = 2;
    AdvanceViewMode(editor);
    EXPECT_FALSE(model.form.text3[5].visible);
    const Control& label = model.form.label7[5];
    EXPECT_TRUE(label.visible);
    EXPECT_EQ(label.text, "*50*");
    EXPECT_TRUE(label.bold);
    EXPECT_EQ(label.alignment, Alignment::Right);

    AdvanceViewMode(editor); // import mode: the labels give way again
    EXPECT_TRUE(model.form.text3[5].visible);
    EXPECT_FALSE(label.visible);
}

TEST_F(ViewModes, ImportModeUncoversTheImportRowAndTheNextModeHidesIt) {
    model.state.userLevel = 1;
    model.state.nextViewMode = 3;
    AdvanceViewMode(editor);
    EXPECT_TRUE(model.state.importFlag);
    EXPECT_EQ(stored("import"), "True");
    EXPECT_EQ(model.form.window.outerHeight, 7350);
    EXPECT_TRUE(model.form.label4[1].visible);
    EXPECT_TRUE(model.form.command3[1].visible);
    EXPECT_TRUE(model.form.command7.visible);

    AdvanceViewMode(editor);
    EXPECT_FALSE(model.state.importFlag);
    EXPECT_EQ(model.form.window.outerHeight, 6690);
    EXPECT_FALSE(model.form.command7.visible);
}

TEST_F(ViewModes, TitleClicksSwitchBlocksOnlyInImportMode) {
    files.addFile(kImportPath, fakes::sampleSettingsText());
    model.state.importPath = kImportPath;
    model.state.userLevel = 1;
    model.state.nextViewMode = 3;
    AdvanceViewMode(editor);

    TitleLabelClick(editor, 0);
    EXPECT_EQ(enabledBoxes(), "0-35");
    TitleLabelClick(editor, 1);
    EXPECT_EQ(enabledBoxes(), "0-56");
    EXPECT_FALSE(model.form.text3[0].enabled);
    TitleLabelClick(editor, 0);
    EXPECT_EQ(enabledBoxes(), "36-56");

    AdvanceViewMode(editor); // route mode
    model.form.text1[36].text = "typed";
    TitleLabelClick(editor, 0);
    EXPECT_EQ(enabledBoxes(), "36-56");
    EXPECT_EQ(model.form.text1[36].text, "1.0"); // reloaded
}

TEST_F(ViewModes, LevelButtonSwitchesWithoutApplyingAMode) {
    LevelButtonClick(editor);
    EXPECT_EQ(model.form.command6.text, "Extended");
    EXPECT_TRUE(model.form.command6.bold);
    EXPECT_EQ(stored("user"), "1");
    EXPECT_EQ(stored("klick"), std::nullopt);

    model.state.nextViewMode = 3;
    AdvanceViewMode(editor); // import mode on screen
    LevelButtonClick(editor);
    EXPECT_EQ(model.form.command6.text, "Basic");
    EXPECT_FALSE(model.form.command6.bold);
    EXPECT_EQ(stored("user"), "0");
    EXPECT_EQ(model.state.nextViewMode, 1);
    EXPECT_TRUE(model.form.command7.visible); // the import row stays until the next mode

    AdvanceViewMode(editor);
    EXPECT_EQ(modeBar().background, Colour(colours::kRed));
    EXPECT_FALSE(model.form.command7.visible);
}

TEST_F(ViewModes, FailedRegistryWriteStopsTheModeChangeThere) {
    machine.registryPort.failCall(MemoryRegistry::Call::setValue, RegistryPort::kErrorAccessDenied);
    EXPECT_THROW(AdvanceViewMode(editor), ServiceError);
    EXPECT_EQ(model.state.nextViewMode, 1); // nothing after the failed store ran
}

} // namespace
} // namespace marlwick
