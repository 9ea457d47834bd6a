// What the eject engine relies on from its device port, checked the same way against the
// in-memory machine (natively) and the real platform (under Wine), so the model cannot drift.
#pragma once

#include "ejector/eject_device_port.h"
#include "ejector/eject_engine.h"

#include <gtest/gtest.h>

namespace vandrel {

// fixed: a letter holding a fixed disk; missing: a letter with no drive at all.
inline void CheckDeviceContract(EjectDevicePort& devices, char fixed, char missing) {
    using Port = EjectDevicePort;
    const int fixedDrive = fixed - 'A' + 1;
    const int missingDrive = missing - 'A' + 1;

    const auto previous = devices.setErrorMode(Port::kSemFailCriticalErrors);
    EXPECT_EQ(devices.setErrorMode(previous), Port::kSemFailCriticalErrors);

    Port::VersionInfo version;
    ASSERT_TRUE(devices.getVersionEx(version));
    EXPECT_EQ(version.platformId, Port::kPlatformWin32Nt);

    EXPECT_EQ(devices.getDriveType(DriveRoot(fixedDrive)), Port::kDriveFixed);
    EXPECT_EQ(devices.getDriveType(DriveRoot(missingDrive)), Port::kDriveNoRootDir);
    EXPECT_EQ(RemovableDriveMask(devices) & (1u << (fixedDrive - 1)), 0u);

    Port::FreeSpace space;
    EXPECT_TRUE(devices.getDiskFreeSpace(DriveRoot(fixedDrive), space));
    EXPECT_GT(space.bytesPerSector, 0u);
    EXPECT_FALSE(devices.getDiskFreeSpace(DriveRoot(missingDrive), space));

    // The volume of a missing drive cannot be opened; the NT family has no vwin32 device.
    EXPECT_EQ(devices.createFile(VolumeDevicePath(missingDrive), Port::kGenericRead,
                                 Port::kShareReadWriteDelete, Port::kOpenExisting, 0),
              Port::kInvalidHandle);
    EXPECT_EQ(devices.createFile("\\\\.\\vwin32", 0, 0, 0, Port::kFlagDeleteOnClose),
              Port::kInvalidHandle);

    // A control request on a handle that is not open fails; so does closing it.
    std::uint32_t returned = 0;
    EXPECT_FALSE(devices.deviceIoControl(0x7FFC, Port::kIoctlDiskEjectMedia, nullptr, 0, nullptr, 0,
                                         returned));
    EXPECT_FALSE(devices.closeHandle(0x7FFC));
}

// A drive of the given type (removable or CD-ROM) holding a medium: the engine can open its
// volume, and the eject request is sent on it.
inline void CheckEjectableDriveContract(EjectDevicePort& devices, char letter, std::uint32_t type) {
    using Port = EjectDevicePort;
    const int drive = letter - 'A' + 1;
    EXPECT_EQ(devices.getDriveType(DriveRoot(drive)), type);
    EXPECT_NE(RemovableDriveMask(devices) & (1u << (drive - 1)), 0u);
    Port::FreeSpace space;
    EXPECT_TRUE(devices.getDiskFreeSpace(DriveRoot(drive), space));

    const auto volume = devices.createFile(VolumeDevicePath(drive), Port::kGenericRead,
                                           Port::kShareReadWriteDelete, Port::kOpenExisting, 0);
    ASSERT_NE(volume, Port::kInvalidHandle);
    EXPECT_TRUE(devices.closeHandle(volume));
}

} // namespace vandrel
