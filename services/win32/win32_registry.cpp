#include "services/win32/win32_registry.h"

#include <windows.h>

namespace marlwick {

namespace {

static_assert(sizeof(DWORD) == sizeof(std::uint32_t));

// The port restates the platform's numbers so that portable code needs no <windows.h>.
// The predefined roots are pointer casts, no constant expressions.
static_assert(RegistryPort::kErrorSuccess == ERROR_SUCCESS);
static_assert(RegistryPort::kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(RegistryPort::kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(RegistryPort::kErrorInvalidHandle == ERROR_INVALID_HANDLE);
static_assert(RegistryPort::kErrorInvalidParameter == ERROR_INVALID_PARAMETER);
static_assert(RegistryPort::kErrorBadPathname == ERROR_BAD_PATHNAME);
static_assert(RegistryPort::kErrorMoreData == ERROR_MORE_DATA);
static_assert(RegistryPort::kErrorNoMoreItems == ERROR_NO_MORE_ITEMS);
static_assert(RegistryPort::kRegNone == REG_NONE);
static_assert(RegistryPort::kRegSz == REG_SZ);
static_assert(RegistryPort::kRegExpandSz == REG_EXPAND_SZ);
static_assert(RegistryPort::kRegBinary == REG_BINARY);
static_assert(RegistryPort::kRegDword == REG_DWORD);
static_assert(RegistryPort::kRegDwordBigEndian == REG_DWORD_BIG_ENDIAN);
static_assert(RegistryPort::kRegLink == REG_LINK);
static_assert(RegistryPort::kRegMultiSz == REG_MULTI_SZ);
static_assert(RegistryPort::kKeyQueryValue == KEY_QUERY_VALUE);
static_assert(RegistryPort::kKeySetValue == KEY_SET_VALUE);
static_assert(RegistryPort::kKeyCreateSubKey == KEY_CREATE_SUB_KEY);
static_assert(RegistryPort::kKeyEnumerateSubKeys == KEY_ENUMERATE_SUB_KEYS);
static_assert(RegistryPort::kKeyNotify == KEY_NOTIFY);
static_assert(RegistryPort::kKeyCreateLink == KEY_CREATE_LINK);
static_assert(RegistryPort::kReadControl == READ_CONTROL);
static_assert(RegistryPort::kStandardRightsRequired == STANDARD_RIGHTS_REQUIRED);
static_assert(RegistryPort::kKeyRead == KEY_READ);
static_assert(RegistryPort::kKeyWrite == KEY_WRITE);
static_assert(RegistryPort::kKeyAllAccess == KEY_ALL_ACCESS);
static_assert(RegistryPort::kOptionNonVolatile == REG_OPTION_NON_VOLATILE);
static_assert(RegistryPort::kOptionVolatile == REG_OPTION_VOLATILE);
static_assert(RegistryPort::kCreatedNewKey == REG_CREATED_NEW_KEY);
static_assert(RegistryPort::kOpenedExistingKey == REG_OPENED_EXISTING_KEY);

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
