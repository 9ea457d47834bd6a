#include "editor/form/value_grid.h"
#include "editor/operations/profile_loading.h"
#include "editor/operations/profile_writes.h"
#include "editor/system/whole_file.h"
#include "tests/editor/editor_fixture.h"
#include "tests/fakes/sample_settings.h"

#include <algorithm>

namespace marlwick {
namespace {

using fakes::MemoryFiles;
using fakes::MemoryHost;

const std::string kTarget = "E:\\Navi\\ApplicationSettings.xml";
const std::string kBackups = fakes::backupFolder();

class ProfileWrites : public EditorFixture {
  protected:
    std::string sample = fakes::sampleSettingsText();

    void SetUp() override {
        files.addFile(kTarget, sample);
        model.state.targetPath = kTarget;
        model.form.label3[0].text = "PKW sch.";
        model.form.label3[1].text = "Schnelle";
        fakes::showProfiles(model, sample);
    }

    // The sample with the first occurrence of `from` at or after `anchor` replaced.
    std::string sampleWith(std::string_view anchor, std::string_view from, std::string_view to) {
        std::string expected = sample;
        const auto at = expected.find(from, expected.find(anchor));
        expected.replace(at, from.size(), to);
        return expected;
    }
};

TEST_F(ProfileWrites, UnchangedBoxesWriteTheSameBytes) {
    host.answer({EditorHost::kIdYes, EditorHost::kIdYes});
    WriteVehicleValues(editor);
    WriteRouteValues(editor);
    EXPECT_EQ(files.contents(kTarget), sample);
    EXPECT_EQ(host.boxes().size(), 2u);
    EXPECT_TRUE(files.filesIn(kBackups).empty());
}

TEST_F(ProfileWrites, OneEditedValueChangesOnlyItsList) {
    type(21, "55");
    host.answer({EditorHost::kIdYes});
    WriteVehicleValues(editor);
    EXPECT_EQ(files.contents(kTarget), sampleWith("Car Fast", "<City>50|50|", "<City>50|55|"));
    EXPECT_EQ(files.contents(kBackups + "\\ApplicationSettings 2026-12-07 23-59-59.xml"), sample);

    type(56, "0.50"); // the route value goes in as it stands
    host.answer({EditorHost::kIdYes});
    WriteRouteValues(editor);
    const std::string both = sampleWith("Car Fast", "<City>50|50|", "<City>50|55|");
    const auto value = both.find("<Value>0.0", both.find("Fastest"));
    EXPECT_EQ(files.contents(kTarget)->substr(value, 19), "<Value>0.50</Value>");
    EXPECT_EQ(files.contents(kBackups + "\\ApplicationSettings 2026-12-07 23-59-59 (2).xml"), both);
    EXPECT_EQ(files.filesIn(kBackups).size(), 2u);
}

TEST_F(ProfileWrites, VehicleConfirmationShowsTheRecordAndTheNextFactorBlock) {
    WriteVehicleValues(editor); // answered No
    ASSERT_EQ(host.boxes().size(), 1u);
    const auto& box = host.boxes()[0];
    EXPECT_EQ(box.caption, "Marlwick");
    EXPECT_EQ(box.type, EditorHost::kMbYesNo);
    EXPECT_EQ(box.text, "Folgende \xC4nderungen werden \xFC"
                        "bernommen\r\n"
                        "<Name>Car Fast</Name>\r\n"
                        "        <City>50|50|50|50|40|30|20|10</City>\r\n"
                        "        <Open>130|110|100|90|80|60|30|15</Open>\r\n"
                        "        <Special>0|1|0|1</Special>\r\n"
                        "        <PreferenceFactor>\r\n"
                        "          <City>1.2|1.15|1.1|1.0|0.95|0.9|0.8|0.7</City>\r\n"
                        "          <Open>1.3|1.2|1.1|1.0|0.9|0.85|0.7|0.6</Open>\r\n"
                        "          <Special>1.0|1.0|1.0|1.0</Special>\r\n"
                        "        </PreferenceFactor>\r\n"
                        "      </SpeedProfile>\r\n   "
                        "<PreferenceFactor>\r\n"
                        "          <City>1.1|1.1|1.05|1.0|0.95|0.9|0.8|0.7</City>\r\n"
                        "          <Open>1.2|1.1|1.05|1.0|0.9|0.85|0.7|0.6</Open>\r\n"
                        "          <Special>1.0|1.0|1.0|1.0</Special>\r\n"
                        "        </PreferenceFactor");
}

TEST_F(ProfileWrites, RouteConfirmationEndsAtTheFactorBlock) {
    type(36, "0.9");
    WriteRouteValues(editor);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text, std::string(kConfirmationHeader) +
                                        "<Name>Fastest</Name>\r\n"
                                        "        <PreferenceFactor>\r\n"
                                        "          <City>0.9|1.0|1.0|1.0|1.0|1.0|1.0|1.0</City>\r\n"
                                        "          <Open>1.0|1.0|1.0|1.0|1.0|1.0|1.0|1.0</Open>\r\n"
                                        "          <Special>0|0|0|0</Special>\r\n"
                                        "          <Value>0.0</Value>\r\n"
                                        "        </PreferenceFactor");
}

TEST_F(ProfileWrites, NoLeavesBytesAndTimeAlone) {
    type(0, "9.9");
    const auto before = files.modificationsOf(kTarget);
    host.answer({EditorHost::kIdNo});
    WriteVehicleValues(editor);
    EXPECT_EQ(files.contents(kTarget), sample);
    EXPECT_EQ(files.modificationsOf(kTarget), before);
    EXPECT_EQ(files.filesIn("E:\\Navi").size(), 1u);
    EXPECT_TRUE(files.filesIn(kBackups).empty());
    EXPECT_EQ(model.form.text1[0].text, "9.9"); // the grid is not reloaded
}

TEST_F(ProfileWrites, ValuesShownFromAnotherFileLandInTheTargetsProfile) {
    std::string other = sampleWith("Car Fast", "<Special>0|1|0|1", "<Special>7|7|7|7");
    model.state.importFlag = true;
    fakes::showProfiles(model, other);
    host.answer({EditorHost::kIdYes});
    WriteVehicleValues(editor);
    EXPECT_EQ(files.contents(kTarget), other);
}

TEST_F(ProfileWrites, RefusesWithAMessageAndLeavesTheFileAlone) {
    const std::string lists = "<Name>Car Fast</Name><City>1|2|3|4|5|6|7|8</City>"
                              "<Open>1|2|3|4|5|6|7|8</Open>";
    const std::string factors = "<PreferenceFactor><City>1|2|3|4|5|6|7|8</City>"
                                "<Open>1|2|3|4|5|6|7|8</Open></PreferenceFactor>";
    struct Case {
        std::string name;
        std::string fileText;
        std::string expectedMention;
    };
    const std::string record = "<SpeedProfile>";
    const std::string whole = record + lists + "<Special>1|2|3|4</Special>" + factors;
    const Case cases[] = {
        {"profile missing", record + "<Name>Car Slow</Name>" + factors, "\"Car Fast\""},
        {"start tag missing", record + lists + "<Special>1|2|3|4</Special></SpeedProfile>",
         "\"<PreferenceFactor>\""},
        {"inner tag missing",
         record + lists +
             "<Special>1|2|3|4</Special><PreferenceFactor><City>1</City></SpeedProfile>",
         "\"<Open>\""},
        {"end tag missing", record + lists + "<Special>1|2|3|4" + factors + "</SpeedProfile>",
         "\"</Special>\""},
        {"record end missing", whole, "\"</SpeedProfile>\""},
        {"record end only in a comment", whole + "<!-- </SpeedProfile> -->", "\"</SpeedProfile>\""},
        {"record without <Name>",
         record + "Car Fast</Name>" + lists.substr(21) + "<Special>1|2|3|4</Special>" + factors +
             "</SpeedProfile>",
         "\"Car Fast\""},
        {"name without a record",
         lists + "<Special>1|2|3|4</Special>" + factors + "</SpeedProfile>", "\"Car Fast\""},
        {"name only as another record's alias",
         record + "<Name>Motorcycle</Name><Alias>" + lists.substr(0, 21) + "</Alias>" +
             lists.substr(21) + "<Special>1|2|3|4</Special>" + factors + "</SpeedProfile>",
         "\"Car Fast\""},
        {"lists only in the next record",
         record + "<Name>Car Fast</Name></SpeedProfile>" + record + "<Name>Car Slow</Name>" +
             lists.substr(21) + "<Special>1|2|3|4</Special>" + factors + "</SpeedProfile>",
         "\"<City>\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        MemoryMachine other;
        MemoryFiles& own = other.files;
        MemoryHost& asked = other.host;
        own.addFile(kTarget, c.fileText);
        EditorContext context = other.contextFor(model);
        asked.answer({EditorHost::kIdYes});
        WriteVehicleValues(context);
        ASSERT_EQ(asked.boxes().size(), 1u);
        EXPECT_EQ(asked.boxes()[0].type, EditorHost::kMbOk);
        EXPECT_NE(asked.boxes()[0].text.find(c.expectedMention), std::string::npos)
            << asked.boxes()[0].text;
        EXPECT_EQ(own.contents(kTarget), c.fileText);
        EXPECT_TRUE(own.filesIn(kBackups).empty());
    }
}

// One refusal: a single OK box that names what is wrong, and the file as it was.
void expectRefusedMentioning(const fakes::MemoryHost& asked, std::string_view mention) {
    ASSERT_EQ(asked.boxes().size(), 1u);
    EXPECT_EQ(asked.boxes()[0].type, EditorHost::kMbOk);
    EXPECT_NE(asked.boxes()[0].text.find(mention), std::string::npos) << asked.boxes()[0].text;
}

TEST_F(ProfileWrites, ListsThatWouldChangeTakeNumbersOnly) {
    struct Case {
        int box;
        std::string text;
        std::string mention; // the box as the grid names it
    };
    // What a load that found no file, the layout, a failed search or the user leave in a box.
    const Case cases[] = {
        {0, "- - - -", "„Präferenz City“ / „Autobahn“"},
        {30, "Text1", "„Geschw. Außerorts“ / „Bundesstr.“"},
        {17, "such2 ERROR", "„Specials“, 2. Wert"},
        {20, "abc", "„Geschw. City“ / „Autobahn“"},
        {27, "", "„Geschw. City“ / „Wohnstraße“"},
        {51, "1e3", "„Päferenz Außerorts“ / „Wohnstraße“"},
        {56, "0.5|x", "„Value:“"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mention);
        MemoryMachine other;
        other.files.addFile(kTarget, sample);
        fakes::showProfiles(model, sample);
        type(c.box, c.text);
        EditorContext context = other.contextFor(model);
        other.host.answer({EditorHost::kIdYes});
        if (c.box < 36)
            WriteVehicleValues(context);
        else
            WriteRouteValues(context);
        expectRefusedMentioning(other.host, c.mention);
        EXPECT_EQ(other.files.contents(kTarget), sample);
    }
}

TEST_F(ProfileWrites, OddListsOfTheFileAreWrittenBackOnlyAsTheyStand) {
    // A short list spreads over its boxes with a placeholder between and the whole list in the
    // last box: left alone it stays as the file holds it; typed into, only a box that shows
    // one value at its own place can change, and nothing else of the list does.
    const struct {
        std::string from, list;
        int box;
        std::string typed, written; // empty when refused
    } shortLists[] = {
        {"<Special>0|1|0|1", "<Special>1|2", 17, "3", ""},
        {"<Special>0|1|0|1", "<Special>1|2", 19, "3", ""},
        {"<Special>0|1|0|1", "<Special>1|2", 16, "3", "<Special>3|2"},
        {"<City>50|50|50|50|40|30|20|10", "<City>50|50|50|50|40|30|20", 26, "25", ""},
        {"<City>50|50|50|50|40|30|20|10", "<City>50|50|50|50|40|30|20", 20, "90",
         "<City>90|50|50|50|40|30|20"},
    };
    for (const auto& c : shortLists) {
        SCOPED_TRACE(c.list + " / " + c.typed);
        const std::string text = sampleWith("Car Fast", c.from, c.list);
        MemoryMachine other;
        other.files.addFile(kTarget, text);
        ClearValueBoxes(model);
        fakes::showProfiles(model, text);
        EditorContext context = other.contextFor(model);
        other.host.answer({EditorHost::kIdNo});
        WriteVehicleValues(context); // untouched: the question comes
        EXPECT_EQ(other.host.boxes().back().type, EditorHost::kMbYesNo);
        type(c.box, c.typed);
        other.host.answer({EditorHost::kIdYes});
        WriteVehicleValues(context);
        if (c.written.empty()) {
            const auto values = std::count(c.list.begin(), c.list.end(), '|') + 1;
            EXPECT_NE(other.host.boxes().back().text.find(" " + std::to_string(values) + " Werte"),
                      std::string::npos)
                << other.host.boxes().back().text;
        }
        EXPECT_EQ(other.files.contents(kTarget),
                  c.written.empty() ? text : sampleWith("Car Fast", c.from, c.written));
    }

    // Odd lists of the file's own: untouched they stay as they are and stop no other list;
    // typed into, the other values keep their text, line breaks included.
    const struct {
        std::string list;
        int box;
        std::string written;
    } odd[] = {
        {"<Special>n/a|1|0|1", 20, "<Special>n/a|1|0|1"},
        {"<Special>", 20, "<Special>"},
        {"<Special>0|\r\n1|0|1", 16, "<Special>7|\r\n1|0|1"},
    };
    for (const auto& c : odd) {
        SCOPED_TRACE(c.list);
        const std::string text = sampleWith("Car Fast", "<Special>0|1|0|1", c.list);
        files.addFile(kTarget, text);
        fakes::showProfiles(model, text);
        type(c.box, c.box == 20 ? "55" : "7");
        host.answer({EditorHost::kIdYes});
        WriteVehicleValues(editor);
        std::string expected = sampleWith("Car Fast", "<Special>0|1|0|1", c.written);
        if (c.box == 20)
            expected.replace(expected.find("<City>50|"), 9, "<City>55|");
        EXPECT_EQ(files.contents(kTarget), expected);
    }
}

TEST_F(ProfileWrites, ListsOfAnotherProfileAreNeverWritten) {
    // Without its own list, the search from the route's name ends in the next profile.
    const std::string noSpecial =
        sampleWith("Fastest", "<Special>0|0|0|0</Special>\r\n          ", "");
    const std::string noValue = sampleWith("Fastest", "<Value>0.0</Value>", "");
    for (const auto& [text, tag] :
         {std::pair{noSpecial, "\"<Special>\""}, std::pair{noValue, "\"<Value>\""}}) {
        SCOPED_TRACE(tag);
        MemoryMachine other;
        other.files.addFile(kTarget, text);
        EditorContext context = other.contextFor(model);
        other.host.answer({EditorHost::kIdYes});
        WriteRouteValues(context);
        expectRefusedMentioning(other.host, tag);
        EXPECT_EQ(other.files.contents(kTarget), text);
    }
}

TEST_F(ProfileWrites, LastVehicleOfTheFileIsWrittenWithItsRecordShown) {
    const std::string last = "<SpeedProfile><Name>Car Fast</Name><City>1|2|3|4|5|6|7|8</City>"
                             "<Open>1|2|3|4|5|6|7|8</Open><Special>1|2|3|4</Special>"
                             "<PreferenceFactor><City>1|2|3|4|5|6|7|8</City>"
                             "<Open>1|2|3|4|5|6|7|8</Open></PreferenceFactor></SpeedProfile >";
    files.addFile(kTarget, last);
    fakes::showProfiles(model, last);
    type(20, "9");
    host.answer({EditorHost::kIdYes});
    WriteVehicleValues(editor);
    const std::string written = "<Name>Car Fast</Name><City>9|2|" + last.substr(45);
    EXPECT_EQ(files.contents(kTarget), "<SpeedProfile>" + written);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_EQ(host.boxes()[0].text, std::string(kConfirmationHeader) + written);
}

TEST_F(ProfileWrites, ReadOnlyTargetIsRefusedBeforeTheQuestion) {
    files.addFile(kTarget, sample, true);
    type(0, "2.0");
    WriteVehicleValues(editor);
    expectRefusedMentioning(host, "schreibgesch\xFCtzt");
    EXPECT_EQ(files.contents(kTarget), sample);
}

TEST_F(ProfileWrites, ConfirmationShowsNulBytesAndSaysHowMuchIsCut) {
    // A long route record with a NUL byte in it, shown but not silently shortened.
    const std::string filler = std::string(5000, 'x') + '\0';
    const std::string odd =
        sampleWith("Fastest", "<PreferenceFactor>", filler + "<PreferenceFactor>");
    files.addFile(kTarget, odd);
    WriteRouteValues(editor); // answered No
    ASSERT_EQ(host.boxes().size(), 1u);
    const std::string& shown = host.boxes()[0].text;
    EXPECT_EQ(shown.find('\0'), std::string::npos);
    EXPECT_NE(shown.find(" weitere Zeichen"), std::string::npos);
    EXPECT_LT(shown.size(), 4200u);
    const std::string small =
        sampleWith("Fastest", "<PreferenceFactor>", std::string(1, '\0') + "<PreferenceFactor>");
    files.addFile(kTarget, small);
    WriteRouteValues(editor);
    ASSERT_EQ(host.boxes().size(), 2u);
    EXPECT_NE(host.boxes()[1].text.find("</Name>\r\n        [NUL]<PreferenceFactor>"),
              std::string::npos);
}

TEST_F(ProfileWrites, OutOfMemoryEndsInAMessageWithTheFileAsItWas) {
    type(0, "2.0");
    files.runOutOfMemoryAtCall(MemoryFiles::Call::ReadFile);
    WriteVehicleValues(editor);
    expectRefusedMentioning(host, "Arbeitsspeicher");
    EXPECT_EQ(files.contents(kTarget), sample);
}

TEST_F(ProfileWrites, EachListIsWrittenByItsOwnRowInItsOwnOrder) {
    // A vehicle without a top-level "<City>" and a route with a "<Special>" before its factor
    // block: the speeds land in the factor list first and the factors then overwrite them;
    // the route's specials go into the first "<Special>" after its name.
    std::string odd =
        sampleWith("Car Fast", "<City>50|50|50|50|40|30|20|10</City>\r\n        ", "");
    odd = odd.replace(odd.find("<Name>Fastest</Name>") + 20, 0, "<Special>5|5|5|5</Special>");
    files.addFile(kTarget, odd);
    fakes::showProfiles(model, odd);
    type(20, "60");
    type(0, "1.5");
    type(52, "9");
    host.answer({EditorHost::kIdYes, EditorHost::kIdYes});
    WriteVehicleValues(editor);
    WriteRouteValues(editor);
    std::string expected = odd;
    expected.replace(expected.find("<City>1.2|"), 10, "<City>1.5|");
    expected.replace(expected.find("<Special>5|5|5|5"), 16, "<Special>9|0|0|0");
    EXPECT_EQ(files.contents(kTarget), expected);

    // Two route boxes that are no numbers: the first list in writing order is named.
    type(36, "x");
    type(56, "y");
    WriteRouteValues(editor);
    ASSERT_EQ(host.boxes().size(), 3u);
    EXPECT_NE(host.boxes()[2].text.find("„Präferenz City“"), std::string::npos);
}

TEST_F(ProfileWrites, AChangeMadeWhileTheQuestionIsOpenIsNeverLost) {
    type(20, "55");
    const std::string meanwhile = sampleWith("Truck", "<City>45|", "<City>46|");
    host.duringNextQuestion([&] { files.addFile(kTarget, meanwhile); });
    host.answer({EditorHost::kIdYes, EditorHost::kIdYes});
    WriteVehicleValues(editor);
    EXPECT_EQ(files.contents(kTarget), meanwhile);
    ASSERT_EQ(host.boxes().size(), 2u);
    EXPECT_NE(host.boxes()[1].text.find("ver\xE4ndert"), std::string::npos);
    WriteVehicleValues(editor); // made again, from the file as it is now
    EXPECT_EQ(files.contents(kTarget), sampleWith("Truck", "<City>45|", "<City>46|")
                                           .replace(sample.find("<City>50|50|"), 9, "<City>55|"));
}

TEST_F(ProfileWrites, AValueAnotherProgramChangedIsNeverUndone) {
    // Changed after the load, in the list typed into or in another; or while the backup is
    // made or the new file written, right before the move.
    const std::string third = sampleWith("Car Fast", "<City>50|50|50|", "<City>50|50|55|");
    const std::string open = sampleWith("Car Fast", "<Open>130|", "<Open>135|");
    const std::string truck = sampleWith("Truck", "<City>45|", "<City>46|");
    const struct {
        std::string changed;
        std::optional<MemoryFiles::Call> during; // nothing: before the click
        std::string mention;                     // empty: written over the change
    } cases[] = {
        {third, std::nullopt, "seit dem Laden"},
        {open, std::nullopt, ""},
        {third, MemoryFiles::Call::ShGetFolderPath, "ver\xE4ndert"},
        {truck, MemoryFiles::Call::FlushFileBuffers, "ver\xE4ndert"},
        {truck, MemoryFiles::Call::CloseHandle, "ver\xE4ndert"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mention);
        MemoryMachine other;
        other.files.addFile(kTarget, sample);
        fakes::showProfiles(model, sample);
        type(20, "120");
        if (c.during)
            other.files.duringCall(*c.during, [&] { other.files.addFile(kTarget, c.changed); });
        else
            other.files.addFile(kTarget, c.changed);
        EditorContext context = other.contextFor(model);
        other.host.answer({EditorHost::kIdYes});
        WriteVehicleValues(context);
        if (c.mention.empty()) {
            std::string both = c.changed;
            EXPECT_EQ(other.files.contents(kTarget),
                      both.replace(both.find("<City>50|"), 9, "<City>120|"));
            continue;
        }
        EXPECT_EQ(other.files.contents(kTarget), c.changed);
        EXPECT_NE(other.host.boxes().back().text.find(c.mention), std::string::npos)
            << other.host.boxes().back().text;
        EXPECT_EQ(other.host.boxes().back().type, EditorHost::kMbOk);
    }
}

TEST_F(ProfileWrites, ValuesOfNoKnownOriginAreNeverWritten) {
    const std::string kImport = "C:\\Sicherung\\ApplicationSettings.xml";
    // Shown from the import file, whose Truck has no specials at all.
    std::string noSpecial = sampleWith("Truck", "<Special>1|0|0|1</Special>", "");
    noSpecial.erase(noSpecial.find("<Special>", noSpecial.find("Truck")), 34);
    // Written first, specials holding "<Value>" would move the route value's search.
    const std::string tagged =
        sampleWith("Fastest", "<Special>0|0|0|0", "<Special>0|0|0|1<Value>0.5</Value>");
    const std::string worded = sampleWith("Truck", "<City>45|45|", "<City>105|schnell|");
    const std::string valued = sampleWith("Fastest", "<Value>0.0", "<Value>0.7");
    const std::string noValue = sampleWith("Fastest", "<Value>0.0</Value>", "");
    model.state.importFlag = true;
    model.state.importPath = kImport;
    const struct {
        std::string target;
        std::string importText;
        std::optional<std::string> importAtReload; // nothing: gone for the second load
        bool route;
        std::string mention;
        std::string valueAtFirstLoad = {}; // Text1(56) after the first load, when checked
    } cases[] = {
        {sample, sample, std::nullopt, false, "„LKW“"},      // boxes left from Car Fast's load
        {sample, noSpecial, noSpecial, false, "„Specials“"}, // the search ended in the next profile
        {sample, tagged, tagged, true, "keine Zahl"},        // a tag brought in
        {sample, worded, worded, false, "„schnell“"},        // a word brought in
        {tagged, sample, sample, true, "„<“"},               // a tag taken out
        // The route's value shown from the import file, then loaded again from one that lost it.
        {sample, valued, noValue, true, "„Value:“", "0.7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mention);
        files.addFile(kTarget, c.target);
        files.addFile(kImport, c.importText);
        model.form.label3[0].text = "PKW sch.";
        LoadProfiles(editor);
        if (!c.valueAtFirstLoad.empty()) {
            ASSERT_EQ(model.form.text1[56].text, c.valueAtFirstLoad);
        }
        if (c.importAtReload)
            files.addFile(kImport, *c.importAtReload);
        else
            files.deleteFile(kImport);
        model.form.label3[0].text = "LKW";
        LoadProfiles(editor); // a cancelled file choice when the import file is gone
        files.addFile(kImport, c.importText);
        MemoryHost asked;
        EditorContext context{model,          files, asked,        editor.registry,
                              editor.dialogs, 0,     editor.system};
        asked.answer({EditorHost::kIdYes});
        c.route ? WriteRouteValues(context) : WriteVehicleValues(context);
        expectRefusedMentioning(asked, c.mention);
        EXPECT_EQ(files.contents(kTarget), c.target);
    }
}

TEST_F(ProfileWrites, MissingTargetIsReportedNotCreated) {
    model.state.targetPath = "E:\\Navi\\gone.xml";
    WriteRouteValues(editor);
    ASSERT_EQ(host.boxes().size(), 1u);
    EXPECT_NE(host.boxes()[0].text.find("gone.xml"), std::string::npos);
    EXPECT_EQ(files.contents("E:\\Navi\\gone.xml"), std::nullopt);
}

TEST_F(ProfileWrites, FailedReplacementIsReportedWithTheOldBytesKept) {
    type(0, "2.0");
    // The first move names the backup.
    files.failCall(MemoryFiles::Call::MoveFileEx, FilePort::kErrorAccessDenied, 2);
    host.answer({EditorHost::kIdYes});
    WriteVehicleValues(editor);
    ASSERT_EQ(host.boxes().size(), 2u);
    EXPECT_NE(host.boxes()[1].text.find("unver\xE4ndert"), std::string::npos);
    EXPECT_EQ(files.contents(kTarget), sample);
}

TEST_F(ProfileWrites, BackupThatCannotBeMadeDoesNotStopTheWrite) {
    const std::string inBackups = kBackups + "\\ApplicationSettings.xml";
    const std::pair<std::string, std::string> cases[] = {
        {kTarget, "Das System meldet: „Access denied.“ (Fehler 5)"},
        {inBackups, "Sie liegt selbst im Sicherungsordner."},
        // Named like a backup, written relative and with "..".
        {fakes::backupFolder("") + "\\ApplicationSettings 2020-01-01 00-00-00.xml",
         "Sie liegt selbst im Sicherungsordner."},
        {kBackups + "\\..\\Sicherungen\\ApplicationSettings 2020-01-01 00-00-00.xml",
         "Sie liegt selbst im Sicherungsordner."},
    };
    for (const auto& [target, mention] : cases) {
        SCOPED_TRACE(target);
        MemoryMachine other;
        other.files.setCurrentFolder(MemoryFiles::kLocalAppData);
        other.files.addFile(target, sample);
        if (target == kTarget)
            other.files.failCall(MemoryFiles::Call::CreateDirectory, FilePort::kErrorAccessDenied);
        model.state.targetPath = target;
        fakes::showProfiles(model, sample);
        EditorContext context = other.contextFor(model);
        type(21, "55");
        other.host.answer({EditorHost::kIdYes});
        WriteVehicleValues(context);
        EXPECT_EQ(other.files.contents(target),
                  sampleWith("Car Fast", "<City>50|50|", "<City>50|55|"));
        ASSERT_EQ(other.host.boxes().size(), 2u);
        EXPECT_EQ(other.host.boxes()[1].type, EditorHost::kMbOk);
        EXPECT_NE(other.host.boxes()[1].text.find(mention), std::string::npos);
        EXPECT_EQ(other.files.filesIn(kBackups).size(), target == kTarget ? 0u : 1u);
    }
}

TEST_F(ProfileWrites, CaptionOutsideTheTableIsSearchedAsItStands) {
    model.form.label3[0].text = "Truck";
    fakes::showProfiles(model, sample);
    type(16, "9.0");
    host.answer({EditorHost::kIdYes});
    WriteVehicleValues(editor);
    EXPECT_EQ(files.contents(kTarget),
              sampleWith("Truck", "<Special>1|0|0|1", "<Special>9.0|0|0|1"));
}

} // namespace
} // namespace marlwick
