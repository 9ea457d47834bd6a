// Sessions of a user with the editor, from the start-up on, over the in-memory machine with
// the example file as target and import file, the user's own "ApplicationSettings.xml.tmp"
// beside the target, and the world changing the files between the actions. Fields: the
// script, the stored "klick", "user", "fahrzeug" and "route" (stored when not empty), then the
// texts the script takes in turn. The script's first byte holds the start options (bit 1: the
// target path as command line, bit 2: no stored target path); then each action is a byte with
// its arguments in the bytes after it. A question's answer byte says Yes in bit 1 and in bit 2
// that the world changes the files while the question is open, as the bytes after it say.
// After every action: the target holds its old bytes, or after a Yes to a write the old text
// with only lists of the shown profile's own record replaced, each changed list by one the
// session typed numbers into (or a recomputation moved) with the other values as a load read
// them from that profile's own record, or by the list a load read from the import file's
// record of that profile; or after a Yes to import-all the old text with the import file's
// routing section. A target changed while the question was open keeps that change and the user
// is told. No other file in the two folders changes, appears or goes; no handle or key stays
// open; the file calls of one action are bounded; the level button switches between Basic and
// Extended, and the speed mode comes only at the Extended level.
#include "editor/main_window_events.h"
#include "editor/number_rules.h"
#include "editor/settings_document.h"
#include "editor/startup.h"
#include "editor/stored_settings.h"
#include "editor/view_modes.h"
#include "fuzz/editor_machine.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/list_replacements.h"
#include "fuzz/session_ports.h"
#include "fuzz/session_provenance.h"
#include "tests/fakes/sample_settings.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <set>

namespace {

using namespace marlwick;

// Enough actions for any sequence of a write, a file change and a choice; more only slow
// each run down.
constexpr int kMostActions = 64;

const std::string kUserTemporary = "E:\\Navi\\ApplicationSettings.xml.tmp";
const std::string kUserTemporaryBytes = "Notizen zum Navi, nicht l\xf6schen\r\n";
const std::string kMissingPath = "E:\\Navi\\Fehlt.xml";
const std::string kOwnEjectProgram = "C:\\Programme\\Marlwick\\Vandrl.exe";
const std::array<std::string, 2> kFolders{"E:\\Navi", "F:\\Alt"};

const std::string& sampleText() {
    static const std::string text = fakes::sampleSettingsText();
    return text;
}

class Script {
  public:
    explicit Script(const fuzz::Fields& fields) : fields_(fields) {}
    bool done() const { return at_ >= fields_[0].size(); }
    std::uint8_t byte() { return done() ? 0 : static_cast<std::uint8_t>(fields_[0][at_++]); }
    std::string text() { return std::string(fields_[nextText_++]); }

  private:
    const fuzz::Fields& fields_;
    std::size_t at_ = 0;
    std::size_t nextText_ = 5;
};

// What an action may do to the target.
enum class Change { None, VehicleWrite, RouteWrite, Import };

// Every file of the two folders by its path.
std::map<std::string, std::string> folderFiles(const fakes::MemoryFiles& files) {
    std::map<std::string, std::string> found;
    for (const std::string& folder : kFolders)
        for (const std::string& name : files.filesIn(folder)) {
            const std::string path = folder + "\\" + name;
            found[path] = files.contents(path).value_or("");
        }
    return found;
}

struct Section {
    std::size_t from;
    std::size_t to;
};

// The routing section: from after "<Routing>" to the first "</Routing>" after it.
std::optional<Section> routingSection(std::string_view text) {
    constexpr std::string_view kStart = "<Routing>";
    const std::size_t start = text.find(kStart);
    if (start == std::string_view::npos)
        return std::nullopt;
    const std::size_t end = text.find("</Routing>", start + kStart.size());
    if (end == std::string_view::npos)
        return std::nullopt;
    return Section{start + kStart.size(), end};
}

// The target with the import's routing section.
std::optional<std::string> withRoutingOf(std::string_view target, std::string_view imported) {
    const auto inTarget = routingSection(target);
    const auto inImport = routingSection(imported);
    if (!inTarget || !inImport)
        return std::nullopt;
    return std::string(target.substr(0, inTarget->from)) +
           std::string(imported.substr(inImport->from, inImport->to - inImport->from)) +
           std::string(target.substr(inTarget->to));
}

bool anyList(std::string_view) {
    return true;
}

std::optional<std::string> fileIn(const std::map<std::string, std::string>& files,
                                  const std::string& path) {
    const auto found = files.find(path);
    if (found == files.end())
        return std::nullopt;
    return found->second;
}

// What the properties compare with: the window and the files before the action.
struct Before {
    std::map<std::string, std::string> files;
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

