// How the user starts the way back to a backup: the window's system menu item and the
// open-file dialog it shows. Free of the editor's other headers, so that a program that
// drives the window by its messages can name them too.
#pragma once

#include <cstdint>
#include <string_view>

namespace marlwick {

inline constexpr std::string_view kRestoreMenuText = "Sicherung zurückholen …";
// A command of the system menu lies below 0xF000 and leaves its low four bits to the system.
inline constexpr std::uint32_t kRestoreMenuCommand = 0x0110;
inline constexpr std::string_view kRestoreDialogTitle = "Sicherung zurückholen";

} // namespace marlwick
