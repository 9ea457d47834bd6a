// What the resident tool asks of its window and the shell: the taskbar icon, the icon's menu,
// the close question, the property sheet and the working set.
#pragma once

#include <string>

namespace vandrel {

class TrayShellPort {
  public:
    virtual ~TrayShellPort() = default;

    // Shell_NotifyIconA with NIM_ADD or NIM_DELETE for the one icon; the answer is not needed.
    virtual void addTrayIcon() = 0;
    virtual void deleteTrayIcon() = 0;
    // The pop-up menu at the cursor; the chosen item arrives later as a command.
    virtual void showTrayMenu() = 0;
    // A Yes/No question with the question icon, owned by the main window; true for Yes.
    virtual bool askYesNo(const std::string& text, const std::string& caption) = 0;
    // DestroyWindow on the main window: its destroy message arrives before this returns.
    virtual void destroyMainWindow() = 0;
    virtual void postQuit(int exitCode) = 0;
    // Whether the kept sheet handle names a live window.
    virtual bool isSheetOpen() = 0;
    virtual void bringSheetForward() = 0;
    // Modal: returns when the sheet is closed.
    virtual void showPropertySheet() = 0;
    // Shrinks the working set on the NT family; nothing elsewhere.
    virtual void trimWorkingSet() = 0;
};

} // namespace vandrel
