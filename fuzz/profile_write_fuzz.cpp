// The vehicle and route writes after a load and the user's typing, on arbitrary files. Fields:
// the file text; options (bits of the first byte: vehicle write, answer Yes, a read-only file,
// a failing file call, the file changed to the loaded text while the question is open; then
// that call and its occurrence; then the blocks the load took from the import file, bit 1 the
// vehicle's, bit 2 the route's); the captions of Label3(0) and Label3(1); the text the load
// read (empty: the file text); the import file's text; the captions at the load (empty: those
// of the write); then for Text1(0) to Text1(56) what the user typed after the load: nothing for
// an empty field, else the field after its first byte.
// The plan must be the groups replaced one after the other inside the profile's own record,
// each list the one its load read when nothing was typed into it (from the file now, or as the
// import file held it), else the typed numbers and the loaded texts of the other boxes, with the
// excerpt cut as the write rules say; anything else is refused. A refused plan writes nothing;
// a file changed while the question is open keeps the change; after any failure the file holds
// its old bytes or the new ones, never anything else, and the user was told.
#include "editor/grid_map.h"
#include "editor/main_window_events.h"
#include "editor/number_rules.h"
#include "editor/profile_loading.h"
#include "editor/profile_writes.h"
#include "editor/write_messages.h"
#include "fuzz/editor_machine.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/own_records.h"
#include "fuzz/session_ports.h"

#include <algorithm>
#include <map>
#include <span>
#include <vector>

