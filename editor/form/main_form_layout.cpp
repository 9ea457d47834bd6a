// The main window as laid out from its rows: positions in twips, captions, colours, fonts
// and the tab order.
#include "editor/document/grid_map.h"
#include "editor/document/settings_document.h"
#include "editor/form/grid_rows.h"
#include "editor/form/main_form.h"

#include <string_view>
#include <variant>

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

// A label beside boxes or buttons stands this much lower and further in than their cell.
constexpr int kLabelInset = 30;
constexpr int kTitleGap = 30; // from a band's top line to its title
constexpr int kApplyButtonWidth = 3405;

TwipsRect insetLabel(TwipsRect rect) {
    return {rect.left + kLabelInset, rect.top + kLabelInset, rect.width - kLabelInset, rect.height};
}

// A title fills the caption column from a gap below its band's top line to its row's end.
TwipsRect titleRect(int top) {
    const int titleTop = layout::bandOf(top).top + kTitleGap;
    return {kCaptionLeft, titleTop, kTitleWidth, top + kCellHeight - titleTop};
}

void lay(MainForm& form, int top, const layout::RoadHeadings& row) {
    if (row.title) {
        const layout::Title& title = *row.title;
        control(form, {title.array, title.index}) =
            label(title.array, title.index, titleRect(top), title.caption, title.colour);
    }
    for (int column = 0; column < grid::kRoadClassCount; ++column) {
        const RoadClass& road = kRoadClasses[static_cast<std::size_t>(column)];
        std::string_view caption = row.outsideTowns ? road.outsideTowns : road.inTowns;
        if (column == grid::kRoadClassCount - 1 && !row.lastHeading.empty())
            caption = row.lastHeading;
        const int index = row.firstLabel + row.step * column;
        form.label1[index] = label(ControlArray::Label1, index, cell(column, top), caption);
    }
}

// A row caption's tooltip: what the row's values mean, and the routing speeds' rule where
// they take part in it.
std::string explained(std::string_view meaning, bool entersRoutingSpeed) {
    std::string tooltip(meaning);
    if (entersRoutingSpeed)
        (tooltip += "\r\n") += grid::kRoutingSpeedRule;
    return tooltip;
}

void lay(MainForm& form, int top, const layout::ValueBoxes& row) {
    const grid::ValueRow& values = *row.valueRow;
    Control& caption = form.label2[values.label2];
    caption = label(ControlArray::Label2, values.label2, rowCaption(top), values.caption);
    caption.tooltip = explained(values.meaning, grid::entersRoutingSpeed(values.group.firstBox));
    for (int column = 0; column < values.group.count; ++column) {
        const int box = values.group.firstBox + column;
        form.text1[box] = textBox(ControlArray::Text1, box, cell(column, top), "Text1");
    }
    if (!row.withRouteValue)
        return;
    form.label2[grid::kRouteValueLabel2] =
        label(ControlArray::Label2, grid::kRouteValueLabel2,
              insetLabel(cell(layout::kRouteValueColumn - 1, top)), grid::kRouteValueCaption);
    form.label2[grid::kRouteValueLabel2].tooltip = grid::kRouteValueMeaning;
    form.text1[grid::kRouteValueBox] = textBox(ControlArray::Text1, grid::kRouteValueBox,
                                               cell(layout::kRouteValueColumn, top), "Text1");
}

// Command1(index) chooses kProfiles[index]; a row holds the buttons of its kind.
void lay(MainForm& form, int top, const layout::ProfileButtons& row) {
    form.label2[row.label2] = label(ControlArray::Label2, row.label2, rowCaption(top), row.caption);
    int column = 0;
    for (int index = 0; index < static_cast<int>(kProfiles.size()); ++index) {
        const Profile& profile = kProfiles[static_cast<std::size_t>(index)];
        if (profile.kind == row.kind)
            form.command1[index] =
                button(ControlArray::Command1, index, cell(column++, top), profile.caption);
    }
    if (row.withEject)
        form.command5 = button(ControlArray::Command5, 0, cell(column++, top), "Auswerfen ");
    form.command2[row.applyButton] =
        button(ControlArray::Command2, row.applyButton,
               {kColumnLeft[static_cast<std::size_t>(column)], top, kApplyButtonWidth, kCellHeight},
               row.applyCaption);
}

void lay(MainForm& form, int top, const layout::RoutingSpeeds& row) {
    Control& caption = form.label5[row.label5];
    caption = label(ControlArray::Label5, row.label5, rowCaption(top), row.caption);
    caption.tooltip =
        explained(row.meaning, true) + "\r\n" + std::string(layout::kTypedRoutingSpeed);
    for (int column = 0; column < grid::kRoadClassCount; ++column) {
        const int box = row.firstBox + column;
        form.text3[box] = textBox(ControlArray::Text3, box, cell(column, top), "-");
        // The speed labels stand in for the boxes in speed mode.
        Control& speed = form.label7[box];
        speed = label(ControlArray::Label7, box, cell(column, top), "Label7", colours::kWhite);
        speed.font = FontFace::WindowDefault;
        speed.bold = false;
        speed.visible = false;
    }
}

// The rows below the client area show only in import mode.
bool shownAtStart(int top) {
    return top < layout::kClientHeight;
}

void lay(MainForm& form, int top, const layout::FileChoice& row) {
    Control& choice = form.command3[row.index];
    choice = button(ControlArray::Command3, row.index,
                    {kCaptionLeft, top, kTitleWidth, kCellHeight}, row.caption);
    Control& path = form.label4[row.index];
    path = label(ControlArray::Label4, row.index,
                 {row.pathLeft, top + kLabelInset, 9075, kCellHeight}, "Label4");
    choice.visible = path.visible = shownAtStart(top);
}

void lay(MainForm& form, int top, const layout::ModeBar& row) {
    form.command4[0] =
        button(ControlArray::Command4, 0, {kCaptionLeft, top, 9855, kCellHeight},
               "In dieser Einstellung können Anpassungen für die Route vorgenommen werden");
    form.command4[0].background = colours::kYellow;
    form.command6 =
        button(ControlArray::Command6, 0, {row.levelButtonLeft, top, 1065, kCellHeight}, "Basic");
}

void lay(MainForm& form, int top, const layout::ImportAll&) {
    form.command7 = button(ControlArray::Command7, 0, {kCaptionLeft, top, 10965, kCellHeight},
                           "Alle Routingoptionen für alle Fahrzeuge und Routen  importieren");
    form.command7.tooltip = "Achtung!!! Alle Settings des Routing werden übernommen";
    form.command7.visible = shownAtStart(top);
}

void layRows(MainForm& form) {
    for (const layout::GridRow& row : layout::kGridRows)
        std::visit([&](const auto& holds) { lay(form, row.top, holds); }, row.holds);
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
    layRows(form);
    return form;
}

std::span<const ControlId> tabOrder() {
    static const std::vector<ControlId> order = makeTabOrder();
    return order;
}

} // namespace marlwick
