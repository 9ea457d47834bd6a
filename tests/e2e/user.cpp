#include "tests/e2e/user.h"

#include "tests/e2e/programs.h"

#include <dlgs.h>

#include <algorithm>

namespace e2e {

namespace {

LPARAM pointParameter(POINT point) {
    return MAKELPARAM(point.x, point.y);
}

} // namespace

std::vector<HWND> childrenOf(HWND parent, const char* className) {
    std::vector<HWND> children;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (!className || lstrcmpiA(classOf(child).c_str(), className) == 0)
            children.push_back(child);
    return children;
}

RECT placeInParent(HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

HWND childAt(HWND parent, const char* className, POINT topLeft) {
    for (HWND child : childrenOf(parent, className)) {
        const RECT place = placeInParent(child);
        if (place.left == topLeft.x && place.top == topLeft.y)
            return child;
    }
    return nullptr;
}

HWND childWithText(HWND parent, const char* className, const std::string& text) {
    for (HWND child : childrenOf(parent, className))
        if (textOf(child) == text)
            return child;
    return nullptr;
}

void click(HWND control) {
    RECT client{};
    GetClientRect(control, &client);
    clickAt(control, {client.right / 2, client.bottom / 2});
}

void clickAt(HWND control, POINT point) {
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, pointParameter(point));
    PostMessageA(control, WM_LBUTTONUP, 0, pointParameter(point));
}

void type(HWND control, const std::string& text) {
    for (const char c : text)
        PostMessageA(control, WM_CHAR, static_cast<unsigned char>(c), 1);
}

void pressKey(HWND control, WORD virtualKey) {
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC)) << 16;
    PostMessageA(control, WM_KEYDOWN, virtualKey, scan | 1);
    PostMessageA(control, WM_KEYUP, virtualKey, scan | 1 | (3LL << 30));
}

COLORREF colourAt(HWND window, POINT point) {
    ClientToScreen(window, &point);
    const HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, point.x, point.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

bool showsColourSoon(HWND window, POINT point, COLORREF colour, DWORD milliseconds) {
    return waitUntil([&] { return colourAt(window, point) == colour; }, milliseconds);
}

MessageBoxSeen answerMessageBox(DWORD processId, const char* caption, int answerButton) {
    MessageBoxSeen seen;
    const HWND box = waitForWindow(processId, "#32770", caption);
    if (!box)
        return seen;
    seen.appeared = true;
    for (HWND label : childrenOf(box, "Static"))
        seen.text = std::max(seen.text, textOf(label),
                             [](const auto& a, const auto& b) { return a.size() < b.size(); });
    wintest::readyForTheUser(box);
    click(GetDlgItem(box, answerButton));
    waitUntil([&] { return !IsWindow(box); });
    return seen;
}

bool chooseFileInOpenDialog(DWORD processId, const char* title, const std::string& path) {
    const HWND dialog = waitForWindow(processId, "#32770", title);
    if (!dialog)
        return false;
    if (!wintest::readyForTheUser(dialog))
        return false;
    // The file name box is a combo box of a combo box; the user types into its edit field.
    HWND edit = nullptr;
    EnumChildWindows(
        GetDlgItem(dialog, cmb13),
        [](HWND child, LPARAM found) {
            if (classOf(child) != "Edit")
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&edit));
    if (!edit)
        return false;
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()));
    click(GetDlgItem(dialog, IDOK));
    return waitUntil([&] { return !IsWindow(dialog); });
}

int outerHeight(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect.bottom - rect.top;
}

} // namespace e2e
