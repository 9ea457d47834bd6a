// Which box of the grid is which: the blocks, the value groups of the file that the boxes
// show, the routing-speed triples, the choice buttons and the rows with their captions.
// Every other file asks here.
#pragma once

#include "editor/document/settings_document.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace marlwick {

// Value boxes Text1(first) to Text1(last).
struct BoxRange {
    int first;
    int last;
    constexpr bool contains(int box) const { return box >= first && box <= last; }
};

namespace grid {
inline constexpr BoxRange kVehicleBlock{0, 35};
inline constexpr BoxRange kRouteBlock{36, 56};
// The vehicle's preference factors in towns, then outside towns.
inline constexpr BoxRange kVehicleFactors{0, 15};
// The vehicle's speeds in towns, then outside towns: kept as typed, the only boxes open in
// speed mode.
inline constexpr BoxRange kSpeeds{20, 35};
inline constexpr int kRoadClassCount = static_cast<int>(kRoadClasses.size());

// Routing speed k (Text3(k)) = speed (box k + 20) x vehicle factor (box k) x route factor
// (box k + 36); k runs over the road classes in towns, then outside towns.
inline constexpr int kSpeedBoxOffset = kSpeeds.first;
inline constexpr int kRouteFactorBoxOffset = kRouteBlock.first;

// Command1(index) chooses kProfiles[index]: the vehicles first, then the routes.
inline constexpr int kFirstRouteButton = 5;
static_assert(kProfiles[kFirstRouteButton - 1].kind == ProfileKind::Vehicle &&
              kProfiles[kFirstRouteButton].kind == ProfileKind::Route);

// Label3(0) shows the vehicle's caption, Label3(1) the route's.
constexpr std::size_t titleOf(ProfileKind kind) {
    return kind == ProfileKind::Vehicle ? 0 : 1;
}
} // namespace grid

// A value list of a profile that the editor moves as a unit.
struct ValueGroup {
    ProfileKind kind;
    std::string_view such2;
    std::string_view such3;
    std::string_view suchnach1;
    int count;    // values in the list: 8, 4 or 1
    int firstBox; // index of the Text1 box that shows the first value

    constexpr bool shows(int box) const { return box >= firstBox && box < firstBox + count; }
};

namespace groups {
using grid::kRouteBlock;
using grid::kSpeeds;
using grid::kVehicleFactors;
constexpr int kRow = grid::kRoadClassCount;

inline constexpr ValueGroup kVehicleSpeedsCity{ProfileKind::Vehicle, tags::kCity, {},
                                               tags::kCityEnd,       kRow,        kSpeeds.first};
inline constexpr ValueGroup kVehicleSpeedsOpen{
    ProfileKind::Vehicle, tags::kOpen, {}, tags::kOpenEnd, kRow, kSpeeds.first + kRow};
inline constexpr ValueGroup kVehicleFactorsCity{
    ProfileKind::Vehicle, tags::kPreferenceFactor, tags::kCity, tags::kCityEnd, kRow,
    kVehicleFactors.first};
inline constexpr ValueGroup kVehicleFactorsOpen{
    ProfileKind::Vehicle,        tags::kPreferenceFactor, tags::kOpen, tags::kOpenEnd, kRow,
    kVehicleFactors.first + kRow};
inline constexpr ValueGroup kVehicleSpecials{
    ProfileKind::Vehicle, tags::kSpecial, {}, tags::kSpecialEnd, 4, kVehicleFactors.last + 1};
inline constexpr ValueGroup kRouteFactorsCity{
    ProfileKind::Route, tags::kPreferenceFactor, tags::kCity, tags::kCityEnd, kRow,
    kRouteBlock.first};
inline constexpr ValueGroup kRouteFactorsOpen{
    ProfileKind::Route,      tags::kPreferenceFactor, tags::kOpen, tags::kOpenEnd, kRow,
    kRouteBlock.first + kRow};
// Loading reads the specials inside the preference-factor block, writing the first after
// the name; the layout rules make both the same list.
inline constexpr ValueGroup kRouteSpecialsLoading{
    ProfileKind::Route,          tags::kPreferenceFactor, tags::kSpecial, tags::kSpecialEnd, 4,
    kRouteBlock.first + 2 * kRow};
inline constexpr ValueGroup kRouteSpecialsWriting{
    ProfileKind::Route, tags::kSpecial, {}, tags::kSpecialEnd, 4, kRouteSpecialsLoading.firstBox};
inline constexpr ValueGroup kRouteValue{ProfileKind::Route, tags::kValue, {}, tags::kValueEnd, 1,
                                        kRouteBlock.last};

static_assert(kVehicleSpecials.firstBox + kVehicleSpecials.count == kSpeeds.first);
static_assert(kVehicleSpeedsOpen.firstBox + kRow - 1 == grid::kVehicleBlock.last);
static_assert(kRouteSpecialsLoading.firstBox + kRouteSpecialsLoading.count == kRouteValue.firstBox);
} // namespace groups

