// Marlwick.exe itself, as a user meets it: it opens the settings file named on its command
// line, shows another vehicle on a click, keeps its file when the file choice is cancelled,
// and ends when its window is closed.
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

// Waits until the control shows the text; false after five seconds.
bool showsSoon(HWND control, const std::string& text) {
    for (int tries = 0; tries < 100; ++tries) {
        if (controlText(control) == text)
            return true;
        Sleep(50);
    }
    return false;
}

std::string storedValue(const char* name) {
    char data[256] = {};
    DWORD size = sizeof(data);
    if (RegGetValueA(HKEY_CURRENT_USER, "Software\\Marlwick", name, RRF_RT_ANY, nullptr, data,
                     &size) != ERROR_SUCCESS)
        return {};
    return data;
}

// A copy of the sample settings file in a folder of its own.
std::string sampleCopy() {
    char temporary[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, temporary);
    const std::string folder = std::string(temporary) + "marlwick program test";
    CreateDirectoryA(folder.c_str(), nullptr);
    const std::string copy = folder + "\\ApplicationSettings.xml";
    const std::string sample = std::string("Z:") + MARLWICK_EXAMPLES_DIR "/ApplicationSettings.xml";
    CopyFileA(sample.c_str(), copy.c_str(), FALSE);
    return copy;
}

TEST(MarlwickProgram, ShowsTheFileOfItsCommandLineAndAnswersClicks) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Marlwick"); // a first run
    const std::string settings = sampleCopy();
    std::string commandLine = "\"" + programPath() + "\" \"" + settings + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << commandLine;

    HWND window = waitForWindow(process.dwProcessId, "Marlwick 2.0");
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
    HWND dialog = waitForWindow(process.dwProcessId, "ApplicationSettings");
    ASSERT_NE(dialog, nullptr);
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(showsSoon(firstBox, "1.1"));
    EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", settings.c_str()), nullptr);
    EXPECT_EQ(storedValue("pfad"), settings); // stored again, as the choice found it

    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForSingleObject(process.hProcess, 10000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeProcess(process.hProcess, &exitCode);
    EXPECT_EQ(exitCode, 0u);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
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
