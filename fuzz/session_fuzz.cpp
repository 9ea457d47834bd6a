// Sessions of a user with the editor, from the start-up on, over the in-memory machine with
// the example file as target and import file, the user's own "ApplicationSettings.xml.tmp"
// beside the target, and the world changing the files between the actions. Fields: the
// script, the stored "klick", "user", "fahrzeug" and "route" (stored when not empty), then the
// texts the script takes in turn. The script's first byte holds the start options (bit 1: the
// target path as command line, bit 2: no stored target path, bit 3: the backup folder holds
// as many backups as are kept and files whose names look like backups, bit 4: the import
// file lies there under a backup's name, spelt otherwise, bit 5: the target lies there); then
// each action is a byte with its arguments in the bytes after it. A question's answer byte
// says Yes in bit 1, in bit 2 that the world changes the files as the bytes after it say,
// and in bit 3 that it does so while the backup is made instead of while the question is open.
// After every action: the target holds its old bytes, or after a Yes to a write the old text
// with only lists of the shown profile's own record replaced as the session's provenance
// allows, or after a Yes to import-all the old text with the import file's routing section.
// A target changed after the action read it keeps that change and the user is told. No other
// file changes, appears or goes, but for a backup of the target's old bytes and the removal,
// after a replacement, of the editor's own oldest backups of the target's name; the target
// and the import file are never lost. No handle or key stays open; the file calls of one
// action are bounded; the level button switches between Basic and Extended, and the speed
// mode comes only at the Extended level.
#include "editor/document/settings_document.h"
#include "editor/form/number_rules.h"
#include "editor/operations/backups.h"
#include "editor/operations/main_window_events.h"
#include "editor/operations/startup.h"
#include "editor/operations/view_modes.h"
#include "editor/system/stored_settings.h"
#include "fuzz/editor_machine.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/session_ports.h"
#include "fuzz/session_provenance.h"
#include "tests/fakes/sample_settings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <functional>
#include <map>
#include <memory>
#include <regex>
#include <set>

