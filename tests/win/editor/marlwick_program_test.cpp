// Marlwick.exe itself, as a user meets it: it opens the settings file named on its command
// line, shows another vehicle on a click, keeps its file when the file choice is cancelled,
// and ends when its window is closed.
#include "editor/form/main_form.h"
#include "tests/win_support/on_screen.h"
#include "tests/win_support/stored_values.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using wintest::click;
using wintest::showsSoon;
using wintest::textOf;
using wintest::waitUntil;

// The program lies in bin/ beside the folder of this test program.
std::string programPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\'));
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "bin\\Marlwick.exe";
}

constexpr char kEditorKey[] = "Software\\Marlwick";

std::string storedValue(const char* name) {
    return wintest::storedText(kEditorKey, name);
}

// The tests of this file share the editor's registry key: one at a time.
class OneAtATime {
  public:
    OneAtATime() : mutex_(CreateMutexA(nullptr, FALSE, "MarlwickProgramTests")) {
        WaitForSingleObject(mutex_, INFINITE);
    }
    ~OneAtATime() {
        ReleaseMutex(mutex_);
        CloseHandle(mutex_);
    }

  private:
    HANDLE mutex_;
};

struct Started {
    PROCESS_INFORMATION process{};
    HWND window = nullptr;
};

// Marlwick.exe opened on the settings file as a first run.
Started startOn(const std::string& settings) {
    RegDeleteTreeA(HKEY_CURRENT_USER, kEditorKey);
    std::string commandLine = "\"" + programPath() + "\" \"" + settings + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    Started started;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &started.process))
        started.window = wintest::waitForWindow(started.process.dwProcessId, nullptr,
                                                marlwick::kWindowTitle.data());
    return started;
}

// Closes the window, answering Yes when it asks to discard typed values; true when the
// program then ended with exit code 0.
bool closeAndWait(Started& started, bool discardTypedValues = false) {
    PostMessageA(started.window, WM_CLOSE, 0, 0);
    const bool discarded = !discardTypedValues ||
                           wintest::answerDialog(started.process.dwProcessId, "Marlwick", IDYES);
    const bool ended =
        discarded && WaitForSingleObject(started.process.hProcess, 10000) == WAIT_OBJECT_0;
    DWORD exitCode = 1;
    GetExitCodeProcess(started.process.hProcess, &exitCode);
    CloseHandle(started.process.hThread);
    CloseHandle(started.process.hProcess);
    return ended && exitCode == 0;
}

std::string fileBytes(const std::string& path) {
    std::string bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

// A copy of the sample settings file in a folder of its own.
std::string sampleCopy(const std::string& name = "marlwick program test") {
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    const std::string folder = std::string(temporary) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string copy = folder + "\\ApplicationSettings.xml";
    const std::string sample = std::string("Z:") + MARLWICK_EXAMPLES_DIR "/ApplicationSettings.xml";
    CopyFileA(sample.c_str(), copy.c_str(), FALSE);
    return copy;
}

TEST(MarlwickProgram, ShowsTheFileOfItsCommandLineAndAnswersClicks) {
    OneAtATime alone;
    const std::string settings = sampleCopy();
    Started started = startOn(settings);
    const HWND window = started.window;
    const DWORD processId = started.process.dwProcessId;
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(storedValue("pfad"), "\"" + settings + "\"");
    // Text1(0), the first box: Car Fast's first preference factor in towns.
    HWND firstBox = FindWindowExA(window, nullptr, "EDIT", nullptr);
    EXPECT_TRUE(showsSoon(firstBox, "1.2")) << textOf(firstBox);
    EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", settings.c_str()), nullptr);

    click(FindWindowExA(window, nullptr, "BUTTON", "LKW"));
    EXPECT_TRUE(showsSoon(firstBox, "1.1")) << textOf(firstBox); // Truck
    EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", "LKW"), nullptr);
    EXPECT_EQ(storedValue("fahrzeug"), "LKW");

    // The file choice, cancelled: the file stays the one shown.
    click(FindWindowExA(window, nullptr, "BUTTON", "Datei"));
    ASSERT_TRUE(wintest::answerDialog(processId, "ApplicationSettings", IDCANCEL));
    EXPECT_TRUE(waitUntil([] { return !storedValue("pfad").starts_with('"'); }));
    EXPECT_TRUE(showsSoon(firstBox, "1.1"));
    EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", settings.c_str()), nullptr);
    EXPECT_EQ(storedValue("pfad"), settings); // stored again, as the choice found it
    EXPECT_TRUE(closeAndWait(started));
}

TEST(MarlwickProgram, WritesAnEditedListAfterYesAndNothingAfterNo) {
    OneAtATime alone;
    const std::string settings = sampleCopy("marlwick write test");
    const std::string sample = fileBytes(settings);
    Started started = startOn(settings);
    const HWND window = started.window;
    ASSERT_NE(window, nullptr);
    click(FindWindowExA(window, nullptr, "BUTTON", // the mode bar, in route mode
                        "In dieser Einstellung k\xF6nnen Anpassungen f\xFCr die Route "
                        "vorgenommen werden"));
    HWND speed = GetDlgItem(window, 1008); // Text1(20), in the tab order of the boxes
    ASSERT_TRUE(waitUntil([&] { return IsWindowEnabled(speed); })); // vehicle mode
    ASSERT_TRUE(showsSoon(speed, "50"));
    SendMessageA(speed, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("55"));

    HWND apply = FindWindowExA(window, nullptr, "BUTTON",
                               "\xC4nderungen Fahrzeug \xFC"
                               "bernehmen");
    click(apply);
    ASSERT_TRUE(wintest::answerDialog(started.process.dwProcessId, "Marlwick", IDYES));
    std::string expected = sample;
    expected.replace(expected.find("<City>50|50|50|50|40"), 20, "<City>55|50|50|50|40");
    waitUntil([&] { return fileBytes(settings) == expected; });
    EXPECT_EQ(fileBytes(settings), expected);

    FILETIME before{}, after{};
    HANDLE file =
        CreateFileA(settings.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileTime(file, nullptr, nullptr, &before);
    CloseHandle(file);
    SendMessageA(speed, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("66"));
    click(apply);
    ASSERT_TRUE(wintest::answerDialog(started.process.dwProcessId, "Marlwick", IDNO));
    ASSERT_TRUE(wintest::handledSoFar(window)); // the click, answered No, is done with
    EXPECT_EQ(fileBytes(settings), expected);
    file = CreateFileA(settings.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileTime(file, nullptr, nullptr, &after);
    CloseHandle(file);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);
    EXPECT_TRUE(closeAndWait(started, true)); // 66 was not written
}

TEST(MarlwickProgram, CarriesItsIconOf32By32PixelsIn16Colours) {
    HMODULE program = LoadLibraryExA(programPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(program, nullptr);
    auto icon = static_cast<HICON>(LoadImageA(program, MAKEINTRESOURCEA(1), IMAGE_ICON, 32, 32, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    BITMAP colours{};
    GetObjectA(info.hbmColor, sizeof(colours), &colours);
    EXPECT_EQ(colours.bmWidth, 32);
    EXPECT_EQ(colours.bmHeight, 32);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
    FreeLibrary(program);
}

} // namespace
