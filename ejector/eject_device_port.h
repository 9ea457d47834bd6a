// The storage-device calls the eject engine needs, modelled on their Win32 namesakes: the
// same arguments, the same failure signals (FALSE, an invalid handle). The engine reports
// nothing, so it asks for no error codes.
#pragma once

#include "services/system_codes.h"

#include <cstdint>
#include <string>

namespace vandrel {

namespace system_codes = marlwick::system_codes;

class EjectDevicePort {
  public:
    using Handle = system_codes::Handle;

    static constexpr Handle kInvalidHandle = system_codes::kInvalidHandle;

    static constexpr std::uint32_t kPlatformWin32Windows = 1;
    static constexpr std::uint32_t kPlatformWin32Nt = 2;

    static constexpr std::uint32_t kSemFailCriticalErrors = 1;

    static constexpr std::uint32_t kDriveUnknown = 0;
    static constexpr std::uint32_t kDriveNoRootDir = 1;
    static constexpr std::uint32_t kDriveRemovable = 2;
    static constexpr std::uint32_t kDriveFixed = 3;
    static constexpr std::uint32_t kDriveRemote = 4;
    static constexpr std::uint32_t kDriveCdrom = 5;
    static constexpr std::uint32_t kDriveRamdisk = 6;

    static constexpr std::uint32_t kGenericRead = system_codes::kGenericRead;
    static constexpr std::uint32_t kShareReadWriteDelete = 7;
    static constexpr std::uint32_t kOpenExisting = system_codes::kOpenExisting;
    static constexpr std::uint32_t kFlagDeleteOnClose = 0x04000000;

    static constexpr std::uint32_t kIoctlDiskEjectMedia = 0x00074808;
    static constexpr std::uint32_t kVwin32DiocDosIoctl = 1;

    // The part of OSVERSIONINFOA (148 bytes) the program reads.
    struct VersionInfo {
        std::uint32_t platformId = 0;
    };

    struct FreeSpace {
        std::uint32_t sectorsPerCluster = 0;
        std::uint32_t bytesPerSector = 0;
        std::uint32_t freeClusters = 0;
        std::uint32_t totalClusters = 0;
    };

    virtual ~EjectDevicePort() = default;

    virtual bool getVersionEx(VersionInfo& info) = 0;
    // Returns the previous mode.
    virtual std::uint32_t setErrorMode(std::uint32_t mode) = 0;
    virtual bool getDiskFreeSpace(const std::string& root, FreeSpace& space) = 0;
    virtual std::uint32_t getDriveType(const std::string& root) = 0;
    virtual Handle createFile(const std::string& path, std::uint32_t access,
                              std::uint32_t shareMode, std::uint32_t disposition,
                              std::uint32_t flags) = 0;
    // Buffers may be null with a size of 0, as in the platform call.
    virtual bool deviceIoControl(Handle device, std::uint32_t controlCode, const void* input,
                                 std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                                 std::uint32_t& bytesReturned) = 0;
    virtual bool closeHandle(Handle handle) = 0;
};

} // namespace vandrel
