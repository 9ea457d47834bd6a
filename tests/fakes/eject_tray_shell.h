// An in-memory taskbar and window for the resident tool: the one icon (added once, as the
// shell refuses a second add of the same icon), the main window's life, the modal sheet, the
// user's answer to the close question, and a log of what the tool asked for, in order.
#pragma once

#include "ejector/tray_shell_port.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace vandrel {

class EjectTrayShell : public TrayShellPort {
  public:
    // The platform's side: the destroy message sent from within destroyMainWindow, and what
    // the user does while the sheet is open.
    std::function<void()> onDestroy;
    std::function<void()> whileSheetOpen;
    bool answerYes = false;

    bool iconShown() const { return iconShown_; }
    bool windowAlive() const { return windowAlive_; }
    std::optional<int> quitCode() const { return quitCode_; }
    const std::vector<std::string>& log() const { return log_; }
    std::string lastQuestion() const { return question_ + " | " + caption_; }
    // Log entries of one kind ("trim", "add", ...).
    int count(const std::string& entry) const;
    void clearLog() { log_.clear(); }

    void addTrayIcon() override;
    void deleteTrayIcon() override;
    void showTrayMenu() override;
    bool askYesNo(const std::string& text, const std::string& caption) override;
    void destroyMainWindow() override;
    void postQuit(int exitCode) override;
    bool isSheetOpen() override { return sheetOpen_; }
    void bringSheetForward() override;
    void showPropertySheet() override;
    void trimWorkingSet() override;

  private:
    bool iconShown_ = false;
    bool windowAlive_ = true;
    bool sheetOpen_ = false;
    std::optional<int> quitCode_;
    std::string question_, caption_;
    std::vector<std::string> log_;
};

} // namespace vandrel
