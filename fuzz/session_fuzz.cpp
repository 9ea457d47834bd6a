// Sessions of a user with the editor, from the start-up on, over the in-memory machine with
// the example file as target and import file, the user's own "ApplicationSettings.xml.tmp"
// beside the target, and the world changing the files between the actions. Fields: the
// script, the stored "klick", "user", "fahrzeug" and "route" (stored when not empty), then the
// texts the script takes in turn. The script's first byte holds the start options (bit 1: the
// target path as command line, bit 2: no stored target path); then each action is a byte with
// its arguments in the bytes after it.
// After every action: the target holds its old bytes, or after a Yes to a write the old text
// with only the shown profile's value lists replaced, each by numbers as a box reads them, or
// after a Yes to import-all the old text with the import file's routing section; no other file
// in the two folders changes, appears or goes; no handle or key stays open; the file calls of
// one action are bounded; the level button switches between Basic and Extended, and the
// speed mode comes only at the Extended level.
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

bool numberList(std::string_view list) {
    return std::ranges::all_of(fuzz::splitAtBars(list), [](std::string_view value) {
        return readBoxNumber(value).has_value();
    });
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
    }

    // The focus moves on to a control that is no box.
    void leaveBox() {
        if (const auto box = std::exchange(focused_, std::nullopt))
            act(Change::None, [&] { onFocusLost(on.model, *box); });
    }

    // A click on a shown control; a button takes the focus first. A write or an import that
    // is answered Yes may change the target.
    void click(ControlId clicked, int answer = EditorHost::kIdNo, Change onYes = Change::None,
               std::optional<std::string> fileAnswer = std::nullopt) {
        const Control& shown = control(on.model.form, clicked);
        if (!shown.visible || !shown.enabled)
            return;
        if (shown.kind == ControlKind::Button)
            leaveBox();
        host_.answer = answer;
        dialogPort_.fileAnswer = std::move(fileAnswer);
        const Change change = answer == EditorHost::kIdYes ? onYes : Change::None;
        act(change, [&] { onClick(editor_, clicked); });
        host_.answer = EditorHost::kIdNo;
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
        files_.startAction();
        action();
        fuzz::requireNothingLeftOpen(on);
        requireFiles(before, change);
        requireLevelAndMode(before);
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

    static void requireTargetChange(const Before& before, Change change, const std::string& old,
                                    const std::string& now) {
        if (change == Change::Import) {
            const auto imported = before.files.find(before.importPath);
            fuzz::require(imported != before.files.end() &&
                              withRoutingOf(old, imported->second) == now,
                          "import-all takes over the import file's routing section");
            return;
        }
        fuzz::require(change != Change::None,
                      "only a confirmed write or import changes the target");
        const bool vehicle = change == Change::VehicleWrite;
        const std::string& caption = vehicle ? before.vehicleCaption : before.routeCaption;
        const std::string name(
            profileNameForCaption(vehicle ? ProfileKind::Vehicle : ProfileKind::Route, caption)
                .value_or(caption));
        fuzz::require(fuzz::onlyRecordListsReplaced(old, now, name, anyList),
                      "a write changes only the shown profile's value lists");
        fuzz::require(fuzz::onlyRecordListsReplaced(old, now, name, numberList),
                      "a write puts only numbers into the lists");
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
    EditorContext editor_{on.model, files_, host_, on.machine.registry, dialogs_, 0x1234};
    std::optional<ControlId> focused_;
    std::set<std::string> readOnly_;
    std::map<std::string, std::string> removed_;
    bool faultInjected_ = false;
};

constexpr int kActionKinds = 17;

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

void editFile(Session& session, Script& script) {
    const std::string path = fileOf(script.byte());
    const std::string from = script.text();
    session.editFile(path, from, script.text());
}

void failFileCall(Session& session, Script& script) {
    const std::uint8_t call = script.byte();
    session.failFileCall(call, script.byte());
}

void perform(Session& session, Script& script) {
    switch (script.byte() % kActionKinds) {
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
        return session.click({ControlArray::Command2, 0}, answerOf(script.byte()),
                             Change::VehicleWrite);
    case 8:
        return session.click({ControlArray::Command2, 1}, answerOf(script.byte()),
                             Change::RouteWrite);
    case 9:
        return session.click({ControlArray::Command7}, answerOf(script.byte()), Change::Import);
    case 10:
        return session.click({ControlArray::Command5});
    case 11:
        return session.replaceFile(fileOf(script.byte()), fuzz::withNuls(script.text()));
    case 12:
        return session.replaceFile(fileOf(script.byte()), sampleText());
    case 13:
        return editFile(session, script);
    case 14:
        return session.removeOrPutBack(fileOf(script.byte()));
    case 15:
        return session.toggleReadOnly(fileOf(script.byte()));
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
