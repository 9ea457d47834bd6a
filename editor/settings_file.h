// Reading and writing a settings file whole, as raw bytes: no code-page conversion, no
// line-end change, nothing added.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marlwick {

// The file's whole content, or nothing when it cannot be opened or read.
std::optional<std::string> readWholeFile(const std::string& path);

// Creates or truncates the file and writes the text in one piece; false on any failure.
bool writeWholeFile(const std::string& path, std::string_view text);

} // namespace marlwick
