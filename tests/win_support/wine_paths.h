// Where Wine keeps a Windows path on the Unix side, for the tests that hand paths to Unix
// programs or to Wine's own drive configuration.
#pragma once

#include <windows.h>

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

} // namespace wintest
