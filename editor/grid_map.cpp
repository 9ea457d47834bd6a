#include "editor/grid_map.h"

#include "editor/grid_rows.h"

#include <algorithm>

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

namespace grid {
namespace {

std::string quoted(std::string_view text) {
    return "„" + std::string(text) + "“";
}

// Captions are laid out with runs of blanks; a message names them with single ones.
std::string singleBlanks(std::string_view caption) {
    std::string text(caption);
    const auto end =
        std::unique(text.begin(), text.end(), [](char a, char b) { return a == ' ' && b == ' '; });
    text.erase(end, text.end());
    return text;
}

} // namespace

std::string boxName(int box) {
    const auto row = std::ranges::find_if(
        kValueRows, [box](const ValueRow& candidate) { return candidate.group.shows(box); });
    if (row == kValueRows.end())
        return quoted(kRouteValueCaption);
    const int column = box - row->group.firstBox;
    const std::string caption = quoted(singleBlanks(row->caption));
    if (row->group.count < kRoadClassCount)
        return caption + ", " + std::to_string(column + 1) + ". Wert";
    const RoadClass& road = kRoadClasses[static_cast<std::size_t>(column)];
    return caption + " / " +
           quoted(
               singleBlanks(layout::headedOutsideTowns(*row) ? road.outsideTowns : road.inTowns));
}

} // namespace grid
} // namespace marlwick
