// The resident tool's decisions, one function per message of its main window: when drives are
// ejected, which drive set applies, when the icon comes and goes and the settings are saved.
#pragma once

#include "ejector/eject_device_port.h"
#include "ejector/eject_settings.h"
#include "ejector/tray_shell_port.h"
#include "services/registry_port.h"

namespace vandrel {

constexpr unsigned kTrayCallbackMessage = 0x0C40;
constexpr unsigned kShowPropertiesMessage = 0x0C41;

// The mouse messages the taskbar icon reports in its callback's lParam.
constexpr unsigned kLeftButtonDown = 0x0201;
constexpr unsigned kLeftButtonDoubleClick = 0x0203;
constexpr unsigned kRightButtonUp = 0x0205;

extern const char kCloseQuestion[];
extern const char kCloseCaption[];

struct TrayContext {
    TrayShellPort& shell;
    EjectDevicePort& devices;
    marlwick::RegistryPort& registry;
    EjectSettings& settings;
};

void OnCreate(TrayContext& tray);
void OnDestroy(TrayContext& tray);
// Always true: the tool never holds up a shut-down or log-off.
bool OnQueryEndSession(TrayContext& tray);
// False for a command that is not the tool's own (default handling).
bool OnCommand(TrayContext& tray, int commandId);
void OnTrayCallback(TrayContext& tray, unsigned mouseMessage);
void OnShowProperties(TrayContext& tray);

} // namespace vandrel
