// Vandrl.exe as a user runs it under Wine: the one-shot command line, and the resident copy
// with its hidden window, the second copy's signal and the close question.
#include "ejector/program_title.h"
#include "ejector/resource.h"
#include "ejector/tray_app.h"
#include "tests/win/ejector/vandrl_program.h"
#include "tests/win/ejector/wine_drives.h"
#include "tests/win_support/on_screen.h"
#include "tests/win_support/relay_trace.h"
#include "tests/win_support/stored_values.h"
#include "tests/win_support/wine_paths.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace vandrel {
namespace {

constexpr DWORD kWaitMs = 20000;

struct Started {
    PROCESS_INFORMATION process{};
    bool ok = false;
    ~Started() {
        if (!ok)
            return;
        if (WaitForSingleObject(process.hProcess, 0) == WAIT_TIMEOUT)
            TerminateProcess(process.hProcess, 99);
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    DWORD exitCode(DWORD waitMs = kWaitMs) const {
        if (WaitForSingleObject(process.hProcess, waitMs) != WAIT_OBJECT_0)
            return STILL_ACTIVE;
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(process.hProcess, &code);
        return code;
    }
};

// Starts the program with the given arguments; its output, if wanted, goes to outputPath.
void Start(Started& started, const std::string& arguments, const char* environment = nullptr,
           const std::string& outputPath = {}) {
    std::string commandLine =
        "\"" + VandrlPath() + "\"" + (arguments.empty() ? "" : " ") + arguments;
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    HANDLE output = INVALID_HANDLE_VALUE;
    if (!outputPath.empty()) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        output = CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, 0, nullptr);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    started.ok = CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr,
                                output != INVALID_HANDLE_VALUE, 0, const_cast<char*>(environment),
                                nullptr, &startup, &started.process) != FALSE;
    if (output != INVALID_HANDLE_VALUE)
        CloseHandle(output);
}

std::string TempPath(const char* name) {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + name;
}

std::string ReadText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// Runs Vandrl.exe with Wine's relay channel on, through a Unix shell that Wine starts (its
// debug output goes to the Unix standard error, which only a Unix shell can redirect), and
// returns the trace. Empty when this is not Wine.
std::string RelayTraceOf(const std::string& arguments) {
    using SpawnFunction = long(__cdecl*)(char* const*, int);
    const auto spawn = reinterpret_cast<SpawnFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("ntdll.dll"), "__wine_unix_spawnvp")));
    if (!spawn)
        return {};
    const std::string tracePath =
        TempPath(("vandrl_relay_" + std::to_string(GetCurrentProcessId()) + ".txt").c_str());
    DeleteFileA(tracePath.c_str());
    std::string script = "WINEDEBUG=-all,+relay \"$WINELOADER\" '" +
                         wintest::unixPathOf(VandrlPath()) + "' " + arguments + " 2>'" +
                         wintest::unixPathOf(tracePath) + "'";
    char shell[] = "/bin/sh", option[] = "-c";
    char* const argv[] = {shell, option, script.data(), nullptr};
    spawn(argv, 1);
    const std::string trace = ReadText(tracePath);
    DeleteFileA(tracePath.c_str());
    return trace;
}

// Limits Wine's relay tracing to the calls of interest. The value stays in the test prefix:
// it only matters to processes started with the relay channel on, and the test programs of
// this folder run side by side.
void LimitRelayToEngineCalls() {
    wintest::traceOnly("KERNEL32.CreateFileA;KERNELBASE.CreateFileA;"
                       "KERNEL32.DeviceIoControl;KERNELBASE.DeviceIoControl;"
                       "KERNEL32.SetErrorMode;KERNELBASE.SetErrorMode;"
                       "KERNEL32.GetDiskFreeSpaceA;KERNELBASE.GetDiskFreeSpaceA;"
                       "USER32.FindWindowA;USER32.RegisterClassExA;"
                       "USER32.CreateWindowExA");
}

TEST(VandrlProgram, CommandLineEndsAtOnceWithoutAWindow) {
    Started run;
    Start(run, "Q:");
    ASSERT_TRUE(run.ok);
    EXPECT_EQ(run.exitCode(), 0u);
}

TEST(VandrlProgram, CommandLineSendsOneEjectRequestOnTheVolume) {
    WineDrive cdrom('W', DRIVE_CDROM, WineDrive::mediumFolder());
    ASSERT_TRUE(cdrom.defined());
    LimitRelayToEngineCalls();
    const auto calls = wintest::relayCalls(RelayTraceOf("W:"));
    std::ostringstream all;
    for (const auto& call : calls)
        all << call.text << "\n";
    SCOPED_TRACE(all.str());
    ASSERT_FALSE(calls.empty()) << "no relay trace";
    // The volume opened for reading, shared 7, open existing; one eject request; no media
    // test without "check"; the error mode set and put back around the request.
    EXPECT_EQ(wintest::callsOf(calls, "CreateFileA").size(), 1u);
    EXPECT_NE(all.str().find("\"\\\\\\\\.\\\\W:\",80000000,00000007,00000000,00000003,00000000,"
                             "00000000)"),
              std::string::npos);
    EXPECT_EQ(wintest::callsOf(calls, "DeviceIoControl").size(), 1u);
    EXPECT_NE(all.str().find(",00074808,00000000,00000000,00000000,00000000,"), std::string::npos);
    EXPECT_EQ(wintest::callsOf(calls, "GetDiskFreeSpaceA").size(), 0u);
    EXPECT_EQ(wintest::callsOf(calls, "SetErrorMode").size(), 2u);
    // No window, and no look for a running copy.
    EXPECT_EQ(wintest::callsOf(calls, "FindWindowA").size(), 0u);
    EXPECT_EQ(wintest::callsOf(calls, "RegisterClassExA").size(), 0u);
    EXPECT_EQ(wintest::callsOf(calls, "CreateWindowExA").size(), 0u);
}

