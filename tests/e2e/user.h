// What a user sees and does on screen, as window messages: clicks with the mouse, typing,
// the Tab key, answering message boxes and the open-file dialog. Each action is posted to the
// program's own thread, as the system would deliver it; the program runs it in its own time.
#pragma once

#include "tests/win_support/on_screen.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

using wintest::classOf;
using wintest::showsSoon;
using wintest::textOf;
using wintest::waitForHiddenWindow;
using wintest::waitForWindow;

// The child windows of a window, in their order, of the class (any when null).
std::vector<HWND> childrenOf(HWND parent, const char* className = nullptr);
// The child of the class whose top-left corner lies at this client position, in pixels.
HWND childAt(HWND parent, const char* className, POINT topLeft);
// The child of the class with this caption.
HWND childWithText(HWND parent, const char* className, const std::string& text);
// Where a child lies within its parent's client area, in pixels.
RECT placeInParent(HWND child);

// The mouse: a press and release of the left button in the middle of the control, or at a
// point of its client area.
void click(HWND control);
void clickAt(HWND control, POINT point);
// The keyboard: each character typed into the control that has the focus.
void type(HWND control, const std::string& text);
void pressKey(HWND control, WORD virtualKey);

// The colour the screen shows at a point of the window's client area.
COLORREF colourAt(HWND window, POINT point);
bool showsColourSoon(HWND window, POINT point, COLORREF colour, DWORD milliseconds = 5000);

// A message box of the process with this caption: what it says, and the answer clicked.
struct MessageBoxSeen {
    bool appeared = false;
    std::string text;
};
MessageBoxSeen answerMessageBox(DWORD processId, const char* caption, int answerButton);

// The open-file dialog of the process titled so: the path typed into its file name box and
// Open clicked. False when no such dialog appeared.
bool chooseFileInOpenDialog(DWORD processId, const char* title, const std::string& path);

// The height of the whole window, frame included, in pixels.
int outerHeight(HWND window);

} // namespace e2e
