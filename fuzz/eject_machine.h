// The eject tool's drives as a target lays them out, and what the in-memory devices must log
// for a run of ejections.
#pragma once

#include "tests/fakes/eject_memory_devices.h"

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

struct Drive {
    std::uint32_t type = vandrel::EjectDevicePort::kDriveNoRootDir;
    bool medium = false;
};

using Drives = std::array<Drive, 26>;

// Byte n of the field lays out letter A + n: its type, and 0x08 for a medium. Letters beyond
// the field follow a small mix of every kind.
Drives drivesOf(std::string_view field);

// Devices of the NT family (or the Windows 95 family) with these drives.
void addDrives(vandrel::EjectMemoryDevices& devices, const Drives& drives);

struct Ejection {
    int drive; // 1 for A
    bool checkMedia;
};

struct DeviceLog {
    std::vector<std::string> mediaTests; // roots, "E:\"
    std::vector<std::string> opens;      // device paths
    std::string ejected;                 // letters whose medium came out
};

// What the devices must see for these ejections, each medium gone once it is ejected.
DeviceLog expectedLog(const std::vector<Ejection>& ejections, Drives drives, bool ntFamily);

// What they saw.
DeviceLog loggedBy(const vandrel::EjectMemoryDevices& devices);

// The same ejections, nothing left open, the error mode put back, no system box.
void requireLogged(const vandrel::EjectMemoryDevices& devices, const DeviceLog& expected);

} // namespace fuzz
