// The second floor of the editor's start-up benchmark: the editor's own main window, built by
// the editor's own code from its layout (every control with its class, style, place, font and
// tooltip, the icon and the manifest), shown with the first box holding the command line.
// No registry, no file, no loading: what the editor adds to this is its start-up.
#include "editor/form/main_window_model.h"
#include "editor/win32/main_window.h"

#include <windows.h>

#include <algorithm>

namespace {

// The box the benchmark's driver reads: the first one created, which is the first text box
// of allControls().
marlwick::Control& firstBox(marlwick::MainForm& form) {
    const auto ids = marlwick::allControls();
    const auto box = std::ranges::find_if(ids, [&](marlwick::ControlId id) {
        return marlwick::control(form, id).kind == marlwick::ControlKind::TextBox;
    });
    return marlwick::control(form, *box);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showCommand) {
    marlwick::MainWindowModel model;
    firstBox(model.form).text = commandLine;
    marlwick::MainWindow window(instance, std::move(model), {.firstShowCommand = showCommand});
    return window.showAndRunMessageLoop();
}
