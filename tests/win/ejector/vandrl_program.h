// Where the Windows tests find the eject tool built beside them, and its resources.
#pragma once

#include <windows.h>

#include <string>

namespace vandrel {

// bin/Vandrl.exe of this build tree.
inline std::string VandrlPath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path);
    folder.resize(folder.find_last_of('\\'));     // tests
    folder.resize(folder.find_last_of('\\') + 1); // the build tree
    return folder + "bin\\Vandrl.exe";
}

// The program's resources (page templates, icons), loaded without running it.
inline HINSTANCE VandrlResources() {
    static const HMODULE module = LoadLibraryExA(
        VandrlPath().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    return module;
}

} // namespace vandrel