namespace {

using namespace marlwick;

constexpr std::size_t kFirstBoxField = 8;

// What the user saw and did before clicking the write button.
struct Scenario {
    std::string file;
    std::string loadText;
    std::string importText;
    std::array<std::string, 2> loadCaptions;
    std::array<std::string, 2> writeCaptions;
    std::array<bool, 2> fromImport;
    std::map<int, std::string> typed;
};

Scenario scenarioOf(const fuzz::Fields& fields) {
    Scenario s{.file = std::string(fields[0]),
               .loadText = std::string(fields[4].empty() ? fields[0] : fields[4]),
               .importText = std::string(fields[5]),
               .loadCaptions = {std::string(fields[6]), std::string(fields[7])},
               .writeCaptions = {std::string(fields[2]), std::string(fields[3])},
               .fromImport = {(fields.option(1, 3) & 1) != 0, (fields.option(1, 3) & 2) != 0},
               .typed = {}};
    for (std::size_t k = 0; k < 2; ++k)
        if (s.loadCaptions[k].empty())
            s.loadCaptions[k] = s.writeCaptions[k];
    for (int box = 0; box < kValueBoxCount; ++box)
        if (const std::string_view field = fields[kFirstBoxField + box]; !field.empty())
            s.typed[box] = std::string(field.substr(1));
    return s;
}

std::string nameFor(ProfileKind kind, const std::string& caption) {
    return std::string(profileNameForCaption(kind, caption).value_or(caption));
}

std::size_t blockOf(int box) {
    return grid::titleOf(grid::kRouteBlock.contains(box) ? ProfileKind::Route
                                                         : ProfileKind::Vehicle);
}

// The load shows the lists, in import mode a block enabled from the import file; then the
// captions of the write stand and the user types.
void prepare(MainWindowModel& model, const Scenario& s) {
    model.state.importFlag = s.fromImport[0] || s.fromImport[1];
    for (int box = 0; box < kValueBoxCount; ++box)
        model.form.text1[box].enabled = s.fromImport[blockOf(box)];
    model.form.label3[0].text = s.loadCaptions[0];
    model.form.label3[1].text = s.loadCaptions[1];
    ShowProfileLists(model, s.loadText, s.importText,
                     nameFor(ProfileKind::Vehicle, s.loadCaptions[0]),
                     nameFor(ProfileKind::Route, s.loadCaptions[1]));
    model.form.label3[0].text = s.writeCaptions[0];
    model.form.label3[1].text = s.writeCaptions[1];
    for (const auto& [box, text] : s.typed)
        onTextTyped(model, {ControlArray::Text1, box}, text);
}

struct ListRead {
    std::string_view list;
    bool fromImport;
};

// The group's list as the load read it from the profile's own record, when the load was for
// the caption shown now.
std::optional<ListRead> loadedFor(const Scenario& s, const ValueGroup& group) {
    const std::size_t block = grid::titleOf(group.kind);
    if (s.loadCaptions[block] != s.writeCaptions[block])
        return std::nullopt;
    const bool fromImport = s.fromImport[block];
    const fuzz::ShownList shown = fuzz::shownList(fromImport ? s.importText : s.loadText,
                                                  nameFor(group.kind, s.loadCaptions[block]),
                                                  fuzz::loadGroupOf(group.firstBox));
    if (!shown.inOwnRecord)
        return std::nullopt;
    return ListRead{shown.list, fromImport};
}

bool typedInto(const Scenario& s, const ValueGroup& group) {
    return std::ranges::any_of(s.typed,
                               [&](const auto& typed) { return group.shows(typed.first); });
}

std::vector<std::optional<std::string_view>> loadedTexts(const std::optional<ListRead>& loaded,
                                                         int count) {
    if (!loaded)
        return std::vector<std::optional<std::string_view>>(static_cast<std::size_t>(count));
    return fuzz::spreadOverBoxes(loaded->list, count);
}

// Typed boxes with numbers, the others with the texts their load gave them.
std::optional<std::string> composedList(const Scenario& s, const ValueGroup& group,
                                        const std::optional<ListRead>& loaded) {
    const auto texts = loadedTexts(loaded, group.count);
    std::string list;
    for (int j = 0; j < group.count; ++j) {
        const auto typed = s.typed.find(group.firstBox + j);
        std::optional<std::string_view> text = texts[j];
        if (typed != s.typed.end())
            text = readBoxNumber(typed->second) ? std::optional<std::string_view>(typed->second)
                                                : std::nullopt;
        if (!text)
            return std::nullopt;
        list += (j > 0 ? "|" : "") + std::string(*text);
    }
    return list;
}

// The list that replaces inFile, or nothing when the write must be refused.
std::optional<std::string> expectedList(const Scenario& s, const ValueGroup& group,
                                        std::string_view inFile) {
    const auto loaded = loadedFor(s, group);
    std::optional<std::string> list;
    if (typedInto(s, group))
        list = composedList(s, group, loaded);
    else if (loaded)
        list = std::string(loaded->fromImport ? loaded->list : inFile);
    // A "<" brought in or taken out could move what a later list's search finds.
    if (list && *list != inFile &&
        (list->find('<') != std::string::npos || inFile.find('<') != std::string_view::npos))
        return std::nullopt;
    return list;
}

std::string substring(const std::string& text, std::size_t from, std::size_t to) {
    return text.substr(from, std::min(to, text.size()) - from);
}

// The excerpt by the write rules: a vehicle's record with its end tag and five characters,
// then the next preference-factor block if any; a route's record up to its factor block's end.
std::optional<std::string> expectedExcerpt(const std::string& text, const ProfileRecord& record,
                                           ProfileKind kind) {
    std::string first;
    std::size_t from = record.start;
    if (kind == ProfileKind::Vehicle) {
        first = substring(text, record.start, record.end + record.endTagSize + 5);
        from = text.find("<PreferenceFactor", record.start + first.size());
        // The last vehicle of a file shows its record alone.
        if (from == std::string::npos || text.find("</PreferenceFactor", from) == std::string::npos)
            return first;
    }
    const std::size_t close = text.find("</PreferenceFactor", from);
    if (close == std::string::npos)
        return std::nullopt;
    return first + substring(text, from, close + 18);
}

// What the write should plan: the whole new text, the excerpt, or a refusal.
struct ExpectedWrite {
    std::string newText;
    std::string excerpt;
    std::string refusal;
};

// Every group replaced in turn inside the profile's own record of the text as changed so far.
ExpectedWrite expectedPlan(const Scenario& s, ProfileKind kind) {
    const std::string name = nameFor(kind, s.writeCaptions[grid::titleOf(kind)]);
    const std::span<const ValueGroup> groups = kind == ProfileKind::Vehicle
                                                   ? std::span<const ValueGroup>(kVehicleWriteOrder)
                                                   : std::span<const ValueGroup>(kRouteWriteOrder);
    const ExpectedWrite refused{{}, {}, "refused"};
    std::string text = s.file;
    std::optional<ProfileRecord> record = findProfileRecord(s.file, name);
    if (name.empty() || !record || !record->hasEnd())
        return refused;
    for (const ValueGroup& group : groups) {
        const fuzz::SearchedList found = fuzz::searchFromName(record->body(text), name, group);
        const auto list = found.at ? expectedList(s, group, found.list) : std::nullopt;
        if (!list)
            return refused;
        text.replace(record->nameAt + *found.at, found.list.size(), *list);
        // The lists lie inside the record: its end moves by their change in size.
        record->end = record->end + list->size() - found.list.size();
    }
    const auto excerpt = expectedExcerpt(text, *record, kind);
    if (!excerpt)
        return refused;
    return {text, *excerpt, {}};
}

void requirePlanAsRules(const PlannedWrite& plan, std::string_view oldText,
                        const ExpectedWrite& expected) {
    fuzz::require(plan.refusal.empty() == expected.refusal.empty(),
                  "a write refuses exactly when the own record lacks a list or a list would "
                  "take a text of no known origin or a typed text that is no number");
    fuzz::require(!plan.refusal.empty() || plan.wholeNewText(oldText) == expected.newText,
                  "the new text replaces only the lists");
    fuzz::require(plan.excerpt == expected.excerpt, "the excerpt is cut as the rules say");
}

// Runs the write on the machine and checks what reached the file and the user.
void requireWriteOnMachine(const fuzz::Fields& fields, const Scenario& s, const PlannedWrite& plan,
                           bool vehicle) {
    fuzz::EditorOnMachine on{s.file, std::nullopt};
    prepare(on.model, s);
    const std::uint8_t flags = fields.option(1, 0);
    const bool yes = flags & 2;
    const bool readOnly = flags & 4;
    fuzz::ScriptedHost host{on.machine.host};
    host.answer = yes ? EditorHost::kIdYes : EditorHost::kIdNo;
    EditorContext editor{on.model, on.machine.files, host, on.machine.registry, on.machine.dialogs,
                         0,        on.machine.system};
    if (flags & 8)
        fuzz::failFileCall(on, fields.option(1, 1), fields.option(1, 2));
    if (readOnly)
        fuzz::makeTargetReadOnly(on);
    std::string atAnswer = s.file;
    std::uint64_t modifications = on.machine.files.modificationsOf(fuzz::kTargetPath);
    if (flags & 16)
        host.whileAsked = [&] {
            on.machine.files.addFile(fuzz::kTargetPath, s.loadText, readOnly);
            atAnswer = s.loadText;
            modifications = on.machine.files.modificationsOf(fuzz::kTargetPath);
        };

    vehicle ? WriteVehicleValues(editor) : WriteRouteValues(editor);

    fuzz::requireNothingLeftOpen(on);
    const auto& boxes = on.machine.host.boxes();
    const std::string now = on.machine.files.contents(fuzz::kTargetPath).value_or("(gone)");
    const std::string planned = plan.wholeNewText(s.file);
    const bool unchangedMeanwhile = atAnswer == s.file;
    fuzz::require(now == atAnswer || (yes && unchangedMeanwhile && now == planned),
                  "the file holds the bytes it had at the answer, or the planned ones");
    fuzz::requireTargetHolds(on, now);
    if (!plan.refusal.empty() || !yes || !unchangedMeanwhile)
        fuzz::require(on.machine.files.modificationsOf(fuzz::kTargetPath) == modifications,
                      "nothing is written after a refusal, a No or a change while asked");
    const bool asked = !boxes.empty() && boxes.front().type == EditorHost::kMbYesNo;
    if (asked)
        fuzz::require(boxes.front().text ==
                          messages::confirmation(kConfirmationHeader, plan.excerpt),
                      "the question shows the header and the excerpt");
    const bool told = !boxes.empty() && boxes.back().type == EditorHost::kMbOk;
    if (yes && asked && now != planned)
        fuzz::require(told, "a failed write is told");
    if (!asked)
        fuzz::require(told, "a write that does not ask tells why");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    const Scenario s = scenarioOf(fields);
    MainWindowModel model;
    prepare(model, s);
    const bool vehicle = fields.option(1, 0) & 1;

    const PlannedWrite plan =
        vehicle ? planVehicleWrite(model, s.file) : planRouteWrite(model, s.file);
    requirePlanAsRules(plan, s.file,
                       expectedPlan(s, vehicle ? ProfileKind::Vehicle : ProfileKind::Route));
    requireWriteOnMachine(fields, s, plan, vehicle);
    return 0;
}
