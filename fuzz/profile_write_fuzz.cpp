// The vehicle and route writes on arbitrary files and box texts. Fields: file text, options
// (bits of the first byte: vehicle write, answer Yes, a read-only file, a failing file call;
// then that call and its occurrence), the captions of Label3(0) and Label3(1), then the texts of
// Text1(0) to Text1(56). The plan must be the groups replaced one after the other on the whole
// text, every list inside the profile's record and every changed list made of numbers, with the
// excerpt cut as the write rules say; a refused plan writes nothing; after any failure the file
// holds its old bytes or the new ones, never anything else, and the user was told.
#include "editor/grid_map.h"
#include "editor/number_rules.h"
#include "editor/profile_writes.h"
#include "editor/write_messages.h"
#include "fuzz/editor_machine.h"
#include "fuzz/fuzz_support.h"

#include <span>

namespace {

using namespace marlwick;

constexpr std::size_t kFirstBoxField = 4;

std::string joinedBoxes(const MainWindowModel& model, const ValueGroup& group) {
    std::string list;
    for (int j = 0; j < group.count; ++j)
        list += (j > 0 ? "|" : "") + model.form.text1[group.firstBox + j].text;
    return list;
}

bool allNumbers(const MainWindowModel& model, const ValueGroup& group) {
    for (int j = 0; j < group.count; ++j)
        if (!readBoxNumber(model.form.text1[group.firstBox + j].text))
            return false;
    return true;
}

std::string substring(const std::string& text, std::size_t from, std::size_t to) {
    return text.substr(from, std::min(to, text.size()) - from);
}

// The excerpt by the write rules, searched with plain find on the whole text.
std::optional<std::string> expectedExcerpt(const std::string& text, const std::string& name,
                                           ProfileKind kind) {
    const std::size_t p = text.find("<Name>" + name);
    if (p == std::string::npos)
        return std::nullopt;
    std::string first;
    std::size_t from = p;
    if (kind == ProfileKind::Vehicle) {
        const std::size_t end = text.find("</SpeedProfile>", p);
        if (end == std::string::npos)
            return std::nullopt;
        first = substring(text, p, end + 20);
        from = text.find("<PreferenceFactor", p + first.size());
        // The last vehicle of a file shows its record alone.
        if (from == std::string::npos || text.find("</PreferenceFactor", from) == std::string::npos)
            return first;
    }
    const std::size_t close = text.find("</PreferenceFactor", from);
    if (close == std::string::npos)
        return std::nullopt;
    return first + substring(text, from, close + 18);
}

// What a write must plan: every group replaced in turn on the whole text as changed so far.
PlannedWrite expectedPlan(const MainWindowModel& model, std::string text, ProfileKind kind) {
    const std::string& caption = model.form.label3[grid::titleOf(kind)].text;
    const std::string name(profileNameForCaption(kind, caption).value_or(caption));
    const std::span<const ValueGroup> groups = kind == ProfileKind::Vehicle
                                                   ? std::span<const ValueGroup>(kVehicleWriteOrder)
                                                   : std::span<const ValueGroup>(kRouteWriteOrder);
    const PlannedWrite refused{{}, {}, "refused"};
    if (name.empty())
        return refused;
    for (const ValueGroup& group : groups) {
        const ZerlegeResult parts = locateGroup(text, name, group);
        if (isZerlegeError(parts))
            return refused;
        // From the first tag searched after the name to the list's end tag, all in the record.
        const std::size_t record = text.find("<Name>" + name);
        const std::size_t recordEnd = text.find("</SpeedProfile>", record);
        const std::size_t listEnd = parts[0].size() + parts[1].size() + group.suchnach1.size();
        if (record == std::string::npos || recordEnd == std::string::npos || listEnd > recordEnd ||
            text.find(group.such2, text.find(name) + name.size()) < record + 6 + name.size())
            return refused;
        const std::string list = joinedBoxes(model, group);
        if (list != parts[1] && !allNumbers(model, group))
            return refused;
        text = joinWithList(parts, list);
    }
    const auto excerpt = expectedExcerpt(text, name, kind);
    if (!excerpt)
        return {{}, {}, "refused"};
    return {text, *excerpt, {}};
}

void setUp(MainWindowModel& model, const fuzz::Fields& fields) {
    model.form.label3[0].text = std::string(fields[2]);
    model.form.label3[1].text = std::string(fields[3]);
    for (int i = 0; i < kValueBoxCount; ++i)
        model.form.text1[i].text = std::string(fields[kFirstBoxField + i]);
}

void requirePlanAsRules(const PlannedWrite& plan, const PlannedWrite& expected) {
    fuzz::require(plan.refusal.empty() == expected.refusal.empty(),
                  "a write refuses exactly when a list is missing, lies outside the record "
                  "or would change to no number");
    fuzz::require(plan.newText == expected.newText, "the new text replaces only the lists");
    fuzz::require(plan.excerpt == expected.excerpt, "the excerpt is cut as the rules say");
}

// Runs the write on the machine and checks what reached the file and the user.
void requireWriteOnMachine(const fuzz::Fields& fields, const PlannedWrite& plan, bool vehicle) {
    const std::string oldText(fields[0]);
    fuzz::EditorOnMachine on{oldText, std::nullopt};
    setUp(on.model, fields);
    const std::uint8_t flags = fields.option(1, 0);
    const bool yes = flags & 2;
    on.machine.host.answer({yes ? EditorHost::kIdYes : EditorHost::kIdNo});
    if (flags & 8)
        fuzz::failFileCall(on, fields.option(1, 1), fields.option(1, 2));
    if (flags & 4)
        fuzz::makeTargetReadOnly(on);
    const std::uint64_t modifications = on.machine.files.modificationsOf(fuzz::kTargetPath);

    vehicle ? WriteVehicleValues(on.editor) : WriteRouteValues(on.editor);

    fuzz::requireNothingLeftOpen(on);
    const auto& boxes = on.machine.host.boxes();
    const std::string now = on.machine.files.contents(fuzz::kTargetPath).value_or("(gone)");
    fuzz::require(now == oldText || (yes && now == plan.newText),
                  "the file holds its old bytes or the planned ones");
    fuzz::requireTargetHolds(on, now);
    if (!plan.refusal.empty() || !yes)
        fuzz::require(on.machine.files.modificationsOf(fuzz::kTargetPath) == modifications,
                      "nothing is written after a refusal or a No");
    const bool asked = !boxes.empty() && boxes.front().type == EditorHost::kMbYesNo;
    if (asked)
        fuzz::require(boxes.front().text ==
                          messages::confirmation(kConfirmationHeader, plan.excerpt),
                      "the question shows the header and the excerpt");
    const bool told = !boxes.empty() && boxes.back().type == EditorHost::kMbOk;
    if (yes && asked && now != plan.newText)
        fuzz::require(told, "a failed write is told");
    if (!asked)
        fuzz::require(told, "a write that does not ask tells why");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    MainWindowModel model;
    setUp(model, fields);
    const bool vehicle = fields.option(1, 0) & 1;
    const ProfileKind kind = vehicle ? ProfileKind::Vehicle : ProfileKind::Route;

    const PlannedWrite plan =
        vehicle ? planVehicleWrite(model, fields[0]) : planRouteWrite(model, fields[0]);
    requirePlanAsRules(plan, expectedPlan(model, std::string(fields[0]), kind));
    requireWriteOnMachine(fields, plan, vehicle);
    return 0;
}
