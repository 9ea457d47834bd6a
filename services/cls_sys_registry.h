// The editor's way to the registry: reads, writes, deletes and enumerates values under any
// predefined root, turns the stored types into variants, looks up file types, and keeps the
// settings of one application. Every failure is raised as a ServiceError carrying the
// system's message text; no key stays open after a call, whatever path it leaves by.
#pragma once

#include "services/registry_port.h"
#include "services/registry_variant.h"
#include "services/system_port.h"

#include <cstdint>
#include <optional>
#include <string>

namespace marlwick {

class clsSysRegistry {
  public:
    clsSysRegistry(RegistryPort& registry, SystemPort& system);

    bool HasKey(std::uint32_t lngHKEY, const std::string& strKey,
                const std::optional<std::string>& strValue = std::nullopt);
    RegistryVariant GetRegistryValue(std::uint32_t lngHKEY, const std::string& strKey,
                                     const std::string& strValue);
    void SetRegistryValue(std::uint32_t lngHKEY, const std::string& strKey,
                          const std::string& strValueName, std::int32_t lngType,
                          const RegistryVariant& varValue);
    void DeleteRegistryValue(std::uint32_t lngHKEY, const std::string& strKey,
                             const std::string& strValueName);
    // Empty, or the subkeys' names in the registry's order.
    RegistryVariant EnumKeys(std::uint32_t lngHKEY, const std::string& strKey);
    // Empty, or one row per value: its name and its type code as decimal text.
    RegistryVariant EnumValues(std::uint32_t lngHKEY, const std::string& strKey);

    // File types under HKEY_CLASSES_ROOT; the extension comes without its dot.
    std::string ExtensionToContentType(const std::string& strExtension);
    RegistryVariant ExtensionToFileType(const std::string& strExtension);
    // The icon of a file by its type's registration; 0 when none. The caller owns it.
    SystemPort::IconHandle FileToIconHandle(const std::string& strFile, std::int32_t iIcon = 0);

    void AppName(const std::string& NewAppName) { appName_ = NewAppName; }
    void Section(const std::string& NewSection) { section_ = NewSection; }
    const std::string& Section() const { return section_; }
    void DataType(std::int32_t NewDataType) { dataType_ = NewDataType; }

    // The settings layer, under HKEY_CURRENT_USER "Software\<AppName>\<Section>".
    void SaveSetting(const std::string& ValueName, const RegistryVariant& Value);
    RegistryVariant GetSetting(const std::string& ValueName,
                               const RegistryVariant& DefaultValue = {});
    RegistryVariant DeleteSetting(const std::string& ValueName);

  private:
    class OpenedKey;

    [[noreturn]] void raise(RegistryPort::Status status);
    std::string ExpandString(const std::string& text);
    std::string GetErrorText(std::int32_t code);

    RegistryVariant readValue(const OpenedKey& key, const std::string& strValue, std::uint32_t type,
                              std::uint32_t size);
    RegistryVariant readDword(const OpenedKey& key, const std::string& strValue);
    std::string readBytes(const OpenedKey& key, const std::string& strValue, std::uint32_t size);
    std::string settingsKey() const;
    std::string defaultText(const std::string& strKey);
    SystemPort::IconHandle iconOf(const std::string& strFile, std::int32_t iIcon);

    RegistryPort& registry_;
    SystemPort& system_;
    std::string appName_;
    std::string section_;
    std::int32_t dataType_ = 0;
};

} // namespace marlwick
