#include "tests/e2e/machine.h"

#include "tests/e2e/programs.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace e2e {

namespace {

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// Nothing when the file cannot be opened or read to its end.
std::optional<std::string> bytesOf(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return std::nullopt;
    std::ostringstream bytes;
    bytes << file.rdbuf();
    if (file.bad())
        return std::nullopt;
    return bytes.str();
}

} // namespace

// E2E_PROGRAMS (a Windows path), such as an unpacked release, stands for this build's programs.
std::string programsReadyIn(const std::string& folder) {
    const std::string unpacked = environmentValue("E2E_PROGRAMS");
    if (!unpacked.empty())
        return unpacked;
    installPrograms(folder);
    return folder;
}

std::string temporaryFolder() {
    char folder[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, folder);
    return folder;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    return folder.ends_with('\\') ? folder + name : folder + "\\" + name;
}

void makeFolder(const std::string& path) {
    CreateDirectoryA(path.c_str(), nullptr);
}

std::string readFile(const std::string& path) {
    return bytesOf(path).value_or(std::string());
}

void writeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << bytes;
    if (!file)
        throw std::runtime_error("cannot write " + path);
}

bool fileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FILETIME lastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

std::string bytesOnceRewritten(const std::string& path, FILETIME before) {
    std::optional<std::string> bytes;
    waitUntil([&] {
        const FILETIME now = lastWriteTime(path);
        const bool known = now.dwHighDateTime != 0 || now.dwLowDateTime != 0;
        if (known && CompareFileTime(&now, &before) != 0)
            bytes = bytesOf(path);
        return bytes.has_value();
    });
    return bytes.value_or(std::string());
}

void installPrograms(const std::string& folder) {
    makeFolder(folder);
    const std::string unpacked = environmentValue("E2E_PROGRAMS");
    for (const char* program : {"Marlwick.exe", "Vandrl.exe"}) {
        const std::string from =
            unpacked.empty() ? wintest::builtProgram(program) : joinPath(unpacked, program);
        if (!CopyFileA(from.c_str(), joinPath(folder, program).c_str(), FALSE))
            throw std::runtime_error("cannot copy " + from);
    }
}

std::string sampleSettings() {
    return readFile(windowsPathOf(MARLWICK_EXAMPLES_DIR "/ApplicationSettings.xml"));
}

DWORD StoredValue::dword() const {
    DWORD value = 0;
    std::copy_n(data.begin(), std::min<std::size_t>(data.size(), sizeof value),
                reinterpret_cast<char*>(&value));
    return value;
}

std::optional<StoredValue> storedValue(const std::string& key, const std::string& name) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return std::nullopt;
    StoredValue value;
    std::vector<BYTE> data(4096);
    auto size = static_cast<DWORD>(data.size());
    const LSTATUS status =
        RegQueryValueExA(opened, name.c_str(), nullptr, &value.type, data.data(), &size);
    RegCloseKey(opened);
    if (status != ERROR_SUCCESS)
        return std::nullopt;
    const bool text = value.type == REG_SZ || value.type == REG_EXPAND_SZ;
    if (text && size > 0 && data[size - 1] == 0)
        --size;
    value.data.assign(reinterpret_cast<const char*>(data.data()), size);
    return value;
}

bool keyExists(const std::string& key) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return false;
    RegCloseKey(opened);
    return true;
}

WineLog::WineLog() : path_(environmentValue("E2E_WINE_LOG")) {
    if (path_.empty())
        throw std::runtime_error(
            "no E2E_WINE_LOG: run the scenario through tests/e2e/fresh-prefix");
    start_ = readFile(path_).size();
}

std::vector<char> WineLog::relayEnvironment() {
    std::vector<char> block;
    const char* own = GetEnvironmentStringsA();
    for (const char* entry = own; *entry; entry += std::strlen(entry) + 1) {
        if (std::string_view(entry).starts_with("WINEDEBUG="))
            continue;
        block.insert(block.end(), entry, entry + std::strlen(entry) + 1);
    }
    FreeEnvironmentStringsA(const_cast<char*>(own));
    const std::string debug = "WINEDEBUG=-all,+timestamp,+pid,+relay";
    block.insert(block.end(), debug.begin(), debug.end());
    block.push_back('\0');
    block.push_back('\0');
    return block;
}

std::vector<wintest::RelayCall> WineLog::callsSince(DWORD processId) const {
    const std::string log = readFile(path_);
    auto calls = wintest::relayCalls(log.size() > start_ ? log.substr(start_) : std::string());
    if (processId != 0)
        std::erase_if(calls, [&](const auto& call) { return call.processId != processId; });
    return calls;
}

std::vector<wintest::RelayCall> WineLog::callsOf(const std::string& function) const {
    return wintest::callsOf(callsSince(), function);
}

std::string WineLog::ejectRequests() const {
    return wintest::ejectRequests(callsSince());
}

} // namespace e2e
