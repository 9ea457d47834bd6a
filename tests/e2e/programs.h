// The programs under test as processes: started the way the user starts them (a shortcut
// with a command line, or a double click without), waited for, and ended if a scenario fails
// half-way.
#pragma once

#include "tests/win_support/on_screen.h"

#include <windows.h>

#include <string>
#include <vector>

namespace e2e {

class Program {
  public:
    // path: the program file; arguments: the rest of its command line as the user's shortcut
    // gives it; environment: a whole environment block, or empty for the driver's own.
    Program(const std::string& path, const std::string& arguments,
            const std::vector<char>& environment = {});
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    DWORD processId() const { return process_.dwProcessId; }
    bool running() const;
    // The exit code once it has ended within the time, otherwise STILL_ACTIVE.
    DWORD exitCode(DWORD waitMilliseconds = 20000) const;

  private:
    PROCESS_INFORMATION process_{};
};

// The full paths of the running processes whose file is named so ("Vandrl.exe").
std::vector<std::string> runningProcesses(const std::string& fileName);

using wintest::waitUntil;

} // namespace e2e
