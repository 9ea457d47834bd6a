#include "services/cls_sys_registry.h"

#include "services/split_text.h"

#include <algorithm>
#include <array>
#include <vector>

namespace marlwick {

namespace {

using Port = RegistryPort;

constexpr std::uint32_t kReadAccess = Port::kKeyQueryValue | Port::kReadControl;
constexpr std::uint32_t kWriteAccess = Port::kKeySetValue | Port::kStandardRightsRequired;
constexpr std::uint32_t kEnumAccess = Port::kKeyAllAccess;
constexpr std::int32_t kErrorNoErrorText = 9999;

// A stored string's text: all its bytes but the terminating NUL. Data stored without one
// keeps its last character.
std::string withoutTerminator(std::string bytes) {
    if (!bytes.empty() && bytes.back() == '\0')
        bytes.pop_back();
    return bytes;
}

// A stored list's texts: the list's closing NUL and the last text's NUL dropped where they
// are present, the rest split at every NUL. Nothing left gives an empty list.
RegistryList listFrom(const std::string& bytes) {
    std::string_view rest = bytes;
    for (int terminator = 0; terminator < 2 && !rest.empty() && rest.back() == '\0'; ++terminator)
        rest.remove_suffix(1);
    if (rest.empty())
        return {};
    return splitAt(rest, '\0');
}

std::string joinedList(const RegistryList& texts) {
    std::string data;
    for (const std::string& text : texts) {
        if (&text != &texts.front())
            data += '\0';
        data += text;
    }
    return data + std::string(2, '\0');
}

std::string littleEndian(std::int32_t number) {
    const auto bits = static_cast<std::uint32_t>(number);
    return {static_cast<char>(bits & 0xFF), static_cast<char>((bits >> 8) & 0xFF),
            static_cast<char>((bits >> 16) & 0xFF), static_cast<char>(bits >> 24)};
}

// The bytes SetRegistryValue writes for a type, or nothing for a type it does not write.
std::optional<std::string> dataFor(std::int32_t lngType, const RegistryVariant& varValue) {
    switch (lngType) {
    case Port::kRegSz:
    case Port::kRegExpandSz:
        return toText(varValue) + '\0';
    case Port::kRegBinary:
        return toText(varValue);
    case Port::kRegDword:
        return littleEndian(toLong(varValue));
    case Port::kRegMultiSz:
        return joinedList(toList(varValue));
    default:
        return std::nullopt;
    }
}

} // namespace

// A key opened for one call and closed when the call leaves, by whichever path.
class clsSysRegistry::OpenedKey {
  public:
    explicit OpenedKey(RegistryPort& registry) : registry_(registry) {}
    ~OpenedKey() {
        if (isOpen_)
            registry_.closeKey(key_);
    }
    OpenedKey(const OpenedKey&) = delete;
    OpenedKey& operator=(const OpenedKey&) = delete;

    Port::Status open(std::uint32_t root, const std::string& path, std::uint32_t access) {
        return track(registry_.openKey(root, path.c_str(), 0, access, &key_));
    }

    Port::Status create(std::uint32_t root, const std::string& path, std::uint32_t access) {
        std::uint32_t disposition = 0;
        return track(registry_.createKey(root, path.c_str(), "", Port::kOptionNonVolatile, access,
                                         &key_, &disposition));
    }

    Port::Key handle() const { return key_; }

  private:
    Port::Status track(Port::Status status) {
        isOpen_ = status == Port::kErrorSuccess;
        return status;
    }

