#include "ejector/eject_engine.h"

namespace vandrel {
namespace {

char DriveLetter(int drive) {
    return static_cast<char>('A' + drive - 1);
}

bool IsDriveNumber(int drive) {
    return drive >= 1 && drive <= kDriveCount;
}

// Fails critical errors for the span of one call, so that no system box about a drive that
// is not ready can hold up the tool, and always puts the previous mode back.
class CriticalErrorsFailed {
  public:
    explicit CriticalErrorsFailed(EjectDevicePort& devices)
        : devices_(devices),
          previousMode_(devices.setErrorMode(EjectDevicePort::kSemFailCriticalErrors)) {}
    ~CriticalErrorsFailed() { devices_.setErrorMode(previousMode_); }
    CriticalErrorsFailed(const CriticalErrorsFailed&) = delete;
    CriticalErrorsFailed& operator=(const CriticalErrorsFailed&) = delete;

  private:
    EjectDevicePort& devices_;
    std::uint32_t previousMode_;
};

bool HasMedium(EjectDevicePort& devices, int drive) {
    CriticalErrorsFailed guard(devices);
    EjectDevicePort::FreeSpace space;
    return devices.getDiskFreeSpace(DriveRoot(drive), space);
}

bool IsNtFamily(EjectDevicePort& devices) {
    EjectDevicePort::VersionInfo version;
    devices.getVersionEx(version);
    return version.platformId == EjectDevicePort::kPlatformWin32Nt;
}

void SendNtEjectRequest(EjectDevicePort& devices, int drive) {
    CriticalErrorsFailed guard(devices);
    const auto volume = devices.createFile(VolumeDevicePath(drive), EjectDevicePort::kGenericRead,
                                           EjectDevicePort::kShareReadWriteDelete,
                                           EjectDevicePort::kOpenExisting, 0);
    if (volume == EjectDevicePort::kInvalidHandle)
        return;
    std::uint32_t returned = 0;
    devices.deviceIoControl(volume, EjectDevicePort::kIoctlDiskEjectMedia, nullptr, 0, nullptr, 0,
                            returned);
    devices.closeHandle(volume);
}

void SendWin95EjectRequest(EjectDevicePort& devices, int drive) {
    const auto vwin32 =
        devices.createFile(kVwin32Path, 0, 0, 0, EjectDevicePort::kFlagDeleteOnClose);
    if (vwin32 == EjectDevicePort::kInvalidHandle)
        return;
    const DiocRegisters input = EjectRegisters(drive);
    // The answer goes to a block of its own, so the second request repeats the first exactly.
    DiocRegisters output;
    for (int attempt = 0; attempt < 2; ++attempt) {
        std::uint32_t returned = 0;
        devices.deviceIoControl(vwin32, EjectDevicePort::kVwin32DiocDosIoctl, &input, sizeof input,
                                &output, sizeof output, returned);
    }
    devices.closeHandle(vwin32);
}

} // namespace

std::string DriveRoot(int drive) {
    return {DriveLetter(drive), ':', '\\'};
}

std::string VolumeDevicePath(int drive) {
    return {'\\', '\\', '.', '\\', DriveLetter(drive), ':'};
}

DiocRegisters EjectRegisters(int drive) {
    DiocRegisters registers;
    registers.ebx = static_cast<std::uint32_t>(drive);
    registers.ecx = kDosEjectMedia;
    registers.eax = kDosDeviceIoControl;
    registers.flags = kCarryFlag; // a request not carried out shows as failed
    return registers;
}

void EjectDriveMask(EjectDevicePort& devices, DriveMask mask, bool checkMedia) {
    for (int bit = 0; bit < kDriveCount; ++bit) {
        if (mask & (DriveMask{1} << bit))
            EjectDrive(devices, bit + 1, checkMedia);
    }
}

void EjectDrive(EjectDevicePort& devices, int drive, bool checkMedia) {
    if (!IsDriveNumber(drive))
        return;
    if (checkMedia && !HasMedium(devices, drive))
        return;
    SendEjectRequest(devices, drive);
}

void SendEjectRequest(EjectDevicePort& devices, int drive) {
    if (!IsDriveNumber(drive))
        return;
    if (IsNtFamily(devices))
        SendNtEjectRequest(devices, drive);
    else
        SendWin95EjectRequest(devices, drive);
}

DriveMask RemovableDriveMask(EjectDevicePort& devices) {
    DriveMask mask = 0;
    for (int drive = 1; drive <= kDriveCount; ++drive) {
        const auto type = devices.getDriveType(DriveRoot(drive));
        if (type == EjectDevicePort::kDriveRemovable || type == EjectDevicePort::kDriveCdrom)
            mask |= DriveMask{1} << (drive - 1);
    }
    return mask;
}

} // namespace vandrel
