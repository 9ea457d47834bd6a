// Taking over the whole routing section of the import file into the target file.
#pragma once

#include "editor/operations/editor_context.h"

#include <string>
#include <string_view>

namespace marlwick {

// The warning shown before the import, three lines.
inline constexpr std::string_view kImportWarning =
    "!!!Achtung!!!\r\n"
    "Alle Settings für alle Fahrzeuge und Routen werden übernommen\r\n"
    "Alle anderen Einstellung der ApplicationSettings.xml bleiben erhalten";

struct PlannedImport {
    std::string newText;
    std::string refusal; // why nothing may be written; empty when the plan is sound
};

// The target text with the import text's routing section between its own routing tags.
PlannedImport planRoutingImport(std::string_view targetText, std::string_view targetPath,
                                std::string_view importText, std::string_view importPath);

// Replaces the target's routing section by the import file's and shows the profiles anew;
// the file stays as it was, and is not reloaded, when anything is missing or fails. True
// when the target holds the import's section.
bool ImportRouting(EditorContext& editor);

// A click on Command7: asks, and imports on Yes.
void ImportButtonClick(EditorContext& editor);

} // namespace marlwick
