// The eject button: starts the eject tool for the drive that holds the target file, from the
// temporary folder, so that nothing keeps the medium busy.
#pragma once

#include "editor/operations/editor_context.h"

#include <string>
#include <string_view>

namespace marlwick {

inline constexpr std::string_view kEjectProgramName = "Vandrl.exe";
inline constexpr std::uint32_t kEjectDelayMilliseconds = 1000;

// The eject tool's path in the temporary folder, quoted (a folder with blanks must not let
// the system start another program), a blank, and the target path's first two characters.
std::string ejectCommandLine(std::string_view temporaryFolder, std::string_view targetPath);

// A click on Command5.
void EjectButtonClick(EditorContext& editor);

} // namespace marlwick
