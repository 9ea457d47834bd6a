// The way back in one step: one of the editor's backups of the target file, chosen in the
// backup folder, replaces the target whole after a question, and the grid loads it again.
#pragma once

#include "editor/operations/editor_context.h"
#include "editor/operations/restore_command.h"

#include <optional>
#include <string>
#include <string_view>

namespace marlwick {

// Offers the target's own backups, newest proposed, asks, and on Yes puts the chosen
// backup's bytes in place of the target's as a write does, then loads again. Every way that
// ends without a change but a cancel or a No ends in a message.
void RestoreBackup(EditorContext& editor);

} // namespace marlwick
