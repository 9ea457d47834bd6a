// Where what the user does in the main window meets the editor's operations. The Win32
// window turns its messages into these calls, then shows the model as it now stands. The
// operations catch nothing: an error passes through to the window, which reports it.
#pragma once

#include "editor/form/main_window_model.h"
#include "editor/operations/editor_context.h"

#include <string_view>

namespace marlwick {

// A text box received the input focus.
void onFocusGained(MainWindowModel& model, ControlId box);

// A text box lost the focus to another control of the window.
void onFocusLost(MainWindowModel& model, ControlId box);

// The user changed a text box's text.
void onTextTyped(MainWindowModel& model, ControlId box, std::string_view text);

// A button or a title label was clicked: runs its operation.
void onClick(EditorContext& editor, ControlId clicked);

// The user asked to close the window; true when it may close. Typed values that no write or
// load has taken up are discarded only when the user answers Yes.
bool onCloseAsked(EditorContext& editor);

} // namespace marlwick
