// The editor's main window as plain data: every control that the layout names, the window
// frame, the grid lines and the tab order. The operations change it; the Win32 window only
// mirrors it.
#pragma once

#include "editor/form/form_controls.h"
#include "program_versions.h"

#include <array>
#include <map>
#include <span>
#include <string>
#include <vector>

namespace marlwick {

inline constexpr int kValueBoxCount = 57;        // Text1(0) to Text1(56)
inline constexpr int kRoutingSpeedBoxCount = 16; // Text3(0) to Text3(15)

namespace layout {
inline constexpr int kClientWidth = 11070;
inline constexpr int kClientHeight = 6285;
// The outer height uncovers the two bottom rows only in import mode.
inline constexpr int kOuterHeight = 6690;
inline constexpr int kOuterHeightImport = 7350;
inline constexpr std::array<int, 8> kColumnLeft{1920, 3060, 4200, 5340, 6480, 7620, 8760, 9900};
inline constexpr int kCellWidth = 1095;
inline constexpr int kCellHeight = 285;
} // namespace layout

inline constexpr std::string_view kWindowTitle = "Marlwick " MARLWICK_VERSION_TEXT;

struct WindowFrame {
    std::string title;
    int clientWidth = 0; // twips, as laid out; the width never changes
    int outerHeight = 0; // twips, title bar and borders included
    bool visible = false;
};

struct MainForm {
    WindowFrame window;
    std::map<int, Control> label1; // column headings: 0 to 15, 32 to 39, 48 to 55
    std::array<Control, 11> label2;
    std::array<Control, 2> label3; // vehicle title, route title
    std::array<Control, 2> label4; // target path, import path
    std::array<Control, 2> label5;
    Control label6;
    std::array<Control, kRoutingSpeedBoxCount> label7; // speed labels
    std::array<Control, kValueBoxCount> text1;         // value boxes
    std::array<Control, kRoutingSpeedBoxCount> text3;  // routing-speed boxes
    std::array<Control, 9> command1;                   // vehicle and route buttons
    std::array<Control, 2> command2;                   // apply buttons
    std::array<Control, 2> command3;                   // file buttons
    std::array<Control, 1> command4;                   // mode bar
    Control command5;                                  // eject
    Control command6;                                  // level button
    Control command7;                                  // import everything
};

// The window as laid out, before the start-up has run.
MainForm makeMainForm();

// Throws std::out_of_range for an index the layout does not have.
Control& control(MainForm& form, ControlId id);
const Control& control(const MainForm& form, ControlId id);

// Every control once, text boxes first in tab order, then the buttons, then the labels.
std::vector<ControlId> allControls();

// The order in which Tab moves through the boxes and buttons.
std::span<const ControlId> tabOrder();

// The 60 lines of the grid.
std::span<const Line> gridLines();

// "To enable a box": enabled, then the window-background colour; "to disable": disabled,
// then light grey.
void enableBox(Control& box);
void disableBox(Control& box);

} // namespace marlwick
