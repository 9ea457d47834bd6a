// The texts the dialogs class exchanges with the dialogs: the file-type filter and the cut of
// a returned buffer at its first NUL.
#pragma once

#include "services/cls_sys_registry.h"

#include <string>
#include <string_view>

namespace marlwick {

// The filter for a ";"-separated list of file types: an entry with a "." is its own
// description and pattern; a bare extension e is described by its registered type name and
// " (*.e)" and has the pattern "*.e". Each text ends in a NUL, two or more entries get one
// NUL more; as a NUL-terminated string the filter thus ends in two NULs.
std::string ComposeFileFilter(clsSysRegistry& registry, const std::string& FileTypes);

// The part of s before its first NUL, or s when it holds none.
std::string ClearAPIString(std::string_view s);

} // namespace marlwick
