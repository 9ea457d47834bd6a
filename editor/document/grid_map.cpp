#include "editor/document/grid_map.h"

namespace marlwick {

ZerlegeResult locateGroup(std::string_view text, std::string_view profileName,
                          const ValueGroup& group) {
    return zerlege(text, profileName, group.such2, group.such3, group.suchnach1);
}

ZerlegeResult locateGroupInRecord(std::string_view text, const ProfileRecord& record,
                                  std::string_view profileName, const ValueGroup& group) {
    return locateGroup(record.body(text), profileName, group);
}

FoundList findProfileList(std::string_view text, std::string_view profileName,
                          const ValueGroup& group) {
    const auto record = findProfileRecord(text, profileName);
    // A name that no record owns is no profile, whatever alias or comment holds it.
    if (!record)
        return {locateGroup({}, profileName, group)[1], false};
    if (!record->hasEnd())
        return {locateGroup(text.substr(record->start), profileName, group)[1], false};
    const ZerlegeResult parts = locateGroupInRecord(text, *record, profileName, group);
    return {parts[1], !isZerlegeError(parts)};
}

} // namespace marlwick
