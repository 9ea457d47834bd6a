#include "editor/operations/backup_restore.h"

#include "editor/operations/backups.h"
#include "editor/operations/profile_loading.h"
#include "editor/operations/write_messages.h"
#include "editor/system/file_identity.h"
#include "editor/system/paths.h"
#include "editor/system/whole_file.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace marlwick {
namespace {

// The dialog's filter: the backups of the file's name. A ';' would split the filter, so any
// one character stands for it.
std::string backupPattern(std::string_view fileName) {
    const std::size_t dot = std::min(fileName.rfind('.'), fileName.size());
    std::string pattern =
        std::string(fileName.substr(0, dot)) + " *" + std::string(fileName.substr(dot));
    std::ranges::replace(pattern, ';', '?');
    return pattern;
}

struct Chosen {
    std::string path;
    BackupStamp stamp;
};

// The backup the user chose in the dialog, which opens on the backup folder with the newest
// backup's name proposed; the names sort by time, so the listing ends with it. Only the
// target's own backups from that folder are taken: any other file would put bytes of unknown
// origin in its place.
std::optional<Chosen> chooseBackup(EditorContext& editor, std::string_view fileName) {
    const std::optional<std::string> folder = backupFolderPath(editor.files);
    const std::vector<std::string> backups =
        folder ? backupsIn(editor.files, *folder, fileName) : std::vector<std::string>();
    const std::optional<std::string> newest =
        backups.empty() ? std::nullopt : std::optional(backups.back());
    if (!newest) {
        tell(editor, messages::noBackupsOf(fileName, folder.value_or("")));
        return std::nullopt;
    }
    const std::string chosen =
        editor.dialogs.GetOpenFileName(*folder, *newest, backupPattern(fileName),
                                       std::string(kRestoreDialogTitle), editor.ownerWindow);
    // A cancel gives the proposed name back, a choice a whole path.
    if (chosen == *newest)
        return std::nullopt;
    const auto stamp = backupStampOf(fileName, fileNameOf(chosen));
    if (!stamp || comparablePath(folderOf(chosen)) != comparablePath(*folder)) {
        tell(editor, messages::notABackupOf(chosen, fileName, *folder));
        return std::nullopt;
    }
    return Chosen{chosen, *stamp};
}

// The file's bytes, or a message why there are none to replace.
std::optional<std::string> replaceableBytes(EditorContext& editor, const std::string& path) {
    auto bytes = fileExists(editor.files, path) ? readWholeFile(editor.files, path) : std::nullopt;
    if (!bytes) {
        tell(editor, messages::fileUnreadable(path));
        return std::nullopt;
    }
    if (isReadOnly(editor.files, path)) {
        tell(editor,
             messages::replaceFailure(path, {ReplaceOutcome::Unchanged, ReplaceStep::ReadOnly}));
        return std::nullopt;
    }
    return bytes;
}

} // namespace

void RestoreBackup(EditorContext& editor) {
    const std::string target = editor.model.state.targetPath;
    if (target.empty()) {
        tell(editor, messages::noTargetToRestore());
        return;
    }
    // Asked nothing in vain: a target that is gone has nothing to replace.
    if (!fileExists(editor.files, target)) {
        tell(editor, messages::fileUnreadable(target));
        return;
    }
    const std::optional<Chosen> chosen = chooseBackup(editor, fileNameOf(target));
    if (!chosen)
        return;
    const std::optional<std::string> restored = readWholeFile(editor.files, chosen->path);
    if (!restored) {
        tell(editor, messages::fileUnreadable(chosen->path));
        return;
    }
    // Read before the question: the replacement compares these bytes last and keeps them.
    const std::optional<std::string> current = replaceableBytes(editor, target);
    if (!current ||
        !askYesNo(editor, messages::restoreQuestion(chosen->path, chosen->stamp.time, target)))
        return;
    if (replaceKeepingBackup(editor, target, *restored, *current))
        LoadProfiles(editor);
}

} // namespace marlwick
