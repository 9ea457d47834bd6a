// The resident tool on the real platform: its hidden main window, the taskbar icon and its
// menu, and the guard against a second running copy.
#pragma once

#include <windows.h>

namespace vandrel {

enum class TrayIconAction { Add, Delete };

// False when another copy runs (it has been asked to open its sheet) or registration failed.
bool RegisterMainClass(HINSTANCE instance);
bool CreateMainWindow(HINSTANCE instance);
void UpdateTrayIcon(HWND window, TrayIconAction action);
void TrimWorkingSet();
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Registration, the hidden window and the message loop; the process's exit code.
int RunResident(HINSTANCE instance);

} // namespace vandrel
