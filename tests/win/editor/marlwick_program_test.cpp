// Marlwick.exe itself, as a user meets it: it opens the settings file named on its command
// line, shows another vehicle on a click, keeps its file when the file choice is cancelled,
// and ends when its window is closed.
#include "editor/main_form.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

// The program lies in bin/ beside the folder of this test program.
std::string programPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.erase(folder.find_last_of('\\'));
    folder.erase(folder.find_last_of('\\') + 1);
    return folder + "bin\\Marlwick.exe";
}

struct Search {
    DWORD processId;
    const char* title;
    HWND found;
};

// The visible window of the process with this title (any title when null); other tests may
// have windows of the same class open.
HWND waitForWindow(DWORD processId, const char* title = nullptr) {
    Search search{processId, title, nullptr};
    for (int tries = 0; tries < 200 && !search.found; ++tries) {
        Sleep(50);
        EnumWindows(
            [](HWND candidate, LPARAM context) {
                auto* search = reinterpret_cast<Search*>(context);
                DWORD owner = 0;
                GetWindowThreadProcessId(candidate, &owner);
                char text[256] = {};
                GetWindowTextA(candidate, text, sizeof(text));
                if (owner == search->processId && IsWindowVisible(candidate) && text[0] &&
                    (!search->title || std::string(text) == search->title))
                    search->found = candidate;
                return search->found ? FALSE : TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

std::string controlText(HWND control) {
    char text[256] = {};
    SendMessageA(control, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    return text;
}

// A click as the button sends it to its window.
void click(HWND window, HWND button) {
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

// Waits until the condition holds; false after five seconds. The program runs in its own
// process and answers posted clicks in its own time.
template <typename Condition> bool soon(Condition holds) {
    for (int tries = 0; tries < 100; ++tries) {
        if (holds())
            return true;
        Sleep(50);
    }
    return false;
}

bool showsSoon(HWND control, const std::string& text) {
    return soon([&] { return controlText(control) == text; });
}

std::string storedValue(const char* name) {
    char data[256] = {};
    DWORD size = sizeof(data);
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Marlwick", name, RRF_RT_ANY, nullptr, data,
                     &size) != ERROR_SUCCESS)
        return {};
    return data;
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
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Marlwick");
    std::string commandLine = "\"" + programPath() + "\" \"" + settings + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    Started started;
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                       &startup, &started.process))
        started.window = waitForWindow(started.process.dwProcessId, marlwick::kWindowTitle.data());
    return started;
}

// Closes the window; true when the program then ended with exit code 0.
bool closeAndWait(Started& started) {
    PostMessageA(started.window, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(started.process.hProcess, 10000) == WAIT_OBJECT_0;
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

// Answers the program's message box with the button's identifier.
bool answer(DWORD processId, int button) {
    HWND box = waitForWindow(processId, "Marlwick");
    if (!box)
        return false;
    PostMessageA(box, WM_COMMAND, button, 0);
    return true;
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
    EXPECT_TRUE(showsSoon(firstBox, "1.2")) << controlText(firstBox);
    EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", settings.c_str()), nullptr);

    click(window, FindWindowExA(window, nullptr, "BUTTON", "LKW"));
    EXPECT_TRUE(showsSoon(firstBox, "1.1")) << controlText(firstBox); // Truck
    EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", "LKW"), nullptr);
    EXPECT_EQ(storedValue("fahrzeug"), "LKW");

    // The file choice, cancelled: the file stays the one shown.
    click(window, FindWindowExA(window, nullptr, "BUTTON", "Datei"));
    HWND dialog = waitForWindow(processId, "ApplicationSettings");
    ASSERT_NE(dialog, nullptr);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(soon([&] { return !IsWindow(dialog); }));
    EXPECT_TRUE(soon([] { return !storedValue("pfad").starts_with('"'); }));
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
    click(window, FindWindowExA(window, nullptr, "BUTTON", // the mode bar, in route mode
                                "In dieser Einstellung k\xF6nnen Anpassungen f\xFCr die Route "
                                "vorgenommen werden"));
    HWND speed = GetDlgItem(window, 1008); // Text1(20), in the tab order of the boxes
    ASSERT_TRUE(soon([&] { return IsWindowEnabled(speed); })); // vehicle mode
    ASSERT_TRUE(showsSoon(speed, "50"));
    SendMessageA(speed, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("55"));

    HWND apply = FindWindowExA(window, nullptr, "BUTTON",
                               "\xC4nderungen Fahrzeug \xFC"
                               "bernehmen");
    click(window, apply);
    ASSERT_TRUE(answer(started.process.dwProcessId, IDYES));
    std::string expected = sample;
    expected.replace(expected.find("<City>50|50|50|50|40"), 20, "<City>55|50|50|50|40");
    soon([&] { return fileBytes(settings) == expected; });
    EXPECT_EQ(fileBytes(settings), expected);

    FILETIME before{}, after{};
    HANDLE file =
        CreateFileA(settings.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileTime(file, nullptr, nullptr, &before);
    CloseHandle(file);
    SendMessageA(speed, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("66"));
    click(window, apply);
    ASSERT_TRUE(answer(started.process.dwProcessId, IDNO));
    Sleep(500);
    EXPECT_EQ(fileBytes(settings), expected);
    file = CreateFileA(settings.c_str(), 0, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    GetFileTime(file, nullptr, nullptr, &after);
    CloseHandle(file);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);
    EXPECT_TRUE(closeAndWait(started));
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
