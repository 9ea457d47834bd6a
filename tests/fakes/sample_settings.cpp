#include "tests/fakes/sample_settings.h"

#include "editor/document/grid_map.h"
#include "editor/operations/profile_loading.h"

#include <fstream>
#include <iterator>
#include <stdexcept>

namespace marlwick::fakes {

std::string sampleSettingsText() {
    std::ifstream in(MARLWICK_EXAMPLES_DIR "/ApplicationSettings.xml", std::ios::binary);
    if (!in)
        throw std::runtime_error("sample settings file not found");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void showProfiles(MainWindowModel& model, const std::string& text) {
    const auto nameOf = [&](ProfileKind kind) {
        const std::string& caption = model.form.label3[grid::titleOf(kind)].text;
        return std::string(profileNameForCaption(kind, caption).value_or(caption));
    };
    forgetOrigins(model);
    ShowProfileLists(model, text, text, nameOf(ProfileKind::Vehicle), nameOf(ProfileKind::Route));
}

} // namespace marlwick::fakes
