#include "editor/grid_map.h"

#include "editor/settings_document.h"

#include <algorithm>

namespace marlwick::grid {
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
    const auto row = std::ranges::find_if(kValueRows, [box](const ValueRow& candidate) {
        return box >= candidate.firstBox && box < candidate.firstBox + candidate.columns;
    });
    if (row == kValueRows.end())
        return quoted(kRouteValueCaption);
    const int column = box - row->firstBox;
    const std::string caption = quoted(singleBlanks(row->caption));
    if (row->columns < static_cast<int>(kRoadClasses.size()))
        return caption + ", " + std::to_string(column + 1) + ". Wert";
    const RoadClass& road = kRoadClasses[static_cast<std::size_t>(column)];
    return caption + " / " +
           quoted(singleBlanks(row->outsideTowns ? road.outsideTowns : road.inTowns));
}

} // namespace marlwick::grid
