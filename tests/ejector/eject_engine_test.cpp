#include "ejector/eject_engine.h"
#include "tests/fakes/eject_memory_devices.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace vandrel {
namespace {

using Port = EjectDevicePort;

std::string AllLetters() {
    std::string letters;
    for (char c = 'A'; c <= 'Z'; ++c)
        letters += c;
    return letters;
}

// Letters of the volume devices that got a request, in order.
std::string RequestedLetters(const EjectMemoryDevices& devices) {
    std::string letters;
    for (const auto& request : devices.requests())
        letters += request.device.substr(4, 1);
    return letters;
}

std::string TestedLetters(const EjectMemoryDevices& devices) {
    std::string letters;
    for (const auto& test : devices.mediaTests())
        letters += test.root.substr(0, 1);
    return letters;
}

// A machine with every letter a CD-ROM drive with a medium in it.
EjectMemoryDevices EveryLetterLoaded() {
    EjectMemoryDevices devices;
    for (char c = 'A'; c <= 'Z'; ++c)
        devices.addDrive(c, Port::kDriveCdrom, true);
    return devices;
}

TEST(EjectPaths, FormRootDeviceAndRegisterBlock) {
    EXPECT_EQ(DriveRoot(5), "E:\\");
    EXPECT_EQ(VolumeDevicePath(5), "\\\\.\\E:");
    EXPECT_EQ(DriveRoot(26), "Z:\\");

    const DiocRegisters r = EjectRegisters(5);
    const std::uint32_t expected[7] = {5, 0, 0x0849, 0x440D, 0, 0, 1};
    EXPECT_EQ(std::memcmp(&r, expected, sizeof expected), 0);
}

TEST(EjectDriveMask, MaskZeroTouchesNothing) {
    auto devices = EveryLetterLoaded();
    EjectDriveMask(devices, 0, false);
    EjectDriveMask(devices, 0, true);
    EXPECT_TRUE(devices.opens().empty());
    EXPECT_TRUE(devices.mediaTests().empty());
    EXPECT_EQ(devices.ejected(), "");
}

TEST(EjectDriveMask, BitFourEjectsDriveEAlone) {
    auto devices = EveryLetterLoaded();
    EjectDriveMask(devices, 1u << 4, false);
    EXPECT_EQ(RequestedLetters(devices), "E");
    EXPECT_EQ(devices.ejected(), "E");
}

TEST(EjectDriveMask, BitsAboveZAreNeverLookedAt) {
    auto devices = EveryLetterLoaded();
    EjectDriveMask(devices, 0xFC000000u, false);
    EXPECT_TRUE(devices.opens().empty());
}

TEST(EjectDriveMask, AllOnesWithoutTestRequestsEveryLetterInOrder) {
    EjectMemoryDevices devices;
    devices.addDrive('A', Port::kDriveRemovable, false);
    devices.addDrive('C', Port::kDriveFixed, true);
    devices.addDrive('D', Port::kDriveCdrom, true);
    EjectDriveMask(devices, kAllDrives, false);

    std::string opened;
    for (const auto& open : devices.opens())
        opened += open.path.substr(4, 1);
    EXPECT_EQ(opened, AllLetters());
    EXPECT_TRUE(devices.mediaTests().empty());
    // Only the drives that exist could be opened; of those only D held an ejectable medium.
    EXPECT_EQ(RequestedLetters(devices), "ACD");
    EXPECT_EQ(devices.ejected(), "D");
    EXPECT_EQ(devices.openHandleCount(), 0u);
}

TEST(EjectDriveMask, AllOnesWithTestSkipsLettersWithoutMedium) {
    EjectMemoryDevices devices;
    devices.addDrive('A', Port::kDriveRemovable, false);
    devices.addDrive('D', Port::kDriveCdrom, true);
    devices.addDrive('F', Port::kDriveRemovable, true);
    EjectDriveMask(devices, kAllDrives, true);

    EXPECT_EQ(TestedLetters(devices), AllLetters());
    EXPECT_EQ(RequestedLetters(devices), "DF");
    EXPECT_EQ(devices.ejected(), "DF");
    EXPECT_EQ(devices.criticalErrorBoxes(), 0);
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
    EXPECT_EQ(RequestedLetters(devices), "E");
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
    EXPECT_EQ(TestedLetters(devices), "EFG");
    EXPECT_EQ(RequestedLetters(devices), "EF");
}

TEST(EjectDrive, DriveNumbersOutsideAToZAreIgnored) {
    auto devices = EveryLetterLoaded();
    EjectDrive(devices, 0, false);
    EjectDrive(devices, 27, true);
    SendEjectRequest(devices, -1);
    EXPECT_TRUE(devices.opens().empty());
    EXPECT_TRUE(devices.mediaTests().empty());
}

TEST(RemovableDriveMask, FloppyAndCdromGiveNine) {
    EjectMemoryDevices devices;
    devices.addDrive('A', Port::kDriveRemovable, false);
    devices.addDrive('C', Port::kDriveFixed, true);
    devices.addDrive('D', Port::kDriveCdrom, false);
    EXPECT_EQ(RemovableDriveMask(devices), 9u);
}

TEST(RemovableDriveMask, OtherTypesLeaveTheirBitClear) {
    EjectMemoryDevices devices;
    devices.addDrive('B', Port::kDriveRemote, true);
    devices.addDrive('R', Port::kDriveRamdisk, true);
    devices.addDrive('U', Port::kDriveUnknown, true);
    devices.addDrive('Z', Port::kDriveRemovable, true);
    EXPECT_EQ(RemovableDriveMask(devices), 1u << 25);
}

} // namespace
} // namespace vandrel
