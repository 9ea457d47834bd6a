// An in-memory machine for the eject engine: drives with their types and media, the process
// error mode, the volume devices of the NT family and the virtual-machine service of the
// Windows 95 family. It keeps a log of every device request and of the error mode at each
// call, so that tests can see what the engine asked for.
#pragma once

#include "ejector/eject_device_port.h"

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace vandrel {

class EjectMemoryDevices : public EjectDevicePort {
  public:
    struct Drive {
        std::uint32_t type = kDriveNoRootDir;
        bool hasMedium = false;
    };

    struct OpenCall {
        std::string path;
        std::uint32_t access = 0;
        std::uint32_t shareMode = 0;
        std::uint32_t disposition = 0;
        std::uint32_t flags = 0;
        std::uint32_t errorMode = 0;
    };

    struct Request {
        std::string device;
        std::uint32_t controlCode = 0;
        std::vector<std::uint8_t> input;
        std::uint32_t outputSize = 0;
        bool inputAliasesOutput = false;
        std::uint32_t errorMode = 0;
    };

    struct MediaTest {
        std::string root;
        std::uint32_t errorMode = 0;
    };

    explicit EjectMemoryDevices(std::uint32_t platformId = kPlatformWin32Nt);

    // Configuring the machine.
    void setPlatform(std::uint32_t platformId) { platformId_ = platformId; }
    void addDrive(char letter, std::uint32_t type, bool hasMedium);
    void setErrorModeDirectly(std::uint32_t mode) { errorMode_ = mode; }

    // What happened.
    bool hasMedium(char letter) const;
    std::uint32_t errorMode() const { return errorMode_; }
    std::size_t openHandleCount() const { return openHandles_.size(); }
    int criticalErrorBoxes() const { return criticalErrorBoxes_; }
    const std::vector<OpenCall>& opens() const { return opens_; }
    const std::vector<Request>& requests() const { return requests_; }
    const std::vector<MediaTest>& mediaTests() const { return mediaTests_; }
    // Drive letters whose medium came out, in the order they were ejected.
    const std::string& ejected() const { return ejected_; }
    // The drive letters the logged calls named, in order.
    std::string openedLetters() const;
    std::string testedLetters() const;
    std::string requestedLetters() const;

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

  private:
    const Drive* driveOfRoot(const std::string& root) const;
    const Drive* driveOfVolume(const std::string& path) const;
    bool opens(const std::string& path, std::uint32_t shareMode, std::uint32_t disposition) const;
    bool ejectMedium(char letter);
    bool ejectVolume(const std::string& path);
    bool runDosIoctl(const void* input, std::uint32_t inputSize, void* output,
                     std::uint32_t outputSize, std::uint32_t& bytesReturned);

    std::uint32_t platformId_;
    std::uint32_t errorMode_ = 0;
    std::map<char, Drive> drives_;
    std::map<Handle, std::string> openHandles_;
    Handle nextHandle_ = 0x100;
    int criticalErrorBoxes_ = 0;
    std::vector<OpenCall> opens_;
    std::vector<Request> requests_;
    std::vector<MediaTest> mediaTests_;
    std::string ejected_;
};

} // namespace vandrel
