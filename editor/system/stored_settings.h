// The editor's settings in the current user's registry: where they live and what each holds.
#pragma once

#include "services/registry_port.h"

#include <cstdint>
#include <string_view>

namespace marlwick::stored {

inline constexpr std::uint32_t kRoot = RegistryPort::kHkeyCurrentUser;
inline constexpr std::string_view kKey = "Software\\Marlwick\\";
// Every value is written as an expandable string, numbers and truth values as their text.
inline constexpr std::uint32_t kValueType = RegistryPort::kRegExpandSz;

// A value that does not exist reads as empty.
inline constexpr std::string_view kPfad = "pfad";             // target path, maybe quoted
inline constexpr std::string_view kImportpfad = "importpfad"; // import path
inline constexpr std::string_view kKlick = "klick";           // next view mode, 1 to 4
inline constexpr std::string_view kUser = "user";             // 1 Extended, else Basic
inline constexpr std::string_view kImport = "import";         // import mode shown; never read
inline constexpr std::string_view kFahrzeug = "fahrzeug";     // caption of the vehicle button
inline constexpr std::string_view kRoute = "route";           // caption of the route button

} // namespace marlwick::stored
