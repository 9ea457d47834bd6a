// Windows paths as the editor takes them apart: backslashes only, no normalisation.
#pragma once

#include <string>
#include <string_view>

namespace marlwick {

// Everything before the last backslash; empty for a bare name.
std::string folderOf(std::string_view path);

std::string withoutTrailingBackslash(std::string_view folder);
// The file's name, also after a drive letter alone, as in "E:ApplicationSettings.xml", and
// after a forward slash.
std::string_view fileNameOf(std::string_view path);

} // namespace marlwick
