#include "ejector/win32/win32_eject_devices.h"

#include <windows.h>

#include <winioctl.h>

namespace vandrel {
namespace {

// The port restates the platform's numbers so that portable code needs no <windows.h>.
// The vwin32 control code has no definition in <windows.h>.
static_assert(EjectDevicePort::kPlatformWin32Windows == VER_PLATFORM_WIN32_WINDOWS);
static_assert(EjectDevicePort::kPlatformWin32Nt == VER_PLATFORM_WIN32_NT);
static_assert(EjectDevicePort::kSemFailCriticalErrors == SEM_FAILCRITICALERRORS);
static_assert(EjectDevicePort::kDriveUnknown == DRIVE_UNKNOWN);
static_assert(EjectDevicePort::kDriveNoRootDir == DRIVE_NO_ROOT_DIR);
static_assert(EjectDevicePort::kDriveRemovable == DRIVE_REMOVABLE);
static_assert(EjectDevicePort::kDriveFixed == DRIVE_FIXED);
static_assert(EjectDevicePort::kDriveRemote == DRIVE_REMOTE);
static_assert(EjectDevicePort::kDriveCdrom == DRIVE_CDROM);
static_assert(EjectDevicePort::kDriveRamdisk == DRIVE_RAMDISK);
static_assert(EjectDevicePort::kGenericRead == GENERIC_READ);
static_assert(EjectDevicePort::kShareReadWriteDelete ==
              (FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE));
static_assert(EjectDevicePort::kOpenExisting == OPEN_EXISTING);
static_assert(EjectDevicePort::kFlagDeleteOnClose == FILE_FLAG_DELETE_ON_CLOSE);
static_assert(EjectDevicePort::kIoctlDiskEjectMedia == IOCTL_DISK_EJECT_MEDIA);

HANDLE ToWin32(EjectDevicePort::Handle handle) {
    return reinterpret_cast<HANDLE>(handle);
}

} // namespace

bool Win32EjectDevices::getVersionEx(VersionInfo& info) {
    OSVERSIONINFOA version{};
    version.dwOSVersionInfoSize = sizeof version;
    static_assert(sizeof(OSVERSIONINFOA) == 148);
    if (!GetVersionExA(&version))
        return false;
    info.platformId = version.dwPlatformId;
    return true;
}

std::uint32_t Win32EjectDevices::setErrorMode(std::uint32_t mode) {
    return SetErrorMode(mode);
}

bool Win32EjectDevices::getDiskFreeSpace(const std::string& root, FreeSpace& space) {
    DWORD sectorsPerCluster = 0, bytesPerSector = 0, freeClusters = 0, totalClusters = 0;
    if (!GetDiskFreeSpaceA(root.c_str(), &sectorsPerCluster, &bytesPerSector, &freeClusters,
                           &totalClusters))
        return false;
    space = FreeSpace{sectorsPerCluster, bytesPerSector, freeClusters, totalClusters};
    return true;
}

std::uint32_t Win32EjectDevices::getDriveType(const std::string& root) {
    return GetDriveTypeA(root.c_str());
}

EjectDevicePort::Handle Win32EjectDevices::createFile(const std::string& path, std::uint32_t access,
                                                      std::uint32_t shareMode,
                                                      std::uint32_t disposition,
                                                      std::uint32_t flags) {
    const HANDLE file =
        CreateFileA(path.c_str(), access, shareMode, nullptr, disposition, flags, nullptr);
    return file == INVALID_HANDLE_VALUE ? kInvalidHandle : reinterpret_cast<Handle>(file);
}

bool Win32EjectDevices::deviceIoControl(Handle device, std::uint32_t controlCode, const void* input,
                                        std::uint32_t inputSize, void* output,
                                        std::uint32_t outputSize, std::uint32_t& bytesReturned) {
    DWORD returned = 0;
    const BOOL done = DeviceIoControl(ToWin32(device), controlCode, const_cast<void*>(input),
                                      inputSize, output, outputSize, &returned, nullptr);
    bytesReturned = returned;
    return done != FALSE;
}

bool Win32EjectDevices::closeHandle(Handle handle) {
    return CloseHandle(ToWin32(handle)) != FALSE;
}

} // namespace vandrel
