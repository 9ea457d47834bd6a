// The four view modes and what switches them: the mode bar, the level button and the title
// labels.
#pragma once

#include "editor/operations/editor_context.h"

#include <string_view>

namespace marlwick {

inline constexpr std::string_view kVehicleModeCaption =
    "In dieser Einstellung können Anpassungen für das Fahrzeug vorgenommen werden";
inline constexpr std::string_view kSpeedModeCaption =
    "In dieser Einstellung können die Geschwindikeiten für die Zeitberechnung angepasst "
    "werden. Routing ist fix!";
inline constexpr std::string_view kImportModeCaption =
    "Import    Unerwünschtes ein/ausblenden durch Klick auf die Bezeichnungen (Fahrzeug bzw. "
    "Route)";
inline constexpr std::string_view kRouteModeCaption =
    "In dieser Einstellung können Anpassungen für die Route vorgenommen werden";

inline constexpr std::string_view kBasicCaption = "Basic";
inline constexpr std::string_view kExtendedCaption = "Extended";

// Applies the mode that the next view mode names, moves it on and stores it.
void AdvanceViewMode(EditorContext& editor);

// "klick" - 1: how many mode changes bring back the view last shown; none for a "klick"
// outside the four modes.
int storedReplayCount(EditorContext& editor);

// The stored "user": Extended for 1, Basic for anything else.
std::int16_t storedUserLevel(EditorContext& editor);

// Applies count mode changes in a row.
void replayViewModes(EditorContext& editor, int count);

// Sets the next view mode to 1 and replays the stored count, as the file choice does.
void ReplayStoredViewModes(EditorContext& editor);

// Label3(index): in import mode switches the block between import file and target file;
// always reloads.
void TitleLabelClick(EditorContext& editor, int index);

// Command6: Basic and Extended in turn.
void LevelButtonClick(EditorContext& editor);

} // namespace marlwick
