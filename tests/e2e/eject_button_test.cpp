// The editor's eject button for a settings file on a removable stick that also carries the
// programs: a second later the eject tool runs from the temporary folder, asks the system to
// eject the stick's drive, and ends; the editor stays open.
#include "tests/e2e/scenario.h"
#include "tests/win/ejector/wine_drives.h"

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
                       "KERNEL32.ExitProcess");
    const WineLog log;
    Program program("E:\\Marlwick.exe", "E:\\ApplicationSettings.xml", WineLog::relayEnvironment());
    const HWND window = loadedWindow(program);
    ASSERT_NE(window, nullptr);
    const EditorWindow editor(window);
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
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(readFile("E:\\ApplicationSettings.xml"), sampleSettings());
    EXPECT_EQ(closeAndWait(program, window), 0u);
}

} // namespace
} // namespace e2e
