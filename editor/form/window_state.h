// What the main window keeps besides its controls, for its whole life.
#pragma once

#include <cstdint>
#include <string>

namespace marlwick {

// The view modes, numbered as "klick" stores the next one.
namespace view_mode {
inline constexpr std::int16_t kVehicle = 1;
inline constexpr std::int16_t kSpeed = 2;
inline constexpr std::int16_t kImport = 3;
inline constexpr std::int16_t kRoute = 4;
// After the route mode the cycle starts again.
inline constexpr std::int16_t kPastLast = kRoute + 1;
// The next view mode while speed mode is on screen: the routing speeds then stay fixed.
inline constexpr std::int16_t kNextWhileSpeedModeShown = kImport;
} // namespace view_mode

// The user levels, numbered as "user" stores them.
namespace user_level {
inline constexpr std::int16_t kBasic = 0;
inline constexpr std::int16_t kExtended = 1;
} // namespace user_level

struct WindowState {
    std::string targetPath;          // full path of the file being edited, without quotes
    std::string importPath;          // full path of the file values are taken over from
    std::string temporaryFolderPath; // recorded by every load, used by the eject command
    std::int16_t nextViewMode = view_mode::kVehicle; // the mode the next mode change applies
    std::int16_t userLevel = user_level::kBasic;
    bool importFlag = false; // true exactly while import mode is shown
};

} // namespace marlwick
