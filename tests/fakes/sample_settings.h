// The sample settings file of the tree, as tests start from it.
#pragma once

#include "editor/form/main_window_model.h"

#include <string>

namespace marlwick::fakes {

// The bytes of examples/ApplicationSettings.xml.
std::string sampleSettingsText();

// Fills the value boxes with the lists of the model's current vehicle and route profiles,
// as a load of that text shows them, origins included.
void showProfiles(MainWindowModel& model, const std::string& text);

} // namespace marlwick::fakes
