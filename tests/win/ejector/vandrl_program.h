// The eject tool built beside the Windows tests, and its resources.
#pragma once

#include "tests/win_support/wine_paths.h"

#include <windows.h>

#include <string>

namespace vandrel {

inline std::string VandrlPath() {
    return wintest::builtProgram("Vandrl.exe");
}

// The program's resources (page templates, icons), loaded without running it.
inline HINSTANCE VandrlResources() {
    static const HMODULE module = LoadLibraryExA(
        VandrlPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    return module;
}

} // namespace vandrel
