#include "ejector/eject_settings.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace vandrel {

const char kSettingsKey[] = "Software\\Quillon\\Vandrel";

namespace {

using marlwick::RegistryPort;

// The six values in the order they are read and written.
constexpr std::array<const char*, 6> kValueNames = {"ShowIcon",        "CheckForMedia",
                                                    "EjectOnShutdown", "EjectOnClick",
                                                    "ShutdownDrives",  "IconClickDrives"};

// The settings' 4-byte fields in the order of their names.
std::array<void*, 6> FieldsInOrder(EjectSettings& s) {
    return {&s.ShowIcon,     &s.CheckForMedia,  &s.EjectOnShutdown,
            &s.EjectOnClick, &s.ShutdownDrives, &s.IconClickDrives};
}

constexpr std::uint32_t kFieldSize = 4;
static_assert(sizeof(EjectSettings::ShowIcon) == kFieldSize);
static_assert(sizeof(EjectSettings::ShutdownDrives) == kFieldSize);

// The stored bytes go straight over the field, as many as there are; a failed read (missing,
// or longer than the field) leaves the default in place.
void ReadField(RegistryPort& registry, RegistryPort::Key key, const char* name, void* field) {
    std::array<std::uint8_t, kFieldSize> data{};
    std::uint32_t size = kFieldSize;
    if (registry.queryValue(key, name, nullptr, data.data(), &size) != RegistryPort::kErrorSuccess)
        return;
    std::memcpy(field, data.data(), std::min(size, kFieldSize));
}

} // namespace

void LoadSettings(RegistryPort& registry, EjectSettings& settings) {
    settings = EjectSettings{};
    RegistryPort::Key key = 0;
    if (registry.openKey(RegistryPort::kHkeyCurrentUser, kSettingsKey, 0,
                         RegistryPort::kKeyQueryValue, &key) != RegistryPort::kErrorSuccess)
        return;
    const auto fields = FieldsInOrder(settings);
    for (std::size_t i = 0; i < kValueNames.size(); ++i)
        ReadField(registry, key, kValueNames[i], fields[i]);
    registry.closeKey(key);
}

void SaveSettings(RegistryPort& registry, const EjectSettings& settings) {
    RegistryPort::Key key = 0;
    if (registry.createKey(RegistryPort::kHkeyCurrentUser, kSettingsKey, nullptr,
                           RegistryPort::kOptionNonVolatile, RegistryPort::kKeySetValue, &key,
                           nullptr) != RegistryPort::kErrorSuccess)
        return;
    EjectSettings stored = settings;
    const auto fields = FieldsInOrder(stored);
    for (std::size_t i = 0; i < kValueNames.size(); ++i) {
        registry.setValue(key, kValueNames[i], RegistryPort::kRegDword,
                          static_cast<const std::uint8_t*>(fields[i]), kFieldSize);
    }
    registry.closeKey(key);
}

} // namespace vandrel
