#include "editor/backup_restore.h"

#include "editor/backups.h"
#include "editor/paths.h"
#include "editor/profile_loading.h"
#include "editor/settings_file.h"
#include "editor/write_messages.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <utility>

namespace marlwick {
namespace {

// The local time in a backup's name: a digit wherever '#' stands.
constexpr std::string_view kTimeShape = "####-##-## ##-##-##";

struct NameParts {
    std::string_view stem;
    std::string_view extension; // with its dot; empty for a name without one
};

NameParts partsOf(std::string_view fileName) {
    const std::size_t dot = fileName.rfind('.');
    if (dot == std::string_view::npos)
        return {fileName, {}};
    return {fileName.substr(0, dot), fileName.substr(dot)};
}

// Also after a drive letter alone, as in "E:ApplicationSettings.xml".
std::string_view fileNameOf(std::string_view path) {
    return path.substr(path.find_last_of("\\/:") + 1);
}

bool sameIgnoringCase(std::string_view a, std::string_view b) {
    return std::ranges::equal(
        a, b, [](unsigned char x, unsigned char y) { return std::tolower(x) == std::tolower(y); });
}

bool hasTimeShape(std::string_view text) {
    return std::ranges::equal(text, kTimeShape, [](char c, char shape) {
        return shape == '#' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : c == shape;
    });
}

// Nothing, or " (n)" with n from 2 on without leading zeros.
std::optional<int> counterOf(std::string_view text) {
    if (text.empty())
        return 1;
    if (!text.starts_with(" (") || !text.ends_with(')'))
        return std::nullopt;
    const std::string_view digits = text.substr(2, text.size() - 3);
    int counter = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), counter);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.starts_with('0') ||
        counter < 2)
        return std::nullopt;
    return counter;
}

// Where the backups lie; nothing when the system cannot say. Made by the backups, not here.
std::optional<std::string> backupFolderPath(FilePort& files) {
    std::array<char, FilePort::kMaxPath> base{};
    if (files.shGetFolderPath(FilePort::kCsidlLocalAppData, base.data()) != FilePort::kSOk)
        return std::nullopt;
    std::string path = withoutTrailingBackslash(base.data());
    for (const std::string_view level : kBackupFolderLevels)
        path += "\\" + std::string(level);
    return path;
}

// The dialog's filter: the backups of the file's name. A ';' would
// split the filter, so any one character stands for it.
std::string backupPattern(std::string_view fileName) {
    const auto [stem, extension] = partsOf(fileName);
    std::string pattern = std::string(stem) + " *" + std::string(extension);
    std::ranges::replace(pattern, ';', '?');
    return pattern;
}

// The name of the newest backup of the file's name in the folder; nothing when it holds none.
std::optional<std::string> newestBackup(FilePort& files, const std::string& folder,
                                        std::string_view fileName) {
    // Every entry: the name decides, not the system's wildcards, which also match short names.
    FilePort::FindData entry;
    const FilePort::Handle find = files.findFirstFile(folder + "\\*", &entry);
    if (find == FilePort::kInvalidHandle)
        return std::nullopt;
    std::optional<std::pair<BackupStamp, std::string>> newest;
    do {
        const auto stamp = (entry.attributes & FilePort::kAttributeDirectory)
                               ? std::nullopt
                               : backupStampOf(fileName, entry.fileName);
        if (stamp && (!newest || newest->first < *stamp))
            newest.emplace(*stamp, entry.fileName);
    } while (files.findNextFile(find, &entry));
    files.findClose(find);
    if (!newest)
        return std::nullopt;
    return newest->second;
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
    const std::optional<std::string> newest =
        folder ? newestBackup(editor.files, *folder, fileName) : std::nullopt;
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
    if (!stamp || !sameIgnoringCase(folderOf(chosen), *folder)) {
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

std::optional<BackupStamp> backupStampOf(std::string_view fileName, std::string_view candidate) {
    const auto [stem, extension] = partsOf(fileName);
    const std::size_t timeAt = stem.size() + 1;
    const std::size_t fixed = timeAt + kTimeShape.size() + extension.size();
    if (candidate.size() < fixed || !sameIgnoringCase(candidate.substr(0, stem.size()), stem) ||
        candidate[stem.size()] != ' ' ||
        !sameIgnoringCase(candidate.substr(candidate.size() - extension.size()), extension))
        return std::nullopt;
    const std::string_view time = candidate.substr(timeAt, kTimeShape.size());
    const auto counter =
        counterOf(candidate.substr(timeAt + kTimeShape.size(), candidate.size() - fixed));
    if (!hasTimeShape(time) || !counter)
        return std::nullopt;
    return BackupStamp{std::string(time), *counter};
}

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
