#include "editor/main_window_events.h"
#include "editor/value_grid.h"

namespace marlwick {

void onFocusGained(MainWindowModel& model, ControlId box) {
    if (box.array == ControlArray::Text1 || box.array == ControlArray::Text3)
        enterBox(control(model.form, box));
}

void onFocusLost(MainWindowModel& model, ControlId box) {
    if (box.array == ControlArray::Text1)
        leaveValueBox(model, box.index);
    else if (box.array == ControlArray::Text3)
        leaveRoutingSpeedBox(model, box.index);
}

void onTextTyped(MainWindowModel& model, ControlId box, std::string_view text) {
    Control& typedInto = control(model.form, box);
    if (typedInto.kind == ControlKind::TextBox)
        typedInto.text = text;
}

void onClick(MainWindowModel&, ControlId clicked) {
    // Each button and title label has its operation here; those not listed do nothing yet.
    switch (clicked.array) {
    case ControlArray::Command1: // choose a vehicle (0 to 4) or a route (5 to 8)
    case ControlArray::Command2: // write the vehicle (0) or route (1) values back
    case ControlArray::Command3: // choose the target (0) or import (1) file
    case ControlArray::Command4: // the mode bar: apply the next view mode
    case ControlArray::Command5: // eject the medium that holds the target file
    case ControlArray::Command6: // switch the user level
    case ControlArray::Command7: // take over the whole routing section
    case ControlArray::Label3:   // a title: in import mode switch its block, then reload
    default:
        break;
    }
}

} // namespace marlwick
