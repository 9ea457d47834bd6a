// The eject engine's device port on the real platform, held to the same contract as the
// in-memory machine, with drives that Wine's drive configuration makes removable or CD-ROM.
// Each test uses drive letters of its own: the tests run side by side.
#include "ejector/win32/win32_eject_devices.h"
#include "tests/ejector/eject_device_contract.h"
#include "tests/win/ejector/wine_drives.h"

#include <gtest/gtest.h>

namespace vandrel {
namespace {

TEST(Win32EjectDevices, KeepsTheDeviceContract) {
    Win32EjectDevices devices;
    CheckDeviceContract(devices, 'C', 'Q');
}

TEST(Win32EjectDevices, SeesWineCdromAndRemovableDrives) {
    WineDrive cdrom('K', DRIVE_CDROM, WineDrive::mediumFolder());
    WineDrive removable('L', DRIVE_REMOVABLE, WineDrive::mediumFolder());
    ASSERT_TRUE(cdrom.defined());
    ASSERT_TRUE(removable.defined());
    Win32EjectDevices devices;
    CheckEjectableDriveContract(devices, 'K', EjectDevicePort::kDriveCdrom);
    CheckEjectableDriveContract(devices, 'L', EjectDevicePort::kDriveRemovable);
}

TEST(Win32EjectDevices, WinesEjectRequestIsRefusedAndLeavesNothingOpen) {
    WineDrive cdrom('M', DRIVE_CDROM, WineDrive::mediumFolder());
    ASSERT_TRUE(cdrom.defined());
    Win32EjectDevices devices;
    const auto volume = devices.createFile("\\\\.\\M:", EjectDevicePort::kGenericRead,
                                           EjectDevicePort::kShareReadWriteDelete,
                                           EjectDevicePort::kOpenExisting, 0);
    ASSERT_NE(volume, EjectDevicePort::kInvalidHandle);
    std::uint32_t returned = 0;
    EXPECT_FALSE(devices.deviceIoControl(volume, EjectDevicePort::kIoctlDiskEjectMedia, nullptr, 0,
                                         nullptr, 0, returned));
    EXPECT_TRUE(devices.closeHandle(volume));
    // The engine's whole path on that drive is as silent, and puts the error mode back.
    const auto before = SetErrorMode(0);
    SetErrorMode(before);
    EjectDrive(devices, 'M' - 'A' + 1, true);
    EXPECT_EQ(SetErrorMode(before), before);
}

} // namespace
} // namespace vandrel