namespace {

using namespace marlwick;

// Where a backup was made, older first: its time, then its counter.
using BackupStamp = std::pair<std::string, int>;

// The stamp of a name the editor gives a backup of fileName: its stem, a blank, the local
// time as "YYYY-MM-DD hh-mm-ss", perhaps " (n)", its extension, letter case aside.
std::optional<BackupStamp> ownBackupStamp(const std::string& name, const std::string& fileName) {
    const auto literal = [](const std::string& text) {
        return std::regex_replace(text, std::regex(R"([.^$|()\[\]{}*+?\\])"), R"(\$&)");
    };
    const std::size_t dot = std::min(fileName.rfind('.'), fileName.size());
    const std::regex shape(literal(fileName.substr(0, dot)) +
                               R"( (\d{4}-\d\d-\d\d \d\d-\d\d-\d\d)(?: \((\d{1,9})\))?)" +
                               literal(fileName.substr(dot)),
                           std::regex::icase);
    std::smatch parts;
    if (!std::regex_match(name, parts, shape))
        return std::nullopt;
    return BackupStamp{parts[1], parts[2].matched ? std::stoi(parts[2]) : 1};
}

// The backup folder as a session finds it: the backups of earlier writes, as many as are kept,
// and files of the user's whose names only look like backups, all older than any backup the
// session makes.
void addBackups(fakes::MemoryFiles& files) {
    const std::string folder = fakes::backupFolder() + "\\";
    for (std::size_t k = 0; k < kBackupsKept; ++k)
        files.addFile(folder + "ApplicationSettings 2001-01-01 00-00-" + std::to_string(10 + k) +
                          ".xml",
                      "<Alt/>");
    for (const char* name :
         {"ApplicationSettings 2000-01-01 00-00-00.txt", "Notizen 2000-01-01 00-00-00.xml",
          "ApplicationSettings 2000-01-01 00-00-00 Kopie.xml", "Alt ApplicationSettings.xml",
          "ApplicationSettings2000-01-01 00-00-00.xml",
          "ApplicationSettings 2000-1-01 00-00-00.xml",
          "Alt ApplicationSettings 2000-01-01 00-00-00.xml",
          "ApplicationSettings 2000-01-01 00-00-00 (x).xml"})
        files.addFile(folder + name, "Nutzer");
}

// Enough actions for any sequence of a write, a file change and a choice; more only slow
// each run down.
constexpr int kMostActions = 64;

const std::string kUserTemporary = "E:\\Navi\\ApplicationSettings.xml.tmp";
const std::string kUserTemporaryBytes = "Notizen zum Navi, nicht l\xf6schen\r\n";
const std::string kMissingPath = "E:\\Navi\\Fehlt.xml";
const std::string kOwnEjectProgram = "C:\\Programme\\Marlwick\\Vandrl.exe";
const std::array<std::string, 3> kFolders{"E:\\Navi", "F:\\Alt", fakes::backupFolder()};
// The import file among the backups, as the oldest of them, the editor told its path spelt
// otherwise; the target there beside it.
const std::string kImportAmongBackups =
    fakes::backupFolder() + "\\ApplicationSettings 2000-12-31 23-59-59.xml";
const std::string kImportAmongBackupsSpelt = "c:/USERS/nutzer/AppData/Local/Marlwick/Sicherungen/"
                                             "ApplicationSettings 2000-12-31 23-59-59.xml";
const std::string kTargetAmongBackups =
    fakes::backupFolder() + "\\ApplicationSettings 2000-12-31 23-59-58.xml";

const std::string& sampleText() {
    static const std::string text = fakes::sampleSettingsText();
    return text;
}

// What an action may do to the target.
enum class Change { None, VehicleWrite, RouteWrite, Import };

// A path as the file system tells paths apart: neither case nor the kind of slash counts.
std::string comparable(std::string_view path) {
    std::string folded(path);
    std::ranges::transform(folded, folded.begin(), [](unsigned char c) {
        return c == '/' ? '\\' : static_cast<char>(std::tolower(c));
    });
    return folded;
}

using Files = std::map<std::string, std::string>;

// Every file of the folders, by its comparable path.
Files folderFiles(const fakes::MemoryFiles& files) {
    Files found;
    for (const std::string& folder : kFolders)
        for (const std::string& name : files.filesIn(folder)) {
            const std::string path = folder + "\\" + name;
            found[comparable(path)] = files.contents(path).value_or("");
        }
    return found;
}

// The target with the import's routing section.
std::optional<std::string> withRoutingOf(std::string_view target, std::string_view imported) {
    const auto inTarget = fuzz::routingParts(target);
    const auto inImport = fuzz::routingParts(imported);
    if (!inTarget || !inImport)
        return std::nullopt;
    return std::string(inTarget->head) + std::string(inImport->section) +
           std::string(inTarget->tail);
}

std::optional<std::string> fileIn(const Files& files, const std::string& path) {
    const auto found = files.find(comparable(path));
    if (found == files.end())
        return std::nullopt;
    return found->second;
}

std::string_view nameOf(std::string_view path) {
    return path.substr(path.find_last_of("\\/:") + 1);
}

bool amongBackups(const std::string& path) {
    return path.starts_with(comparable(fakes::backupFolder() + "\\"));
}

// What the properties compare with: the window and the files before the action.
struct Before {
    std::shared_ptr<const Files> files;
    std::string targetPath;
    std::string importPath;
    std::string vehicleCaption;
    std::string routeCaption;
    std::string modeBarCaption;
};

class Session;
// What the world does to the files: between the actions, or while a question is open.
using WorldChange = std::function<void(Session&)>;

class Session {
  public:
    Session() {
        machine().files.addFile(kUserTemporary, kUserTemporaryBytes);
        machine().files.addFile(kOwnEjectProgram, "MZ");
    }

