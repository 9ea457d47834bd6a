// The system's own words for an error code, as FormatMessageA gives them.
#pragma once

#include "services/system_port.h"

#include <cstdint>
#include <string>

namespace marlwick {

// The text without its closing line end and blanks; empty when the system has none.
std::string systemErrorText(SystemPort& system, std::uint32_t code);

} // namespace marlwick
