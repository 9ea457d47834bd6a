#include "editor/profile_writes.h"
#include "editor/settings_file.h"
#include "tests/editor/editor_fixture.h"
#include "tests/fakes/sample_settings.h"

namespace marlwick {
namespace {

using fakes::MemoryFiles;
using fakes::MemoryHost;

const std::string kTarget = "E:\\Navi\\ApplicationSettings.xml";

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
}

TEST_F(ProfileWrites, OneEditedValueChangesOnlyItsList) {
    model.form.text1[21].text = "55";
    host.answer({EditorHost::kIdYes});
    WriteVehicleValues(editor);
    EXPECT_EQ(files.contents(kTarget), sampleWith("Car Fast", "<City>50|50|", "<City>50|55|"));

    model.form.text1[56].text = "0.5|x"; // the route value goes in as it stands
    host.answer({EditorHost::kIdYes});
    WriteRouteValues(editor);
    const std::string both = sampleWith("Car Fast", "<City>50|50|", "<City>50|55|");
    const auto value = both.find("<Value>0.0", both.find("Fastest"));
    EXPECT_EQ(files.contents(kTarget)->substr(value, 20), "<Value>0.5|x</Value>");
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
    model.form.text1[36].text = "0.9";
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
    model.form.text1[0].text = "9.9";
    const auto before = files.modificationsOf(kTarget);
    host.answer({EditorHost::kIdNo});
    WriteVehicleValues(editor);
    EXPECT_EQ(files.contents(kTarget), sample);
    EXPECT_EQ(files.modificationsOf(kTarget), before);
    EXPECT_EQ(files.filesIn("E:\\Navi").size(), 1u);
    EXPECT_EQ(model.form.text1[0].text, "9.9"); // the grid is not reloaded
}

TEST_F(ProfileWrites, ValuesShownFromAnotherFileLandInTheTargetsProfile) {
    std::string other = sampleWith("Car Fast", "<Special>0|1|0|1", "<Special>7|7|7|7");
    MainWindowModel fromImport;
    fromImport.form.label3 = model.form.label3;
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
    const Case cases[] = {
        {"profile missing", "<Name>Car Slow</Name>" + factors, "\"Car Fast\""},
        {"start tag missing", lists + "<Special>1|2|3|4</Special>", "\"<PreferenceFactor>\""},
        {"inner tag missing", lists + "<Special>1|2|3|4</Special><PreferenceFactor><City>1</City>",
         "\"<Open>\""},
        {"end tag missing", lists + "<Special>1|2|3|4" + factors, "\"</Special>\""},
        {"record end missing", lists + "<Special>1|2|3|4</Special>" + factors,
         "\"</SpeedProfile>\""},
        {"no later factor block",
         lists + "<Special>1|2|3|4</Special>" + factors + "</SpeedProfile>",
         "\"<PreferenceFactor\""},
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
    model.form.text1[0].text = "2.0";
    files.failCall(MemoryFiles::Call::MoveFileEx, FilePort::kErrorAccessDenied);
    host.answer({EditorHost::kIdYes});
    WriteVehicleValues(editor);
    ASSERT_EQ(host.boxes().size(), 2u);
    EXPECT_NE(host.boxes()[1].text.find("unver\xE4ndert"), std::string::npos);
    EXPECT_EQ(files.contents(kTarget), sample);
}

TEST_F(ProfileWrites, CaptionOutsideTheTableIsSearchedAsItStands) {
    model.form.label3[0].text = "Truck";
    fakes::showProfiles(model, sample);
    model.form.text1[16].text = "9.0";
    host.answer({EditorHost::kIdYes});
    WriteVehicleValues(editor);
    EXPECT_EQ(files.contents(kTarget),
              sampleWith("Truck", "<Special>1|0|0|1", "<Special>9.0|0|0|1"));
}

} // namespace
} // namespace marlwick
