#include "tests/fakes/eject_tray_shell.h"

#include <algorithm>

namespace vandrel {

int EjectTrayShell::count(const std::string& entry) const {
    return static_cast<int>(std::ranges::count(log_, entry));
}

void EjectTrayShell::addTrayIcon() {
    log_.push_back("add");
    if (windowAlive_)
        iconShown_ = true;
}

void EjectTrayShell::deleteTrayIcon() {
    log_.push_back("delete");
    iconShown_ = false;
}

void EjectTrayShell::showTrayMenu() {
    log_.push_back("menu");
}

bool EjectTrayShell::askYesNo(const std::string& text, const std::string& caption) {
    log_.push_back("ask");
    question_ = text;
    caption_ = caption;
    return answerYes;
}

void EjectTrayShell::destroyMainWindow() {
    log_.push_back("destroy");
    if (!windowAlive_)
        return;
    windowAlive_ = false;
    if (onDestroy)
        onDestroy();
}

void EjectTrayShell::postQuit(int exitCode) {
    log_.push_back("quit");
    quitCode_ = exitCode;
}

void EjectTrayShell::bringSheetForward() {
    log_.push_back("forward");
}

void EjectTrayShell::showPropertySheet() {
    log_.push_back("sheet");
    sheetOpen_ = true;
    if (whileSheetOpen)
        whileSheetOpen();
    sheetOpen_ = false;
}

void EjectTrayShell::trimWorkingSet() {
    log_.push_back("trim");
}

} // namespace vandrel
