// The vehicle and route writes after a load and the user's typing, on arbitrary files. Fields:
// the file text; options (bits of the first byte: vehicle write, answer Yes, a read-only file,
// a failing file call, the file changed to the loaded text while the question is open; then
// that call and its occurrence; then the blocks the load took from the import file, bit 1 the
// vehicle's, bit 2 the route's); the captions of Label3(0) and Label3(1); the text the load
// read (empty: the file text); the import file's text; the captions at the load (empty: those
// of the write); then for Text1(0) to Text1(56) what the user typed after the load: nothing for
// an empty field, else the field after its first byte.
// A profile without its own record is refused; a plan changes only lists of that record, each
// keeping its count of values, every value typed or standing as the file holds it and as the
// load read it (or as the import file held it, numbers only), and its question shows that
// record from its Name on. A refused plan writes nothing; a file changed while the question
// is open keeps the change; after any failure the file holds its old bytes or the new ones,
// never anything else, and the user was told.
#include "editor/document/grid_map.h"
#include "editor/operations/main_window_events.h"
#include "editor/operations/profile_loading.h"
#include "editor/operations/profile_writes.h"
#include "editor/operations/write_messages.h"
#include "fuzz/editor_machine.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/own_records.h"
#include "fuzz/session_ports.h"
#include "fuzz/session_provenance.h"

#include <algorithm>
#include <map>
#include <optional>

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

// The plan keeps every origin: a profile without its own record is refused; otherwise only
// lists of that record change, as what was typed and what the load read allow, and the
// question shows the new record from its Name on.
void requirePlanKeepsOrigins(const Scenario& s, const PlannedWrite& plan,
                             const std::string& written, ProfileKind kind) {
    const std::size_t block = grid::titleOf(kind);
    const std::string name = nameFor(kind, s.writeCaptions[block]);
    const fuzz::Reading reading = fuzz::readOwnRecord(s.file, name);
    if (reading.plain && !reading.record)
        fuzz::require(!plan.refusal.empty(), "a write without the profile's own record is refused");
    if (!plan.refusal.empty())
        return;
    fuzz::Provenance provenance;
    const auto readByLoad = [&](bool fromImport) {
        if (s.loadCaptions[block] != s.writeCaptions[block] || s.fromImport[block] != fromImport)
            return std::optional<std::string>();
        return std::optional<std::string>(fromImport ? s.importText : s.loadText);
    };
    provenance.loaded(readByLoad(false), readByLoad(true));
    for (const auto& [box, text] : s.typed)
        provenance.typed(box, text);
    fuzz::require(provenance.allowsWrite(kind, name, s.file, written),
                  "a write changes only lists of the profile's own record, each as typed and as "
                  "its load read it");
    fuzz::require(plan.excerpt.starts_with(std::string(tags::kName) + name),
                  "the question starts at the profile's Name");
    if (!reading.record)
        return;
    const std::size_t shown =
        std::min(plan.excerpt.size(),
                 reading.record->endAt + written.size() - s.file.size() - reading.record->nameAt);
    fuzz::require(written.compare(reading.record->nameAt, shown, plan.excerpt, 0, shown) == 0,
                  "the question shows the profile's own record");
}

// Runs the write on the machine and checks what reached the file and the user.
void requireWriteOnMachine(const fuzz::Fields& fields, const Scenario& s, const PlannedWrite& plan,
                           const std::string& planned, bool vehicle) {
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
    // The file's text after the planned write, joined from its pieces.
    const auto [before, record, after] = plan.newText(s.file);
    const std::string written = std::string(before).append(record).append(after);
    requirePlanKeepsOrigins(s, plan, written, vehicle ? ProfileKind::Vehicle : ProfileKind::Route);
    requireWriteOnMachine(fields, s, plan, written, vehicle);
    return 0;
}
