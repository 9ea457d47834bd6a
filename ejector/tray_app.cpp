#include "ejector/tray_app.h"

#include "ejector/eject_engine.h"
#include "ejector/resource.h"

namespace vandrel {

const char kCloseQuestion[] = "This will unload Vandrel and prevent it from ejecting on "
                              "shutdown. Are you sure you wish to quit?";
const char kCloseCaption[] = "Close Vandrel";

namespace {

void EjectIconClickDrives(TrayContext& tray) {
    EjectDriveMask(tray.devices, tray.settings.IconClickDrives, tray.settings.CheckForMedia != 0);
}

void ShowProperties(TrayContext& tray) {
    if (tray.shell.isSheetOpen()) {
        tray.shell.bringSheetForward();
        return;
    }
    const bool iconWasShown = tray.settings.ShowIcon != 0;
    tray.shell.showPropertySheet();
    SaveSettings(tray.registry, tray.settings);
    const bool iconShown = tray.settings.ShowIcon != 0;
    if (iconShown && !iconWasShown)
        tray.shell.addTrayIcon();
    else if (!iconShown && iconWasShown)
        tray.shell.deleteTrayIcon();
    tray.shell.trimWorkingSet();
}

void AskToClose(TrayContext& tray) {
    if (tray.shell.askYesNo(kCloseQuestion, kCloseCaption))
        tray.shell.destroyMainWindow();
    SaveSettings(tray.registry, tray.settings);
}

} // namespace

void OnCreate(TrayContext& tray) {
    LoadSettings(tray.registry, tray.settings);
    if (tray.settings.ShowIcon != 0)
        tray.shell.addTrayIcon();
}

void OnDestroy(TrayContext& tray) {
    tray.shell.deleteTrayIcon();
    tray.shell.postQuit(0);
}

bool OnQueryEndSession(TrayContext& tray) {
    if (tray.settings.EjectOnShutdown != 0)
        EjectDriveMask(tray.devices, tray.settings.ShutdownDrives,
                       tray.settings.CheckForMedia != 0);
    return true;
}

bool OnCommand(TrayContext& tray, int commandId) {
    switch (commandId) {
    case ID_EJECT_NOW:
        EjectIconClickDrives(tray);
        tray.shell.trimWorkingSet();
        return true;
    case ID_PROPERTIES:
        ShowProperties(tray);
        return true;
    case ID_CLOSE:
        AskToClose(tray);
        return true;
    default:
        return false;
    }
}

void OnTrayCallback(TrayContext& tray, unsigned mouseMessage) {
    const int clickMode = tray.settings.EjectOnClick;
    if ((mouseMessage == kLeftButtonDown && clickMode == eject_on_click::kSingleClick) ||
        (mouseMessage == kLeftButtonDoubleClick && clickMode == eject_on_click::kDoubleClick)) {
        EjectIconClickDrives(tray);
    } else if (mouseMessage == kRightButtonUp) {
        tray.shell.showTrayMenu();
        tray.shell.trimWorkingSet();
    }
}

void OnShowProperties(TrayContext& tray) {
    if (tray.shell.isSheetOpen())
        tray.shell.bringSheetForward();
    else
        OnCommand(tray, ID_PROPERTIES);
}

} // namespace vandrel
