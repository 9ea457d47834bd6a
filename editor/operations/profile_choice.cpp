#include "editor/operations/profile_choice.h"

#include "editor/document/grid_map.h"
#include "editor/operations/profile_loading.h"
#include "editor/system/stored_settings.h"
#include "editor/system/stored_values.h"

namespace marlwick {

void ChoiceButtonClick(EditorContext& editor, int index) {
    MainForm& form = editor.model.form;
    const std::string& caption = form.command1.at(static_cast<std::size_t>(index)).text;
    form.label3[grid::titleOf(kProfiles.at(static_cast<std::size_t>(index)).kind)].text = caption;
    storeText(editor.registry, stored::kFahrzeug, form.label3[0].text);
    storeText(editor.registry, stored::kRoute, form.label3[1].text);
    LoadProfiles(editor);
}

} // namespace marlwick
