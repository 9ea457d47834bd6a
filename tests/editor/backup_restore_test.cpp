#include "editor/operations/backup_restore.h"

#include "tests/fakes/memory_machine.h"
#include "tests/fakes/sample_settings.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace marlwick {
namespace {

const std::string kTarget = "E:\\Navi\\ApplicationSettings.xml";
const std::string kBackups = fakes::backupFolder();
const std::string kOlder = kBackups + "\\ApplicationSettings 2026-11-30 08-00-00.xml";
const std::string kNewer = kBackups + "\\ApplicationSettings 2026-12-01 09-30-00.xml";
const std::string kNewest = kBackups + "\\ApplicationSettings 2026-12-01 09-30-00 (2).xml";
// Newer than all, but of another name, a folder, or outside the backup folder.
const std::string kOtherName = kBackups + "\\Zweites Navi 2026-12-02 10-00-00.xml";
const std::string kFolderLike = kBackups + "\\ApplicationSettings 2026-12-03 10-00-00.xml";
const std::string kBesideTarget = "E:\\Navi\\ApplicationSettings 2026-12-02 10-00-00.xml";
const std::string kUnbackedUp = "E:\\Navi\\Drittes.xml";
// The name the target's own backup gets at the fake clock's time.
const std::string kMadeNow = kBackups + "\\ApplicationSettings 2026-12-07 23-59-59.xml";

// The sample whose "Car Fast" drives the first town speed given.
std::string withFirstSpeed(const std::string& speed) {
    std::string text = fakes::sampleSettingsText();
    const auto at = text.find("<City>50|50|", text.find("<Name>Car Fast"));
    return text.replace(at + 6, 2, speed);
}

// Read from the text by plain search: the first town speed of "Car Fast".
std::string firstSpeedIn(const std::string& text) {
    const auto list = text.find("<City>", text.find("<Name>Car Fast</Name>")) + 6;
    return text.substr(list, text.find('|', list) - list);
}

struct Machine : MemoryMachine {
    MainWindowModel model;
    EditorContext editor = contextFor(model);

    explicit Machine(const std::string& target) {
        files.addFile(kTarget, fakes::sampleSettingsText());
        files.addFile(kUnbackedUp, fakes::sampleSettingsText());
        files.addFile(kOlder, withFirstSpeed("61"));
        files.addFile(kNewer, withFirstSpeed("62"));
        files.addFile(kNewest, withFirstSpeed("63"));
        files.addFile(kOtherName, withFirstSpeed("64"));
        files.addFolder(kFolderLike);
        files.addFile(kBesideTarget, withFirstSpeed("65"));
        model.state.targetPath = target;
        model.form.label3[0].text = "PKW sch.";
        model.form.label3[1].text = "Schnelle";
        fakes::showProfiles(model, fakes::sampleSettingsText());
    }
};

TEST(BackupRestore, BringsBackOnlyAChosenOwnBackupAfterAYes) {
    const std::string sample = fakes::sampleSettingsText();
    const std::string truckChanged = [&] {
        std::string text = sample;
        return text.replace(text.find("<City>", text.find("<Name>Truck")) + 6, 1, "9");
    }();
    const struct {
        std::string name;
        std::string target;
        std::optional<std::string> chosen; // nothing: cancelled, or no dialog
        int answer;
        bool changedDuringQuestion;
        std::string expected;    // the target's bytes afterwards
        std::string mention;     // of the last message box; empty for a question or none
        bool keptBackup = false; // the target's bytes were kept before the move
    } cases[] = {
        {"older one chosen", kTarget, kOlder, EditorHost::kIdYes, false, withFirstSpeed("61"), "",
         true},
        {"newest proposed and taken", kTarget, kNewest, EditorHost::kIdYes, false,
         withFirstSpeed("63"), "", true},
        {"answered No", kTarget, kOlder, EditorHost::kIdNo, false, sample, ""},
        {"dialog cancelled", kTarget, std::nullopt, EditorHost::kIdYes, false, sample, ""},
        {"no target", "", std::nullopt, EditorHost::kIdYes, false, sample, "keine Datei ausgew"},
        {"target gone", "E:\\Navi\\Weg.xml", std::nullopt, EditorHost::kIdYes, false, sample,
         "nicht vorhanden"},
        {"no backups of its name", kUnbackedUp, std::nullopt, EditorHost::kIdYes, false, sample,
         "keine Sicherung"},
        {"file of another name", kTarget, kOtherName, EditorHost::kIdYes, false, sample,
         "keine Sicherung von"},
        {"file outside the backup folder", kTarget, kBesideTarget, EditorHost::kIdYes, false,
         sample, "keine Sicherung von"},
        {"target changed during the question", kTarget, kOlder, EditorHost::kIdYes, true,
         truckChanged, "ver\xE4ndert", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Machine machine(c.target);
        machine.dialogPort.answerFileDialog(c.chosen);
        machine.host.answer({c.answer});
        if (c.changedDuringQuestion)
            machine.host.duringNextQuestion([&] { machine.files.addFile(kTarget, truckChanged); });

        RestoreBackup(machine.editor);

        EXPECT_EQ(machine.files.contents(kTarget), c.expected);
        // The window shows what the file holds, whether it changed or not.
        EXPECT_EQ(machine.model.form.text1[20].text, firstSpeedIn(c.expected));
        EXPECT_EQ(machine.files.contents(kMadeNow),
                  c.keptBackup ? std::optional(sample) : std::nullopt);
        const auto& boxes = machine.host.boxes();
        if (c.mention.empty()) {
            EXPECT_TRUE(boxes.empty() || boxes.back().type == EditorHost::kMbYesNo)
                << boxes.back().text;
        } else {
            ASSERT_FALSE(boxes.empty());
            EXPECT_EQ(boxes.back().type, EditorHost::kMbOk);
            EXPECT_NE(boxes.back().text.find(c.mention), std::string::npos) << boxes.back().text;
        }
    }
}

TEST(BackupRestore, ProposesTheNewestOwnBackupAndAsksNamingItsTimeAndTheTarget) {
    Machine machine(kTarget);
    machine.dialogPort.answerFileDialog(kNewer);
    RestoreBackup(machine.editor); // answered No

    ASSERT_EQ(machine.dialogPort.fileDialogs().size(), 1u);
    const auto& shown = machine.dialogPort.fileDialogs()[0];
    EXPECT_EQ(shown.initialDir, kBackups);
    EXPECT_EQ(kBackups + "\\" + shown.file, kNewest);
    const std::string pattern = "ApplicationSettings *.xml";
    EXPECT_EQ(shown.filter, pattern + '\0' + pattern + '\0' + '\0');
    ASSERT_EQ(machine.host.boxes().size(), 1u);
    const std::string& question = machine.host.boxes()[0].text;
    for (const std::string& part : {kNewer, kTarget, std::string("01.12.2026 um 09:30:00")})
        EXPECT_NE(question.find(part), std::string::npos) << question;
}

} // namespace
} // namespace marlwick
