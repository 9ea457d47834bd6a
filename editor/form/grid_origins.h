// Where the text of each value box came from. A write puts into the file only numbers the
// user typed and texts that the last completed load read from the shown profile's own
// record, so it asks here instead of guessing from the text.
#pragma once

#include "editor/form/main_form.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>

namespace marlwick {

enum class BoxOrigin : std::uint8_t {
    Unknown, // left from before the last load, or put there by no load of the profile's own
    Loaded,  // the last load (or write) put there one value of the profile's own list
    Typed,   // the user typed it, or a routing speed moved it
    // The load computed it from the values it read (a factor that speed mode keeps in step):
    // written as typed, but nothing the user would lose on closing.
    Computed,
};

// A value list as the last load read it from the profile's own record.
struct LoadedList {
    std::string caption; // the title caption the load was for
    bool fromImport = false;
    std::string list; // as its file holds it
};

struct GridOrigins {
    std::array<BoxOrigin, kValueBoxCount> boxes{};
    std::map<int, LoadedList> lists; // by the group's first box
};

// Some box holds a value that no write or load has taken up since it was typed.
inline bool holdsTypedValues(const GridOrigins& origins) {
    return std::ranges::find(origins.boxes, BoxOrigin::Typed) != origins.boxes.end();
}

} // namespace marlwick
