#include "editor/operations/editor_context.h"

namespace marlwick {

void tell(EditorContext& editor, const std::string& text) {
    editor.host.messageBox(text, std::string(kProgramName), EditorHost::kMbOk);
}

bool askYesNo(EditorContext& editor, const std::string& text) {
    return editor.host.messageBox(text, std::string(kProgramName),
                                  EditorHost::kMbYesNo | EditorHost::kMbDefButton1) ==
           EditorHost::kIdYes;
}

} // namespace marlwick
