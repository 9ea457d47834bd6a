// The building blocks of the editor's form model: a control as plain data (what it shows,
// where it stands in twips, how it looks) and the names by which the operations address it.
#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <variant>

namespace marlwick {

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Colours that follow the user's colour scheme.
enum class SystemColour {
    WindowBackground, // an enabled text box
    ButtonFace,       // the window's own background, behind plain labels
    ButtonLight,      // the buttons (3-D light)
    GrayText,         // the lines between the two rows of a pair
    WindowText,       // the other lines
};

using Colour = std::variant<SystemColour, Rgb>;

namespace colours {
inline constexpr Rgb kRed{255, 0, 0};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kLightGrey{230, 230, 230}; // a disabled box
} // namespace colours

// Position and size in twips (1/1440 inch), from the top-left corner of the client area.
struct TwipsRect {
    int left;
    int top;
    int width;
    int height;
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// The control arrays of the window; a single control is index 0 of its own name.
enum class ControlArray {
    Label1,
    Label2,
    Label3,
    Label4,
    Label5,
    Label6,
    Label7,
    Text1,
    Text3,
    Command1,
    Command2,
    Command3,
    Command4,
    Command5,
    Command6,
    Command7,
};

struct ControlId {
    ControlArray array;
    int index = 0;
    friend auto operator<=>(const ControlId&, const ControlId&) = default;
};

// "Text1(20)", "Command5": how the layout names a control.
std::string controlName(ControlId id);

enum class ControlKind { Label, TextBox, Button };

enum class FontFace {
    SansSerif,     // "MS Sans Serif", 8.25 point
    WindowDefault, // the window's default font
};

enum class Alignment { Left, Center, Right };

struct Control {
    ControlId id;
    ControlKind kind = ControlKind::Label;
    TwipsRect rect{};
    std::string text; // a label's or button's caption, a box's text
    bool visible = true;
    bool enabled = true;
    Colour background = SystemColour::ButtonFace;
    FontFace font = FontFace::SansSerif;
    bool bold = false;
    Alignment alignment = Alignment::Left;
    std::string tooltip;
    // A text box's selection: first character and number of characters.
    int selectionStart = 0;
    int selectionLength = 0;
    friend bool operator==(const Control&, const Control&) = default;
};

// A straight line of the grid, in twips; the grid lines never change.
struct Line {
    int x1;
    int y1;
    int x2;
    int y2;
    SystemColour colour;
    int widthPixels;
};

} // namespace marlwick
