// What an editor operation works on: the window's model and the system behind its ports.
#pragma once

#include "editor/form/main_window_model.h"
#include "editor/system/editor_host.h"
#include "editor/system/file_port.h"
#include "services/cls_sys_dialogs.h"
#include "services/cls_sys_registry.h"
#include "services/system_port.h"

#include <string_view>

namespace marlwick {

// The caption of every message box the editor shows.
inline constexpr std::string_view kProgramName = "Marlwick";

// The window's model, the system behind its ports, and the window's one registry object
// and one dialog object.
struct EditorContext {
    MainWindowModel& model;
    FilePort& files;
    EditorHost& host;
    clsSysRegistry& registry;
    clsSysDialogs& dialogs;
    DialogPort::Window ownerWindow = 0;
    // The system's texts for the error codes that messages name.
    SystemPort& system;
};

// A plain message the user must read: OK only, the program's name as caption.
void tell(EditorContext& editor, const std::string& text);

// A Yes/No question without icon, Yes the default; true for Yes.
bool askYesNo(EditorContext& editor, const std::string& text);

} // namespace marlwick
