// The editor's eject button for a settings file on a removable stick that also carries the
// programs: a second later the eject tool runs from the temporary folder, asks the system to
// eject the stick's drive, and ends; the editor stays open. Started by hand with a command line,
// the tool ends at once too, without a window, and tests for a medium first when told to.
#include "tests/e2e/scenario.h"
#include "tests/win/ejector/wine_drives.h"

#include <string>
#include <utility>
#include <vector>

namespace e2e {
namespace {

// How Wine's relay log shows a text argument: backslashes and quotes escaped.
std::string asLogged(const std::string& text) {
    std::string escaped;
    for (const char c : text) {
        if (c == '\\' || c == '"')
            escaped += '\\';
        escaped += c;
    }
    return escaped;
}

using EjectButton = Scenario;

TEST_F(EjectButton, StartsTheEjectToolFromTheTemporaryFolderForTheStick) {
    const std::string stick = "C:\\Stick";
    installPrograms(stick);
    writeFile(joinPath(stick, "ApplicationSettings.xml"), sampleSettings());
    vandrel::WineDrive drive('E', DRIVE_REMOVABLE, unixPathOf(stick));
    ASSERT_TRUE(drive.defined());
    ASSERT_EQ(GetDriveTypeA("E:\\"), static_cast<UINT>(DRIVE_REMOVABLE));
    const std::string ejectTool = joinPath(temporaryFolder(), "Vandrl.exe");
    ASSERT_FALSE(fileExists(ejectTool));

    wintest::traceOnly("KERNEL32.CreateProcessA;KERNELBASE.CreateProcessA;"
                       "KERNEL32.CreateFileA;KERNELBASE.CreateFileA;"
                       "KERNEL32.DeviceIoControl;KERNELBASE.DeviceIoControl;"
                       "KERNEL32.SetErrorMode;KERNELBASE.SetErrorMode;"
                       "KERNEL32.GetDiskFreeSpaceA;KERNELBASE.GetDiskFreeSpaceA;"
                       "USER32.FindWindowA;USER32.RegisterClassExA;USER32.CreateWindowExA;"
                       "KERNEL32.ExitProcess");
    const WineLog log;
    Program program("E:\\Marlwick.exe", "E:\\ApplicationSettings.xml", WineLog::relayEnvironment());
    const EditorWindow editor = loadedEditor(program);
    ASSERT_NE(editor.handle(), nullptr);
    EXPECT_EQ(textOf(editor.targetCaption()), "E:\\ApplicationSettings.xml");

    const DWORD clicked = GetTickCount();
    click(editor.button("Auswerfen "));
    ASSERT_TRUE(waitUntil([&] { return !log.callsOf("CreateProcessA").empty(); }));
    const wintest::RelayCall started = log.callsOf("CreateProcessA").front();
    EXPECT_NE(started.text.find(asLogged("\"" + ejectTool + "\" E:")), std::string::npos)
        << started.text;
    EXPECT_GE(started.milliseconds - clicked, 1000u);
    EXPECT_LT(started.milliseconds - clicked, 5000u);

    // The tool's one request reaches the system for drive E, and the tool ends.
    EXPECT_TRUE(waitUntil([&] { return log.ejectRequests() == "E"; })) << log.ejectRequests();
    EXPECT_TRUE(waitUntil([] { return runningProcesses("Vandrl.exe").empty(); }));
    EXPECT_EQ(log.ejectRequests(), "E");
    // Wine's own helpers, started late on a busy machine, inherit the trace: every process
    // that ends, ends well.
    const auto ended = log.callsOf("ExitProcess");
    ASSERT_FALSE(ended.empty());
    for (const auto& call : ended)
        EXPECT_EQ(call.text, "ExitProcess(00000000)");
    EXPECT_EQ(readFile(ejectTool), readFile("E:\\Vandrl.exe"));

    // The editor is still there, with the file as it was.
    EXPECT_TRUE(program.running());
    EXPECT_TRUE(IsWindowVisible(editor.handle()));
    EXPECT_EQ(readFile("E:\\ApplicationSettings.xml"), sampleSettings());
    EXPECT_EQ(closeAndWait(program, editor), 0u);

    // The tool started by hand with a command line: it ends at once, well, with no window.
    const vandrel::WineDrive cd('W', DRIVE_CDROM, vandrel::WineDrive::mediumFolder());
    ASSERT_TRUE(cd.defined());
    struct CommandLine {
        const char* arguments;
        std::vector<std::pair<const char*, std::size_t>> calls; // how often each function
        std::vector<std::string> among;                         // texts among the calls
    };
    const std::vector<CommandLine> commandLines = {
        {"Q:", {}, {}}, // a drive that does not exist
        // The volume opened for reading, shared 7, open existing; one eject request; no media
        // test without "check"; the error mode set and put back around the request; no
        // window, and no look for a running copy.
        {"W:",
         {{"CreateFileA", 1},
          {"DeviceIoControl", 1},
          {"GetDiskFreeSpaceA", 0},
          {"SetErrorMode", 2},
          {"FindWindowA", 0},
          {"RegisterClassExA", 0},
          {"CreateWindowExA", 0}},
         {"\"\\\\\\\\.\\\\W:\",80000000,00000007,00000000,00000003,00000000,00000000)",
          ",00074808,00000000,00000000,00000000,00000000,"}},
        // W: holds a medium (its folder) and gets its request; Q: gets none.
        {"check W: Q:", {{"GetDiskFreeSpaceA", 2}, {"CreateFileA", 1}, {"DeviceIoControl", 1}}, {}},
    };
    for (const CommandLine& line : commandLines) {
        SCOPED_TRACE(line.arguments);
        const WineLog toolLog;
        Program tool(vandrl(), line.arguments, WineLog::relayEnvironment());
        EXPECT_EQ(tool.exitCode(), 0u);
        const auto calls = toolLog.callsSince(tool.processId());
        ASSERT_FALSE(calls.empty()) << "no relay trace";
        std::string all;
        for (const auto& call : calls)
            all += call.text + "\n";
        SCOPED_TRACE(all);
        for (const auto& [function, count] : line.calls)
            EXPECT_EQ(wintest::callsOf(calls, function).size(), count) << function;
        for (const std::string& text : line.among)
            EXPECT_NE(all.find(text), std::string::npos) << text;
    }
}

} // namespace
} // namespace e2e
