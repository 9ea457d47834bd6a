// The baseline for the eject tool's start-up benchmark: a Windows program that imports the
// same system libraries (registry, shell, common controls, windows) and does nothing.
#include <windows.h>

#include <commctrl.h>
#include <shellapi.h>

// Kept so the linker keeps the imports without the program calling them.
void* volatile kImports[] = {
    reinterpret_cast<void*>(&RegOpenKeyExA),
    reinterpret_cast<void*>(&Shell_NotifyIconA),
    reinterpret_cast<void*>(&InitCommonControls),
    reinterpret_cast<void*>(&MessageBoxA),
};

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return 0;
}
