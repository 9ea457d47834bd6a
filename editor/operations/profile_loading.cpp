#include "editor/operations/profile_loading.h"

#include "editor/document/grid_map.h"
#include "editor/form/value_grid.h"
#include "editor/operations/view_modes.h"
#include "editor/operations/write_messages.h"
#include "editor/system/paths.h"
#include "editor/system/stored_settings.h"
#include "editor/system/stored_values.h"
#include "editor/system/whole_file.h"

#include <optional>

namespace marlwick {
namespace {

constexpr std::string_view kFileTypes = "xml";
constexpr std::string_view kDialogTitle = "ApplicationSettings";

enum class Found { Text, Missing, Unreadable };

// Reads the file into text. A missing file starts the file choice; one that is there but
// cannot be read (locked, no permission) is reported instead, since choosing it again would
// end in the same place for as long as the user cancels.
Found readSettings(EditorContext& editor, const std::string& path, std::string& text) {
    if (!fileExists(editor.files, path))
        return Found::Missing;
    auto read = readWholeFile(editor.files, path);
    if (!read) {
        ClearValueBoxes(editor.model);
        // The file is the right one, only locked: its path stays in view.
        editor.model.form.label4[0].text = editor.model.state.targetPath;
        tell(editor, messages::fileLocked(path));
        return Found::Unreadable;
    }
    text = std::move(*read);
    return Found::Text;
}

std::string profileName(const MainWindowModel& model, ProfileKind kind,
                        const std::string& storedCaption) {
    const std::string& caption = model.form.label3[grid::titleOf(kind)].text;
    return std::string(profileNameForCaption(kind, caption).value_or(storedCaption));
}

} // namespace

void ShowProfileLists(MainWindowModel& model, std::string_view targetText,
                      std::string_view importText, const std::string& vehicleName,
                      const std::string& routeName) {
    for (const ValueGroup& group : kLoadOrder) {
        const std::string_view source =
            GroupSourceText(model, targetText, importText, group.firstBox);
        const std::string& name = group.kind == ProfileKind::Vehicle ? vehicleName : routeName;
        const FoundList found = findProfileList(source, name, group);
        if (group.count == 1)
            model.form.text1[static_cast<std::size_t>(group.firstBox)].text = found.list;
        else
            ListToBoxes(model, found.list, group.firstBox, group.count);
        if (found.inOwnRecord)
            noteLoadedList(model, group, found.list, GroupFromImport(model, group.firstBox));
    }
}

void LoadProfiles(EditorContext& editor) {
    MainWindowModel& model = editor.model;
    WindowState& state = model.state;
    forgetOrigins(model);
    ClearValueBoxes(model);
    const std::string storedVehicle = readStoredText(editor.registry, stored::kFahrzeug);
    const std::string storedRoute = readStoredText(editor.registry, stored::kRoute);
    state.temporaryFolderPath = withoutTrailingBackslash(temporaryFolder(editor.files));
    model.form.label4[0].text = state.targetPath;
    model.form.label4[1].text = state.importPath;

    std::string targetText;
    if (const Found found = readSettings(editor, state.targetPath, targetText);
        found != Found::Text) {
        if (found == Found::Missing)
            ChooseFile(editor, 0);
        return;
    }
    std::string importText;
    if (state.importFlag) {
        if (const Found found = readSettings(editor, state.importPath, importText);
            found != Found::Text) {
            if (found == Found::Missing)
                ChooseFile(editor, 1);
            return;
        }
    }
    ShowProfileLists(model, targetText, importText,
                     profileName(model, ProfileKind::Vehicle, storedVehicle),
                     profileName(model, ProfileKind::Route, storedRoute));
    RecomputeRoutingSpeeds(model);
    markTypedAsComputed(model);
}

void ChooseFile(EditorContext& editor, int which) {
    WindowState& state = editor.model.state;
    const bool importFile = which != 0 && state.importFlag;
    std::string& path = importFile ? state.importPath : state.targetPath;
    const std::string remembered = path;

    std::string chosen = editor.dialogs.GetOpenFileName(
        remembered, std::string(kProposedFileName), std::string(kFileTypes),
        std::string(kDialogTitle), editor.ownerWindow);
    if (chosen == kProposedFileName)
        chosen = remembered;
    path = chosen;

    if (!fileExists(editor.files, path)) {
        ClearValueBoxes(editor.model);
        return;
    }
    storeText(editor.registry, importFile ? stored::kImportpfad : stored::kPfad, path);
    ReplayStoredViewModes(editor);
    LoadProfiles(editor);
}

} // namespace marlwick
