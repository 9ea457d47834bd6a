// What the eject tool keeps for the life of its process: its instance, its windows, its
// settings, its devices and its registry.
#pragma once

#include "ejector/eject_settings.h"
#include "ejector/win32/win32_eject_devices.h"
#include "services/win32/win32_registry.h"

#include <windows.h>

#include <string>

namespace vandrel {

struct ProcessState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    // Kept when the sheet is created and never cleared: the sheet is open while it names a
    // live window.
    HWND sheetWindow = nullptr;
    EjectSettings settings;
    Win32EjectDevices devices;
    marlwick::Win32Registry registry;
};

ProcessState& Process();

// The full path of the running program, as the system loaded it.
std::string ProgramPath();

} // namespace vandrel
