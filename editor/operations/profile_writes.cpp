#include "editor/operations/profile_writes.h"

#include "editor/document/grid_map.h"
#include "editor/form/value_grid.h"
#include "editor/operations/backups.h"
#include "editor/operations/write_messages.h"
#include "editor/system/whole_file.h"

#include <algorithm>
#include <new>
#include <span>

namespace marlwick {
namespace {

// The excerpt's first part holds the record's end tag and the five characters after it.
constexpr std::size_t kAfterRecordEnd = 5;

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
    PlannedWrite plan;
    plan.refusal = std::move(why);
    return plan;
}

// The first part holds the profile's record with its end tag and the five characters after
// it; the second, the next preference-factor block, exists only when a profile follows.
std::string vehicleExcerpt(std::string_view record, std::string_view after) {
    const std::string_view afterEnd = after.substr(0, kAfterRecordEnd);
    const std::size_t q = findText(after, tags::kPreferenceFactorOpen, afterEnd.size());
    const std::size_t close = q == std::string_view::npos
                                  ? std::string_view::npos
                                  : findText(after, tags::kPreferenceFactorClose, q);
    std::string excerpt = std::string(record) + std::string(afterEnd);
    if (close != std::string_view::npos)
        excerpt += slice(after, q, close + tags::kPreferenceFactorClose.size());
    return excerpt;
}

// From the name up to "</PreferenceFactor", which a broken record may lack.
Excerpt routeExcerpt(std::string_view record, std::string_view after) {
    const std::size_t inRecord = findText(record, tags::kPreferenceFactorClose);
    if (inRecord != std::string_view::npos)
        return {std::string(slice(record, 0, inRecord + tags::kPreferenceFactorClose.size())), {}};
    const std::size_t close = findText(after, tags::kPreferenceFactorClose);
    if (close == std::string_view::npos)
        return {{}, tags::kPreferenceFactorClose};
    return {std::string(record) +
                std::string(slice(after, 0, close + tags::kPreferenceFactorClose.size())),
            {}};
}

// Why the profile's own record cannot take the write; nothing when it can.
std::optional<std::string> refusalOfRecord(std::string_view name,
                                           const std::optional<ProfileRecord>& record) {
    if (!record)
        return messages::profileMissing(name);
    if (!record->hasEnd())
        return messages::profileLacks(name, tags::kSpeedProfileEnd);
    return std::nullopt;
}

std::string refusalOfList(const MainWindowModel& model, const ValueGroup& group,
                          const ListToWrite& list) {
    const ProfileKind kind = group.kind;
    const std::string& box = model.form.text1[static_cast<std::size_t>(list.box)].text;
    if (list.problem == ListToWrite::Problem::NotANumber)
        return messages::notANumber(messages::boxName(list.box), box);
    if (list.problem == ListToWrite::Problem::HoldsTag)
        return messages::holdsTag(messages::boxName(list.box));
    if (list.problem == ListToWrite::Problem::ChangedSinceLoad)
        return messages::changedSinceLoad(kind, model.form.label3[grid::titleOf(kind)].text,
                                          model.state.targetPath);
    if (list.problem == ListToWrite::Problem::NotOneValue)
        return messages::notOneValue(messages::boxName(list.box), list.valuesInFile, group.count);
    return messages::notLoadedFor(kind, model.form.label3[grid::titleOf(kind)].text,
                                  messages::boxName(list.box));
}

// The group whose list the load shows in the same boxes: the route's specials are read inside
// the factor block but written at the first "<Special>" after the name.
const ValueGroup& loadedGroupOf(const ValueGroup& written) {
    return *std::ranges::find(kLoadOrder, written.firstBox, &ValueGroup::firstBox);
}

// Replaces each group's list in turn, every search on the text as changed so far and within
// the profile's own record. Each list takes only what the grid knows the origin of.
PlannedWrite planWrite(const MainWindowModel& model, std::string_view fileText, ProfileKind kind,
                       std::span<const ValueGroup> groups) {
    const std::string_view name = writeProfileName(model, kind);
    if (name.empty())
        return refused(messages::noProfileName(name));
    const std::optional<ProfileRecord> found = findProfileRecord(fileText, name);
    if (auto refusal = refusalOfRecord(name, found))
        return refused(std::move(*refusal));

    PlannedWrite plan;
    plan.recordStart = found->start;
    plan.recordEnd = found->end + found->endTagSize;
    plan.record = fileText.substr(plan.recordStart, plan.recordEnd - plan.recordStart);
    // The record as it changes: from the name to its end tag, within plan.record.
    ProfileRecord record{0, found->nameAt - found->start, found->end - found->start,
                         found->endTagSize};
    for (const ValueGroup& group : groups) {
        const ZerlegeResult parts = locateGroupInRecord(plan.record, record, name, group);
        if (isZerlegeError(parts))
            return refused(messages::groupNotFound(name, group, parts));
        // The list that the load showed, as the file read for this write holds it.
        const std::string_view asRead =
            locateGroupInRecord(fileText, *found, name, loadedGroupOf(group))[1];
        ListToWrite list = listToWrite(model, group, parts[1], asRead);
        if (list.problem != ListToWrite::Problem::None)
            return refused(refusalOfList(model, group, list));
        // Prefix and suffix stay as they are, so the list is replaced in place.
        const std::size_t listAt = record.nameAt + parts[0].size();
        const std::size_t oldSize = parts[1].size();
        plan.record.replace(listAt, oldSize, list.list);
        record.end = record.end + list.list.size() - oldSize;
        if (holdsTypedValue(model, group))
            plan.typedLists.push_back({group, std::move(list.list)});
    }

    const std::string_view after = fileText.substr(plan.recordEnd);
    if (kind == ProfileKind::Vehicle) {
        plan.excerpt = vehicleExcerpt(plan.record, after);
        return plan;
    }
    Excerpt excerpt = routeExcerpt(plan.record, after);
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
    // The whole file is held at least once; a huge one may not fit.
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
    // The plan holds only for the bytes it was made from: the replacement compares them last.
    if (!replaceKeepingBackup(editor, path, plan.newText(planned.oldText), planned.oldText))
        return;
    // The file now holds what the typed boxes show: they count as loaded from it.
    for (const auto& [group, list] : plan.typedLists)
        noteLoadedList(editor.model, group, list, false);
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
