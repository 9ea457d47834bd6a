// Values the programs store in the current user's registry, read as the tests check them.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace wintest {

// A text value of HKEY_CURRENT_USER\key; empty when it is not there.
std::string storedText(const char* key, const char* name);
// A REG_DWORD value of HKEY_CURRENT_USER\key; nothing when it is not there.
std::optional<DWORD> storedNumber(const char* key, const char* name);

} // namespace wintest
