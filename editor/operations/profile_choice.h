// The nine choice buttons: a vehicle or a route becomes current, is stored and shown.
#pragma once

#include "editor/operations/editor_context.h"

namespace marlwick {

// Command1(index): 0 to 4 choose the vehicle, 5 to 8 the route.
void ChoiceButtonClick(EditorContext& editor, int index);

} // namespace marlwick
