// Entry of Marlwick.exe: the profile editor's main window.
#include "editor/form/main_window_model.h"
#include "editor/operations/backup_restore.h"
#include "editor/operations/main_window_events.h"
#include "editor/operations/startup.h"
#include "editor/win32/main_window.h"
#include "editor/win32/win32_editor_system.h"

#include <windows.h>

#include <exception>
#include <string>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    try {
        marlwick::Win32EditorSystem system;
        marlwick::MainWindow window(instance, marlwick::MainWindowModel{},
                                    {.firstShowCommand = showCommand});
        marlwick::EditorContext editor = system.contextFor(window.model(), window.handle());
        window.setClickHandler([&](marlwick::ControlId clicked) { onClick(editor, clicked); });
        window.addSystemMenuItem(marlwick::kRestoreMenuCommand,
                                 std::string(marlwick::kRestoreMenuText),
                                 [&] { marlwick::RestoreBackup(editor); });
        window.setCloseQuery([&] { return onCloseAsked(editor); });
        // The start-up shows the window when it fills the first group; errors end only it.
        window.runEvent([&](marlwick::MainWindowModel&) { RunStartup(editor, commandLine); });
        return window.showAndRunMessageLoop();
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), std::string(marlwick::kProgramName).c_str(),
                    MB_OK | MB_ICONERROR);
        return 1;
    }
}
