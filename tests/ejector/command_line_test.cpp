#include "ejector/command_line.h"
#include "tests/fakes/eject_memory_devices.h"

#include <gtest/gtest.h>

#include <string>

namespace vandrel {
namespace {

using Port = EjectDevicePort;

// Every letter a CD-ROM drive; E and F loaded, the rest empty.
EjectMemoryDevices Machine() {
    EjectMemoryDevices devices;
    for (char c = 'A'; c <= 'Z'; ++c)
        devices.addDrive(c, Port::kDriveCdrom, c == 'E' || c == 'F');
    return devices;
}

struct DriveCalls {
    std::string tested;    // roots whose medium was tested, by letter
    std::string requested; // volumes that got an eject request, by letter
};

DriveCalls RunCommandLine(std::string_view arguments, EjectMemoryDevices devices = Machine()) {
    EXPECT_TRUE(ProcessCommandLine(devices, arguments)) << arguments;
    DriveCalls run;
    for (const auto& test : devices.mediaTests())
        run.tested += test.root[0];
    for (const auto& request : devices.requests())
        run.requested += request.device[4];
    return run;
}

TEST(ArgumentText, DropsTheProgramNameAndTheBlanksAfterIt) {
    EXPECT_EQ(ArgumentText("Vandrl.exe E:"), "E:");
    EXPECT_EQ(ArgumentText("\"C:\\Program Files\\Vandrl.exe\"   check E:"), "check E:");
    EXPECT_EQ(ArgumentText("\"C:\\a b\\Vandrl.exe\"E:"), "E:");
    EXPECT_EQ(ArgumentText("C:\\Temp\\Vandrl.exe \t E: "), "E: ");
    EXPECT_EQ(ArgumentText("Vandrl.exe"), "");
    EXPECT_EQ(ArgumentText("Vandrl.exe   "), "");
    EXPECT_EQ(ArgumentText("\"unclosed quote E:"), "");
    EXPECT_EQ(ArgumentText(""), "");
}

TEST(ProcessCommandLine, EmptyTextIsNotTheCommandLineMode) {
    auto devices = Machine();
    EXPECT_FALSE(ProcessCommandLine(devices, ""));
    EXPECT_TRUE(devices.opens().empty());
}

TEST(ProcessCommandLine, TheEditorsFormEjectsWithoutTest) {
    const DriveCalls run = RunCommandLine("E:");
    EXPECT_EQ(run.tested, "");
    EXPECT_EQ(run.requested, "E");
}

TEST(ProcessCommandLine, CheckAppliesToTheTokensAfterIt) {
    const DriveCalls before = RunCommandLine("check E: F:");
    EXPECT_EQ(before.tested, "EF");
    EXPECT_EQ(before.requested, "EF");

    const DriveCalls between = RunCommandLine("E: check F: G:");
    EXPECT_EQ(between.tested, "FG");
    EXPECT_EQ(between.requested, "EF"); // G is empty

    EXPECT_EQ(RunCommandLine("CHECK g").requested, "");
    EXPECT_EQ(RunCommandLine("Check g").tested, "G");
}

TEST(ProcessCommandLine, AllTriesEveryLetterInOrderAndEndsTheWalk) {
    const DriveCalls run = RunCommandLine("all E: check");
    EXPECT_EQ(run.requested, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(run.tested, "");

    const DriveCalls checked = RunCommandLine("check ALL x");
    EXPECT_EQ(checked.tested, "ABCDEFGHIJKLMNOPQRSTUVWXYZ");
    EXPECT_EQ(checked.requested, "EF");
}

TEST(ProcessCommandLine, ADriveIsNamedByTheFirstCharacterOnly) {
    for (const char* token : {"E", "e:", "E:\\", "Eject", "e:\\folder"})
        EXPECT_EQ(RunCommandLine(token).requested, "E") << token;
    // "allx" and "checkE" are neither keyword: drives A and C.
    EXPECT_EQ(RunCommandLine("allx checkE").requested, "AC");
}

TEST(ProcessCommandLine, TokensNotStartingWithALetterAreSkipped) {
    EXPECT_EQ(RunCommandLine("1 E").requested, "E");
    EXPECT_EQ(RunCommandLine(".x E").requested, "E");
    EXPECT_EQ(RunCommandLine("\"E:\" \xC4 F").requested, "F");
}

TEST(ProcessCommandLine, RunsOfDelimitersSeparateLikeOne) {
    EXPECT_EQ(RunCommandLine("E:,F:").requested, "EF");
    EXPECT_EQ(RunCommandLine("--E: //;; ,F:-").requested, "EF");
    EXPECT_EQ(RunCommandLine("/check;E:").tested, "E");
    // Only delimiters: the command-line mode still ran, with nothing to eject.
    EXPECT_EQ(RunCommandLine(" ;,- ").requested, "");
    // A tab is not a delimiter: "E:\tF:" is one token naming E.
    EXPECT_EQ(RunCommandLine("E:\tF:").requested, "E");
}

} // namespace
} // namespace vandrel
