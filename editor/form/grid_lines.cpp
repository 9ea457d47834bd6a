// The grid lines, as they follow from the rows: each band's frame, a line above each of its
// rows but the first, and the column lines through the rows whose cells they part.
#include "editor/form/grid_rows.h"
#include "editor/form/main_form.h"

#include <algorithm>
#include <iterator>
#include <variant>
#include <vector>

namespace marlwick {

namespace {

using layout::GridRow;

constexpr int kLineGap = 30;   // from a line to the row, cell or button after it
constexpr int kRowDepth = 300; // from a row's top to where its column lines end
constexpr int kLineWidthPixels = 2;
constexpr int kLineLeft = kLineGap;
constexpr int kLineRight = layout::kClientWidth - kLineGap;

int lineAbove(const GridRow& row) {
    return row.top - kLineGap;
}

int rowEnd(const GridRow& row) {
    return row.top + kRowDepth;
}

// Cells of its own a row has from the left, the caption column's included, before one control
// spans the rest; the column lines left of them and the one right of the last part them.
int cellsOfItsOwn(const layout::RoadHeadings&) {
    return 1 + grid::kRoadClassCount;
}

int cellsOfItsOwn(const layout::ValueBoxes& row) {
    return 1 + (row.withRouteValue ? layout::kRouteValueColumn + 1 : row.valueRow->group.count);
}

int cellsOfItsOwn(const layout::ProfileButtons& row) {
    const auto buttons = std::ranges::count(kProfiles, row.kind, &Profile::kind);
    return 1 + static_cast<int>(buttons) + (row.withEject ? 1 : 0);
}

int cellsOfItsOwn(const layout::RoutingSpeeds&) {
    return 1 + grid::kRoadClassCount;
}

int cellsOfItsOwn(const layout::FileChoice&) {
    return 1;
}

int cellsOfItsOwn(const layout::ModeBar&) {
    return 0;
}

int cellsOfItsOwn(const layout::ImportAll&) {
    return 0;
}

// The vertical lines from left to right: the frame's, one left of each column, the frame's.
std::vector<int> verticalLines() {
    std::vector<int> xs{kLineLeft};
    for (int left : layout::kColumnLeft)
        xs.push_back(left - kLineGap);
    xs.push_back(kLineRight);
    return xs;
}

// Whether the line verticalLines()[index] crosses the row: the frame's right line crosses every
// row, the others the rows whose cells they part.
bool crosses(const GridRow& row, std::size_t index) {
    if (index == layout::kColumnLeft.size() + 1)
        return true;
    const int cells = std::visit([](const auto& holds) { return cellsOfItsOwn(holds); }, row.holds);
    return static_cast<int>(index) <= cells;
}

Line horizontal(int y, SystemColour colour) {
    return {kLineLeft, y, kLineRight, y, colour, kLineWidthPixels};
}

Line vertical(int x, int top, int bottom) {
    return {x, top, x, bottom, SystemColour::WindowText, kLineWidthPixels};
}

std::vector<GridRow> rowsOf(const layout::Band& band) {
    std::vector<GridRow> rows;
    std::ranges::copy_if(layout::kGridRows, std::back_inserter(rows),
                         [&](const GridRow& row) { return band.holds(row.top); });
    return rows;
}

// The lines between the two rows of a pair are grey.
void addHorizontals(std::vector<Line>& lines, const layout::Band& band) {
    const std::vector<GridRow> rows = rowsOf(band);
    lines.push_back(horizontal(band.top, SystemColour::WindowText));
    for (auto row = rows.begin() + 1; row != rows.end(); ++row)
        lines.push_back(horizontal(lineAbove(*row), row->pairsWithAbove
                                                        ? SystemColour::GrayText
                                                        : SystemColour::WindowText));
    lines.push_back(horizontal(band.bottom, SystemColour::WindowText));
}

// A vertical line runs through each stretch of the band's rows that it crosses.
void addVerticals(std::vector<Line>& lines, const layout::Band& band) {
    const std::vector<GridRow> rows = rowsOf(band);
    const std::vector<int> xs = verticalLines();
    for (std::size_t index = 0; index < xs.size(); ++index) {
        const auto crossed = [index](const GridRow& row) { return crosses(row, index); };
        for (auto next = rows.begin(); next != rows.end();) {
            const auto first = std::find_if(next, rows.end(), crossed);
            next = std::find_if_not(first, rows.end(), crossed);
            if (first == next)
                continue;
            const int top = first == rows.begin() ? band.top : lineAbove(*first);
            lines.push_back(vertical(xs[index], top, rowEnd(*std::prev(next))));
        }
    }
}

// The line before the level button stops a gap short of its row's end.
void addModeBarSplit(std::vector<Line>& lines) {
    for (const GridRow& row : layout::kGridRows)
        if (const auto* bar = std::get_if<layout::ModeBar>(&row.holds))
            lines.push_back(
                vertical(bar->levelButtonLeft - kLineGap, lineAbove(row), rowEnd(row) - kLineGap));
}

std::vector<Line> makeGridLines() {
    std::vector<Line> lines;
    for (const layout::Band& band : layout::kBands)
        addHorizontals(lines, band);
    for (const layout::Band& band : layout::kBands)
        addVerticals(lines, band);
    addModeBarSplit(lines);
    return lines;
}

} // namespace

std::span<const Line> gridLines() {
    static const std::vector<Line> lines = makeGridLines();
    return lines;
}

} // namespace marlwick
