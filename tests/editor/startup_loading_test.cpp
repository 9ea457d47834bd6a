#include "editor/form/value_grid.h"
#include "editor/operations/profile_choice.h"
#include "editor/operations/profile_loading.h"
#include "editor/operations/startup.h"
#include "editor/operations/view_modes.h"
#include "tests/editor/editor_fixture.h"
#include "tests/fakes/sample_settings.h"

namespace marlwick {
namespace {

class StartupAndLoading : public EditorFixture {
  protected:
    std::string sample = fakes::sampleSettingsText();

    void SetUp() override { files.addFile(kTargetPath, sample); }
    const std::string& box(int i) const { return model.form.text1[i].text; }

    // Loads the vehicle and route with these captions from a target holding the text.
    void loadFrom(const std::string& text, std::string vehicle = "PKW sch.") {
        chooseTarget(text, std::move(vehicle));
        LoadProfiles(editor);
    }
};

TEST_F(StartupAndLoading, FirstRunAsksForTheFileAndShowsIt) {
    dialogs.answerFileDialog(kTargetPath);
    RunStartup(editor, "");
    EXPECT_EQ(model.form.label3[0].text, "PKW sch.");
    EXPECT_EQ(model.form.label3[1].text, "Schnelle");
    EXPECT_EQ(model.state.userLevel, 0);
    EXPECT_EQ(model.form.command6.text, "Basic");

    ASSERT_EQ(dialogs.fileDialogs().size(), 1u);
    const auto& shown = dialogs.fileDialogs()[0];
    EXPECT_EQ(shown.file, "ApplicationSettings.xml");
    EXPECT_EQ(shown.title, "ApplicationSettings");
    EXPECT_EQ(shown.initialDir, "");
    EXPECT_EQ(shown.owner, 0x1234u);

    EXPECT_EQ(stored("pfad"), kTargetPath);
    EXPECT_EQ(stored("fahrzeug"), std::nullopt); // defaults are not stored
    EXPECT_EQ(box(20), "50");                    // Car Fast, speed in towns
    EXPECT_EQ(box(0), "1.2");
    EXPECT_EQ(box(36), "1.0");                 // Fastest
    EXPECT_EQ(model.form.text3[0].text, "60"); // 50 x 1.2 x 1.0
    EXPECT_EQ(model.form.label4[0].text, kTargetPath);
}

TEST_F(StartupAndLoading, FirstRunCancelledShowsPlaceholders) {
    RunStartup(editor, ""); // the dialog is cancelled
    EXPECT_EQ(box(0), "- - - -");
    EXPECT_EQ(box(56), "- - - -");
    EXPECT_EQ(model.form.label4[0].text, "Datei ausw\xE4hlen");
    EXPECT_EQ(stored("pfad"), std::nullopt);
    EXPECT_EQ(stored("klick"), std::nullopt); // no mode was applied
}

TEST_F(StartupAndLoading, QuotedCommandLineIsStoredWithQuotesAndUsedWithout) {
    RunStartup(editor, "\"" + kTargetPath + "\"");
    EXPECT_EQ(stored("pfad"), "\"" + kTargetPath + "\"");
    EXPECT_EQ(model.state.targetPath, kTargetPath);
    EXPECT_TRUE(dialogs.fileDialogs().empty());
    EXPECT_EQ(box(20), "50");
}

TEST_F(StartupAndLoading, StoredClickCountRestoresTheLastView) {
    store("pfad", kTargetPath);
    store("user", "1");
    store("klick", "1");
    RunStartup(editor, "");
    EXPECT_EQ(model.state.nextViewMode, 1); // no mode applied: the route look
    EXPECT_FALSE(model.form.text1[0].enabled);
    EXPECT_TRUE(model.form.text1[36].enabled);
    EXPECT_EQ(model.form.command6.text, "Extended");

    MainWindowModel again;
    EditorContext second = machine.contextFor(again);
    store("klick", "4");
    RunStartup(second, "");
    EXPECT_EQ(again.state.nextViewMode, 4); // vehicle, speed, import applied
    EXPECT_TRUE(again.state.importFlag);
    EXPECT_EQ(again.form.window.outerHeight, 7350);

    // A command line restores no view.
    MainWindowModel third;
    EditorContext withPath = machine.contextFor(third);
    RunStartup(withPath, kTargetPath);
    EXPECT_EQ(third.state.nextViewMode, 1);
    EXPECT_FALSE(third.state.importFlag);
}

TEST_F(StartupAndLoading, HandEditedNumbersCountAsMissing) {
    // Not a number, out of range, or a number that names no mode or level: Basic, and no
    // view replayed, so the start never loops through thousands of modes.
    const std::pair<const char*, const char*> stored[] = {
        {"viel", "99999999999"}, {"5", "30000"}, {"-1", "0"}, {"2", "5"}};
    for (const auto& [user, klick] : stored) {
        SCOPED_TRACE(klick);
        MainWindowModel fresh;
        EditorContext context = machine.contextFor(fresh);
        store("pfad", kTargetPath);
        store("user", user);
        store("klick", klick);
        const int callsBefore = files.calls();
        RunStartup(context, "");
        EXPECT_EQ(fresh.state.userLevel, 0);
        EXPECT_EQ(fresh.state.nextViewMode, 1);
        EXPECT_EQ(fresh.form.command6.text, "Basic");
        EXPECT_LT(files.calls() - callsBefore, 50);
    }
}

TEST_F(StartupAndLoading, ChoiceButtonsStoreBothAndReload) {
    store("pfad", kTargetPath);
    RunStartup(editor, "");
    model.form.text1[20].text = "typed, not applied";
    ChoiceButtonClick(editor, 3); // "Motorrad"
    EXPECT_EQ(model.form.label3[0].text, "Motorrad");
    EXPECT_EQ(model.form.label3[1].text, "Schnelle");
    EXPECT_EQ(stored("fahrzeug"), "Motorrad");
    EXPECT_EQ(stored("route"), "Schnelle");
    EXPECT_EQ(box(28), "120"); // Motorcycle outside towns

    ChoiceButtonClick(editor, 8); // "Schöne"
    EXPECT_EQ(stored("route"), "Sch\xF6ne");
    EXPECT_EQ(box(36), "0.8"); // Curvy

    // Restarting brings both back.
    MainWindowModel again;
    EditorContext second = machine.contextFor(again);
    RunStartup(second, "");
    EXPECT_EQ(again.form.label3[0].text, "Motorrad");
    EXPECT_EQ(again.form.label3[1].text, "Sch\xF6ne");
    EXPECT_EQ(again.form.text1[36].text, "0.8");
}

TEST_F(StartupAndLoading, TypedValuesMarkTheTitleAndAskBeforeClosingUntilALoad) {
    const std::string title(kWindowTitle);
    RunStartup(editor, kTargetPath);
    EXPECT_EQ(shownTitle(model), title);
    EXPECT_TRUE(onCloseAsked(editor));
    type(20, "55");
    EXPECT_EQ(shownTitle(model), "*" + title);
    host.answer({EditorHost::kIdNo, EditorHost::kIdYes});
    EXPECT_FALSE(onCloseAsked(editor)); // No keeps the window and the value
    EXPECT_EQ(box(20), "55");
    EXPECT_TRUE(onCloseAsked(editor));
    EXPECT_EQ(host.boxes().size(), 2u);
    ChoiceButtonClick(editor, 3); // another vehicle loaded
    EXPECT_EQ(shownTitle(model), title);
    model.state.nextViewMode = 3; // speed mode, whose load computes the vehicle's factors
    LoadProfiles(editor);
    EXPECT_EQ(shownTitle(model), title);
}

TEST_F(StartupAndLoading, FailedRegistryWriteEndsTheClickBeforeTheReload) {
    store("pfad", kTargetPath);
    RunStartup(editor, "");
    model.form.text1[20].text = "kept";
    machine.registryPort.failCall(MemoryRegistry::Call::setValue, RegistryPort::kErrorAccessDenied);
    EXPECT_THROW(ChoiceButtonClick(editor, 4), ServiceError);
    EXPECT_EQ(model.form.label3[0].text, "LKW");
    EXPECT_EQ(box(20), "kept");
}

TEST_F(StartupAndLoading, MissingProfileAndListsShowWhatTheSearchGives) {
    std::string text = sample;
    text.replace(text.find("<Special>1|0|0|1</Special>"), 26, ""); // Truck's own specials
    text.replace(text.find("Car Fast"), 8, "Car Gone");
    loadFrom(text);
    EXPECT_EQ(box(20), "- - - -"); // 7 boxes keep the placeholder
    EXPECT_EQ(box(27), "");        // the last one takes the empty list

    model.form.label3[0].text = "LKW";
    LoadProfiles(editor);
    // Truck's first "<Special>" after its name is now the one in its factor block.
    EXPECT_EQ(box(16), "1.0");
}

TEST_F(StartupAndLoading, MissingSpecialListGivesTheSearchError) {
    loadFrom("<SpeedProfile><Name>Truck</Name><City>1|2|3|4|5|6|7|8</City>", "LKW");
    EXPECT_EQ(box(19), "such2 ERROR");
    EXPECT_EQ(box(20), "1");
    EXPECT_EQ(box(56), ""); // no "Fastest": the route value list is empty
}

TEST_F(StartupAndLoading, ListsOutsideTheProfilesOwnRecordAreNotShown) {
    const auto with = [&](std::string_view anchor, std::string_view from, std::string_view to) {
        std::string text = sample;
        text.replace(text.find(from, text.find(anchor)), from.size(), to);
        return text;
    };
    const std::string comment =
        "<!-- <SpeedProfile><Name>Truck</Name><City>8|8|8|8|8|8|8|8</City></SpeedProfile> -->";
    const std::string longer =
        "<SpeedProfile><Name>Truck XL</Name><City>9|9|9|9|9|9|9|9</City></SpeedProfile>";
    const std::string alias = "<SpeedProfile><Name>Motorcycle</Name><Alias><Name>Car Fast</Name>"
                              "</Alias><City>9|9|9|9|9|9|9|9</City></SpeedProfile>";
    // The record's end in a comment ends nothing: the next name is still this record's own.
    const std::string commentedEnd = "<SpeedProfile><Name>Old</Name><!-- </SpeedProfile> -->"
                                     "<Name>Truck</Name><City>9|9|9|9|9|9|9|9</City>"
                                     "</SpeedProfile>";
    const struct {
        std::string text;
        std::string vehicle;
        int box;
        std::string shown;
    } cases[] = {
        {with("<Routing>", "<Routing>", "<Routing>" + comment), "LKW", 20, "45"},
        {with("<Routing>", "<SpeedProfile>", longer + "<SpeedProfile>"), "LKW", 20, "45"},
        // Another record before the profile's own holds its name as an alias.
        {with("<Routing>", "<SpeedProfile>", alias + "<SpeedProfile>"), "PKW sch.", 20, "50"},
        {with("<Routing>", "<SpeedProfile>", commentedEnd + "<SpeedProfile>"), "LKW", 20, "45"},
        // A name that no record owns is no profile.
        {with("Motorcycle", "<SpeedProfile>", "<Speed/>"), "LKW", 27, ""},
        // Fastest without its specials, or without its value and closed by "</SpeedProfile >".
        {with("Fastest", "<Special>0|0|0|0</Special>", ""), "PKW sch.", 55, ""},
        {with("Fastest",
              "<Value>0.0</Value>\r\n        </PreferenceFactor>\r\n      </SpeedProfile>",
              "</PreferenceFactor></SpeedProfile >"),
         "PKW sch.", 56, "such2 ERROR"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.box);
        loadFrom(c.text, c.vehicle);
        EXPECT_EQ(box(c.box), c.shown);
    }
}

TEST_F(StartupAndLoading, RouteValueWithASeparatorGoesWholeIntoItsBox) {
    std::string text = sample;
    text.replace(text.find("<Value>0.0</Value>"), 18, "<Value>1|2</Value>");
    loadFrom(text);
    EXPECT_EQ(box(56), "1|2");
}

TEST_F(StartupAndLoading, ImportModeTakesEnabledGroupsFromTheImportFile) {
    std::string other = sample;
    other.replace(other.find("<City>50|50|50|50|40"), 20, "<City>11|50|50|50|40");
    files.addFile(kImportPath, other);
    store("pfad", kTargetPath);
    store("importpfad", kImportPath);
    store("user", "1");
    store("klick", "4"); // back into import mode
    RunStartup(editor, "");
    ASSERT_TRUE(model.state.importFlag);
    EXPECT_EQ(box(20), "50"); // every box disabled: all from the target
    TitleLabelClick(editor, 0);
    EXPECT_EQ(box(20), "11");
    EXPECT_EQ(box(36), "1.0");

    // Outside import mode the import file is neither checked nor read.
    files.failCall(fakes::MemoryFiles::Call::GetFileAttributes, 5, 2);
    const auto dialogsShown = dialogs.fileDialogs().size();
    AdvanceViewMode(editor);  // route mode
    EXPECT_EQ(box(20), "11"); // route mode keeps what the boxes hold
    AdvanceViewMode(editor);  // vehicle mode reloads from the target alone
    EXPECT_EQ(box(20), "50");
    EXPECT_EQ(dialogs.fileDialogs().size(), dialogsShown);
}

TEST_F(StartupAndLoading, FileThatCannotBeReadIsReportedNotChosenAgain) {
    files.failCall(fakes::MemoryFiles::Call::ReadFile, 32);
    RunStartup(editor, kTargetPath);
    EXPECT_TRUE(dialogs.fileDialogs().empty());
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_NE(host.boxes()[0].text.find(kTargetPath), std::string::npos);
    EXPECT_EQ(box(20), "- - - -");
    EXPECT_EQ(model.form.label4[0].text, kTargetPath);
}

TEST_F(StartupAndLoading, ImportFileChoiceOutsideImportModeAsksForTheTarget) {
    store("pfad", kTargetPath);
    RunStartup(editor, "");
    const std::string other = "E:\\Other\\ApplicationSettings.xml";
    files.addFile(other, sample);
    dialogs.answerFileDialog(other);
    ChooseFile(editor, 1);
    EXPECT_EQ(model.state.targetPath, other);
    EXPECT_EQ(stored("pfad"), other);
    EXPECT_EQ(stored("importpfad"), std::nullopt);
}

TEST_F(StartupAndLoading, CancelledChoiceKeepsThePreviousPath) {
    store("pfad", kTargetPath);
    RunStartup(editor, "");
    ChooseFile(editor, 0); // cancelled
    EXPECT_EQ(model.state.targetPath, kTargetPath);
    EXPECT_EQ(box(20), "50");
    EXPECT_EQ(dialogs.fileDialogs().back().initialDir, kTargetPath);

    // The same with a previous path that no longer exists: the grid is reset.
    model.state.targetPath = "E:\\gone.xml";
    ChooseFile(editor, 0);
    EXPECT_EQ(model.state.targetPath, "E:\\gone.xml");
    EXPECT_EQ(box(20), "- - - -");
    EXPECT_EQ(stored("pfad"), kTargetPath);
}

TEST_F(StartupAndLoading, MissingImportFileCancelledLeavesTheBoxes) {
    store("pfad", kTargetPath);
    store("importpfad", "C:\\weg.xml");
    store("user", "1");
    RunStartup(editor, "");
    AdvanceViewMode(editor); // vehicle
    AdvanceViewMode(editor); // speed
    const std::string before = box(20);
    AdvanceViewMode(editor);    // import: nothing reloads yet
    TitleLabelClick(editor, 0); // the load finds no import file and asks; cancelled
    EXPECT_EQ(box(20), before);
    EXPECT_EQ(model.form.label4[1].text, "C:\\weg.xml");
}

} // namespace
} // namespace marlwick
