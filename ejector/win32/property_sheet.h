// The eject tool's three-page property sheet on the real platform.
#pragma once

#include <windows.h>

namespace vandrel {

// Modal; returns when the sheet is closed, the settings then holding what was confirmed. The
// sheet has no parent window: owner is not used.
void ShowPropertySheet(HWND owner);

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM lParam);
void CenterWindow(HWND window);

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK ShutdownPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK IconClickPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace vandrel