    fuzz::EditorOnMachine on{sampleText(), sampleText()};
    std::string targetPath = fuzz::kTargetPath;
    std::string importPath = fuzz::kImportPath;

    void start(const fuzz::Fields& fields, std::uint8_t options) {
        if (options & 4)
            addBackups(machine().files);
        if (options & 8)
            machine().files.addFile(importPath = kImportAmongBackups, sampleText());
        if (options & 16)
            machine().files.addFile(targetPath = kTargetAmongBackups, sampleText());
        if (!(options & 2))
            on.store(stored::kPfad, targetPath);
        on.store(stored::kImportpfad, options & 8 ? kImportAmongBackupsSpelt : importPath);
        const std::array names{stored::kKlick, stored::kUser, stored::kFahrzeug, stored::kRoute};
        for (std::size_t i = 0; i < names.size(); ++i)
            if (!fields[i + 1].empty())
                on.store(names[i], fields[i + 1]);
        const std::string commandLine = options & 1 ? targetPath : "";
        act(Change::None, [&] { RunStartup(editor_, commandLine); });
    }

    void typeInto(ControlId box, const std::string& text) {
        const Control& typedInto = control(on.model.form, box);
        if (!typedInto.enabled || !typedInto.visible)
            return;
        if (focused_ != box) {
            leaveBox();
            act(Change::None, [&] { onFocusGained(on.model, box); });
            focused_ = box;
        }
        act(Change::None, [&] { onTextTyped(on.model, box, text); });
        if (box.array == ControlArray::Text1)
            provenance_.typed(box.index, text);
    }

    // The focus moves on to a control that is no box. Leaving a routing speed moves the
    // factor of the block open for editing.
    void leaveBox() {
        const auto box = std::exchange(focused_, std::nullopt);
        if (!box)
            return;
        if (box->array == ControlArray::Text3)
            provenance_.mayBeComputed(on.model.form.text1[0].enabled
                                          ? box->index
                                          : box->index + grid::kRouteFactorBoxOffset);
        act(Change::None, [&] { onFocusLost(on.model, *box); });
        if (box->array == ControlArray::Text1)
            provenance_.typed(box->index, on.model.form.text1[box->index].text);
    }

    // A click on a shown control; a button takes the focus first. A write or an import that
    // is answered Yes may change the target; the world may change the files while the
    // question is open or while the backup is made.
    void click(ControlId clicked, int answer = EditorHost::kIdNo, Change onYes = Change::None,
               std::optional<std::string> fileAnswer = std::nullopt,
               const WorldChange& change = nullptr, bool whileBackingUp = false) {
        const Control& shown = control(on.model.form, clicked);
        if (!shown.visible || !shown.enabled)
            return;
        if (shown.kind == ControlKind::Button)
            leaveBox();
        host_.answer = answer;
        // The file buttons always ask, and take the answer; any other dialog is cancelled.
        if (fileAnswer)
            on.machine.dialogPort.answerFileDialog(std::move(*fileAnswer));
        // A change during an action needs the clean-up that a failing file call may spoil.
        if (change && !std::exchange(disturbed_, true))
            (whileBackingUp ? files_.whileBackingUp : host_.whileAsked) = [&] {
                afterRead_ = files_.hasRead(on.model.state.targetPath);
                change(*this);
                atChange_ = snapshot();
            };
        act(answer == EditorHost::kIdYes ? onYes : Change::None,
            [&] { onClick(editor_, clicked); });
        host_.answer = EditorHost::kIdNo;
        host_.whileAsked = nullptr;
        files_.whileBackingUp = nullptr;
    }

    // The world between the actions.
    void replaceFile(const std::string& path, std::string bytes) {
        machine().files.addFile(path, std::move(bytes), readOnly_.contains(path));
        files_cache_.reset();
    }

