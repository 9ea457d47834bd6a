// What a load notes about the lists it shows, and what a write may put into a list by where
// its boxes' texts came from.
#pragma once

#include "editor/grid_map.h"
#include "editor/main_window_model.h"

#include <string>
#include <string_view>

namespace marlwick {

// The load showed the group's list, read from the profile's own record of the target or,
// when fromImport, of the import file.
void noteLoadedList(MainWindowModel& model, const ValueGroup& group, std::string_view list,
                    bool fromImport);

struct ListToWrite {
    enum class Problem { None, NotANumber, NotLoaded, HoldsTag };
    Problem problem = Problem::None;
    int box = 0; // the first box with the problem
    std::string list;
};

// The list a write puts in place of the file's list inFile. A list the user typed nothing into
// stays as its load's file holds it; one typed into takes the typed numbers and the loaded
// texts of the other boxes. Anything else has no known origin. A change that would bring a
// "<" into the file or take one out is refused too: it could move what a later list's search
// finds.
ListToWrite listToWrite(const MainWindowModel& model, const ValueGroup& group,
                        std::string_view inFile);

} // namespace marlwick
