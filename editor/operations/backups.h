// Before a write or an import replaces the settings file, the bytes it held are kept in the
// user's own folder on this PC, never on the medium, so that the import can bring them back.
// The folder keeps the newest backups; of its other files the editor touches none.
#pragma once

#include "editor/operations/editor_context.h"
#include "editor/system/editor_host.h"
#include "editor/system/file_port.h"
#include "editor/system/whole_file.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace marlwick {

// The backup folder's levels below the user's local application data.
inline constexpr std::array<std::string_view, 2> kBackupFolderLevels = {kProgramName,
                                                                        "Sicherungen"};
inline constexpr std::size_t kBackupsKept = 50;

struct BackupFailure {
    // The system's code of the step that failed (an HRESULT when the folder was not found);
    // 0 when the file itself lies in the backup folder.
    std::uint32_t error = 0;
};

// A backup made: its folder and the backups of the file's name that the folder held before.
struct MadeBackup {
    std::string folder;
    std::vector<std::string> earlierOldestFirst;
};

// The time in a backup's name ("2026-12-07 23-59-59") and its counter, 1 when it has none.
struct BackupStamp {
    std::string time;
    int counter = 1;

    // Older first.
    auto operator<=>(const BackupStamp&) const = default;
};

// The stamp when the name is one the backups give a file of this name (case aside):
// "<stem> YYYY-MM-DD hh-mm-ss[ (n)]<extension>"; nothing for any other name.
std::optional<BackupStamp> backupStampOf(std::string_view fileName, std::string_view name);

// Where the backups lie; nothing when the system cannot say. Nothing is made here.
std::optional<std::string> backupFolderPath(FilePort& files);

// The names of the backups of the file name in the folder, oldest first.
std::vector<std::string> backupsIn(FilePort& files, const std::string& folder,
                                   std::string_view fileName);

// Stores the bytes as a new backup of the file at the path. A backup is named by the file's
// long name stem, the local time and, where that name is taken, a counter from 2 on, then the
// file's extension: "ApplicationSettings 2026-12-07 23-59-59.xml",
// "ApplicationSettings 2026-12-07 23-59-59 (2).xml".
std::variant<MadeBackup, BackupFailure> keepBackup(FilePort& files, EditorHost& host,
                                                   const std::string& path, std::string_view bytes);

// Removes the oldest of the earlier backups beyond kBackupsKept, the new one counted, but no
// file that may be one of the kept paths' files, however those paths are written.
void removeOldestBackups(FilePort& files, const MadeBackup& made,
                         std::span<const std::string> keptPaths);

// Keeps a backup of the old text unless the new one equals it, then replaces the file; only a
// replacement that succeeded makes room among the backups. Tells the user what failed: the
// replacement first, then the backup. True when replaced.
bool replaceKeepingBackup(EditorContext& editor, const std::string& path, TextPieces newText,
                          std::string_view oldText);
bool replaceKeepingBackup(EditorContext& editor, const std::string& path, std::string_view newText,
                          std::string_view oldText);

} // namespace marlwick
