// The eject tool's six settings, process-wide, with their defaults.
#pragma once

#include "ejector/eject_engine.h"

#include <cstdint>

namespace vandrel {

struct EjectSettings {
    std::int32_t ShowIcon = 1;
    std::int32_t CheckForMedia = 1;
    std::int32_t EjectOnShutdown = 1;
    // 0: clicking ejects nothing; 1: a single click (the press) ejects; 2: a double click.
    std::int32_t EjectOnClick = 2;
    DriveMask ShutdownDrives = kAllDrives;
    DriveMask IconClickDrives = kAllDrives;

    bool operator==(const EjectSettings&) const = default;
};

} // namespace vandrel
