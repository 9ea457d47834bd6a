#include "editor/operations/main_window_events.h"
#include "editor/form/value_grid.h"
#include "editor/operations/eject_command.h"
#include "editor/operations/profile_choice.h"
#include "editor/operations/profile_loading.h"
#include "editor/operations/profile_writes.h"
#include "editor/operations/routing_import.h"
#include "editor/operations/view_modes.h"

namespace marlwick {

namespace {
constexpr std::string_view kDiscardTypedValues =
    "Die eingegebenen Werte wurden noch nicht übernommen.\r\nVerwerfen und schließen?";
} // namespace

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
    if (typedInto.kind != ControlKind::TextBox)
        return;
    typedInto.text = text;
    if (box.array == ControlArray::Text1)
        markTyped(model, box.index);
}

void onClick(EditorContext& editor, ControlId clicked) {
    const int index = clicked.index;
    switch (clicked.array) {
    case ControlArray::Command1:
        ChoiceButtonClick(editor, index);
        break;
    case ControlArray::Command2:
        if (index == 0)
            WriteVehicleValues(editor);
        else
            WriteRouteValues(editor);
        break;
    case ControlArray::Command3:
        ChooseFile(editor, index);
        break;
    case ControlArray::Command4:
        AdvanceViewMode(editor);
        break;
    case ControlArray::Command5:
        EjectButtonClick(editor);
        break;
    case ControlArray::Command6:
        LevelButtonClick(editor);
        break;
    case ControlArray::Command7:
        ImportButtonClick(editor);
        break;
    case ControlArray::Label3:
        TitleLabelClick(editor, index);
        break;
    default:
        break;
    }
}

bool onCloseAsked(EditorContext& editor) {
    return !holdsTypedValues(editor.model.origins) ||
           askYesNo(editor, std::string(kDiscardTypedValues));
}

} // namespace marlwick
