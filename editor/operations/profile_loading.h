// Filling the grid from the target file (and in import mode the import file), and the file
// choice that names those files.
#pragma once

#include "editor/operations/editor_context.h"

#include <string>
#include <string_view>

namespace marlwick {

// What the open-file dialog proposes; it gives it back unchanged when cancelled.
inline constexpr std::string_view kProposedFileName = "ApplicationSettings.xml";

// Shows each group's list of the two profiles, from the import text where GroupFromImport
// says so, and notes which lists came from their profile's own record.
void ShowProfileLists(MainWindowModel& model, std::string_view targetText,
                      std::string_view importText, const std::string& vehicleName,
                      const std::string& routeName);

// Shows the current vehicle and route profiles. A missing file starts the file choice,
// which loads again by itself when it finds one.
void LoadProfiles(EditorContext& editor);

// Asks for the target file (which 0, or the import file while not in import mode) or the
// import file; stores a path that exists, restores the view and loads.
void ChooseFile(EditorContext& editor, int which);

} // namespace marlwick