    RegistryPort& registry_;
    Port::Key key_ = 0;
    bool isOpen_ = false;
};

clsSysRegistry::clsSysRegistry(RegistryPort& registry, SystemPort& system)
    : registry_(registry), system_(system) {}

bool clsSysRegistry::HasKey(std::uint32_t lngHKEY, const std::string& strKey,
                            const std::optional<std::string>& strValue) {
    return naming("cSysRegistry:HasKey", [&] {
        OpenedKey key(registry_);
        if (key.open(lngHKEY, strKey, kReadAccess) != Port::kErrorSuccess)
            return false;
        if (!strValue)
            return true;
        std::uint32_t size = 0;
        return registry_.queryValue(key.handle(), strValue->c_str(), nullptr, nullptr, &size) ==
               Port::kErrorSuccess;
    });
}

RegistryVariant clsSysRegistry::GetRegistryValue(std::uint32_t lngHKEY, const std::string& strKey,
                                                 const std::string& strValue) {
    return passingErrorsOn("cSysRegistry:GetRegistryValue", [&]() -> RegistryVariant {
        OpenedKey key(registry_);
        const Port::Status opened = key.open(lngHKEY, strKey, kReadAccess);
        if (opened == Port::kErrorFileNotFound)
            return {};
        if (opened != Port::kErrorSuccess)
            raise(opened);
        std::uint32_t type = 0, size = 0;
        const Port::Status queried =
            registry_.queryValue(key.handle(), strValue.c_str(), &type, nullptr, &size);
        if (queried == Port::kErrorFileNotFound)
            return {};
        if (queried != Port::kErrorSuccess)
            raise(queried);
        return readValue(key, strValue, type, size);
    });
}

RegistryVariant clsSysRegistry::readValue(const OpenedKey& key, const std::string& strValue,
                                          std::uint32_t type, std::uint32_t size) {
    switch (type) {
    case Port::kRegSz:
        return withoutTerminator(readBytes(key, strValue, size));
    case Port::kRegExpandSz:
        return ExpandString(withoutTerminator(readBytes(key, strValue, size)));
    case Port::kRegBinary:
        return readBytes(key, strValue, size);
    case Port::kRegDword:
        return readDword(key, strValue);
    case Port::kRegMultiSz:
        return listFrom(readBytes(key, strValue, size));
    default:
        return {};
    }
}

std::string clsSysRegistry::readBytes(const OpenedKey& key, const std::string& strValue,
                                      std::uint32_t size) {
    std::string bytes(size, '\0');
    std::uint32_t read = size;
    const Port::Status status =
        registry_.queryValue(key.handle(), strValue.c_str(), nullptr,
                             reinterpret_cast<std::uint8_t*>(bytes.data()), &read);
    if (status != Port::kErrorSuccess)
        raise(status);
    bytes.resize(std::min(read, size));
    return bytes;
}

// Fewer than 4 stored bytes fill the low bytes of the number; more are a failed read.
RegistryVariant clsSysRegistry::readDword(const OpenedKey& key, const std::string& strValue) {
    std::array<std::uint8_t, 4> bytes{};
    std::uint32_t read = bytes.size();
    const Port::Status status =
        registry_.queryValue(key.handle(), strValue.c_str(), nullptr, bytes.data(), &read);
    if (status != Port::kErrorSuccess)
        raise(status);
    const std::uint32_t bits =
        bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
    return static_cast<std::int32_t>(bits);
}

void clsSysRegistry::SetRegistryValue(std::uint32_t lngHKEY, const std::string& strKey,
                                      const std::string& strValueName, std::int32_t lngType,
                                      const RegistryVariant& varValue) {
    passingErrorsOn("cSysRegistry:SetRegistryValue", [&] {
        OpenedKey key(registry_);
        Port::Status status = key.open(lngHKEY, strKey, kWriteAccess);
        if (status == Port::kErrorFileNotFound)
            status = key.create(lngHKEY, strKey, kWriteAccess);
        if (status != Port::kErrorSuccess)
            raise(status);
        const std::optional<std::string> data = dataFor(lngType, varValue);
        if (!data)
            return;
        status = registry_.setValue(key.handle(), strValueName.c_str(),
                                    static_cast<std::uint32_t>(lngType),
                                    reinterpret_cast<const std::uint8_t*>(data->data()),
                                    static_cast<std::uint32_t>(data->size()));
        if (status != Port::kErrorSuccess)
            raise(status);
    });
}

void clsSysRegistry::DeleteRegistryValue(std::uint32_t lngHKEY, const std::string& strKey,
                                         const std::string& strValueName) {
    passingErrorsOn("cSysRegistry:DeleteRegistryValue", [&] {
        OpenedKey key(registry_);
        if (key.open(lngHKEY, strKey, kWriteAccess) != Port::kErrorSuccess)
            return;
        const Port::Status status = registry_.deleteValue(key.handle(), strValueName.c_str());
        if (status != Port::kErrorSuccess && status != Port::kErrorFileNotFound)
            raise(status);
    });
}

RegistryVariant clsSysRegistry::EnumKeys(std::uint32_t lngHKEY, const std::string& strKey) {
    return passingErrorsOn("cSysRegistry:EnumKeys", [&]() -> RegistryVariant {
        OpenedKey key(registry_);
        if (key.open(lngHKEY, strKey, kEnumAccess) != Port::kErrorSuccess)
            return {};
        std::uint32_t count = 0, longest = 0;
        Port::Status status =
            registry_.queryInfoKey(key.handle(), &count, &longest, nullptr, nullptr, nullptr);
        if (status != Port::kErrorSuccess)
            raise(status);
        if (count == 0)
            return {};
        RegistryList names;
        for (std::uint32_t index = 0; index < count; ++index) {
            std::string name(longest + 1, '\0');
            std::uint32_t length = longest + 1;
            status = registry_.enumKey(key.handle(), index, name.data(), &length);
            if (status != Port::kErrorSuccess)
                raise(status);
            name.resize(length);
            names.push_back(std::move(name));
        }
        return names;
    });
}

RegistryVariant clsSysRegistry::EnumValues(std::uint32_t lngHKEY, const std::string& strKey) {
    return passingErrorsOn("cSysRegistry:EnumValues", [&]() -> RegistryVariant {
        OpenedKey key(registry_);
        if (key.open(lngHKEY, strKey, kEnumAccess) != Port::kErrorSuccess)
            return {};
        std::uint32_t count = 0, longestName = 0, longestData = 0;
        Port::Status status = registry_.queryInfoKey(key.handle(), nullptr, nullptr, &count,
                                                     &longestName, &longestData);
        if (status != Port::kErrorSuccess)
            raise(status);
        if (count == 0)
            return {};
        RegistryTable rows;
        std::vector<std::uint8_t> data(longestData + 1);
        for (std::uint32_t index = 0; index < count; ++index) {
            std::string name(longestName + 1, '\0');
            std::uint32_t nameLength = longestName + 1, type = 0;
            std::uint32_t dataSize = longestData + 1;
            status = registry_.enumValue(key.handle(), index, name.data(), &nameLength, &type,
                                         data.data(), &dataSize);
            if (status != Port::kErrorSuccess)
                raise(status);
            name.resize(nameLength);
            rows.push_back({std::move(name), std::to_string(type)});
        }
        return rows;
    });
}

void clsSysRegistry::raise(RegistryPort::Status status) {
    throw ServiceError(status, "", GetErrorText(status));
}

std::string clsSysRegistry::ExpandString(const std::string& text) {
    return naming("cSysRegistry:ExpandString", [&] {
        if (text.find('%') == std::string::npos)
            return text;
        std::array<char, 1> probe{};
        const std::uint32_t needed =
            system_.expandEnvironmentStrings(text.c_str(), probe.data(), 0);
        if (needed == 0)
            raise(static_cast<Port::Status>(system_.getLastError()));
        std::string expanded(needed, '\0');
        if (system_.expandEnvironmentStrings(text.c_str(), expanded.data(), needed) == 0)
            raise(static_cast<Port::Status>(system_.getLastError()));
        return expanded.substr(0, expanded.find('\0'));
    });
}

// The system's text without its last character: of the closing "\r\n" the "\r" stays.
std::string clsSysRegistry::GetErrorText(std::int32_t code) {
    std::array<char, 256> text{};
    const std::uint32_t length = system_.formatMessage(
        SystemPort::kFormatMessageFromSystem | SystemPort::kFormatMessageIgnoreInserts,
        static_cast<std::uint32_t>(code), 0, text.data(), text.size());
    if (length == 0)
        throw ServiceError(kErrorNoErrorText, "",
                           "Der Fehlertext zu ReturnCode " + std::to_string(code) +
                               " konnte nicht ermittelt werden.");
    return std::string(text.data(), std::min<std::size_t>(length, text.size()) - 1);
}

} // namespace marlwick