    void start(const fuzz::Fields& fields, std::uint8_t options) {
        if (!(options & 2))
            on.store(stored::kPfad, fuzz::kTargetPath);
        on.store(stored::kImportpfad, fuzz::kImportPath);
        const std::array names{stored::kKlick, stored::kUser, stored::kFahrzeug, stored::kRoute};
        for (std::size_t i = 0; i < names.size(); ++i)
            if (!fields[i + 1].empty())
                on.store(names[i], fields[i + 1]);
        const std::string commandLine = options & 1 ? fuzz::kTargetPath : "";
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
    }

    // A click on a shown control; a button takes the focus first. A write or an import that
    // is answered Yes may change the target.
    void click(ControlId clicked, int answer = EditorHost::kIdNo, Change onYes = Change::None,
               std::optional<std::string> fileAnswer = std::nullopt,
               const WorldChange& whileAsked = nullptr) {
        const Control& shown = control(on.model.form, clicked);
        if (!shown.visible || !shown.enabled)
            return;
        if (shown.kind == ControlKind::Button)
            leaveBox();
        host_.answer = answer;
        dialogPort_.fileAnswer = std::move(fileAnswer);
        if (whileAsked)
            host_.whileAsked = [&] {
                whileAsked(*this);
                atAnswer_ = snapshot();
            };
        const Change change = answer == EditorHost::kIdYes ? onYes : Change::None;
        act(change, [&] { onClick(editor_, clicked); });
        host_.answer = EditorHost::kIdNo;
        host_.whileAsked = nullptr;
        dialogPort_.fileAnswer.reset();
    }

    // The world between the actions.
    void replaceFile(const std::string& path, std::string bytes) {
        machine().files.addFile(path, std::move(bytes), readOnly_.contains(path));
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
        } else if (removed_.contains(path)) {
            replaceFile(path, removed_[path]);
        }
    }

