// The registry calls both programs need, modelled on their Win32 namesakes (RegOpenKeyExA and
// kin): the same arguments in the same order, the same status codes, the same buffer and size
// rules. Arguments that must be zero or null in every call (reserved words, security
// attributes, class buffers of enumeration, last-write times) are left out.
#pragma once

#include "services/system_codes.h"

#include <cstdint>

namespace marlwick {

class RegistryPort {
  public:
    // A key handle. The predefined roots are their 32-bit numbers (kHkeyCurrentUser is
    // 0x80000001); the Win32 implementation maps them to the platform's handles.
    using Key = std::uintptr_t;
    // A registry status: 0 for success, otherwise a system error code.
    using Status = std::int32_t;

    static constexpr Key kHkeyClassesRoot = 0x80000000;
    static constexpr Key kHkeyCurrentUser = 0x80000001;
    static constexpr Key kHkeyLocalMachine = 0x80000002;
    static constexpr Key kHkeyUsers = 0x80000003;
    static constexpr Key kHkeyCurrentConfig = 0x80000005;

    static constexpr Status kErrorSuccess = 0;
    static constexpr Status kErrorFileNotFound = system_codes::kErrorFileNotFound;
    static constexpr Status kErrorAccessDenied = system_codes::kErrorAccessDenied;
    static constexpr Status kErrorInvalidHandle = system_codes::kErrorInvalidHandle;
    static constexpr Status kErrorInvalidParameter = system_codes::kErrorInvalidParameter;
    static constexpr Status kErrorBadPathname = 161;
    static constexpr Status kErrorMoreData = 234;
    static constexpr Status kErrorNoMoreItems = 259;

    static constexpr std::uint32_t kRegNone = 0;
    static constexpr std::uint32_t kRegSz = 1;
    static constexpr std::uint32_t kRegExpandSz = 2;
    static constexpr std::uint32_t kRegBinary = 3;
    static constexpr std::uint32_t kRegDword = 4;
    static constexpr std::uint32_t kRegDwordBigEndian = 5;
    static constexpr std::uint32_t kRegLink = 6;
    static constexpr std::uint32_t kRegMultiSz = 7;

    // Access rights (REGSAM).
    static constexpr std::uint32_t kKeyQueryValue = 0x0001;
    static constexpr std::uint32_t kKeySetValue = 0x0002;
    static constexpr std::uint32_t kKeyCreateSubKey = 0x0004;
    static constexpr std::uint32_t kKeyEnumerateSubKeys = 0x0008;
    static constexpr std::uint32_t kKeyNotify = 0x0010;
    static constexpr std::uint32_t kKeyCreateLink = 0x0020;
    static constexpr std::uint32_t kReadControl = 0x00020000;
    static constexpr std::uint32_t kStandardRightsRequired = 0x000F0000;
    static constexpr std::uint32_t kKeyRead = 0x00020019;
    static constexpr std::uint32_t kKeyWrite = 0x00020006;
    static constexpr std::uint32_t kKeyAllAccess = 0x000F003F;

    static constexpr std::uint32_t kOptionNonVolatile = 0;
    static constexpr std::uint32_t kOptionVolatile = 1;

    static constexpr std::uint32_t kCreatedNewKey = 1;
    static constexpr std::uint32_t kOpenedExistingKey = 2;

    virtual ~RegistryPort() = default;

    // RegOpenKeyExA. A null or empty subKey opens a new handle to key itself.
    virtual Status openKey(Key key, const char* subKey, std::uint32_t options,
                           std::uint32_t samDesired, Key* result) = 0;

    // RegCreateKeyExA: creates every missing key of the path; disposition may be null.
    virtual Status createKey(Key key, const char* subKey, const char* className,
                             std::uint32_t options, std::uint32_t samDesired, Key* result,
                             std::uint32_t* disposition) = 0;

    // RegQueryValueExA. A null or empty valueName is the key's default value. type, data and
    // dataSize may each be null (data needs dataSize). Without data, *dataSize gets the size;
    // with too small a buffer the status is kErrorMoreData and *dataSize the size needed.
    virtual Status queryValue(Key key, const char* valueName, std::uint32_t* type,
                              std::uint8_t* data, std::uint32_t* dataSize) = 0;

    // RegSetValueExA: stores exactly dataSize bytes with the given type.
    virtual Status setValue(Key key, const char* valueName, std::uint32_t type,
                            const std::uint8_t* data, std::uint32_t dataSize) = 0;

    // RegDeleteValueA.
    virtual Status deleteValue(Key key, const char* valueName) = 0;

    // RegQueryInfoKeyA, the counts and longest lengths only; every pointer may be null.
    // Name lengths count characters without the NUL, the data length counts bytes as stored.
    virtual Status queryInfoKey(Key key, std::uint32_t* subKeys, std::uint32_t* maxSubKeyLen,
                                std::uint32_t* values, std::uint32_t* maxValueNameLen,
                                std::uint32_t* maxValueLen) = 0;

    // RegEnumKeyExA. *nameSize: in, the buffer's size in characters with room for the NUL;
    // out, the name's length without it. kErrorNoMoreItems past the last subkey.
    virtual Status enumKey(Key key, std::uint32_t index, char* name, std::uint32_t* nameSize) = 0;

    // RegEnumValueA, with the size rules of enumKey for the name and of queryValue for the
    // data; type, data and dataSize may be null.
    virtual Status enumValue(Key key, std::uint32_t index, char* valueName,
                             std::uint32_t* valueNameSize, std::uint32_t* type, std::uint8_t* data,
                             std::uint32_t* dataSize) = 0;

    // RegCloseKey. Closing a predefined root succeeds and changes nothing.
    virtual Status closeKey(Key key) = 0;
};

} // namespace marlwick
