#include "editor/profile_writes.h"

#include "editor/settings_document.h"
#include "editor/settings_file.h"
#include "editor/value_grid.h"
#include "editor/write_messages.h"

#include <algorithm>
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
    const std::string& caption = model.form.label3[kind == ProfileKind::Vehicle ? 0 : 1].text;
    return profileNameForCaption(kind, caption).value_or(caption);
}

std::string_view slice(std::string_view text, std::size_t from, std::size_t to) {
    return text.substr(from, std::min(to, text.size()) - from);
}

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
    if (q == std::string_view::npos)
        return {{}, tags::kPreferenceFactorOpen};
    const std::size_t close = findText(text, tags::kPreferenceFactorClose, q);
    if (close == std::string_view::npos)
        return {{}, tags::kPreferenceFactorClose};
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

// Replaces each group's list in turn, every search on the text as changed so far.
PlannedWrite planWrite(const MainWindowModel& model, std::string_view fileText, ProfileKind kind,
                       std::span<const ValueGroup> groups) {
    const std::string_view name = writeProfileName(model, kind);
    if (name.empty())
        return {{}, {}, messages::noProfileName(name)};

    PlannedWrite plan{std::string(fileText), {}, {}};
    // Every replaced list lies after the name's first occurrence, so that occurrence stays
    // where it is: each search may start there instead of at the beginning of a large file.
    const std::size_t nameAt = findText(plan.newText, name);
    if (nameAt == std::string_view::npos)
        return {{}, {}, messages::groupNotFound(name, groups.front(), {kSuch1Error, {}, {}})};
    for (const ValueGroup& group : groups) {
        const ZerlegeResult parts =
            locateGroup(std::string_view(plan.newText).substr(nameAt), name, group);
        if (isZerlegeError(parts))
            return {{}, {}, messages::groupNotFound(name, group, parts)};
        // Prefix and suffix stay as they are, so the list is replaced in place. The route
        // value goes in as its box holds it, even with a "|" inside.
        const std::string list = group.count == 1
                                     ? model.form.text1[group.firstBox].text
                                     : BoxesToList(model, {}, group.firstBox, {}, group.count);
        plan.newText.replace(nameAt + parts[0].size(), parts[1].size(), list);
    }

    // "<Name>" and the name cannot start more than the tag's length before the name.
    const std::size_t excerptFrom = nameAt - std::min(nameAt, tags::kName.size());
    const std::string_view tail = std::string_view(plan.newText).substr(excerptFrom);
    Excerpt excerpt =
        kind == ProfileKind::Vehicle ? vehicleExcerpt(tail, name) : routeExcerpt(tail, name);
    if (!excerpt.missingTag.empty())
        return {{}, {}, messages::excerptTagMissing(name, excerpt.missingTag)};
    plan.excerpt = std::move(excerpt.text);
    return plan;
}

void confirmAndWrite(EditorContext& editor, ProfileKind kind) {
    const std::string& path = editor.model.state.targetPath;
    const auto oldText =
        fileExists(editor.files, path) ? readWholeFile(editor.files, path) : std::nullopt;
    if (!oldText) {
        tell(editor, messages::fileUnreadable(path));
        return;
    }
    const PlannedWrite plan = kind == ProfileKind::Vehicle
                                  ? planVehicleWrite(editor.model, *oldText)
                                  : planRouteWrite(editor.model, *oldText);
    if (!plan.refusal.empty()) {
        tell(editor, plan.refusal);
        return;
    }
    if (!askYesNo(editor, std::string(kConfirmationHeader) + plan.excerpt))
        return;
    const ReplaceResult result = replaceWholeFile(editor.files, path, plan.newText, *oldText);
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
