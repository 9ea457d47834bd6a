// The value grid: what entering and leaving a box does, the routing speeds, and moving value
// lists between the settings text and the value boxes.
#pragma once

#include "editor/form/main_window_model.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace marlwick {

// What a value box shows while no file has been loaded.
inline constexpr std::string_view kPlaceholder = "- - - -";
// Label4(0) after a file choice that found no file.
inline constexpr std::string_view kChooseFileCaption = "Datei auswählen";

// Selects the whole text, so that typing replaces the old value.
void enterBox(Control& box);

// Text1(index) loses the focus: "," becomes "."; factors, specials and the route value get
// ".0" when they hold no "."; then the routing speeds follow.
void leaveValueBox(MainWindowModel& model, int index);

// Text3(k) loses the focus: "." becomes "," and the preference factor of the editable block
// (vehicle when Text1(0) is enabled, route otherwise) moves so that the triple gives the
// typed speed. A speed or partner that cannot be read, or a zero divisor, changes no factor.
void leaveRoutingSpeedBox(MainWindowModel& model, int k);

// Next view mode 3 (speed mode on screen): the vehicle factors follow the routing speeds,
// written until the first failure. Otherwise the routing speeds follow the value boxes, and
// nothing changes when any of the 48 inputs cannot be read or a product overflows.
void RecomputeRoutingSpeeds(MainWindowModel& model);

// A value group is loaded from the import text: the import flag is set and the group's first
// box is enabled.
bool GroupFromImport(const MainWindowModel& model, int firstBox);

// The text a value group is loaded from: the import text when the import flag is set and
// the group's first box is enabled.
std::string_view GroupSourceText(const MainWindowModel& model, std::string_view targetText,
                                 std::string_view importText, int firstBox);

// Outside import mode: every value box shows the placeholder, which no write takes, and
// Label4(0) asks for a file.
void ClearValueBoxes(MainWindowModel& model);

// The text each of count boxes takes from a "|"-separated list, as ListToBoxes spreads it;
// nothing for a box that the list leaves alone.
std::vector<std::optional<std::string_view>> SpreadList(std::string_view list, int count);

// Spreads a "|"-separated list over count boxes from firstBox on, exactly as the list stands:
// a missing separator leaves its box alone and starts the search again at the list's
// beginning; the last box takes the rest. Shows the window first.
void ListToBoxes(MainWindowModel& model, std::string_view list, int firstBox, int count);

// prefix, the texts of count boxes from firstBox on joined by "|", suffix.
std::string BoxesToList(const MainWindowModel& model, std::string_view prefix, int firstBox,
                        std::string_view suffix, int count);

} // namespace marlwick
