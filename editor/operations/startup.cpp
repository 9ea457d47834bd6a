#include "editor/operations/startup.h"

#include "editor/document/grid_map.h"
#include "editor/document/settings_document.h"
#include "editor/form/value_grid.h"
#include "editor/operations/profile_loading.h"
#include "editor/operations/view_modes.h"
#include "editor/system/stored_settings.h"
#include "editor/system/stored_values.h"

namespace marlwick {
namespace {

std::string orDefault(std::string caption, std::string_view fallback) {
    return caption.empty() ? std::string(fallback) : caption;
}

} // namespace

void RunStartup(EditorContext& editor, const std::string& commandLine) {
    MainWindowModel& model = editor.model;
    WindowState& state = model.state;

    int replayCount = 0;
    if (!commandLine.empty())
        storeText(editor.registry, stored::kPfad, commandLine);
    else
        replayCount = storedReplayCount(editor);

    state.targetPath = withoutQuotes(readStoredText(editor.registry, stored::kPfad));
    state.importPath = withoutQuotes(readStoredText(editor.registry, stored::kImportpfad));

    state.userLevel = storedUserLevel(editor);
    if (state.userLevel == user_level::kExtended)
        model.form.command6.text = std::string(kExtendedCaption);

    for (int i = grid::kVehicleBlock.first; i <= grid::kVehicleBlock.last; ++i)
        disableBox(model.form.text1[static_cast<std::size_t>(i)]);

    model.form.label3[0].text =
        orDefault(readStoredText(editor.registry, stored::kFahrzeug), kDefaultVehicleCaption);
    model.form.label3[1].text =
        orDefault(readStoredText(editor.registry, stored::kRoute), kDefaultRouteCaption);

    state.nextViewMode = view_mode::kVehicle;
    replayViewModes(editor, replayCount);

    ClearValueBoxes(model);
    LoadProfiles(editor);
}

} // namespace marlwick
