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

// The letters whose medium was tested and the letters that got an eject request.
TEST(ProcessCommandLine, TestsAndEjectsTheDrivesTheTokensName) {
    constexpr char kAll[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    struct Row {
        const char* arguments;
        const char* tested;
        const char* requested;
    };
    const Row rows[] = {
        {"E:", "", "E"}, // the editor's form ejects without test
        // "check" applies to the tokens after it.
        {"check E: F:", "EF", "EF"},
        {"E: check F: G:", "FG", "EF"}, // G is empty
        {"CHECK g", "G", ""},
        {"Check g", "G", ""},
        // "all" tries every letter in order and ends the walk.
        {"all E: check", "", kAll},
        {"check ALL x", kAll, "EF"},
        // A drive is named by the first character only.
        {"E", "", "E"},
        {"e:", "", "E"},
        {"E:\\", "", "E"},
        {"Eject", "", "E"},
        {"e:\\folder", "", "E"},
        {"allx checkE", "", "AC"}, // neither keyword: drives A and C
        // Tokens not starting with a letter are skipped.
        {"1 E", "", "E"},
        {".x E", "", "E"},
        {"\"E:\" \xC4 F", "", "F"},
        // Runs of delimiters separate like one.
        {"E:,F:", "", "EF"},
        {"--E: //;; ,F:-", "", "EF"},
        {"/check;E:", "E", "E"},
        {" ;,- ", "", ""},   // only delimiters: the mode still ran, with nothing to eject
        {"E:\tF:", "", "E"}, // a tab is no delimiter: one token naming E
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.arguments);
        auto devices = Machine();
        EXPECT_TRUE(ProcessCommandLine(devices, row.arguments));
        EXPECT_EQ(devices.testedLetters(), row.tested);
        EXPECT_EQ(devices.requestedLetters(), row.requested);
    }
}

} // namespace
} // namespace vandrel
