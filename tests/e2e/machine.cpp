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

std::string withBackslashes(std::string path) {
    std::ranges::replace(path, '/', '\\');
    return path;
}

} // namespace

std::string programsFolder() {
    const std::string chosen = environmentValue("E2E_PROGRAMS");
    return chosen.empty() ? windowsPathOf(MARLWICK_BIN_DIR) : chosen;
}

std::string programsReadyIn(const std::string& folder) {
    if (!environmentValue("E2E_PROGRAMS").empty())
        return programsFolder();
    installPrograms(folder);
    return folder;
}

std::string windowsPathOf(const std::string& unixPath) {
    return "Z:" + withBackslashes(unixPath);
}

std::string unixPathOf(const std::string& windowsPath) {
    using UnixNameFunction = char*(__cdecl*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixNameFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        throw std::runtime_error("not running under Wine");
    const std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* name = unixName(wide.c_str());
    std::string result = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
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
    std::ifstream file(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
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
    const bool rewritten = waitUntil([&] {
        const FILETIME now = lastWriteTime(path);
        return CompareFileTime(&now, &before) != 0;
    });
    return rewritten ? readFile(path) : std::string();
}

void installPrograms(const std::string& folder) {
    makeFolder(folder);
    for (const char* program : {"Marlwick.exe", "Vandrl.exe"}) {
        const std::string from = joinPath(programsFolder(), program);
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

void WineLog::traceOnly(const std::string& calls) {
    HKEY key = nullptr;
    RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Wine\\Debug", 0, nullptr, 0, KEY_SET_VALUE,
                    nullptr, &key, nullptr);
    RegSetValueExA(key, "RelayInclude", 0, REG_SZ, reinterpret_cast<const BYTE*>(calls.c_str()),
                   static_cast<DWORD>(calls.size() + 1));
    RegCloseKey(key);
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
    const std::string debug = "WINEDEBUG=-all,+timestamp,+relay";
    block.insert(block.end(), debug.begin(), debug.end());
    block.push_back('\0');
    block.push_back('\0');
    return block;
}

// A relay line: "3476.934:00f4:Call KERNEL32.CreateFileA(...) ret=7b012345".
std::vector<WineLog::Call> WineLog::callsSince() const {
    const std::string log = readFile(path_);
    std::istringstream lines(log.size() > start_ ? log.substr(start_) : std::string());
    std::vector<Call> calls;
    for (std::string line; std::getline(lines, line);) {
        const auto call = line.find(":Call ");
        const auto dot = line.find('.');
        if (call == std::string::npos || dot == std::string::npos || dot > call)
            continue;
        const auto name = line.find('.', call);
        if (name == std::string::npos)
            continue;
        Call parsed;
        parsed.milliseconds = static_cast<unsigned>(std::stoul(line.substr(0, dot)) * 1000 +
                                                    std::stoul(line.substr(dot + 1, 3)));
        parsed.text = line.substr(name + 1);
        parsed.text = parsed.text.substr(0, parsed.text.rfind(") ret=") + 1);
        calls.push_back(std::move(parsed));
    }
    return calls;
}

std::vector<WineLog::Call> WineLog::callsOf(const std::string& function) const {
    std::vector<Call> matching;
    std::ranges::copy_if(callsSince(), std::back_inserter(matching),
                         [&](const Call& call) { return call.text.starts_with(function + "("); });
    return matching;
}

// The relay log writes strings escaped: the volume \\.\E: shows as "\\\\.\\E:".
std::string WineLog::ejectRequests() const {
    const std::string volumePrefix = "\"\\\\\\\\.\\\\";
    const std::string ejectMedia = ",00074808,";
    std::string drives;
    char opened = '?';
    for (const Call& call : callsSince()) {
        const auto volume = call.text.find(volumePrefix);
        if (call.text.starts_with("CreateFileA(") && volume != std::string::npos)
            opened = call.text[volume + volumePrefix.size()];
        else if (call.text.starts_with("DeviceIoControl(") &&
                 call.text.find(ejectMedia) != std::string::npos)
            drives += opened;
    }
    return drives;
}

} // namespace e2e
