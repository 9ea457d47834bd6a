// Whether Windows starts the eject tool when the user logs on: the value "Vandrl" under the
// current user's Run key, holding the quoted full path of the program. Like the settings,
// nothing here reports a failure.
#pragma once

#include "services/registry_port.h"

#include <string>

namespace vandrel {

// Under HKEY_CURRENT_USER.
extern const char kRunKey[];
extern const char kRunValueName[];

// This program as the Run key names it.
struct RunEntry {
    marlwick::RegistryPort& registry;
    std::string programPath; // the running program's full path, unquoted
};

// True only when the value exists and names this program (its path compared without regard
// to case, quotes or none); a value naming another copy does not count.
bool StartsWithWindows(const RunEntry& entry);
// Writes the value, or removes it where it names this program: another copy's value stays
// unless it is replaced by this one. A failed write leaves the value as it was.
void SetStartWithWindows(const RunEntry& entry, bool start);

} // namespace vandrel
