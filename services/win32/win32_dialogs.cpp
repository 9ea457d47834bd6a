#include "services/win32/win32_dialogs.h"

#include <windows.h>

#include <commdlg.h>
#include <cstddef>
#include <objbase.h>
#include <shlobj.h>

namespace marlwick {

namespace {

// OPENFILENAME_SIZE_VERSION_400A, which is no constant expression in C++.
static_assert(DialogPort::kOpenFileNameSize400 ==
              offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR));
static_assert(DialogPort::kChooseColorSize == sizeof(CHOOSECOLORA));
static_assert(DialogPort::kMaxPath == MAX_PATH);
static_assert(DialogPort::kCcRgbInit == CC_RGBINIT);
static_assert(DialogPort::kCcFullOpen == CC_FULLOPEN);
static_assert(DialogPort::kCcSolidColor == CC_SOLIDCOLOR);
static_assert(DialogPort::kBifReturnOnlyFsDirs == BIF_RETURNONLYFSDIRS);
static_assert(DialogPort::kBifDontGoBelowDomain == BIF_DONTGOBELOWDOMAIN);

HWND toHwnd(DialogPort::Window window) {
    return reinterpret_cast<HWND>(window);
}

OPENFILENAMEA platformRecord(const DialogPort::FileDialogRecord& record) {
    OPENFILENAMEA platform{};
    platform.lStructSize = record.structSize;
    platform.hwndOwner = toHwnd(record.owner);
    platform.lpstrFilter = record.filter;
    platform.nFilterIndex = record.filterIndex;
    platform.lpstrFile = record.file;
    platform.nMaxFile = record.maxFile;
    platform.lpstrFileTitle = record.fileTitle;
    platform.nMaxFileTitle = record.maxFileTitle;
    platform.lpstrInitialDir = record.initialDir;
    platform.lpstrTitle = record.title;
    platform.Flags = record.flags;
    return platform;
}

} // namespace

bool Win32Dialogs::getOpenFileName(FileDialogRecord& record) {
    OPENFILENAMEA platform = platformRecord(record);
    return GetOpenFileNameA(&platform) != FALSE;
}

bool Win32Dialogs::getSaveFileName(FileDialogRecord& record) {
    OPENFILENAMEA platform = platformRecord(record);
    return GetSaveFileNameA(&platform) != FALSE;
}

bool Win32Dialogs::chooseColor(ColorDialogRecord& record) {
    CHOOSECOLORA platform{};
    platform.lStructSize = record.structSize;
    platform.hwndOwner = toHwnd(record.owner);
    platform.rgbResult = record.rgbResult;
    platform.lpCustColors = reinterpret_cast<COLORREF*>(record.customColors);
    platform.Flags = record.flags;
    const bool chosen = ChooseColorA(&platform) != FALSE;
    record.rgbResult = platform.rgbResult;
    return chosen;
}

DialogPort::ItemIdList Win32Dialogs::browseForFolder(const FolderDialogRecord& info) {
    BROWSEINFOA platform{};
    platform.hwndOwner = toHwnd(info.owner);
    platform.lpszTitle = info.title;
    platform.ulFlags = info.flags;
    return reinterpret_cast<ItemIdList>(SHBrowseForFolderA(&platform));
}

bool Win32Dialogs::getPathFromIdList(ItemIdList item, char* path) {
    return SHGetPathFromIDListA(reinterpret_cast<LPCITEMIDLIST>(item), path) != FALSE;
}

void Win32Dialogs::freeIdList(ItemIdList item) {
    CoTaskMemFree(reinterpret_cast<void*>(item));
}

} // namespace marlwick