TEST(VandrlProgram, CheckTestsForAMediumBeforeTheRequest) {
    WineDrive cdrom('X', DRIVE_CDROM, WineDrive::mediumFolder());
    ASSERT_TRUE(cdrom.defined());
    LimitRelayToEngineCalls();
    const auto calls = wintest::relayCalls(RelayTraceOf("check X: Q:"));
    ASSERT_FALSE(calls.empty()) << "no relay trace";
    // X: holds a medium (its folder) and gets its request; Q: does not exist and gets none.
    EXPECT_EQ(wintest::callsOf(calls, "GetDiskFreeSpaceA").size(), 2u);
    EXPECT_EQ(wintest::callsOf(calls, "CreateFileA").size(), 1u);
    EXPECT_EQ(wintest::callsOf(calls, "DeviceIoControl").size(), 1u);
}

using wintest::kDialogClass;

constexpr char kSettingsKey[] = "Software\\Quillon\\Vandrel";

std::optional<DWORD> StoredSetting(const char* name) {
    return wintest::storedNumber(kSettingsKey, name);
}

bool AnswerCloseQuestion(DWORD processId, int answer) {
    return wintest::answerDialog(processId, "Close Vandrel", answer);
}

// The sheets of the process with the tool's title.
int SheetsOf(DWORD processId) {
    int sheets = 0;
    for (HWND found = nullptr; (found = FindWindowExA(nullptr, found, WC_DIALOG, kProgramTitle));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(found, &owner);
        sheets += owner == processId ? 1 : 0;
    }
    return sheets;
}

HWND CurrentPage(HWND sheet) {
    return reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0));
}

TEST(VandrlProgram, ResidentCopyAsAUserMeetsIt) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
    Started resident;
    Start(resident, "");
    ASSERT_TRUE(resident.ok);
    const DWORD residentId = resident.process.dwProcessId;
    const HWND window = wintest::waitForHiddenWindow(residentId, "Vandrel", kProgramTitle);
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(IsWindowVisible(window));

    // A second copy without arguments makes the first open its sheet, and ends.
    Started second;
    Start(second, "");
    ASSERT_TRUE(second.ok);
    EXPECT_EQ(second.exitCode(), 0u);
    HWND sheet = wintest::waitForWindow(residentId, kDialogClass, kProgramTitle);
    ASSERT_NE(sheet, nullptr);
    // Asked again while it is open, the resident copy opens no second sheet. Sent without
    // waiting, as a second sheet would not return; the round trip then says it is handled.
    SendNotifyMessageA(window, kShowPropertiesMessage, 0, 0);
    ASSERT_TRUE(wintest::handledSoFar(window));
    EXPECT_EQ(SheetsOf(residentId), 1);

    // Unticking the media check and pressing OK stores it.
    wintest::click(GetDlgItem(CurrentPage(sheet), IDC_CHECK_MEDIA));
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
    EXPECT_TRUE(wintest::waitUntilGone(sheet));
    ASSERT_TRUE(wintest::handledSoFar(window)); // the sheet's settings are stored by now
    EXPECT_EQ(StoredSetting("CheckForMedia"), 0u);
    EXPECT_EQ(StoredSetting("EjectOnClick"), 2u);
    EXPECT_EQ(StoredSetting("IconClickDrives"), 0xFFFFFFFFu);

    // "Close..." answered No keeps it running.
    PostMessageA(window, WM_COMMAND, ID_CLOSE, 0);
    ASSERT_TRUE(AnswerCloseQuestion(residentId, IDNO));
    EXPECT_TRUE(wintest::handledSoFar(window));
    EXPECT_EQ(resident.exitCode(0), static_cast<DWORD>(STILL_ACTIVE));

    // "Close &Now" on the sheet asks the same; answered Yes, the tool ends with its sheet.
    PostMessageA(window, kShowPropertiesMessage, 0, 0);
    sheet = wintest::waitForWindow(residentId, kDialogClass, kProgramTitle);
    ASSERT_NE(sheet, nullptr);
    wintest::click(GetDlgItem(CurrentPage(sheet), IDC_CLOSE_NOW));
    ASSERT_TRUE(AnswerCloseQuestion(residentId, IDYES));
    EXPECT_EQ(resident.exitCode(), 0u);
    EXPECT_FALSE(IsWindow(sheet));
    EXPECT_EQ(StoredSetting("CheckForMedia"), 0u);
    RegDeleteTreeA(HKEY_CURRENT_USER, kSettingsKey);
}

} // namespace
} // namespace vandrel