    // One fault per session: a second one could fail the clean-up of the first, which no
    // program can help.
    void failFileCall(std::uint8_t call, std::uint8_t occurrence) {
        if (!std::exchange(faultInjected_, true))
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

    Before snapshot() const {
        const MainForm& form = on.model.form;
        return {.files = folderFiles(on.machine.files),
                .targetPath = on.model.state.targetPath,
                .importPath = on.model.state.importPath,
                .vehicleCaption = form.label3[0].text,
                .routeCaption = form.label3[1].text,
                .modeBarCaption = form.command4[0].text};
    }

    void act(Change change, const std::function<void()>& action) {
        const Before before = snapshot();
        notePlayed();
        files_.startAction();
        action();
        fuzz::requireNothingLeftOpen(on);
        if (const auto atAnswer = std::exchange(atAnswer_, std::nullopt))
            requireFilesChangedWhileAsked(before, *atAnswer, change);
        else
            requireFiles(before, change);
        notePlayed();
        requireLevelAndMode(before);
    }

    // What a load in this action may read, and the factors a recomputation in speed mode
    // may move.
    void notePlayed() {
        const WindowState& state = on.model.state;
        if (const auto text = machine().files.contents(state.targetPath))
            provenance_.targetSeen(state.targetPath, *text);
        if (const auto text = machine().files.contents(state.importPath); text && state.importFlag)
            provenance_.importSeen(*text);
        if (on.model.form.command4[0].text == kSpeedModeCaption)
            for (int box = grid::kVehicleFactors.first; box <= grid::kVehicleFactors.last; ++box)
                provenance_.mayBeComputed(box);
    }

    // The action is judged by the files as the world left them at the answer; a write may
    // not replace a target changed meanwhile, and says so.
    void requireFilesChangedWhileAsked(const Before& before, const Before& atAnswer,
                                       Change change) const {
        const std::string& path = before.targetPath;
        const bool write = change == Change::VehicleWrite || change == Change::RouteWrite;
        if (write && fileIn(before.files, path) != fileIn(atAnswer.files, path)) {
            fuzz::require(on.machine.files.contents(path) == fileIn(atAnswer.files, path),
                          "a change made while the question is open is kept: nothing is written");
            fuzz::require(on.machine.host.boxes().back().type == EditorHost::kMbOk,
                          "a write refused for a change meanwhile tells so");
            change = Change::None;
        }
        requireFiles(atAnswer, change);
    }

    // The target first: what a write put into it says more than the files around it.
    void requireFiles(const Before& before, Change change) const {
        const auto after = folderFiles(on.machine.files);
        const auto old = before.files.find(before.targetPath);
        const auto now = after.find(before.targetPath);
        if (old != before.files.end() && now != after.end() && now->second != old->second)
            requireTargetChange(before, change, old->second, now->second);
        const auto samePath = [](const auto& one, const auto& other) {
            return one.first == other.first;
        };
        fuzz::require(std::equal(after.begin(), after.end(), before.files.begin(),
                                 before.files.end(), samePath),
                      "no file appears or goes beside the target");
        for (const auto& [path, bytes] : before.files)
            if (path != before.targetPath)
                fuzz::require(after.at(path) == bytes, "no other file in the folder is touched");
    }

    void requireTargetChange(const Before& before, Change change, const std::string& old,
                             const std::string& now) const {
        if (change == Change::Import) {
            const auto imported = before.files.find(before.importPath);
            fuzz::require(imported != before.files.end() &&
                              withRoutingOf(old, imported->second) == now,
                          "import-all takes over the import file's routing section");
            return;
        }
        fuzz::require(change != Change::None,
                      "only a confirmed write or import changes the target");
        const ProfileKind kind =
            change == Change::VehicleWrite ? ProfileKind::Vehicle : ProfileKind::Route;
        const std::string& caption =
            kind == ProfileKind::Vehicle ? before.vehicleCaption : before.routeCaption;
        const std::string name(profileNameForCaption(kind, caption).value_or(caption));
        fuzz::require(fuzz::onlyRecordListsReplaced(old, now, name, anyList),
                      "a write changes only the lists of the shown profile's own record");
        fuzz::require(provenance_.allowsWrite(before.targetPath, name, kind, old, now),
                      "a changed list holds numbers the session put there and values a load "
                      "read from the profile's own record");
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
    fuzz::ScriptedDialogs dialogPort_{on.machine.dialogPort};
    clsSysDialogs dialogs_{dialogPort_, on.machine.registryPort, on.machine.system};
    EditorContext editor_{on.model, files_,           host_, on.machine.registry, dialogs_,
                          0x1234,   on.machine.system};
    std::optional<ControlId> focused_;
    std::set<std::string> readOnly_;
    std::map<std::string, std::string> removed_;
    bool faultInjected_ = false;
    fuzz::Provenance provenance_;
    std::optional<Before> atAnswer_; // the files after the world changed them while asked
};

constexpr int kActionKinds = 17;
constexpr int kFirstWorldChange = 11;

std::string fileOf(std::uint8_t argument) {
    return argument & 1 ? fuzz::kImportPath : fuzz::kTargetPath;
}

int answerOf(std::uint8_t argument) {
    return argument & 1 ? EditorHost::kIdYes : EditorHost::kIdNo;
}

// The open-file dialog's answer: a cancel, the target, the import file or a file not there.
std::optional<std::string> chosenFile(std::uint8_t argument) {
    switch (argument % 4) {
    case 1:
        return fuzz::kTargetPath;
    case 2:
        return fuzz::kImportPath;
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
                  chosenFile(argument >> 1));
}

void typeInto(Session& session, Script& script) {
    const ControlId box = boxOf(script.byte());
    session.typeInto(box, script.text());
}

constexpr int kWorldChangeKinds = 5;

// A change of the world as the script says, its arguments read now.
WorldChange worldChange(Script& script, int kind) {
    const std::string path = fileOf(script.byte());
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
// files while the question is open.
void clickAsking(Session& session, Script& script, ControlId button, Change onYes) {
    const std::uint8_t answer = script.byte();
    const WorldChange whileAsked =
        answer & 2 ? worldChange(script, script.byte() % kWorldChangeKinds) : nullptr;
    session.click(button, answerOf(answer), onYes, std::nullopt, whileAsked);
}

void failFileCall(Session& session, Script& script) {
    const std::uint8_t call = script.byte();
    session.failFileCall(call, script.byte());
}

void perform(Session& session, Script& script) {
    const int action = script.byte() % kActionKinds;
    switch (action) {
    case 0:
        return session.click({ControlArray::Command1, script.byte() % 9});
    case 1:
        return typeInto(session, script);
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
        return worldChange(script, action - kFirstWorldChange)(session);
    default:
        return failFileCall(session, script);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    Script script(fields);
    Session session;
    session.start(fields, script.byte());
    for (int i = 0; i < kMostActions && !script.done(); ++i)
        perform(session, script);
    return 0;
}
