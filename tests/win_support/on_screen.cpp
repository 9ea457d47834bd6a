#include "tests/win_support/on_screen.h"

namespace wintest {
namespace {

constexpr DWORD kAnswerMs = 10000;

struct WindowSearch {
    DWORD processId;
    const char* className;
    const char* title;
    bool visible = true;
    HWND found = nullptr;
};

bool matches(HWND candidate, const WindowSearch& search) {
    DWORD owner = 0;
    GetWindowThreadProcessId(candidate, &owner);
    return owner == search.processId && (!search.visible || IsWindowVisible(candidate)) &&
           (!search.className || classOf(candidate) == search.className) &&
           (search.title ? textOf(candidate) == search.title : !textOf(candidate).empty());
}

HWND waitForTopLevel(WindowSearch search, DWORD milliseconds) {
    waitUntil(
        [&] {
            EnumWindows(
                [](HWND candidate, LPARAM context) {
                    auto& search = *reinterpret_cast<WindowSearch*>(context);
                    if (matches(candidate, search))
                        search.found = candidate;
                    return search.found ? FALSE : TRUE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        milliseconds);
    return search.found;
}

} // namespace

std::string textOf(HWND window) {
    char text[4096] = {};
    SendMessageTimeoutA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                        SMTO_ABORTIFHUNG, kAnswerMs, nullptr);
    return text;
}

std::string classOf(HWND window) {
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

bool showsSoon(HWND window, const std::string& text, DWORD milliseconds) {
    return waitUntil([&] { return textOf(window) == text; }, milliseconds);
}

HWND waitForWindow(DWORD processId, const char* className, const char* title, DWORD milliseconds) {
    return waitForTopLevel({processId, className, title}, milliseconds);
}

HWND waitForHiddenWindow(DWORD processId, const char* className, const char* title) {
    return waitForTopLevel({processId, className, title, false}, kPatienceMs);
}

bool waitUntilGone(HWND window) {
    return waitUntil([&] { return !IsWindow(window); });
}

bool handledSoFar(HWND window) {
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, nullptr) != 0;
}

bool readyForTheUser(HWND dialog) {
    return waitUntil([dialog] { return IsWindowVisible(dialog) != FALSE; }) && handledSoFar(dialog);
}

// Sent, not posted: sent messages are handled in order, posted ones only after them.
void click(HWND button) {
    SendNotifyMessageA(button, BM_CLICK, 0, 0);
    handledSoFar(button);
}

} // namespace wintest