    void editFile(const std::string& path, const std::string& from, const std::string& to) {
        std::string text = machine().files.contents(path).value_or("");
        const std::size_t at = text.find(from);
        if (from.empty() || at == std::string::npos)
            return;
        replaceFile(path, text.replace(at, from.size(), to));
    }

    void removeOrPutBack(const std::string& path) {
        if (const auto bytes = machine().files.contents(path)) {
            if (machine().files.deleteFile(path))
                removed_[path] = *bytes;
            files_cache_.reset();
        } else if (removed_.contains(path)) {
            replaceFile(path, removed_[path]);
        }
    }

    // One fault or change during an action per session: a second one could fail the clean-up
    // of the first, which no program can help.
    void failFileCall(std::uint8_t call, std::uint8_t occurrence) {
        if (!std::exchange(disturbed_, true))
            fuzz::failFileCall(on, call, occurrence);
    }

    void toggleReadOnly(const std::string& path) {
        if (!readOnly_.erase(path))
            readOnly_.insert(path);
        if (const auto bytes = machine().files.contents(path))
            replaceFile(path, *bytes);
    }

  private:
    MemoryMachine& machine() { return on.machine; }

    // The files as they are; only the world and an action that wrote change them.
    std::shared_ptr<const Files> files() const {
        if (!files_cache_)
            files_cache_ = std::make_shared<const Files>(folderFiles(on.machine.files));
        return files_cache_;
    }

    Before snapshot() const {
        const MainForm& form = on.model.form;
        return {.files = files(),
                .targetPath = on.model.state.targetPath,
                .importPath = on.model.state.importPath,
                .vehicleCaption = form.label3[0].text,
                .routeCaption = form.label3[1].text,
                .modeBarCaption = form.command4[0].text};
    }

    // The action is judged by the files as the world left them when it changed them; an
    // action that had read the target then may not replace it, and says so.
    void act(Change change, const std::function<void()>& action) {
        const Before before = snapshot();
        files_.startAction();
        action();
        if (files_.wrote())
            files_cache_.reset();
        fuzz::requireNothingLeftOpen(on);
        const auto atChange = std::exchange(atChange_, std::nullopt);
        const Before& judged = atChange ? *atChange : before;
        const std::string& path = before.targetPath;
        if (change != Change::None && atChange && afterRead_ &&
            fileIn(*before.files, path) != fileIn(*judged.files, path)) {
            fuzz::require(on.machine.files.contents(path) == fileIn(*judged.files, path),
                          "a change made after the action read the target is kept");
            const auto& boxes = on.machine.host.boxes();
            fuzz::require(!boxes.empty() && boxes.back().type == EditorHost::kMbOk,
                          "an action refused for a change meanwhile tells so");
            change = Change::None;
        }
        requireFiles(judged, before, change);
        notePlayed(judged, change);
        requireLevelAndMode(before);
    }

    // What a load in this action read, what a write made of the target, and the factors a
    // recomputation in speed mode may move.
    void notePlayed(const Before& before, Change change) {
        const WindowState& state = on.model.state;
        const auto read = [&](const std::string& path) {
            return files_.hasRead(path) ? on.machine.files.contents(path) : std::nullopt;
        };
        if (files_.loadBegan())
            provenance_.loaded(read(state.targetPath), read(state.importPath));
        const auto now = on.machine.files.contents(before.targetPath);
        if (const auto kind = kindOf(change);
            kind && now != fileIn(*before.files, before.targetPath))
            provenance_.written(*kind, *now);
        if (on.model.form.command4[0].text == kSpeedModeCaption)
            for (int box = grid::kVehicleFactors.first; box <= grid::kVehicleFactors.last; ++box)
                provenance_.mayBeComputed(box);
    }

    static std::optional<ProfileKind> kindOf(Change change) {
        if (change == Change::None || change == Change::Import)
            return std::nullopt;
        return change == Change::VehicleWrite ? ProfileKind::Vehicle : ProfileKind::Route;
    }

