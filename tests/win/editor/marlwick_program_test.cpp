// Marlwick.exe itself: it opens its main window with the layout's texts and ends when the
// window is closed.
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
    HWND found;
};

// The titled window of the process; other tests may have windows of the same class open.
HWND waitForWindow(DWORD processId) {
    Search search{processId, nullptr};
    for (int tries = 0; tries < 200 && !search.found; ++tries) {
        Sleep(50);
        EnumWindows(
            [](HWND candidate, LPARAM context) {
                auto* search = reinterpret_cast<Search*>(context);
                DWORD owner = 0;
                GetWindowThreadProcessId(candidate, &owner);
                if (owner == search->processId && IsWindowVisible(candidate) &&
                    GetWindowTextLengthA(candidate) > 0)
                    search->found = candidate;
                return search->found ? FALSE : TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
    }
    return search.found;
}

std::string windowText(HWND window) {
    char text[256] = {};
    GetWindowTextA(window, text, sizeof(text));
    return text;
}

TEST(MarlwickProgram, OpensTheMainWindowAsLaidOutAndEndsWhenItCloses) {
    std::string commandLine = "\"" + programPath() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &process))
        << commandLine;

    HWND window = waitForWindow(process.dwProcessId);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(windowText(window), "Marlwick 2.0");
    EXPECT_NE(FindWindowExA(window, nullptr, "BUTTON",
                            "\xC4nderungen Fahrzeug \xFC"
                            "bernehmen"),
              nullptr);
    // A box keeps its text itself: asked for it by message.
    HWND firstBox = FindWindowExA(window, nullptr, "EDIT", nullptr);
    char text[16] = {};
    SendMessageA(firstBox, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Text1");
    EXPECT_NE(FindWindowExA(window, nullptr, "STATIC", "PKW schnell"), nullptr);

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
