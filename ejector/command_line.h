// The one-shot mode: the drives named on the command line are ejected and the tool ends.
#pragma once

#include "ejector/eject_device_port.h"

#include <string_view>

namespace vandrel {

// The process command line without the program's own name (quoted or not) and the blanks
// after it.
std::string_view ArgumentText(std::string_view commandLine);

// Tokens split at any of " /;,-": "all" ejects A to Z and ends the walk, "check" turns the
// media test on for later tokens, any other token names a drive by its first character.
// True whenever the text is not empty: the caller then ends the process.
bool ProcessCommandLine(EjectDevicePort& devices, std::string_view arguments);

} // namespace vandrel
