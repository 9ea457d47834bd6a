// A profile's value lists as the load and the writes must find them, stated for the oracles:
// inside the profile's own record where the file has one that ends (the editor's locator
// defines the record), else from the name's first occurrence anywhere.
#pragma once

#include "editor/grid_map.h"

#include <optional>
#include <string_view>
#include <vector>

namespace fuzz {

// A group's list in a searched text: where it starts, or after a failed search nothing and
// the text that search shows in the boxes.
struct SearchedList {
    std::optional<std::size_t> at;
    std::string_view list;
};

// The name's first occurrence, the group's second and third tag after it in turn, and the
// list up to the first end tag after them.
SearchedList searchFromName(std::string_view text, std::string_view name,
                            const marlwick::ValueGroup& group);

// The profile's own record from its name to its end tag; nothing when the file has no record
// of the profile or it never ends.
std::optional<std::string_view> ownRecordBody(std::string_view text, std::string_view name);

// What a load shows for the group, and whether it read it from the profile's own record.
struct ShownList {
    std::string_view list;
    bool inOwnRecord;
};
ShownList shownList(std::string_view text, std::string_view name,
                    const marlwick::ValueGroup& group);

// The text each of count boxes takes from a "|"-separated list: the text up to the next "|";
// where none follows, nothing, and the search starts again at the list's beginning; the last
// box takes the rest.
std::vector<std::optional<std::string_view>> spreadOverBoxes(std::string_view list, int count);

// The group whose list a load shows in the boxes from firstBox on.
const marlwick::ValueGroup& loadGroupOf(int firstBox);

} // namespace fuzz
