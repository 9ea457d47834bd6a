// The editor's main window as the operations see it: its controls and its state. The one
// truth about the window; the Win32 window shows it and feeds the user's actions into it.
#pragma once

#include "editor/form/main_form.h"
#include "editor/form/provenance.h"
#include "editor/form/window_state.h"

#include <string>

namespace marlwick {

struct MainWindowModel {
    MainForm form = makeMainForm();
    WindowState state;
    GridOrigins origins;
};

// The title as the window shows it: an asterisk in front while typed values wait for a write.
inline std::string shownTitle(const MainWindowModel& model) {
    const std::string& title = model.form.window.title;
    return holdsTypedValues(model.origins) ? "*" + title : title;
}

} // namespace marlwick
