#include "tests/e2e/programs.h"

#include "tests/win_support/on_screen.h"

#include <tlhelp32.h>

#include <stdexcept>
#include <string>

namespace e2e {

Program::Program(const std::string& path, const std::string& arguments,
                 const std::vector<char>& environment) {
    std::string commandLine = "\"" + path + "\"" + (arguments.empty() ? "" : " " + arguments);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    void* block = environment.empty() ? nullptr : const_cast<char*>(environment.data());
    // On a busy machine Wine's start of a process can time out once; a program that cannot
    // start fails every try.
    const bool started = wintest::waitUntil([&] {
        return CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, block,
                              nullptr, &startup, &process_) != FALSE;
    });
    if (!started)
        throw std::runtime_error("cannot start " + commandLine + " (error " +
                                 std::to_string(GetLastError()) + ")");
}

Program::~Program() {
    if (running())
        TerminateProcess(process_.hProcess, 99);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool Program::running() const {
    return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

DWORD Program::exitCode(DWORD waitMilliseconds) const {
    if (WaitForSingleObject(process_.hProcess, waitMilliseconds) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

std::vector<std::string> runningProcesses(const std::string& fileName) {
    std::vector<std::string> paths;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more;
         more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, fileName.c_str()) != 0)
            continue;
        const HANDLE process =
            OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, entry.th32ProcessID);
        char path[MAX_PATH] = {};
        DWORD size = MAX_PATH;
        if (process && QueryFullProcessImageNameA(process, 0, path, &size))
            paths.emplace_back(path, size);
        else
            paths.emplace_back(entry.szExeFile);
        if (process)
            CloseHandle(process);
    }
    CloseHandle(snapshot);
    return paths;
}

} // namespace e2e
