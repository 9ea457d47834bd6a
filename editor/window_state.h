// What the main window keeps besides its controls, for its whole life.
#pragma once

#include <cstdint>
#include <string>

namespace marlwick {

struct WindowState {
    std::string targetPath;          // full path of the file being edited, without quotes
    std::string importPath;          // full path of the file values are taken over from
    std::string temporaryFolderPath; // recorded by every load, used by the eject command
    std::int16_t nextViewMode = 1;   // 1 to 4: the mode the next mode change applies
    std::int16_t userLevel = 0;      // 0 Basic, 1 Extended
    bool importFlag = false;         // true exactly while import mode is shown
    // The registry and dialog objects join here, each created on first use.
};

} // namespace marlwick
