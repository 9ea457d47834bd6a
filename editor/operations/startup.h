// What the editor does once when its main window is loaded.
#pragma once

#include "editor/operations/editor_context.h"

#include <string>

namespace marlwick {

// commandLine: the argument text after the program's name; a path, possibly quoted, or
// empty.
void RunStartup(EditorContext& editor, const std::string& commandLine);

} // namespace marlwick
