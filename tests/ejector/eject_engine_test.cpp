#include "ejector/eject_engine.h"
#include "tests/fakes/eject_memory_devices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace vandrel {
namespace {

using Port = EjectDevicePort;

constexpr char kAllLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";

struct DriveSpec {
    char letter;
    std::uint32_t type;
    bool hasMedium;
};

EjectMemoryDevices Machine(const std::vector<DriveSpec>& drives) {
    EjectMemoryDevices devices;
    for (const DriveSpec& drive : drives)
        devices.addDrive(drive.letter, drive.type, drive.hasMedium);
    return devices;
}

// Every letter a CD-ROM drive with a medium in it.
std::vector<DriveSpec> EveryLetterLoaded() {
    std::vector<DriveSpec> drives;
    for (const char letter : std::string(kAllLetters))
        drives.push_back({letter, Port::kDriveCdrom, true});
    return drives;
}

TEST(EjectPaths, FormRootDeviceAndRegisterBlock) {
    EXPECT_EQ(DriveRoot(5), "E:\\");
    EXPECT_EQ(VolumeDevicePath(5), "\\\\.\\E:");
    EXPECT_EQ(DriveRoot(26), "Z:\\");

    const DiocRegisters r = EjectRegisters(5);
    const std::uint32_t expected[7] = {5, 0, 0x0849, 0x440D, 0, 0, 1};
    EXPECT_EQ(std::memcmp(&r, expected, sizeof expected), 0);
}

// What the calls of each mask did: the letters opened, tested, requested and ejected.
TEST(EjectDriveMask, ActsOnTheLettersOfTheMaskInOrder) {
    const std::vector<DriveSpec> all = EveryLetterLoaded();
    const std::vector<DriveSpec> acd = {{'A', Port::kDriveRemovable, false},
                                        {'C', Port::kDriveFixed, true},
                                        {'D', Port::kDriveCdrom, true}};
    const std::vector<DriveSpec> adf = {{'A', Port::kDriveRemovable, false},
                                        {'D', Port::kDriveCdrom, true},
                                        {'F', Port::kDriveRemovable, true}};
    struct Row {
        const char* why;
        std::vector<DriveSpec> drives;
        DriveMask mask;
        bool checkMedia;
        const char* opened;
        const char* tested;
        const char* requested;
        const char* ejected;
    };
    const Row rows[] = {
        {"mask zero touches nothing", all, 0, false, "", "", "", ""},
        {"mask zero touches nothing, with test", all, 0, true, "", "", "", ""},
        {"bit four is drive E alone", all, 1u << 4, false, "E", "", "E", "E"},
        {"bits above Z are never looked at", all, 0xFC000000u, false, "", "", "", ""},
        // Only the drives that exist could be opened; of those only D held an ejectable medium.
        {"all ones without test", acd, kAllDrives, false, kAllLetters, "", "ACD", "D"},
        {"all ones with test skips letters without medium", adf, kAllDrives, true, "DF",
         kAllLetters, "DF", "DF"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.why);
        auto devices = Machine(row.drives);
        EjectDriveMask(devices, row.mask, row.checkMedia);
        EXPECT_EQ(devices.openedLetters(), row.opened);
        EXPECT_EQ(devices.testedLetters(), row.tested);
        EXPECT_EQ(devices.requestedLetters(), row.requested);
        EXPECT_EQ(devices.ejected(), row.ejected);
        EXPECT_EQ(devices.openHandleCount(), 0u);
        EXPECT_EQ(devices.criticalErrorBoxes(), 0);
    }
}

TEST(EjectDrive, NtRequestIsOneEjectOnTheSharedVolume) {
    EjectMemoryDevices devices(Port::kPlatformWin32Nt);
    devices.addDrive('E', Port::kDriveRemovable, true);
    devices.setErrorModeDirectly(0x8000);
    EjectDrive(devices, 5, true);

    ASSERT_EQ(devices.opens().size(), 1u);
    const auto& open = devices.opens()[0];
    EXPECT_EQ(open.path, "\\\\.\\E:");
    EXPECT_EQ(open.access, Port::kGenericRead);
    EXPECT_EQ(open.shareMode, 7u);
    EXPECT_EQ(open.disposition, Port::kOpenExisting);
    EXPECT_EQ(open.flags, 0u);

    ASSERT_EQ(devices.requests().size(), 1u);
    const auto& request = devices.requests()[0];
    EXPECT_EQ(request.controlCode, 0x00074808u);
    EXPECT_TRUE(request.input.empty());
    EXPECT_EQ(request.outputSize, 0u);

    EXPECT_EQ(devices.ejected(), "E");
    EXPECT_EQ(devices.openHandleCount(), 0u);
    EXPECT_EQ(devices.errorMode(), 0x8000u);
}

TEST(EjectDrive, Win95RequestIsSentTwiceWithAnUnchangedBlock) {
    EjectMemoryDevices devices(Port::kPlatformWin32Windows);
    devices.addDrive('E', Port::kDriveRemovable, true);
    EjectDrive(devices, 5, true);

    ASSERT_EQ(devices.opens().size(), 1u);
    const auto& open = devices.opens()[0];
    EXPECT_EQ(open.path, "\\\\.\\vwin32");
    EXPECT_EQ(open.access, 0u);
    EXPECT_EQ(open.shareMode, 0u);
    EXPECT_EQ(open.disposition, 0u);
    EXPECT_EQ(open.flags, 0x04000000u);

    const DiocRegisters expected = EjectRegisters(5);
    const std::vector<std::uint8_t> block(reinterpret_cast<const std::uint8_t*>(&expected),
                                          reinterpret_cast<const std::uint8_t*>(&expected) + 28);
    ASSERT_EQ(devices.requests().size(), 2u);
    for (const auto& request : devices.requests()) {
        EXPECT_EQ(request.controlCode, 1u);
        EXPECT_EQ(request.input, block);
        EXPECT_EQ(request.outputSize, 28u);
        EXPECT_FALSE(request.inputAliasesOutput);
    }
    // The first request took the medium out; the second finds the drive empty and is ignored.
    EXPECT_EQ(devices.ejected(), "E");
    EXPECT_EQ(devices.openHandleCount(), 0u);
}

TEST(EjectDrive, EmptyDriveWithTestGetsNoRequestAndNoSystemBox) {
    for (const auto platform : {Port::kPlatformWin32Nt, Port::kPlatformWin32Windows}) {
        EjectMemoryDevices devices(platform);
        devices.addDrive('E', Port::kDriveCdrom, false);
        devices.setErrorModeDirectly(0);
        EjectDrive(devices, 5, true);
        EXPECT_TRUE(devices.opens().empty());
        ASSERT_EQ(devices.mediaTests().size(), 1u);
        EXPECT_EQ(devices.mediaTests()[0].root, "E:\\");
        EXPECT_EQ(devices.mediaTests()[0].errorMode, Port::kSemFailCriticalErrors);
        EXPECT_EQ(devices.criticalErrorBoxes(), 0);
        EXPECT_EQ(devices.errorMode(), 0u);
    }
}

TEST(EjectDrive, WithoutTestAnEmptyDriveStillGetsItsRequest) {
    EjectMemoryDevices devices;
    devices.addDrive('E', Port::kDriveCdrom, false);
    EjectDrive(devices, 5, false);
    EXPECT_TRUE(devices.mediaTests().empty());
    EXPECT_EQ(devices.requestedLetters(), "E");
    EXPECT_EQ(devices.ejected(), "");
}

TEST(EjectDrive, ErrorModeIsSetAroundTheNtRequestAndPutBack) {
    EjectMemoryDevices devices;
    devices.addDrive('E', Port::kDriveCdrom, true);
    devices.addDrive('F', Port::kDriveCdrom, true);
    devices.setErrorModeDirectly(0x8002);
    EjectDriveMask(devices, (1u << 4) | (1u << 5) | (1u << 6), true);
    for (const auto& open : devices.opens())
        EXPECT_EQ(open.errorMode, Port::kSemFailCriticalErrors);
    for (const auto& request : devices.requests())
        EXPECT_EQ(request.errorMode, Port::kSemFailCriticalErrors);
    EXPECT_EQ(devices.errorMode(), 0x8002u);
    // G does not exist: its test fails and nothing is opened for it.
    EXPECT_EQ(devices.testedLetters(), "EFG");
    EXPECT_EQ(devices.requestedLetters(), "EF");
}

TEST(EjectDrive, DriveNumbersOutsideAToZAreIgnored) {
    auto devices = Machine(EveryLetterLoaded());
    EjectDrive(devices, 0, false);
    EjectDrive(devices, 27, true);
    SendEjectRequest(devices, -1);
    EXPECT_TRUE(devices.opens().empty());
    EXPECT_TRUE(devices.mediaTests().empty());
}

TEST(RemovableDriveMask, SetsTheBitsOfFloppyAndCdromDrivesOnly) {
    const std::pair<std::vector<DriveSpec>, DriveMask> rows[] = {
        {{{'A', Port::kDriveRemovable, false},
          {'C', Port::kDriveFixed, true},
          {'D', Port::kDriveCdrom, false}},
         9u},
        {{{'B', Port::kDriveRemote, true},
          {'R', Port::kDriveRamdisk, true},
          {'U', Port::kDriveUnknown, true},
          {'Z', Port::kDriveRemovable, true}},
         1u << 25},
    };
    for (const auto& [drives, expected] : rows) {
        auto devices = Machine(drives);
        EXPECT_EQ(RemovableDriveMask(devices), expected);
    }
}

} // namespace
} // namespace vandrel
