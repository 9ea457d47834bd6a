#include "editor/operations/routing_import.h"

#include "editor/document/settings_document.h"
#include "editor/operations/backups.h"
#include "editor/operations/profile_loading.h"
#include "editor/operations/write_messages.h"
#include "editor/system/whole_file.h"

#include <new>
#include <optional>

namespace marlwick {
namespace {

// The tag that a failed split of the routing section did not find.
std::string_view missingRoutingTag(const ZerlegeResult& parts) {
    return parts[0] == kSuch1Error ? tags::kRoutingStart : tags::kRoutingEnd;
}

std::optional<std::string> readExisting(EditorContext& editor, const std::string& path) {
    if (!fileExists(editor.files, path))
        return std::nullopt;
    return readWholeFile(editor.files, path);
}

struct FileAndImport {
    std::string targetText;
    PlannedImport plan;
};

FileAndImport readAndPlan(EditorContext& editor) {
    const WindowState& state = editor.model.state;
    auto targetText = readExisting(editor, state.targetPath);
    if (!targetText)
        return {{}, {{}, messages::fileUnreadable(state.targetPath)}};
    const auto importText = readExisting(editor, state.importPath);
    if (!importText)
        return {{}, {{}, messages::fileUnreadable(state.importPath)}};
    PlannedImport plan =
        planRoutingImport(*targetText, state.targetPath, *importText, state.importPath);
    return {std::move(*targetText), std::move(plan)};
}

} // namespace

PlannedImport planRoutingImport(std::string_view targetText, std::string_view targetPath,
                                std::string_view importText, std::string_view importPath) {
    const ZerlegeResult target = splitRoutingSection(targetText);
    if (isZerlegeError(target))
        return {{}, messages::routingTagMissing(targetPath, missingRoutingTag(target))};
    const ZerlegeResult imported = splitRoutingSection(importText);
    if (isZerlegeError(imported))
        return {{}, messages::routingTagMissing(importPath, missingRoutingTag(imported))};
    return {joinWithList(target, imported[1]), {}};
}

bool ImportRouting(EditorContext& editor) {
    const WindowState& state = editor.model.state;
    FileAndImport planned;
    // Both files and the new text are held at once; huge ones may not fit.
    try {
        planned = readAndPlan(editor);
    } catch (const std::bad_alloc&) {
        planned.plan.refusal = messages::outOfMemory(state.targetPath);
    }
    const PlannedImport& plan = planned.plan;
    if (!plan.refusal.empty()) {
        tell(editor, plan.refusal);
        return false;
    }
    const std::string& targetText = planned.targetText;
    // The same section needs no write: the medium is spared.
    if (plan.newText != targetText &&
        !replaceKeepingBackup(editor, state.targetPath, plan.newText, targetText))
        return false;
    LoadProfiles(editor);
    return true;
}

void ImportButtonClick(EditorContext& editor) {
    if (askYesNo(editor, std::string(kImportWarning)))
        ImportRouting(editor);
}

} // namespace marlwick
