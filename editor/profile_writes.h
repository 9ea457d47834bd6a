// Writing the grid's vehicle or route values back into the target file: the file is read
// afresh, the profile's lists are replaced one after the other, the changed part is shown
// for confirmation, and only a Yes replaces the file.
#pragma once

#include "editor/editor_context.h"

#include <string>
#include <string_view>

namespace marlwick {

inline constexpr std::string_view kConfirmationHeader = "Folgende Änderungen werden übernommen\r\n";

struct PlannedWrite {
    std::string newText;
    std::string excerpt;
    std::string refusal; // why nothing may be written; empty when the plan is sound
};

// The new file text and the confirmation excerpt for the current vehicle or route, built
// from the file's text and the value boxes as they stand.
PlannedWrite planVehicleWrite(const MainWindowModel& model, std::string_view fileText);
PlannedWrite planRouteWrite(const MainWindowModel& model, std::string_view fileText);

void WriteVehicleValues(EditorContext& editor);
void WriteRouteValues(EditorContext& editor);

} // namespace marlwick
