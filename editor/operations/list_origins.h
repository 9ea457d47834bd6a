// What a load notes about the lists it shows, and what a write may put into a list by where
// its boxes' texts came from.
#pragma once

#include "editor/document/grid_map.h"
#include "editor/form/main_window_model.h"

#include <string>
#include <string_view>

namespace marlwick {

// The load showed the group's list, read from the profile's own record of the target or,
// when fromImport, of the import file. A box that shows no value of the list at its own
// place (a placeholder, or the rest of a longer list) is noted as no loaded value.
void noteLoadedList(MainWindowModel& model, const ValueGroup& group, std::string_view list,
                    bool fromImport);

// A box of the group holds a value the user typed, a routing speed moved or a load computed.
bool holdsTypedValue(const MainWindowModel& model, const ValueGroup& group);

struct ListToWrite {
    enum class Problem { None, NotANumber, NotLoaded, HoldsTag, ChangedSinceLoad, NotOneValue };
    Problem problem = Problem::None;
    int box = 0; // the first box with the problem
    std::string list;
    std::size_t valuesInFile = 0; // with NotOneValue: how many values the loaded list holds
};

// The list a write puts in place of the list inFile, which the file read for the write holds as
// asRead. A list the user typed nothing into stays as the target holds it now, or takes the
// import file's list as loaded. A list typed into is the loaded list with exactly the typed
// values replaced, and only while the target still holds the list as loaded. A list brought in from
// another file holds numbers only. A change that would bring a "<" into the file or take one out is
// refused too: it could move what a later list's search finds.
ListToWrite listToWrite(const MainWindowModel& model, const ValueGroup& group,
                        std::string_view inFile, std::string_view asRead);

} // namespace marlwick
