#include "ejector/win32/property_sheet.h"

#include "ejector/program_title.h"
#include "ejector/property_pages.h"
#include "ejector/resource.h"
#include "ejector/win32/process_state.h"
#include "ejector/win32/win32_dialog_items.h"

#include <commctrl.h>
#include <shellapi.h>

#include <array>
#include <cstring>

namespace vandrel {
namespace {

constexpr DWORD kSheetFlags = PSH_PROPSHEETPAGE | PSH_NOAPPLYNOW | PSH_USECALLBACK;
static_assert(kSheetFlags == 0x0188);

constexpr COLORREF kLinkColor = RGB(0, 0, 255);
constexpr COLORREF kPressedLinkColor = RGB(255, 0, 0);

PROPSHEETPAGEA Page(int templateId, int iconId, DLGPROC procedure) {
    PROPSHEETPAGEA page{};
    page.dwSize = sizeof page;
    page.dwFlags = PSP_USEICONID;
    page.hInstance = Process().instance;
    page.pszTemplate = MAKEINTRESOURCEA(templateId);
    page.pszIcon = MAKEINTRESOURCEA(iconId);
    page.pfnDlgProc = procedure;
    return page;
}

// The sheet's template is the classic DLGTEMPLATE or, marked by 0xFFFF in its second word,
// the extended one, whose style sits after the help identifier and the extended style.
DWORD* TemplateStyle(void* dialogTemplate) {
    auto* words = static_cast<WORD*>(dialogTemplate);
    if (words[1] == 0xFFFF)
        return reinterpret_cast<DWORD*>(words + 6);
    return static_cast<DWORD*>(dialogTemplate);
}

void SetMessageResult(HWND page, LONG_PTR result) {
    SetWindowLongPtrA(page, DWLP_MSGRESULT, result);
}

bool IsApply(LPARAM lParam) {
    return reinterpret_cast<const NMHDR*>(lParam)->code == static_cast<UINT>(PSN_APPLY);
}

void OpenLink(HWND page) {
    std::array<char, 128> address{};
    GetDlgItemTextA(page, IDC_LINK, address.data(), static_cast<int>(address.size()));
    ShellExecuteA(page, "open", address.data(), nullptr, nullptr, SW_SHOWNORMAL);
}

// The link's caption at the top left of its area, underlined in the label's font, red while
// pressed and blue otherwise.
void DrawLink(HWND page, const DRAWITEMSTRUCT& item) {
    std::array<char, 128> caption{};
    GetDlgItemTextA(page, IDC_LINK, caption.data(), static_cast<int>(caption.size()));
    const auto labelFont =
        reinterpret_cast<HFONT>(SendDlgItemMessageA(page, IDC_LINK_LABEL, WM_GETFONT, 0, 0));
    LOGFONTA font{};
    GetObjectA(labelFont ? labelFont : GetStockObject(DEFAULT_GUI_FONT), sizeof font, &font);
    font.lfUnderline = TRUE;
    const HFONT underlined = CreateFontIndirectA(&font);
    const HGDIOBJ previousFont = SelectObject(item.hDC, underlined);
    const COLORREF previousColor =
        SetTextColor(item.hDC, (item.itemState & ODS_SELECTED) ? kPressedLinkColor : kLinkColor);
    TextOutA(item.hDC, item.rcItem.left, item.rcItem.top, caption.data(),
             static_cast<int>(std::strlen(caption.data())));
    SetTextColor(item.hDC, previousColor);
    SelectObject(item.hDC, previousFont);
    DeleteObject(underlined);
}

RunEntry ThisProgramsRunEntry() {
    return {Process().registry, ProgramPath()};
}

INT_PTR DrivePageProc(DrivePage kind, HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32DialogItems items(page);
    switch (message) {
    case WM_INITDIALOG:
        InitDrivePage(items, kind, Process().settings, RemovableDriveMask(Process().devices));
        return TRUE;
    case WM_COMMAND:
        DrivePageCommand(items, kind, LOWORD(wParam));
        return TRUE;
    case WM_NOTIFY:
        if (!IsApply(lParam))
            return FALSE;
        ApplyDrivePage(items, kind, Process().settings);
        SetMessageResult(page, PSNRET_NOERROR);
        return TRUE;
    default:
        return FALSE;
    }
}

} // namespace

void ShowPropertySheet(HWND) {
    std::array<PROPSHEETPAGEA, 3> pages = {
        Page(IDD_GENERAL, IDI_MAIN, GeneralPageProc),
        Page(IDD_SHUTDOWN, IDI_SHUTDOWN, ShutdownPageProc),
        Page(IDD_ICON_CLICK, IDI_ICON_CLICK, IconClickPageProc),
    };
    PROPSHEETHEADERA header{};
    header.dwSize = sizeof header;
    header.dwFlags = kSheetFlags;
    header.hwndParent = nullptr;
    header.hInstance = Process().instance;
    header.pszCaption = kProgramTitle;
    header.nPages = static_cast<UINT>(pages.size());
    header.nStartPage = 0;
    header.ppsp = pages.data();
    header.pfnCallback = SheetCallback;
    PropertySheetA(&header);
}

int CALLBACK SheetCallback(HWND sheet, UINT message, LPARAM lParam) {
    if (message == PSCB_PRECREATE) {
        DWORD* style = TemplateStyle(reinterpret_cast<void*>(lParam));
        *style = (*style & ~static_cast<DWORD>(DS_CONTEXTHELP)) | DS_SETFOREGROUND | DS_CENTER;
    } else if (message == PSCB_INITIALIZED) {
        Process().sheetWindow = sheet;
    }
    return 0;
}

void CenterWindow(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    const int width = bounds.right - bounds.left;
    const int height = bounds.bottom - bounds.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    SetWindowPos(window, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK GeneralPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32DialogItems items(page);
    switch (message) {
    case WM_INITDIALOG:
        CenterWindow(GetParent(page));
        InitGeneralPage(items, Process().settings);
        InitStartWithWindowsBox(items, ThisProgramsRunEntry());
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDC_CLOSE_NOW)
            SendMessageA(Process().mainWindow, WM_COMMAND, ID_CLOSE, 0);
        else if (LOWORD(wParam) == IDC_LINK)
            OpenLink(page);
        return TRUE;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (item->CtlID != IDC_LINK)
            return FALSE;
        DrawLink(page, *item);
        return TRUE;
    }
    case WM_NOTIFY:
        if (!IsApply(lParam))
            return FALSE;
        ApplyGeneralPage(items, Process().settings);
        ApplyStartWithWindowsBox(items, ThisProgramsRunEntry());
        SetMessageResult(page, PSNRET_NOERROR);
        return TRUE;
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK ShutdownPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return DrivePageProc(DrivePage::Shutdown, page, message, wParam, lParam);
}

INT_PTR CALLBACK IconClickPageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    return DrivePageProc(DrivePage::IconClick, page, message, wParam, lParam);
}

} // namespace vandrel
