#include "editor/win32/win32_editor_host.h"

#include <vector>

namespace marlwick {
namespace {

// The port restates the platform's numbers so that portable code needs no <windows.h>.
static_assert(EditorHost::kMbOk == MB_OK);
static_assert(EditorHost::kMbYesNo == MB_YESNO);
static_assert(EditorHost::kMbDefButton1 == MB_DEFBUTTON1);
static_assert(EditorHost::kIdOk == IDOK);
static_assert(EditorHost::kIdYes == IDYES);
static_assert(EditorHost::kIdNo == IDNO);
static_assert(EditorHost::kSwShowMaximized == SW_SHOWMAXIMIZED);

} // namespace

int Win32EditorHost::messageBox(const std::string& text, const std::string& caption,
                                std::uint32_t type) {
    return MessageBoxA(owner_, text.c_str(), caption.c_str(), type);
}

void Win32EditorHost::sleep(std::uint32_t milliseconds) {
    Sleep(milliseconds);
}

bool Win32EditorHost::createProcess(const std::string& commandLine, std::uint16_t showWindow) {
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = showWindow;
    PROCESS_INFORMATION process{};
    // CreateProcessA may write into the command line.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    if (!CreateProcessA(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

std::string Win32EditorHost::moduleFileName() {
    std::vector<char> path(MAX_PATH);
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size())
            return std::string(path.data(), length);
        path.resize(path.size() * 2);
    }
}

void Win32EditorHost::getLocalTime(SystemTime* time) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    *time = {now.wYear, now.wMonth,  now.wDayOfWeek, now.wDay,
             now.wHour, now.wMinute, now.wSecond,    now.wMilliseconds};
}

} // namespace marlwick
