#include "tests/fakes/eject_memory_devices.h"

#include "ejector/eject_engine.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace vandrel {
namespace {

constexpr std::uint32_t kDosErrorInvalidFunction = 1;
constexpr std::uint32_t kDosErrorNotReady = 0x15;

bool IsEjectable(std::uint32_t type) {
    return type == EjectDevicePort::kDriveRemovable || type == EjectDevicePort::kDriveCdrom;
}

char UpperLetter(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool EqualsIgnoringCase(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return UpperLetter(x) == UpperLetter(y);
           });
}

// The character at a place of each logged name: the letter of "E:\" at 0, of "\\.\E:" at 4.
template <typename Call>
std::string LettersOf(const std::vector<Call>& log, std::string Call::*name, std::size_t place) {
    std::string letters;
    for (const Call& call : log)
        letters += (call.*name)[place];
    return letters;
}

} // namespace

EjectMemoryDevices::EjectMemoryDevices(std::uint32_t platformId) : platformId_(platformId) {}

void EjectMemoryDevices::addDrive(char letter, std::uint32_t type, bool hasMedium) {
    drives_[UpperLetter(letter)] = Drive{type, hasMedium || type == kDriveFixed};
}

bool EjectMemoryDevices::hasMedium(char letter) const {
    const auto found = drives_.find(UpperLetter(letter));
    return found != drives_.end() && found->second.hasMedium;
}

std::string EjectMemoryDevices::openedLetters() const {
    return LettersOf(opens_, &OpenCall::path, 4);
}

std::string EjectMemoryDevices::testedLetters() const {
    return LettersOf(mediaTests_, &MediaTest::root, 0);
}

std::string EjectMemoryDevices::requestedLetters() const {
    return LettersOf(requests_, &Request::device, 4);
}

const EjectMemoryDevices::Drive* EjectMemoryDevices::driveOfRoot(const std::string& root) const {
    if (root.size() != 3 || root[1] != ':' || root[2] != '\\')
        return nullptr;
    const auto found = drives_.find(UpperLetter(root[0]));
    return found == drives_.end() ? nullptr : &found->second;
}

const EjectMemoryDevices::Drive* EjectMemoryDevices::driveOfVolume(const std::string& path) const {
    if (path.size() != 6 || path.compare(0, 4, "\\\\.\\") != 0 || path[5] != ':')
        return nullptr;
    return driveOfRoot(std::string{path[4], ':', '\\'});
}

bool EjectMemoryDevices::getVersionEx(VersionInfo& info) {
    info = VersionInfo{platformId_};
    return true;
}

std::uint32_t EjectMemoryDevices::setErrorMode(std::uint32_t mode) {
    const auto previous = errorMode_;
    errorMode_ = mode;
    return previous;
}

bool EjectMemoryDevices::getDiskFreeSpace(const std::string& root, FreeSpace& space) {
    mediaTests_.push_back({root, errorMode_});
    const Drive* drive = driveOfRoot(root);
    if (!drive || drive->type == kDriveNoRootDir)
        return false;
    if (!drive->hasMedium) {
        // Without the mode that fails critical errors the system asks the user first.
        if (!(errorMode_ & kSemFailCriticalErrors))
            ++criticalErrorBoxes_;
        return false;
    }
    space = FreeSpace{8, 512, 1000, 2000};
    return true;
}

std::uint32_t EjectMemoryDevices::getDriveType(const std::string& root) {
    const Drive* drive = driveOfRoot(root);
    return drive ? drive->type : kDriveNoRootDir;
}

bool EjectMemoryDevices::opens(const std::string& path, std::uint32_t shareMode,
                               std::uint32_t disposition) const {
    // Only the Windows 95 family has the virtual-machine service device.
    if (EqualsIgnoringCase(path, kVwin32Path))
        return platformId_ != kPlatformWin32Nt;
    const Drive* drive = driveOfVolume(path);
    // The file system holds the volume open for reading and writing.
    return platformId_ == kPlatformWin32Nt && drive && drive->type != kDriveNoRootDir &&
           disposition == kOpenExisting && (shareMode & 3) == 3;
}

EjectDevicePort::Handle EjectMemoryDevices::createFile(const std::string& path,
                                                       std::uint32_t access,
                                                       std::uint32_t shareMode,
                                                       std::uint32_t disposition,
                                                       std::uint32_t flags) {
    opens_.push_back({path, access, shareMode, disposition, flags, errorMode_});
    if (!opens(path, shareMode, disposition))
        return kInvalidHandle;
    const Handle handle = nextHandle_;
    nextHandle_ += 4;
    openHandles_[handle] = path;
    return handle;
}

bool EjectMemoryDevices::ejectMedium(char letter) {
    auto found = drives_.find(UpperLetter(letter));
    if (found == drives_.end() || !IsEjectable(found->second.type) || !found->second.hasMedium)
        return false;
    found->second.hasMedium = false;
    ejected_ += UpperLetter(letter);
    return true;
}

bool EjectMemoryDevices::ejectVolume(const std::string& path) {
    return driveOfVolume(path) && ejectMedium(path[4]);
}

bool EjectMemoryDevices::runDosIoctl(const void* input, std::uint32_t inputSize, void* output,
                                     std::uint32_t outputSize, std::uint32_t& bytesReturned) {
    if (!input || inputSize < sizeof(DiocRegisters) || !output ||
        outputSize < sizeof(DiocRegisters))
        return false;
    DiocRegisters registers;
    std::memcpy(&registers, input, sizeof registers);
    const bool isEject = registers.eax == kDosDeviceIoControl && registers.ecx == kDosEjectMedia &&
                         registers.ebx >= 1 && registers.ebx <= kDriveCount;
    bool done = false;
    if (isEject)
        done = ejectMedium(static_cast<char>('A' + registers.ebx - 1));
    // The DOS call answers through the carry flag and AX; the device call itself succeeds.
    if (done) {
        registers.flags &= ~kCarryFlag;
    } else {
        registers.flags |= kCarryFlag;
        registers.eax = isEject ? kDosErrorNotReady : kDosErrorInvalidFunction;
    }
    std::memcpy(output, &registers, sizeof registers);
    bytesReturned = sizeof registers;
    return true;
}

bool EjectMemoryDevices::deviceIoControl(Handle device, std::uint32_t controlCode,
                                         const void* input, std::uint32_t inputSize, void* output,
                                         std::uint32_t outputSize, std::uint32_t& bytesReturned) {
    bytesReturned = 0;
    const auto open = openHandles_.find(device);
    if (open == openHandles_.end())
        return false;
    const auto* bytes = static_cast<const std::uint8_t*>(input);
    requests_.push_back(
        {open->second, controlCode,
         bytes ? std::vector<std::uint8_t>(bytes, bytes + inputSize) : std::vector<std::uint8_t>{},
         outputSize, input != nullptr && input == output, errorMode_});
    if (EqualsIgnoringCase(open->second, kVwin32Path))
        return controlCode == kVwin32DiocDosIoctl &&
               runDosIoctl(input, inputSize, output, outputSize, bytesReturned);
    return controlCode == kIoctlDiskEjectMedia && ejectVolume(open->second);
}

bool EjectMemoryDevices::closeHandle(Handle handle) {
    return openHandles_.erase(handle) != 0;
}

} // namespace vandrel
