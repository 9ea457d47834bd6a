// The baseline for the editor's start-up benchmark: a Windows program that imports the same
// system libraries (registry, common dialogs, shell, common controls, windows) and opens one
// window with one text box showing a value.
#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shellapi.h>
#include <shlobj.h>

// Kept so the linker keeps the imports without the program calling them.
void* volatile kImports[] = {
    reinterpret_cast<void*>(&RegOpenKeyExA),        reinterpret_cast<void*>(&GetOpenFileNameA),
    reinterpret_cast<void*>(&SHBrowseForFolderA),   reinterpret_cast<void*>(&ExtractIconA),
    reinterpret_cast<void*>(&InitCommonControlsEx), reinterpret_cast<void*>(&MessageBoxA),
};

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "BareWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowA("BareWindow", "Bare", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 300,
                                100, nullptr, nullptr, instance, nullptr);
    CreateWindowA("EDIT", "1.2", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 100, 20, window,
                  nullptr, instance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
