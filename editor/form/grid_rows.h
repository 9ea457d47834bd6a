// The rows of the main window from top to bottom: where each stands, its heading and what it
// holds, in bands framed by full-width lines. The controls and the grid lines follow from it.
#pragma once

#include "editor/document/grid_map.h"
#include "editor/form/form_controls.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string_view>
#include <variant>

namespace marlwick::layout {

// Rows between two full-width lines; tops and bottoms in twips.
struct Band {
    int top;
    int bottom;
    constexpr bool holds(int rowTop) const { return rowTop >= top && rowTop < bottom; }
};

inline constexpr Band kVehicleBand{30, 2580};
inline constexpr Band kRouteBand{2730, 4350};
// Its bottom line lies a gap below the ends of its column lines.
inline constexpr Band kSpeedBand{4500, 5490};
inline constexpr Band kBottomBand{5610, 6930};
inline constexpr std::array<Band, 4> kBands{kVehicleBand, kRouteBand, kSpeedBand, kBottomBand};

// A band's title in the caption column of its first row.
struct Title {
    ControlArray array; // Label3 or Label6
    int index;
    std::string_view caption;
    Rgb colour;
};

// The road classes over the eight columns: Label1(firstLabel + step x column).
struct RoadHeadings {
    int firstLabel;
    int step;
    bool outsideTowns;
    std::optional<Title> title = {};
    std::string_view lastHeading = {}; // when the last column is not headed by its road class
};

// A group's value boxes beside their caption, as grid_map.h names them.
struct ValueBoxes {
    const grid::ValueRow* valueRow;
    bool withRouteValue = false;
};

// The route value's box, its caption in the column before.
inline constexpr int kRouteValueColumn = 5;

// The buttons choosing the profiles of one kind, then the one applying its changes.
struct ProfileButtons {
    int label2;
    std::string_view caption;
    ProfileKind kind;
    bool withEject;
    int applyButton; // Command2(applyButton)
    std::string_view applyCaption;
};

// Eight routing-speed boxes Text3(firstBox...) beside their caption Label5(label5), each under
// a speed label.
struct RoutingSpeeds {
    int label5;
    std::string_view caption;
    std::string_view meaning;
    int firstBox;
};

// What a typed routing speed does, whichever block is open.
inline constexpr std::string_view kTypedRoutingSpeed =
    "Eine hier eingegebene Routinggeschwindigkeit ändert den Präferenzfaktor des Blocks, der "
    "bearbeitet werden kann.";

// A file button Command3(index) in the caption column and the path it chose, Label4(index).
struct FileChoice {
    int index;
    std::string_view caption;
    int pathLeft;
};

// The bar naming the mode, Command4(0), and the level button right of it, Command6.
struct ModeBar {
    int levelButtonLeft;
};

// Command7, importing every routing option.
struct ImportAll {};

using RowHolds = std::variant<RoadHeadings, ValueBoxes, ProfileButtons, RoutingSpeeds, FileChoice,
                              ModeBar, ImportAll>;

// A row of the window from top to bottom, its top in twips.
struct GridRow {
    int top;
    RowHolds holds;
    bool pairsWithAbove = false; // the line above it is grey
};

inline constexpr std::array<GridRow, 20> kGridRows{{
    {30, RoadHeadings{.firstLabel = 0,
                      .step = 1,
                      .outsideTowns = false,
                      .title = Title{ControlArray::Label3, 0, "PKW schnell", colours::kRed}}},
    {330, ValueBoxes{&grid::kValueRows[0]}},
    {.top = 660, .holds = ValueBoxes{&grid::kValueRows[1]}, .pairsWithAbove = true},
    {990, RoadHeadings{.firstLabel = 15, .step = -1, .outsideTowns = true}},
    {1290, ValueBoxes{&grid::kValueRows[2]}},
    {.top = 1620, .holds = ValueBoxes{&grid::kValueRows[3]}, .pairsWithAbove = true},
    {1950, ValueBoxes{&grid::kValueRows[4]}},
    {2280, ProfileButtons{.label2 = 5,
                          .caption = "Fahrzeug wählen:",
                          .kind = ProfileKind::Vehicle,
                          .withEject = false,
                          .applyButton = 0,
                          .applyCaption = "Änderungen Fahrzeug übernehmen"}},

    {2760, RoadHeadings{.firstLabel = 39,
                        .step = -1,
                        .outsideTowns = false,
                        .title = Title{ControlArray::Label3, 1, "Schnelle", colours::kYellow}}},
    {3060, ValueBoxes{&grid::kValueRows[5]}},
    {.top = 3390, .holds = ValueBoxes{&grid::kValueRows[6]}, .pairsWithAbove = true},
    {3720, ValueBoxes{.valueRow = &grid::kValueRows[7], .withRouteValue = true}},
    {4050, ProfileButtons{.label2 = 6,
                          .caption = "Route wählen",
                          .kind = ProfileKind::Route,
                          .withEject = true,
                          .applyButton = 1,
                          .applyCaption = "Änderungen Route übernemen"}},

    {4530,
     RoadHeadings{.firstLabel = 48,
                  .step = 1,
                  .outsideTowns = false,
                  .title = Title{ControlArray::Label6, 0, "Routingeschwidigkeit", colours::kGreen},
                  .lastHeading = kRoutingSpeedLastHeading}},
    {4830, RoutingSpeeds{0, "City",
                         "Routinggeschwindigkeiten innerorts, je Straßenart: nach ihnen "
                         "gewichtet die Navigation die Straßen bei der Routenwahl.",
                         0}},
    {.top = 5160,
     .holds = RoutingSpeeds{1, "Außerorts",
                            "Routinggeschwindigkeiten außerorts, je Straßenart: nach ihnen "
                            "gewichtet die Navigation die Straßen bei der Routenwahl.",
                            8},
     .pairsWithAbove = true},

    // The two import rows lie below the client area and show only in import mode.
    {5640, FileChoice{0, "Datei", 1950}},
    {5970, ModeBar{9960}},
    {6300, FileChoice{1, "Importdatei", 1920}},
    {6630, ImportAll{}},
}};

constexpr const Band& bandOf(int rowTop) {
    return *std::ranges::find_if(kBands, [rowTop](const Band& band) { return band.holds(rowTop); });
}

constexpr bool everyRowInABand() {
    return std::ranges::all_of(kGridRows, [](const GridRow& row) {
        return std::ranges::any_of(kBands, [&](const Band& band) { return band.holds(row.top); });
    });
}

// A value row's columns are headed by the nearest row of road classes above it.
constexpr bool headedOutsideTowns(const grid::ValueRow& valueRow) {
    bool outsideTowns = false;
    for (const GridRow& row : kGridRows) {
        if (std::holds_alternative<RoadHeadings>(row.holds))
            outsideTowns = std::get<RoadHeadings>(row.holds).outsideTowns;
        if (std::holds_alternative<ValueBoxes>(row.holds) &&
            std::get<ValueBoxes>(row.holds).valueRow == &valueRow)
            break;
    }
    return outsideTowns;
}

// The editor's tab order reads the value rows in grid_map.h's order. Without std::get_if,
// whose test against null the sanitizers keep from being a constant expression.
constexpr bool valueRowsInTheirOrder() {
    std::size_t next = 0;
    for (const GridRow& row : kGridRows) {
        if (!std::holds_alternative<ValueBoxes>(row.holds))
            continue;
        if (next == grid::kValueRows.size() ||
            std::get<ValueBoxes>(row.holds).valueRow != &grid::kValueRows[next++])
            return false;
    }
    return next == grid::kValueRows.size();
}

static_assert(std::ranges::is_sorted(kGridRows, {}, &GridRow::top));
static_assert(everyRowInABand());
static_assert(valueRowsInTheirOrder());

} // namespace marlwick::layout
