// Writing the grid's vehicle or route values back into the target file: the file is read
// afresh, the profile's lists are replaced one after the other, the changed part is shown
// for confirmation, and only a Yes replaces the file.
#pragma once

#include "editor/document/grid_map.h"
#include "editor/operations/editor_context.h"

#include <array>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace marlwick {

inline constexpr std::string_view kConfirmationHeader = "Folgende Änderungen werden übernommen\r\n";

// The file's text changes only inside the profile's record, so the plan keeps that record
// alone and the new text is the old one around it.
struct PlannedWrite {
    std::size_t recordStart = 0; // where the record lies in the file's text
    std::size_t recordEnd = 0;
    std::string record; // the record as the write makes it
    std::string excerpt;
    std::string refusal; // why nothing may be written; empty when the plan is sound
    // The lists that take typed values, as written.
    std::vector<std::pair<ValueGroup, std::string>> typedLists;

    std::array<std::string_view, 3> newText(std::string_view oldText) const {
        return {oldText.substr(0, recordStart), record, oldText.substr(recordEnd)};
    }
};

// The new file text and the confirmation excerpt for the current vehicle or route, built
// from the file's text and the value boxes as they stand.
PlannedWrite planVehicleWrite(const MainWindowModel& model, std::string_view fileText);
PlannedWrite planRouteWrite(const MainWindowModel& model, std::string_view fileText);

void WriteVehicleValues(EditorContext& editor);
void WriteRouteValues(EditorContext& editor);

} // namespace marlwick
