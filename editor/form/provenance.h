// Where the text of each value box came from. A write puts into the file only numbers the
// user typed and texts that the last completed load read from the shown profile's own
// record, so it asks here instead of guessing from the text. Only the operations below change
// the origins.
#pragma once

#include "editor/form/main_form.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

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

// The model holds the origins; the operations only refer to it.
struct MainWindowModel;
struct ValueGroup;

// The user typed into value box Text1(box), or the editor computed its text for them.
void markTyped(MainWindowModel& model, int box);

// A load starts: whatever the boxes keep from before has no known origin until it completes.
void forgetOrigins(MainWindowModel& model);

// The load showed the group's list, read from the profile's own record of the target or,
// when fromImport, of the import file. A box that shows no value of the list at its own
// place (a placeholder, or the rest of a longer list) is noted as no loaded value.
void noteLoadedList(MainWindowModel& model, const ValueGroup& group, std::string_view list,
                    bool fromImport);

// The load ends: nobody typed during it, so what it moved, it computed.
void markTypedAsComputed(MainWindowModel& model);

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
