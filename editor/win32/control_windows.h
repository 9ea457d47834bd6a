// The real child windows behind the form model's controls, and how a change of the model
// reaches them.
#pragma once

#include "editor/form/main_form.h"
#include "editor/win32/gdi_resources.h"

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace marlwick {

class ControlWindows {
  public:
    // Creates every control of the form as the model has it: boxes and buttons in tab order,
    // then the labels.
    ControlWindows(HWND parent, const MainForm& form, GdiResources& gdi, int dpi);
    ControlWindows(const ControlWindows&) = delete;
    ControlWindows& operator=(const ControlWindows&) = delete;

    HWND handle(ControlId id) const;
    std::optional<ControlId> idOf(HWND window) const;

    // The control as it is on screen now, for drawing; null for windows not of the form.
    const Control* shown(HWND window) const;

    // Carries every difference between the model and the screen over to the screen.
    void mirror(const MainForm& form);

    // The text the user left in a box; it counts as shown, so the mirror keeps the caret.
    std::string acceptTypedText(ControlId box);

    // Where the user left the caret and selection of a box: into the model, counted as shown.
    void takeSelectionFromScreen(ControlId box, MainForm& form);

    // Selects in the box what was last mirrored, again: the mouse button that gave the box
    // the focus places the caret after the focus event.
    void reapplySelection(ControlId box);

    // True while the mirror itself is changing a box's text.
    bool mirroring() const { return mirroring_; }

  private:
    struct Entry {
        HWND window;
        Control shown;
    };

    HWND create(const Control& control, int childId);
    void apply(Entry& entry, const Control& wanted);
    void addTooltip(HWND tool, const std::string& text);
    Entry& entry(ControlId id);
    const Entry* find(HWND window) const;

    HWND parent_;
    GdiResources& gdi_;
    int dpi_;
    HWND tooltip_ = nullptr;
    bool mirroring_ = false;
    std::vector<ControlId> ids_;
    std::vector<Entry> entries_; // same order as ids_
};

} // namespace marlwick
