#include "ejector/win32/tray_window.h"

#include "ejector/program_title.h"
#include "ejector/resource.h"
#include "ejector/tray_app.h"
#include "ejector/win32/process_state.h"
#include "ejector/win32/property_sheet.h"

#include <commctrl.h>
#include <shellapi.h>

namespace vandrel {
namespace {

constexpr char kClassName[] = "Vandrel";
constexpr char kTrayTip[] = "Vandrel";
constexpr UINT kTrayIconId = 102;
constexpr UINT kTrayMenuFlags = TPM_RIGHTALIGN | TPM_RIGHTBUTTON;
static_assert(kTrayMenuFlags == 0x000A);
static_assert((NIF_MESSAGE | NIF_ICON | NIF_TIP) == 7);
#ifndef _WIN64
static_assert(NOTIFYICONDATAA_V1_SIZE == 88);
#endif

// The mouse messages tray_app.h restates.
static_assert(kLeftButtonDown == WM_LBUTTONDOWN);
static_assert(kLeftButtonDoubleClick == WM_LBUTTONDBLCLK);
static_assert(kRightButtonUp == WM_RBUTTONUP);

class Win32TrayShell : public TrayShellPort {
  public:
    void addTrayIcon() override { UpdateTrayIcon(Process().mainWindow, TrayIconAction::Add); }
    void deleteTrayIcon() override { UpdateTrayIcon(Process().mainWindow, TrayIconAction::Delete); }
    void showTrayMenu() override;
    bool askYesNo(const std::string& text, const std::string& caption) override {
        return MessageBoxA(Process().mainWindow, text.c_str(), caption.c_str(),
                           MB_YESNO | MB_ICONQUESTION) == IDYES;
    }
    void destroyMainWindow() override { DestroyWindow(Process().mainWindow); }
    void postQuit(int exitCode) override { PostQuitMessage(exitCode); }
    bool isSheetOpen() override { return IsWindow(Process().sheetWindow) != FALSE; }
    void bringSheetForward() override { SetForegroundWindow(Process().sheetWindow); }
    void showPropertySheet() override { ShowPropertySheet(Process().mainWindow); }
    void trimWorkingSet() override { TrimWorkingSet(); }
};

// The chosen item arrives afterwards as WM_COMMAND. The posted message lets the menu close
// properly when the user clicks elsewhere.
void Win32TrayShell::showTrayMenu() {
    const HWND window = Process().mainWindow;
    POINT cursor{};
    GetCursorPos(&cursor);
    const HMENU menu = CreatePopupMenu();
    AppendMenuA(menu, MF_STRING, ID_EJECT_NOW, "Eject Now");
    AppendMenuA(menu, MF_STRING, ID_PROPERTIES, "Properties...");
    AppendMenuA(menu, MF_STRING, ID_CLOSE, "Close...");
    SetMenuDefaultItem(menu, ID_EJECT_NOW, FALSE);
    SetForegroundWindow(window);
    TrackPopupMenu(menu, kTrayMenuFlags, cursor.x, cursor.y, 0, window, nullptr);
    PostMessageA(window, WM_USER, 0, 0);
    DestroyMenu(menu);
}

TrayContext& Tray() {
    static Win32TrayShell shell;
    static TrayContext context{shell, Process().devices, Process().registry, Process().settings};
    return context;
}

HICON ProgramIcon(int id) {
    return LoadIconA(Process().instance, MAKEINTRESOURCEA(id));
}

} // namespace

bool RegisterMainClass(HINSTANCE instance) {
    if (const HWND running = FindWindowA(kClassName, nullptr)) {
        PostMessageA(running, kShowPropertiesMessage, 0, 0);
        return false;
    }
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_MAIN));
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_SMALL));
    return RegisterClassExA(&windowClass) != 0;
}

bool CreateMainWindow(HINSTANCE instance) {
    return CreateWindowExA(0, kClassName, kProgramTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                           nullptr) != nullptr;
}

void UpdateTrayIcon(HWND window, TrayIconAction action) {
    NOTIFYICONDATAA icon{};
    icon.cbSize = NOTIFYICONDATAA_V1_SIZE;
    icon.hWnd = window;
    icon.uID = kTrayIconId;
    icon.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    icon.uCallbackMessage = kTrayCallbackMessage;
    icon.hIcon = ProgramIcon(IDI_SMALL);
    lstrcpynA(icon.szTip, kTrayTip, sizeof icon.szTip);
    Shell_NotifyIconA(action == TrayIconAction::Add ? NIM_ADD : NIM_DELETE, &icon);
}

void TrimWorkingSet() {
    EjectDevicePort::VersionInfo version;
    if (!Process().devices.getVersionEx(version) ||
        version.platformId != EjectDevicePort::kPlatformWin32Nt)
        return;
    SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
}

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        Process().mainWindow = window;
        OnCreate(Tray());
        return 0;
    case WM_DESTROY:
        OnDestroy(Tray());
        return 0;
    case WM_QUERYENDSESSION:
        return OnQueryEndSession(Tray()) ? TRUE : FALSE;
    case WM_COMMAND:
        if (OnCommand(Tray(), LOWORD(wParam)))
            return 0;
        break;
    case kTrayCallbackMessage:
        OnTrayCallback(Tray(), static_cast<unsigned>(lParam));
        return 0;
    case kShowPropertiesMessage:
        OnShowProperties(Tray());
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

int RunResident(HINSTANCE instance) {
    if (!RegisterMainClass(instance))
        return 0;
    Process().instance = instance;
    InitCommonControls();
    if (!CreateMainWindow(instance))
        return 0;
    TrimWorkingSet();
    MSG message{};
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace vandrel