// The order in which a load fills the grid.
inline constexpr std::array<ValueGroup, 9> kLoadOrder{
    groups::kVehicleSpeedsCity,  groups::kVehicleSpeedsOpen,    groups::kVehicleFactorsCity,
    groups::kVehicleFactorsOpen, groups::kVehicleSpecials,      groups::kRouteFactorsCity,
    groups::kRouteFactorsOpen,   groups::kRouteSpecialsLoading, groups::kRouteValue};

// The order in which the writes replace a profile's lists.
inline constexpr std::array<ValueGroup, 5> kVehicleWriteOrder{
    groups::kVehicleSpeedsCity, groups::kVehicleSpeedsOpen, groups::kVehicleFactorsCity,
    groups::kVehicleFactorsOpen, groups::kVehicleSpecials};
inline constexpr std::array<ValueGroup, 4> kRouteWriteOrder{
    groups::kRouteFactorsCity, groups::kRouteFactorsOpen, groups::kRouteSpecialsWriting,
    groups::kRouteValue};

// Finds a group's value list (index 1) in the text, starting from the profile's name.
ZerlegeResult locateGroup(std::string_view text, std::string_view profileName,
                          const ValueGroup& group);

// The same search bounded by the profile's own record: a tag outside it is not found, and
// index 0 starts at the name.
ZerlegeResult locateGroupInRecord(std::string_view text, const ProfileRecord& record,
                                  std::string_view profileName, const ValueGroup& group);

// A group's list as a load finds it: in the profile's own record, or from its name on where
// the record never ends; a profile without a record shows as missing.
struct FoundList {
    std::string_view list;
    bool inOwnRecord;
};
FoundList findProfileList(std::string_view text, std::string_view profileName,
                          const ValueGroup& group);

namespace grid {

// How the routing speeds come about, told to the user beside every row that takes part.
inline constexpr std::string_view kRoutingSpeedRule =
    "Routinggeschwindigkeit = Geschwindigkeit × Präferenzfaktor Fahrzeug × Präferenzfaktor "
    "Route";

// The box is a speed or a preference factor of some routing speed's triple.
constexpr bool entersRoutingSpeed(int box) {
    const int triples = 2 * kRoadClassCount;
    return std::ranges::any_of(std::array{0, kSpeedBoxOffset, kRouteFactorBoxOffset},
                               [&](int first) { return box >= first && box < first + triples; });
}

// A row of value boxes: its caption label Label2(label2), what its values mean in the file,
// and the group it shows, from top to bottom; where each stands is grid_rows.h's.
struct ValueRow {
    int label2;
    std::string_view caption;
    std::string_view meaning;
    ValueGroup group;
};

inline constexpr std::array<ValueRow, 8> kValueRows{{
    {0, "Präferenz  City",
     "Präferenzfaktoren des Fahrzeugs innerorts, je Straßenart: wie sehr das Fahrzeug diese "
     "Straßen bei der Routenwahl bevorzugt.",
     groups::kVehicleFactorsCity},
    {3, "Geschw.   City",
     "Geschwindigkeiten des Fahrzeugs innerorts, je Straßenart: mit ihnen berechnet die "
     "Navigation die Fahrzeit.",
     groups::kVehicleSpeedsCity},
    {1, "Preverenz Außerorts",
     "Präferenzfaktoren des Fahrzeugs außerorts, je Straßenart: wie sehr das Fahrzeug diese "
     "Straßen bei der Routenwahl bevorzugt.",
     groups::kVehicleFactorsOpen},
    {4, "Geschw. Außerorts",
     "Geschwindigkeiten des Fahrzeugs außerorts, je Straßenart: mit ihnen berechnet die "
     "Navigation die Fahrzeit.",
     groups::kVehicleSpeedsOpen},
    {2, "Specials",
     "Sonderwerte des Fahrzeugs: vier Werte ohne Straßenart. Sie gehen nicht in die "
     "Routinggeschwindigkeit ein.",
     groups::kVehicleSpecials},
    {7, "Präferenz City",
     "Präferenzfaktoren der Route innerorts, je Straßenart: wie sehr diese Art von Route die "
     "Straßen bevorzugt.",
     groups::kRouteFactorsCity},
    {8, "Päferenz Außerorts",
     "Präferenzfaktoren der Route außerorts, je Straßenart: wie sehr diese Art von Route die "
     "Straßen bevorzugt.",
     groups::kRouteFactorsOpen},
    {9, "Specials",
     "Sonderwerte der Route: vier Werte ohne Straßenart. Sie gehen nicht in die "
     "Routinggeschwindigkeit ein.",
     groups::kRouteSpecialsLoading},
}};

// The route value stands alone, right of its caption.
inline constexpr int kRouteValueBox = groups::kRouteValue.firstBox;
inline constexpr int kRouteValueLabel2 = 10;
inline constexpr std::string_view kRouteValueCaption = "Value:";
inline constexpr std::string_view kRouteValueMeaning =
    "Der einzelne Wert der Route (Value). Er geht nicht in die Routinggeschwindigkeit ein.";

} // namespace grid
} // namespace marlwick