    // The target first: what a write put into it says more than the files around it. Then
    // every other file, the import file too: kept with its bytes, but for the backups.
    void requireFiles(const Before& before, const Before& start, Change change) const {
        const Files& after = *files();
        const auto old = fileIn(*before.files, before.targetPath);
        const auto now = fileIn(after, before.targetPath);
        const bool replaced = old && now && now != old;
        if (replaced)
            requireTargetChange(before, change, *old, *now);
        const std::string fileName(nameOf(before.targetPath));
        // Never the target or the import file, whatever their names.
        const auto ownBackup = [&](const std::string& path) {
            return amongBackups(path) && path != comparable(before.targetPath) &&
                           path != comparable(before.importPath)
                       ? ownBackupStamp(std::string(nameOf(path)), fileName)
                       : std::nullopt;
        };
        std::optional<BackupStamp> newestRemoved;
        for (const auto& [path, bytes] : *before.files) {
            const auto kept = fileIn(after, path);
            fuzz::require(kept == bytes || (kept && path == comparable(before.targetPath)) ||
                              (!kept && replaced && ownBackup(path)),
                          "no other file is touched; only a replacement removes one, and only "
                          "an own backup of the target");
            newestRemoved = kept ? newestRemoved : std::max(newestRemoved, ownBackup(path));
        }
        for (const auto& [path, bytes] : after) {
            if (!before.files->contains(path))
                fuzz::require(ownBackup(path) && (bytes == old ||
                                                  bytes == fileIn(*start.files, before.targetPath)),
                              "only a backup of the target's old bytes appears, among the backups");
            if (newestRemoved)
                fuzz::require(!ownBackup(path) || newestRemoved < ownBackup(path),
                              "the oldest own backups go first");
        }
    }

    void requireTargetChange(const Before& before, Change change, const std::string& old,
                             const std::string& now) const {
        if (change == Change::Import) {
            const auto imported = fileIn(*before.files, before.importPath);
            fuzz::require(imported && withRoutingOf(old, *imported) == now,
                          "import-all takes over the import file's routing section");
            return;
        }
        const auto kind = kindOf(change);
        fuzz::require(kind.has_value(), "only a confirmed write or import changes the target");
        const std::string& caption =
            *kind == ProfileKind::Vehicle ? before.vehicleCaption : before.routeCaption;
        const std::string name(profileNameForCaption(*kind, caption).value_or(caption));
        fuzz::require(provenance_.allowsWrite(*kind, name, old, now),
                      "a write changes only lists of the shown profile's own record, each as "
                      "the session typed it and the last load read it");
    }

    void requireLevelAndMode(const Before& before) const {
        const MainForm& form = on.model.form;
        if (form.command4[0].text == kSpeedModeCaption &&
            before.modeBarCaption != kSpeedModeCaption)
            fuzz::require(form.command6.text == kExtendedCaption,
                          "the speed mode comes only at the Extended level");
    }

