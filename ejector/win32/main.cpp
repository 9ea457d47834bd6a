// Entry of Vandrl.exe, the eject tool: with arguments it ejects the drives they name and ends
// without a window; without, it stays resident with its taskbar icon.
#include "ejector/command_line.h"
#include "ejector/win32/process_state.h"
#include "ejector/win32/tray_window.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    const std::string_view arguments = vandrel::ArgumentText(GetCommandLineA());
    if (vandrel::ProcessCommandLine(vandrel::Process().devices, arguments))
        return 0;
    return vandrel::RunResident(instance);
}
