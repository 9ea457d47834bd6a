#include "tests/ejector/eject_device_contract.h"
#include "tests/fakes/eject_memory_devices.h"

namespace vandrel {
namespace {

TEST(EjectMemoryDevices, KeepsTheDeviceContract) {
    EjectMemoryDevices devices;
    devices.addDrive('C', EjectDevicePort::kDriveFixed, true);
    CheckDeviceContract(devices, 'C', 'Q');
}

TEST(EjectMemoryDevices, KeepsTheEjectableDriveContract) {
    EjectMemoryDevices devices;
    devices.addDrive('R', EjectDevicePort::kDriveRemovable, true);
    devices.addDrive('V', EjectDevicePort::kDriveCdrom, true);
    CheckEjectableDriveContract(devices, 'R', EjectDevicePort::kDriveRemovable);
    CheckEjectableDriveContract(devices, 'V', EjectDevicePort::kDriveCdrom);
    EXPECT_EQ(devices.openHandleCount(), 0u);
}

} // namespace
} // namespace vandrel
