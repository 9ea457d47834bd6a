#include "editor/profile_writes.h"

#include "editor/grid_map.h"
#include "editor/number_rules.h"
#include "editor/settings_file.h"
#include "editor/value_grid.h"
#include "editor/write_messages.h"

#include <algorithm>
#include <new>
#include <span>

namespace marlwick {
namespace {

// The excerpt's first part holds "</SpeedProfile>" and the five characters after it.
constexpr std::size_t kAfterSpeedProfileEnd = 20;

struct Excerpt {
    std::string text;
    std::string_view missingTag; // empty when every tag was found
};

// The profile name a write searches for: the table's, or a caption outside it as it
// stands, which is what the load searched for.
std::string_view writeProfileName(const MainWindowModel& model, ProfileKind kind) {
    const std::string& caption = model.form.label3[grid::titleOf(kind)].text;
    return profileNameForCaption(kind, caption).value_or(caption);
}

std::string_view slice(std::string_view text, std::size_t from, std::size_t to) {
    return text.substr(from, std::min(to, text.size()) - from);
}

PlannedWrite refused(std::string why) {
    return {{}, {}, std::move(why)};
}

// The first part holds the profile's record; the second, the next preference-factor block,
// exists only when a profile follows.
Excerpt vehicleExcerpt(std::string_view text, std::string_view name) {
    const std::string start = std::string(tags::kName) + std::string(name);
    const std::size_t p = findText(text, start);
    if (p == std::string_view::npos)
        return {{}, tags::kName};
    const std::size_t end = findText(text, tags::kSpeedProfileEnd, p);
    if (end == std::string_view::npos)
        return {{}, tags::kSpeedProfileEnd};
    const std::string_view first = slice(text, p, end + kAfterSpeedProfileEnd);
    const std::size_t q = findText(text, tags::kPreferenceFactorOpen, p + first.size());
    const std::size_t close = q == std::string_view::npos
                                  ? std::string_view::npos
                                  : findText(text, tags::kPreferenceFactorClose, q);
    if (close == std::string_view::npos)
        return {std::string(first), {}};
    return {std::string(first) +
                std::string(slice(text, q, close + tags::kPreferenceFactorClose.size())),
            {}};
}

Excerpt routeExcerpt(std::string_view text, std::string_view name) {
    const std::string start = std::string(tags::kName) + std::string(name);
    const std::size_t p = findText(text, start);
    if (p == std::string_view::npos)
        return {{}, tags::kName};
    const std::size_t close = findText(text, tags::kPreferenceFactorClose, p);
    if (close == std::string_view::npos)
        return {{}, tags::kPreferenceFactorClose};
    return {std::string(slice(text, p, close + tags::kPreferenceFactorClose.size())), {}};
}

// Where a profile's own record lies: from "<Name>" and the name to its "</SpeedProfile>".
struct Record {
    std::size_t begin; // the first character after the name
    std::size_t end;   // where "</SpeedProfile>" starts
};

// The search for a group runs from the name's first occurrence, which may lie before the
// record. The first of its tags found outside the record: before it, or the one the
// profile lacks.
struct TagOutside {
    std::string_view tag;
    bool beforeRecord;
};

std::optional<TagOutside> tagOutsideRecord(std::string_view text, std::size_t from,
                                           const Record& record, const ValueGroup& group) {
    for (const std::string_view tag : {group.such2, group.such3, group.suchnach1}) {
        if (tag.empty())
            continue;
        from = findText(text, tag, from);
        if (from == std::string_view::npos || from + tag.size() > record.end)
            return TagOutside{tag, false};
        if (from < record.begin)
            return TagOutside{tag, true};
        from += tag.size();
    }
    return std::nullopt;
}

// The new list may go in: it is the list as the file holds it, or every box is a number.
std::optional<std::string> refusalOfNonNumbers(const MainWindowModel& model, const ValueGroup& group,
                                             std::string_view list, std::string_view inFile) {
    if (list == inFile)
        return std::nullopt;
    for (int box = group.firstBox; box < group.firstBox + group.count; ++box) {
        const std::string& text = model.form.text1[static_cast<std::size_t>(box)].text;
        if (!readBoxNumber(text))
            return messages::notANumber(grid::boxName(box), text);
    }
    return std::nullopt;
}

// Replaces each group's list in turn, every search on the text as changed so far. Every list
// must lie in the profile's own record, from "<Name>" and the name to its "</SpeedProfile>",
// and every list that changes must hold numbers only.
PlannedWrite planWrite(const MainWindowModel& model, std::string_view fileText, ProfileKind kind,
                       std::span<const ValueGroup> groups) {
    const std::string_view name = writeProfileName(model, kind);
    if (name.empty())
        return refused(messages::noProfileName(name));

    PlannedWrite plan{std::string(fileText), {}, {}};
    // Every replaced list lies after the name's first occurrence, so that occurrence stays
    // where it is: each search may start there instead of at the beginning of a large file.
    const std::size_t nameAt = findText(plan.newText, name);
    if (nameAt == std::string_view::npos)
        return refused(messages::groupNotFound(name, groups.front(), {kSuch1Error, {}, {}}));
    // "<Name>" and the name cannot start more than the tag's length before the name.
    const std::string recordStart = std::string(tags::kName) + std::string(name);
    const std::size_t recordAt =
        findText(plan.newText, recordStart, nameAt - std::min(nameAt, tags::kName.size()));
    if (recordAt == std::string_view::npos)
        return refused(messages::profileLacks(name, recordStart));

    for (const ValueGroup& group : groups) {
        const std::string_view text = plan.newText;
        const ZerlegeResult parts = locateGroup(text.substr(nameAt), name, group);
        if (isZerlegeError(parts))
            return refused(messages::groupNotFound(name, group, parts));
        // Lists replaced so far lie inside the record, so its end is searched again.
        const Record record{recordAt + recordStart.size(),
                            findText(text, tags::kSpeedProfileEnd, recordAt)};
        if (record.end == std::string_view::npos)
            return refused(messages::profileLacks(name, tags::kSpeedProfileEnd));
        if (const auto outside = tagOutsideRecord(text, nameAt, record, group))
            return refused(outside->beforeRecord ? messages::nameBeforeProfile(name)
                                                 : messages::profileLacks(name, outside->tag));
        const std::size_t listAt = nameAt + parts[0].size();
        // Prefix and suffix stay as they are, so the list is replaced in place. The route
        // value goes in as its box holds it.
        const std::string list = group.count == 1
                                     ? model.form.text1[group.firstBox].text
                                     : BoxesToList(model, {}, group.firstBox, {}, group.count);
        if (auto refusal = refusalOfNonNumbers(model, group, list, parts[1]))
            return refused(std::move(*refusal));
        plan.newText.replace(listAt, parts[1].size(), list);
    }

    const std::string_view tail = std::string_view(plan.newText).substr(recordAt);
    Excerpt excerpt =
        kind == ProfileKind::Vehicle ? vehicleExcerpt(tail, name) : routeExcerpt(tail, name);
    if (!excerpt.missingTag.empty())
        return refused(messages::excerptTagMissing(name, excerpt.missingTag));
    plan.excerpt = std::move(excerpt.text);
    return plan;
}

struct FileAndPlan {
    std::string oldText;
    PlannedWrite plan;
};

// The file as it is now and what the write would make of it; a refusal when the file
// cannot be read or is marked read-only, so that the user is asked nothing in vain.
FileAndPlan readAndPlan(EditorContext& editor, ProfileKind kind) {
    const std::string& path = editor.model.state.targetPath;
    auto oldText =
        fileExists(editor.files, path) ? readWholeFile(editor.files, path) : std::nullopt;
    if (!oldText)
        return {{}, refused(messages::fileUnreadable(path))};
    if (isReadOnly(editor.files, path))
        return {{},
                refused(messages::replaceFailure(
                    path, {ReplaceOutcome::Unchanged, ReplaceStep::ReadOnly}))};
    PlannedWrite plan = kind == ProfileKind::Vehicle ? planVehicleWrite(editor.model, *oldText)
                                                     : planRouteWrite(editor.model, *oldText);
    return {std::move(*oldText), std::move(plan)};
}

void confirmAndWrite(EditorContext& editor, ProfileKind kind) {
    const std::string& path = editor.model.state.targetPath;
    FileAndPlan planned;
    // The whole file is held two or three times over; a huge one may not fit.
    try {
        planned = readAndPlan(editor, kind);
    } catch (const std::bad_alloc&) {
        planned.plan = refused(messages::outOfMemory(path));
    }
    const PlannedWrite& plan = planned.plan;
    if (!plan.refusal.empty()) {
        tell(editor, plan.refusal);
        return;
    }
    if (!askYesNo(editor, messages::confirmation(kConfirmationHeader, plan.excerpt)))
        return;
    const ReplaceResult result =
        replaceWholeFile(editor.files, path, plan.newText, planned.oldText);
    if (result.outcome != ReplaceOutcome::Replaced)
        tell(editor, messages::replaceFailure(path, result));
}

} // namespace

PlannedWrite planVehicleWrite(const MainWindowModel& model, std::string_view fileText) {
    return planWrite(model, fileText, ProfileKind::Vehicle, kVehicleWriteOrder);
}

PlannedWrite planRouteWrite(const MainWindowModel& model, std::string_view fileText) {
    return planWrite(model, fileText, ProfileKind::Route, kRouteWriteOrder);
}

void WriteVehicleValues(EditorContext& editor) {
    confirmAndWrite(editor, ProfileKind::Vehicle);
}

void WriteRouteValues(EditorContext& editor) {
    confirmAndWrite(editor, ProfileKind::Route);
}

} // namespace marlwick
