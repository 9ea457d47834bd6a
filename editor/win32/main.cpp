// Entry of Marlwick.exe: the profile editor's main window.
#include "editor/main_window_model.h"
#include "editor/win32/main_window.h"

#include <windows.h>

#include <exception>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int showCommand) {
    try {
        marlwick::MainWindow window(instance, marlwick::MainWindowModel{},
                                    {.firstShowCommand = showCommand});
        window.model().form.window.visible = true;
        window.mirror();

        MSG message;
        while (GetMessageA(&message, nullptr, 0, 0) > 0) {
            if (window.isDialogMessage(message))
                continue;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        return static_cast<int>(message.wParam);
    } catch (const std::exception& error) {
        MessageBoxA(nullptr, error.what(), "Marlwick", MB_OK | MB_ICONERROR);
        return 1;
    }
}
