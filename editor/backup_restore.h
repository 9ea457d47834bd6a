// The way back in one step: one of the editor's backups of the target file, chosen in the
// backup folder, replaces the target whole after a question, and the grid loads it again.
#pragma once

#include "editor/editor_context.h"
#include "editor/restore_command.h"

#include <optional>
#include <string>
#include <string_view>

namespace marlwick {

// What a backup's name tells: the local time it was made ("2026-12-07 23-59-59") and its
// counter, 1 when the name has none.
struct BackupStamp {
    std::string time;
    int counter = 1;

    // Older first.
    auto operator<=>(const BackupStamp&) const = default;
};

// The stamp when the name is one the backups give a file of this name (case aside):
// "<stem> YYYY-MM-DD hh-mm-ss[ (n)]<extension>"; nothing for any other name.
std::optional<BackupStamp> backupStampOf(std::string_view fileName, std::string_view candidate);

// Offers the target's own backups, newest proposed, asks, and on Yes puts the chosen
// backup's bytes in place of the target's as a write does, then loads again. Every way that
// ends without a change but a cancel or a No ends in a message.
void RestoreBackup(EditorContext& editor);

} // namespace marlwick
