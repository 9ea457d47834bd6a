// The eject engine's device calls on the real platform.
#pragma once

#include "ejector/eject_device_port.h"

namespace vandrel {

class Win32EjectDevices : public EjectDevicePort {
  public:
    bool getVersionEx(VersionInfo& info) override;
    std::uint32_t setErrorMode(std::uint32_t mode) override;
    bool getDiskFreeSpace(const std::string& root, FreeSpace& space) override;
    std::uint32_t getDriveType(const std::string& root) override;
    Handle createFile(const std::string& path, std::uint32_t access, std::uint32_t shareMode,
                      std::uint32_t disposition, std::uint32_t flags) override;
    bool deviceIoControl(Handle device, std::uint32_t controlCode, const void* input,
                         std::uint32_t inputSize, void* output, std::uint32_t outputSize,
                         std::uint32_t& bytesReturned) override;
    bool closeHandle(Handle handle) override;
};

} // namespace vandrel
