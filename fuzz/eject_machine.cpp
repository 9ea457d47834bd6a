#include "fuzz/eject_machine.h"

#include "fuzz/fuzz_support.h"

namespace fuzz {
namespace {

using Port = vandrel::EjectDevicePort;

constexpr std::array<Drive, 8> kMix{{{Port::kDriveRemovable, false},
                                     {Port::kDriveNoRootDir, false},
                                     {Port::kDriveFixed, true},
                                     {Port::kDriveCdrom, true},
                                     {Port::kDriveRemovable, true},
                                     {Port::kDriveRemovable, true},
                                     {Port::kDriveCdrom, false},
                                     {Port::kDriveRemote, false}}};

} // namespace

Drives drivesOf(std::string_view field) {
    Drives drives{};
    for (std::size_t n = 0; n < drives.size(); ++n) {
        if (n < field.size()) {
            const auto byte = static_cast<std::uint8_t>(field[n]);
            drives[n] = {static_cast<std::uint32_t>(byte % 7), (byte & 0x08) != 0};
        } else if (n < kMix.size()) {
            drives[n] = kMix[n];
        }
        // A fixed disk always holds its medium.
        if (drives[n].type == Port::kDriveFixed)
            drives[n].medium = true;
    }
    return drives;
}

void addDrives(vandrel::EjectMemoryDevices& devices, const Drives& drives) {
    for (std::size_t n = 0; n < drives.size(); ++n)
        devices.addDrive(static_cast<char>('A' + n), drives[n].type, drives[n].medium);
}

DeviceLog expectedLog(const std::vector<Ejection>& ejections, Drives drives, bool ntFamily) {
    DeviceLog log;
    for (const Ejection& ejection : ejections) {
        const char letter = static_cast<char>('A' + ejection.drive - 1);
        Drive& drive = drives[ejection.drive - 1];
        if (ejection.checkMedia) {
            log.mediaTests.push_back({letter, ':', '\\'});
            if (drive.type == Port::kDriveNoRootDir || !drive.medium)
                continue;
        }
        log.opens.push_back(ntFamily ? std::string{'\\', '\\', '.', '\\', letter, ':'}
                                     : std::string("\\\\.\\vwin32"));
        const bool ejectable =
            drive.type == Port::kDriveRemovable || drive.type == Port::kDriveCdrom;
        if (ejectable && drive.medium) {
            drive.medium = false;
            log.ejected += letter;
        }
    }
    return log;
}

DeviceLog loggedBy(const vandrel::EjectMemoryDevices& devices) {
    DeviceLog log;
    for (const auto& test : devices.mediaTests())
        log.mediaTests.push_back(test.root);
    for (const auto& open : devices.opens())
        log.opens.push_back(open.path);
    log.ejected = devices.ejected();
    return log;
}

void requireLogged(const vandrel::EjectMemoryDevices& devices, const DeviceLog& expected) {
    const DeviceLog logged = loggedBy(devices);
    require(logged.mediaTests == expected.mediaTests, "media are tested exactly when asked");
    require(logged.opens == expected.opens, "requests go to the drives asked for, in order");
    require(logged.ejected == expected.ejected, "the media asked for come out");
    require(devices.openHandleCount() == 0, "no device stays open");
    require(devices.errorMode() == 0 && devices.criticalErrorBoxes() == 0,
            "the error mode is put back and no system box appears");
}

} // namespace fuzz
