// What the Windows tests share to find a program's windows, read them and click in them.
// Every wait ends on something the program did, never on a fixed time that merely passed.
#pragma once

#include <windows.h>

#include <string>

namespace wintest {

// The class of dialogs and message boxes, by name (WC_DIALOG is an atom).
inline constexpr char kDialogClass[] = "#32770";

// How long a wait lasts before it counts as failed: what a program does at once on an idle
// machine may take many seconds on a busy one, and a wait that holds costs nothing more.
inline constexpr DWORD kPatienceMs = 30000;

// Waits until the condition holds, polling; false when it did not within the time.
template <typename Condition> bool waitUntil(Condition holds, DWORD milliseconds = kPatienceMs) {
    const ULONGLONG end = GetTickCount64() + milliseconds;
    while (!holds()) {
        if (GetTickCount64() > end)
            return false;
        Sleep(50);
    }
    return true;
}

std::string textOf(HWND window);
std::string classOf(HWND window);
bool showsSoon(HWND window, const std::string& text, DWORD milliseconds = kPatienceMs);

// A visible top-level window of the process, of the class (any when null) and with the title
// (any non-empty one when null); null after the time. Other test programs may show windows
// alike meanwhile.
HWND waitForWindow(DWORD processId, const char* className, const char* title,
                   DWORD milliseconds = kPatienceMs);
// The same for a window that is never shown, such as a tray tool's.
HWND waitForHiddenWindow(DWORD processId, const char* className, const char* title);
// True once the window is gone, false when it stays.
bool waitUntilGone(HWND window);

// A round trip to the window's thread: true once that thread has handled every message sent
// to it before, or has started a modal loop (a message box) while handling one.
bool handledSoFar(HWND window);

// A dialog as a user meets it: on screen, and its thread past what it did to fill it. False
// when it never shows.
bool readyForTheUser(HWND dialog);

// A click on the button, on the button's own thread; returns once it is handled as far as
// handledSoFar says, so that a click that opens a message box does not hold the test up.
void click(HWND button);

} // namespace wintest
