// Splitting a text at every occurrence of one character, as the registry's lists and the
// dialogs' file-type lists need it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace marlwick {

// The pieces between the separators, empty ones included: "a;;b" gives a, "", b; an empty
// text gives one empty piece.
std::vector<std::string> splitAt(std::string_view text, char separator);

} // namespace marlwick