    fuzz::BoundedFiles files_{on.machine.files};
    fuzz::ScriptedHost host_{on.machine.host};
    EditorContext editor_{
        on.model, files_,           host_, on.machine.registry, on.machine.dialogs,
        0x1234,   on.machine.system};
    mutable std::shared_ptr<const Files> files_cache_;
    std::optional<ControlId> focused_;
    std::set<std::string> readOnly_;
    std::map<std::string, std::string> removed_;
    bool disturbed_ = false;
    fuzz::Provenance provenance_;
    std::optional<Before> atChange_; // the files after the world changed them during the action
    bool afterRead_ = false;         // and it did so after the action had read the target
};

constexpr int kActionKinds = 17;
constexpr int kFirstWorldChange = 11;

std::string fileOf(const Session& session, std::uint8_t argument) {
    return argument & 1 ? session.importPath : session.targetPath;
}

// The open-file dialog's answer: a cancel, the target, the import file or a file not there.
std::optional<std::string> chosenFile(const Session& session, std::uint8_t argument) {
    switch (argument % 4) {
    case 1:
        return session.targetPath;
    case 2:
        return session.importPath;
    case 3:
        return kMissingPath;
    default:
        return std::nullopt;
    }
}

ControlId boxOf(std::uint8_t argument) {
    const int box = argument % (kValueBoxCount + kRoutingSpeedBoxCount);
    if (box < kValueBoxCount)
        return {ControlArray::Text1, box};
    return {ControlArray::Text3, box - kValueBoxCount};
}

void clickLevelButton(Session& session) {
    const std::string before = session.on.model.form.command6.text;
    session.click({ControlArray::Command6});
    const std::string& after = session.on.model.form.command6.text;
    fuzz::require(after != before && (after == kBasicCaption || after == kExtendedCaption),
                  "the level button switches between Basic and Extended");
}

void clickFileButton(Session& session, std::uint8_t argument) {
    session.click({ControlArray::Command3, argument & 1}, EditorHost::kIdNo, Change::None,
                  chosenFile(session, argument >> 1));
}

constexpr int kWorldChangeKinds = 5;

// A change of the world as the script says, its arguments read now.
WorldChange worldChange(const Session& session, fuzz::Script& script, int kind) {
    const std::string path = fileOf(session, script.byte());
    switch (kind) {
    case 0:
        return [path, bytes = fuzz::withNuls(script.text())](Session& session) {
            session.replaceFile(path, bytes);
        };
    case 1:
        return [path](Session& session) { session.replaceFile(path, sampleText()); };
    case 2: {
        const std::string from = script.text();
        return [path, from, to = script.text()](Session& session) {
            session.editFile(path, from, to);
        };
    }
    case 3:
        return [path](Session& session) { session.removeOrPutBack(path); };
    default:
        return [path](Session& session) { session.toggleReadOnly(path); };
    }
}

// A button that asks a question, answered as the script says, the world perhaps changing the
// files while the question is open or while the backup is made.
void clickAsking(Session& session, fuzz::Script& script, ControlId button, Change onYes) {
    const std::uint8_t answer = script.byte();
    const WorldChange change =
        answer & 2 ? worldChange(session, script, script.byte() % kWorldChangeKinds) : nullptr;
    session.click(button, answer & 1 ? EditorHost::kIdYes : EditorHost::kIdNo, onYes, std::nullopt,
                  change, answer & 4);
}

void failFileCall(Session& session, fuzz::Script& script) {
    const std::uint8_t call = script.byte();
    session.failFileCall(call, script.byte());
}

void perform(Session& session, fuzz::Script& script) {
    const int action = script.byte() % kActionKinds;
    switch (action) {
    case 0:
        return session.click({ControlArray::Command1, script.byte() % 9});
    case 1:
        return session.typeInto(boxOf(script.byte()), script.text());
    case 2:
        return session.leaveBox();
    case 3:
        return session.click({ControlArray::Command4});
    case 4:
        return clickLevelButton(session);
    case 5:
        return session.click({ControlArray::Label3, script.byte() % 2});
    case 6:
        return clickFileButton(session, script.byte());
    case 7:
        return clickAsking(session, script, {ControlArray::Command2, 0}, Change::VehicleWrite);
    case 8:
        return clickAsking(session, script, {ControlArray::Command2, 1}, Change::RouteWrite);
    case 9:
        return clickAsking(session, script, {ControlArray::Command7}, Change::Import);
    case 10:
        return session.click({ControlArray::Command5});
    case 11:
    case 12:
    case 13:
    case 14:
    case 15:
        return worldChange(session, script, action - kFirstWorldChange)(session);
    default:
        return failFileCall(session, script);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    fuzz::Script script(fields, 5);
    Session session;
    session.start(fields, script.byte());
    for (int i = 0; i < kMostActions && !script.done(); ++i)
        perform(session, script);
    return 0;
}
