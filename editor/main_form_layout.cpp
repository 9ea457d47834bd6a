// The main window as laid out: positions in twips, captions, colours, fonts, the grid lines
// and the tab order.
#include "editor/grid_map.h"
#include "editor/main_form.h"
#include "editor/settings_document.h"

#include <string_view>

namespace marlwick {

namespace {

using layout::kCellHeight;
using layout::kCellWidth;
using layout::kColumnLeft;

constexpr int kCaptionLeft = 60;
constexpr int kCaptionWidth = 1785;
constexpr int kTitleWidth = 1815;

TwipsRect cell(int column, int top) {
    return {kColumnLeft[static_cast<std::size_t>(column)], top, kCellWidth, kCellHeight};
}

TwipsRect rowCaption(int top) {
    return {kCaptionLeft, top, kCaptionWidth, kCellHeight};
}

Control placed(ControlArray array, int index, ControlKind kind, TwipsRect rect) {
    Control made;
    made.id = {array, index};
    made.kind = kind;
    made.rect = rect;
    return made;
}

Control label(ControlArray array, int index, TwipsRect rect, std::string_view caption,
              Colour background = SystemColour::ButtonFace) {
    Control made = placed(array, index, ControlKind::Label, rect);
    made.text = caption;
    made.background = background;
    made.bold = true;
    return made;
}

Control textBox(ControlArray array, int index, TwipsRect rect, std::string_view text) {
    Control made = placed(array, index, ControlKind::TextBox, rect);
    made.text = text;
    made.background = SystemColour::WindowBackground;
    made.font = FontFace::WindowDefault;
    return made;
}

Control button(ControlArray array, int index, TwipsRect rect, std::string_view caption) {
    Control made = placed(array, index, ControlKind::Button, rect);
    made.text = caption;
    made.background = SystemColour::ButtonLight;
    made.bold = true;
    return made;
}

constexpr int kRouteValueColumn = 5;
constexpr int kRouteSpecialsTop = 3720;

void layValueRows(MainForm& form) {
    for (const grid::ValueRow& row : grid::kValueRows) {
        form.label2[row.label2] =
            label(ControlArray::Label2, row.label2, rowCaption(row.top), row.caption);
        for (int column = 0; column < row.group.count; ++column) {
            const int box = row.group.firstBox + column;
            form.text1[box] = textBox(ControlArray::Text1, box, cell(column, row.top), "Text1");
        }
    }
    form.label2[grid::kRouteValueLabel2] =
        label(ControlArray::Label2, grid::kRouteValueLabel2, {6510, 3750, 1065, kCellHeight},
              grid::kRouteValueCaption);
    form.text1[grid::kRouteValueBox] = textBox(ControlArray::Text1, grid::kRouteValueBox,
                                               cell(kRouteValueColumn, kRouteSpecialsTop), "Text1");
}

void layRoutingSpeedRows(MainForm& form) {
    constexpr std::array<int, 2> kTops{4830, 5160};
    form.label5[0] = label(ControlArray::Label5, 0, rowCaption(kTops[0]), "City");
    form.label5[1] = label(ControlArray::Label5, 1, rowCaption(kTops[1]), "Außerorts");
    for (int box = 0; box < kRoutingSpeedBoxCount; ++box) {
        const TwipsRect rect = cell(box % 8, kTops[static_cast<std::size_t>(box / 8)]);
        form.text3[box] = textBox(ControlArray::Text3, box, rect, "-");
        // The speed labels stand in for the boxes in speed mode.
        Control& speed = form.label7[box];
        speed = label(ControlArray::Label7, box, rect, "Label7", colours::kWhite);
        speed.font = FontFace::WindowDefault;
        speed.bold = false;
        speed.visible = false;
    }
}

// A row of column headings; in two rows the label index falls from left to right.
struct HeadingRow {
    int top;
    int firstLabel;
    int step;
    bool outsideTowns;
};

constexpr std::array<HeadingRow, 4> kHeadingRows{{
    {30, 0, 1, false},
    {990, 15, -1, true},
    {2760, 39, -1, false},
    {4530, 48, 1, false},
}};

constexpr int kRoutingSpeedHeadingTop = 4530;

void layColumnHeadings(MainForm& form) {
    for (const HeadingRow& row : kHeadingRows) {
        for (int column = 0; column < 8; ++column) {
            const RoadClass& road = kRoadClasses[static_cast<std::size_t>(column)];
            std::string_view caption = row.outsideTowns ? road.outsideTowns : road.inTowns;
            if (row.top == kRoutingSpeedHeadingTop && column == 7)
                caption = kRoutingSpeedLastHeading;
            const int index = row.firstLabel + row.step * column;
            form.label1[index] = label(ControlArray::Label1, index, cell(column, row.top), caption);
        }
    }
}

void layTitles(MainForm& form) {
    form.label3[0] = label(ControlArray::Label3, 0, {kCaptionLeft, 60, kTitleWidth, 255},
                           "PKW schnell", colours::kRed);
    form.label3[1] = label(ControlArray::Label3, 1, {kCaptionLeft, 2760, kTitleWidth, 285},
                           "Schnelle", colours::kYellow);
    form.label6 = label(ControlArray::Label6, 0, {kCaptionLeft, 4530, kTitleWidth, 285},
                        "Routingeschwidigkeit", colours::kGreen);
}

constexpr int kVehicleButtonsTop = 2280;
constexpr int kRouteButtonsTop = 4050;
void layChoiceRows(MainForm& form) {
    form.label2[5] =
        label(ControlArray::Label2, 5, rowCaption(kVehicleButtonsTop), "Fahrzeug wählen:");
    form.label2[6] = label(ControlArray::Label2, 6, rowCaption(kRouteButtonsTop), "Route wählen");
    for (int index = 0; index < static_cast<int>(kProfiles.size()); ++index) {
        const bool vehicle = index < grid::kFirstRouteButton;
        const TwipsRect rect = vehicle ? cell(index, kVehicleButtonsTop)
                                       : cell(index - grid::kFirstRouteButton, kRouteButtonsTop);
        form.command1[index] = button(ControlArray::Command1, index, rect,
                                      kProfiles[static_cast<std::size_t>(index)].caption);
    }
    form.command2[0] = button(ControlArray::Command2, 0, {7620, kVehicleButtonsTop, 3405, 285},
                              "Änderungen Fahrzeug übernehmen");
    form.command5 = button(ControlArray::Command5, 0, cell(4, kRouteButtonsTop), "Auswerfen ");
    form.command2[1] = button(ControlArray::Command2, 1, {7620, kRouteButtonsTop, 3405, 285},
                              "Änderungen Route übernemen");
}

void layBottomRows(MainForm& form) {
    form.command3[0] = button(ControlArray::Command3, 0, {60, 5640, kTitleWidth, 285}, "Datei");
    form.label4[0] = label(ControlArray::Label4, 0, {1950, 5670, 9075, 285}, "Label4");
    form.command4[0] =
        button(ControlArray::Command4, 0, {60, 5970, 9855, 285},
               "In dieser Einstellung können Anpassungen für die Route vorgenommen werden");
    form.command4[0].background = colours::kYellow;
    form.command6 = button(ControlArray::Command6, 0, {9960, 5970, 1065, 285}, "Basic");

    // The import row lies below the client area and shows only in import mode.
    form.command3[1] =
        button(ControlArray::Command3, 1, {60, 6300, kTitleWidth, 285}, "Importdatei");
    form.label4[1] = label(ControlArray::Label4, 1, {1920, 6330, 9075, 285}, "Label4");
    form.command7 = button(ControlArray::Command7, 0, {60, 6630, 10965, 285},
                           "Alle Routingoptionen für alle Fahrzeuge und Routen  importieren");
    form.command7.tooltip = "Achtung!!! Alle Settings des Routing werden übernommen";
    for (Control* hidden : {&form.command3[1], &form.label4[1], &form.command7})
        hidden->visible = false;
}

// --- Grid lines ---------------------------------------------------------------------------

constexpr int kLineLeft = 30;
constexpr int kLineRight = 11040;
constexpr int kLineWidthPixels = 2;

constexpr std::array<int, 24> kHorizontalLines{30,   300,  630,  960,  1260, 1590, 1920, 2250,
                                               2580, 2730, 3030, 3360, 3690, 4020, 4350, 4500,
                                               4800, 5130, 5490, 5610, 5940, 6270, 6600, 6930};

// The lines between the two rows of a pair are grey.
bool separatesAPair(int y) {
    return y == 630 || y == 1590 || y == 3360 || y == 5130;
}

constexpr std::array<int, 10> kBlockVerticals{kLineLeft, 1890, 3030, 4170, 5310,
                                              6450,      7590, 8730, 9870, kLineRight};

struct Block {
    int top;
    int bottom;
};

constexpr Block kVehicleBlock{30, 2580};
constexpr Block kRouteBlock{2730, 4350};
constexpr Block kSpeedBlock{4500, 5460};

// Where a block's vertical line ends: some stop short above the wide buttons.
int verticalEnd(const Block& block, int x) {
    if (block.top == kVehicleBlock.top && (x == 7590 || x == 8730 || x == 9870))
        return 1920;
    if (block.top == kRouteBlock.top && x == 8730)
        return 4020;
    if (block.top == kRouteBlock.top && x == 9870)
        return 3690;
    return block.bottom;
}

Line vertical(int x, int top, int bottom) {
    return {x, top, x, bottom, SystemColour::WindowText, kLineWidthPixels};
}

std::vector<Line> makeGridLines() {
    std::vector<Line> lines;
    for (int y : kHorizontalLines) {
        const SystemColour colour =
            separatesAPair(y) ? SystemColour::GrayText : SystemColour::WindowText;
        lines.push_back({kLineLeft, y, kLineRight, y, colour, kLineWidthPixels});
    }
    for (const Block& block : {kVehicleBlock, kRouteBlock, kSpeedBlock})
        for (int x : kBlockVerticals)
            lines.push_back(vertical(x, block.top, verticalEnd(block, x)));
    // Between the fifth vehicle button and the wide button beside it.
    lines.push_back(vertical(7590, 2250, 2580));
    // The bottom rows.
    lines.push_back(vertical(kLineLeft, 5610, 6930));
    lines.push_back(vertical(kLineRight, 5610, 6930));
    lines.push_back(vertical(1890, 5610, 5940));
    lines.push_back(vertical(1890, 6270, 6600));
    lines.push_back(vertical(9930, 5940, 6240));
    return lines;
}

// --- Tab order ----------------------------------------------------------------------------

std::vector<ControlId> makeTabOrder() {
    std::vector<ControlId> order;
    const auto boxes = [&](ControlArray array, int first, int last) {
        for (int index = first; index <= last; ++index)
            order.push_back({array, index});
    };
    // The value rows from top to bottom, each from left to right.
    for (const grid::ValueRow& row : grid::kValueRows)
        boxes(ControlArray::Text1, row.group.firstBox, row.group.firstBox + row.group.count - 1);
    boxes(ControlArray::Text1, grid::kRouteValueBox, grid::kRouteValueBox);
    boxes(ControlArray::Text3, 0, kRoutingSpeedBoxCount - 1);
    boxes(ControlArray::Command1, 0, grid::kFirstRouteButton - 1);
    order.push_back({ControlArray::Command2, 0});
    boxes(ControlArray::Command1, grid::kFirstRouteButton, static_cast<int>(kProfiles.size()) - 1);
    order.push_back({ControlArray::Command5, 0});
    order.push_back({ControlArray::Command2, 1});
    order.push_back({ControlArray::Command3, 0});
    order.push_back({ControlArray::Command4, 0});
    order.push_back({ControlArray::Command6, 0});
    order.push_back({ControlArray::Command3, 1});
    order.push_back({ControlArray::Command7, 0});
    return order;
}

} // namespace

MainForm makeMainForm() {
    MainForm form;
    form.window.title = kWindowTitle;
    form.window.clientWidth = layout::kClientWidth;
    form.window.outerHeight = layout::kOuterHeight;
    layColumnHeadings(form);
    layValueRows(form);
    layTitles(form);
    layRoutingSpeedRows(form);
    layChoiceRows(form);
    layBottomRows(form);
    return form;
}

std::span<const Line> gridLines() {
    static const std::vector<Line> lines = makeGridLines();
    return lines;
}

std::span<const ControlId> tabOrder() {
    static const std::vector<ControlId> order = makeTabOrder();
    return order;
}

} // namespace marlwick
