#include "services/win32/win32_registry.h"

#include <windows.h>

namespace marlwick {

namespace {

static_assert(sizeof(DWORD) == sizeof(std::uint32_t));

// The predefined roots travel as their 32-bit numbers; the platform's handles for them are
// those numbers sign-extended. Every other key is a handle the platform gave out.
HKEY toHkey(RegistryPort::Key key) {
    if (key >= 0x80000000 && key <= 0xFFFFFFFF) {
        const auto root = static_cast<LONG>(static_cast<DWORD>(key));
        return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(root));
    }
    return reinterpret_cast<HKEY>(key);
}

DWORD* asDword(std::uint32_t* value) {
    return reinterpret_cast<DWORD*>(value);
}

} // namespace

RegistryPort::Status Win32Registry::openKey(Key key, const char* subKey, std::uint32_t options,
                                            std::uint32_t samDesired, Key* result) {
    HKEY opened = nullptr;
    const LONG status = RegOpenKeyExA(toHkey(key), subKey, options, samDesired, &opened);
    if (status == ERROR_SUCCESS && result)
        *result = reinterpret_cast<Key>(opened);
    return status;
}

RegistryPort::Status Win32Registry::createKey(Key key, const char* subKey, const char* className,
                                              std::uint32_t options, std::uint32_t samDesired,
                                              Key* result, std::uint32_t* disposition) {
    HKEY created = nullptr;
    const LONG status =
        RegCreateKeyExA(toHkey(key), subKey, 0, const_cast<char*>(className), options, samDesired,
                        nullptr, &created, asDword(disposition));
    if (status == ERROR_SUCCESS && result)
        *result = reinterpret_cast<Key>(created);
    return status;
}

RegistryPort::Status Win32Registry::queryValue(Key key, const char* valueName, std::uint32_t* type,
                                               std::uint8_t* data, std::uint32_t* dataSize) {
    return RegQueryValueExA(toHkey(key), valueName, nullptr, asDword(type), data,
                            asDword(dataSize));
}

RegistryPort::Status Win32Registry::setValue(Key key, const char* valueName, std::uint32_t type,
                                             const std::uint8_t* data, std::uint32_t dataSize) {
    return RegSetValueExA(toHkey(key), valueName, 0, type, data, dataSize);
}

RegistryPort::Status Win32Registry::deleteValue(Key key, const char* valueName) {
    return RegDeleteValueA(toHkey(key), valueName);
}

RegistryPort::Status Win32Registry::queryInfoKey(Key key, std::uint32_t* subKeys,
                                                 std::uint32_t* maxSubKeyLen, std::uint32_t* values,
                                                 std::uint32_t* maxValueNameLen,
                                                 std::uint32_t* maxValueLen) {
    return RegQueryInfoKeyA(toHkey(key), nullptr, nullptr, nullptr, asDword(subKeys),
                            asDword(maxSubKeyLen), nullptr, asDword(values),
                            asDword(maxValueNameLen), asDword(maxValueLen), nullptr, nullptr);
}

RegistryPort::Status Win32Registry::enumKey(Key key, std::uint32_t index, char* name,
                                            std::uint32_t* nameSize) {
    return RegEnumKeyExA(toHkey(key), index, name, asDword(nameSize), nullptr, nullptr, nullptr,
                         nullptr);
}

RegistryPort::Status Win32Registry::enumValue(Key key, std::uint32_t index, char* valueName,
                                              std::uint32_t* valueNameSize, std::uint32_t* type,
                                              std::uint8_t* data, std::uint32_t* dataSize) {
    return RegEnumValueA(toHkey(key), index, valueName, asDword(valueNameSize), nullptr,
                         asDword(type), data, asDword(dataSize));
}

RegistryPort::Status Win32Registry::closeKey(Key key) {
    return RegCloseKey(toHkey(key));
}

} // namespace marlwick
