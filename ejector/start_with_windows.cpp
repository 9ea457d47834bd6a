#include "ejector/start_with_windows.h"

#include <algorithm>
#include <cctype>

namespace vandrel {

const char kRunKey[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
const char kRunValueName[] = "Vandrl";

namespace {

using marlwick::RegistryPort;

bool IsText(std::uint32_t type) {
    return type == RegistryPort::kRegSz || type == RegistryPort::kRegExpandSz;
}

// The bytes of the value when it is text, without its terminating zeros; empty otherwise.
std::string StoredCommand(RegistryPort& registry) {
    RegistryPort::Key key = 0;
    if (registry.openKey(RegistryPort::kHkeyCurrentUser, kRunKey, 0, RegistryPort::kKeyQueryValue,
                         &key) != RegistryPort::kErrorSuccess)
        return {};
    std::uint32_t type = RegistryPort::kRegNone;
    std::uint32_t size = 0;
    std::string command;
    if (registry.queryValue(key, kRunValueName, nullptr, nullptr, &size) ==
        RegistryPort::kErrorSuccess) {
        command.resize(size);
        if (registry.queryValue(key, kRunValueName, &type,
                                reinterpret_cast<std::uint8_t*>(command.data()),
                                &size) == RegistryPort::kErrorSuccess)
            command.resize(size);
    }
    registry.closeKey(key);
    if (!IsText(type))
        return {};
    command.erase(command.find_last_not_of('\0') + 1);
    return command;
}

std::string Unquoted(const std::string& command) {
    if (command.size() >= 2 && command.front() == '"' && command.back() == '"')
        return command.substr(1, command.size() - 2);
    return command;
}

bool SamePath(const std::string& a, const std::string& b) {
    return std::ranges::equal(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) ==
               std::tolower(static_cast<unsigned char>(y));
    });
}

void WriteRunValue(const RunEntry& entry) {
    RegistryPort::Key key = 0;
    if (entry.registry.createKey(RegistryPort::kHkeyCurrentUser, kRunKey, nullptr,
                                 RegistryPort::kOptionNonVolatile, RegistryPort::kKeySetValue, &key,
                                 nullptr) != RegistryPort::kErrorSuccess)
        return;
    const std::string command = "\"" + entry.programPath + "\"";
    // A text value's size counts its terminating zero.
    entry.registry.setValue(key, kRunValueName, RegistryPort::kRegSz,
                            reinterpret_cast<const std::uint8_t*>(command.c_str()),
                            static_cast<std::uint32_t>(command.size() + 1));
    entry.registry.closeKey(key);
}

void DeleteRunValue(const RunEntry& entry) {
    RegistryPort::Key key = 0;
    if (entry.registry.openKey(RegistryPort::kHkeyCurrentUser, kRunKey, 0,
                               RegistryPort::kKeySetValue, &key) != RegistryPort::kErrorSuccess)
        return;
    entry.registry.deleteValue(key, kRunValueName);
    entry.registry.closeKey(key);
}

} // namespace

bool StartsWithWindows(const RunEntry& entry) {
    const std::string command = StoredCommand(entry.registry);
    return !command.empty() && SamePath(Unquoted(command), entry.programPath);
}

void SetStartWithWindows(const RunEntry& entry, bool start) {
    if (start)
        WriteRunValue(entry);
    else if (StartsWithWindows(entry))
        DeleteRunValue(entry);
}

} // namespace vandrel
