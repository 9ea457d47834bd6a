#include "ejector/win32/win32_dialog_items.h"

namespace vandrel {
namespace {

// The port restates the platform's numbers so that portable code needs no <windows.h>.
static_assert(DialogItemsPort::kUnchecked == BST_UNCHECKED);
static_assert(DialogItemsPort::kChecked == BST_CHECKED);
static_assert(DialogItemsPort::kListError == LB_ERR);

} // namespace

LRESULT Win32DialogItems::send(int id, UINT message, WPARAM wParam, LPARAM lParam) {
    return SendDlgItemMessageA(page_, id, message, wParam, lParam);
}

bool Win32DialogItems::checkDlgButton(int id, std::uint32_t check) {
    return CheckDlgButton(page_, id, check) != FALSE;
}

std::uint32_t Win32DialogItems::isDlgButtonChecked(int id) {
    return IsDlgButtonChecked(page_, id);
}

bool Win32DialogItems::checkRadioButton(int first, int last, int check) {
    return CheckRadioButton(page_, first, last, check) != FALSE;
}

bool Win32DialogItems::enableDlgItem(int id, bool enable) {
    const HWND control = GetDlgItem(page_, id);
    if (!control)
        return false;
    EnableWindow(control, enable);
    return true;
}

int Win32DialogItems::listAddString(int id, const std::string& text) {
    return static_cast<int>(send(id, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int Win32DialogItems::listSetSel(int id, bool select, int index) {
    return static_cast<int>(send(id, LB_SETSEL, select, index));
}

int Win32DialogItems::listGetCount(int id) {
    return static_cast<int>(send(id, LB_GETCOUNT, 0, 0));
}

int Win32DialogItems::listGetSel(int id, int index) {
    return static_cast<int>(send(id, LB_GETSEL, index, 0));
}

int Win32DialogItems::listGetText(int id, int index, std::string& text) {
    const auto length = static_cast<int>(send(id, LB_GETTEXTLEN, index, 0));
    if (length == LB_ERR)
        return LB_ERR;
    std::string buffer(static_cast<std::size_t>(length) + 1, '\0');
    const auto copied =
        static_cast<int>(send(id, LB_GETTEXT, index, reinterpret_cast<LPARAM>(buffer.data())));
    if (copied == LB_ERR)
        return LB_ERR;
    buffer.resize(static_cast<std::size_t>(copied));
    text = buffer;
    return copied;
}

int Win32DialogItems::listDeleteString(int id, int index) {
    return static_cast<int>(send(id, LB_DELETESTRING, index, 0));
}

} // namespace vandrel
