// Times how long a program takes from its start until its first text box shows a value, then
// closes it. Runs under Wine beside the program.
// Usage: startup_driver.exe RUNS EXPECTED-TEXT PROGRAM-COMMAND-LINE
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

struct Search {
    DWORD processId;
    const char* expected;
    bool found;
};

BOOL CALLBACK findBox(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window))
        return TRUE;
    HWND box = FindWindowExA(window, nullptr, "EDIT", nullptr);
    char text[64] = {};
    if (box)
        SendMessageA(box, WM_GETTEXT, sizeof(text), reinterpret_cast<LPARAM>(text));
    search->found = std::string(text) == search->expected;
    if (search->found)
        PostMessageA(window, WM_CLOSE, 0, 0);
    return !search->found;
}

// Milliseconds from the start until the box shows the text; negative when it never does.
double timeOneStart(const std::string& commandLine, const char* expected) {
    RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Marlwick"); // every start a first run
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    std::string line = commandLine;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return -1;
    Search search{process.dwProcessId, expected, false};
    for (int tries = 0; tries < 20000 && !search.found; ++tries) {
        EnumWindows(findBox, reinterpret_cast<LPARAM>(&search));
        if (!search.found)
            Sleep(1);
    }
    QueryPerformanceCounter(&now);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    if (!search.found)
        return -1;
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
           static_cast<double>(frequency.QuadPart);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: startup_driver RUNS EXPECTED-TEXT COMMAND-LINE\n");
        return 2;
    }
    const int runs = std::atoi(argv[1]);
    double total = 0;
    for (int run = 0; run < runs; ++run) {
        const double milliseconds = timeOneStart(argv[3], argv[2]);
        if (milliseconds < 0) {
            std::fprintf(stderr, "the box never showed %s\n", argv[2]);
            return 1;
        }
        total += milliseconds;
    }
    std::printf("%.1f\n", total / runs);
    return 0;
}
