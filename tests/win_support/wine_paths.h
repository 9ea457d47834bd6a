// Where Wine keeps a Windows path on the Unix side and back, and where this build tree's
// programs lie, for the tests that hand paths to Unix programs, to Wine's own drive
// configuration, or start the programs under test.
#pragma once

#include <windows.h>

#include <algorithm>
#include <stdexcept>
#include <string>

namespace wintest {

inline std::string unixPathOf(const std::string& windowsPath) {
    using UnixNameFunction = char*(__cdecl*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixNameFunction>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName)
        throw std::runtime_error("not running under Wine");
    const std::wstring wide(windowsPath.begin(), windowsPath.end());
    char* name = unixName(wide.c_str());
    std::string result = name ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// "Z:\..." for a Unix path: Wine's drive for the whole Unix tree.
inline std::string windowsPathOf(std::string unixPath) {
    std::ranges::replace(unixPath, '/', '\\');
    return "Z:" + unixPath;
}

// A program built by this tree ("Vandrl.exe"), in its bin folder.
inline std::string builtProgram(const std::string& fileName) {
    return windowsPathOf(MARLWICK_BIN_DIR "/" + fileName);
}

} // namespace wintest
