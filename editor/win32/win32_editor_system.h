// The real system behind every port of the editor, and the window's one registry object and
// one dialog object.
#pragma once

#include "editor/operations/editor_context.h"
#include "editor/win32/win32_editor_host.h"
#include "editor/win32/win32_file_port.h"
#include "services/win32/win32_dialogs.h"
#include "services/win32/win32_registry.h"
#include "services/win32/win32_system.h"

namespace marlwick {

struct Win32EditorSystem {
    Win32FilePort files;
    Win32EditorHost host;
    Win32Registry registryPort;
    Win32System system;
    Win32Dialogs dialogPort;
    clsSysRegistry registry{registryPort, system};
    clsSysDialogs dialogs{dialogPort, registryPort, system};

    // The editor on this system for a window's model; dialogs and message boxes are owned
    // by the window.
    EditorContext contextFor(MainWindowModel& model, HWND window) {
        host.setOwner(window);
        return {model, files, host, registry, dialogs, reinterpret_cast<DialogPort::Window>(window),
                system};
    }
};

} // namespace marlwick
