// Which box of the grid is which: the rows of value boxes with their captions, and the
// column each box stands in. Every other file asks here.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace marlwick::grid {

// A row of value boxes: its caption label Label2(label2), its top in twips, its boxes.
struct ValueRow {
    int label2;
    std::string_view caption;
    int top;
    int firstBox;
    int columns;
    bool outsideTowns; // its columns are headed by the outside-town road classes
};

inline constexpr std::array<ValueRow, 8> kValueRows{{
    {0, "Präferenz  City", 330, 0, 8, false},
    {3, "Geschw.   City", 660, 20, 8, false},
    {1, "Preverenz Außerorts", 1290, 8, 8, true},
    {4, "Geschw. Außerorts", 1620, 28, 8, true},
    {2, "Specials", 1950, 16, 4, false},
    {7, "Präferenz City", 3060, 36, 8, false},
    {8, "Päferenz Außerorts", 3390, 44, 8, true},
    {9, "Specials", 3720, 52, 4, false},
}};

// The route value stands alone, right of its caption.
inline constexpr int kRouteValueBox = 56;
inline constexpr int kRouteValueLabel2 = 10;
inline constexpr std::string_view kRouteValueCaption = "Value:";

// A value box as the user finds it on screen: its row caption and column heading, such as
// „Geschw. City“ / „Autobahn“.
std::string boxName(int box);

} // namespace marlwick::grid
