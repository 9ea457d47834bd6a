// The German messages with which a write or an import refuses or reports a failure. Each
// says what happened to the file.
#pragma once

#include "editor/settings_document.h"
#include "editor/settings_file.h"

#include <string>
#include <string_view>

namespace marlwick::messages {

std::string fileUnreadable(std::string_view path);
// A file that the load finds but cannot read.
std::string fileLocked(std::string_view path);
std::string noProfileName(std::string_view caption);
// A search for one of the profile's lists failed: names the tag that is missing.
std::string groupNotFound(std::string_view profileName, const ValueGroup& group,
                          const ZerlegeResult& failed);
std::string excerptTagMissing(std::string_view profileName, std::string_view tag);
std::string routingTagMissing(std::string_view path, std::string_view tag);
// Empty for a replacement that succeeded.
std::string replaceFailure(std::string_view path, const ReplaceResult& result);

} // namespace marlwick::messages
