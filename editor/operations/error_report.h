// What the main window tells the user about an error that ended an event.
#pragma once

#include <exception>
#include <string>

namespace marlwick {

// A service error shows its Number, Source and Description; any other error its text.
std::string errorReportText(const std::exception& error);

} // namespace marlwick
