// The new user's machine as a scenario prepares and inspects it: folders and files, the
// programs copied where a user unpacks them, the registry, and Wine's record of what the
// programs asked of the system.
#pragma once

#include "tests/win_support/relay_trace.h"
#include "tests/win_support/wine_paths.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// Where a scenario runs the programs from: an unpacked release where it lies; the build's
// programs copied into the folder first, as a user unpacks them into a folder of their own.
std::string programsReadyIn(const std::string& folder);

using wintest::unixPathOf;
using wintest::windowsPathOf;

std::string temporaryFolder(); // with its trailing backslash
std::string joinPath(const std::string& folder, const std::string& name);
void makeFolder(const std::string& path);

std::string readFile(const std::string& path); // empty when it cannot be read
void writeFile(const std::string& path, const std::string& bytes);
bool fileExists(const std::string& path);
FILETIME lastWriteTime(const std::string& path);
// The file's bytes once its last write time is no longer `before` and it can be read (empty
// after half a minute without). Until the time changes only the times are looked at: a reader
// holding the file open would make the program's replacing of it fail.
std::string bytesOnceRewritten(const std::string& path, FILETIME before);

// Copies Marlwick.exe and Vandrl.exe, and nothing else, into the folder.
void installPrograms(const std::string& folder);

// The sample settings file of the tree, as bytes.
std::string sampleSettings();

// A value under HKEY_CURRENT_USER as the registry holds it.
struct StoredValue {
    DWORD type = REG_NONE;
    std::string data; // strings without their terminating zero
    DWORD dword() const;
};
std::optional<StoredValue> storedValue(const std::string& key, const std::string& name);
bool keyExists(const std::string& key);

// Wine's debug output of every process the scenario starts (fresh-prefix collects it).
class WineLog {
  public:
    WineLog();
    // The environment block that turns the relay channel on, with time stamps and processes;
    // what it traces is limited by wintest::traceOnly.
    static std::vector<char> relayEnvironment();
    // The relay calls logged since this object was made, of one process or (0) of all.
    std::vector<wintest::RelayCall> callsSince(DWORD processId = 0) const;
    std::vector<wintest::RelayCall> callsOf(const std::string& function) const;
    std::string ejectRequests() const;

  private:
    std::string path_;
    std::size_t start_ = 0;
};

} // namespace e2e
