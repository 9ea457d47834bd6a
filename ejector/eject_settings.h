// The eject tool's six settings, with their defaults, and their place in the current user's
// registry. Nothing here reports a failure: missing values give defaults, a key that cannot be
// written is passed over.
#pragma once

#include "ejector/eject_engine.h"
#include "services/registry_port.h"

#include <cstdint>

namespace vandrel {

// What EjectOnClick holds: which click on the icon ejects.
namespace eject_on_click {
inline constexpr std::int32_t kNone = 0;
inline constexpr std::int32_t kSingleClick = 1; // the press of the button
inline constexpr std::int32_t kDoubleClick = 2;
} // namespace eject_on_click

struct EjectSettings {
    std::int32_t ShowIcon = 1;
    std::int32_t CheckForMedia = 1;
    std::int32_t EjectOnShutdown = 1;
    std::int32_t EjectOnClick = eject_on_click::kDoubleClick;
    DriveMask ShutdownDrives = kAllDrives;
    DriveMask IconClickDrives = kAllDrives;

    bool operator==(const EjectSettings&) const = default;
};

// Under HKEY_CURRENT_USER.
extern const char kSettingsKey[];

// Each value read gives at most 4 bytes, whatever its type; a value that is missing or longer
// keeps its default, and without the key every setting has its default.
void LoadSettings(marlwick::RegistryPort& registry, EjectSettings& settings);
// Six REG_DWORD values; a key that cannot be created or opened is passed over silently.
void SaveSettings(marlwick::RegistryPort& registry, const EjectSettings& settings);

} // namespace vandrel
