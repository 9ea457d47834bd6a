// What the editor knows of ApplicationSettings.xml: its profiles, road classes, value groups
// and the literal tags that find them. The file is never parsed; every list is found by
// plain search from a profile's name.
#pragma once

#include "editor/document/textroutine.h"

#include <array>
#include <optional>
#include <string_view>

namespace marlwick {

enum class ProfileKind { Vehicle, Route };

struct Profile {
    ProfileKind kind;
    std::string_view caption; // the button caption, compared exactly
    std::string_view name;    // the profile name in the file
};

inline constexpr std::array<Profile, 9> kProfiles{{
    {ProfileKind::Vehicle, "PKW sch.", "Car Fast"},
    {ProfileKind::Vehicle, "PKW norm.", "Car Normal"},
    {ProfileKind::Vehicle, "PKW lang.", "Car Slow"},
    {ProfileKind::Vehicle, "Motorrad", "Motorcycle"},
    {ProfileKind::Vehicle, "LKW", "Truck"},
    {ProfileKind::Route, "Schnelle", "Fastest"},
    {ProfileKind::Route, "Optimale", "Optimal"},
    {ProfileKind::Route, "Kurze", "Shortest"},
    {ProfileKind::Route, "Schöne", "Curvy"},
}};

inline constexpr std::string_view kDefaultVehicleCaption = "PKW sch.";
inline constexpr std::string_view kDefaultRouteCaption = "Schnelle";

// The profile name for a button caption of the given kind, if the caption is one of them.
std::optional<std::string_view> profileNameForCaption(ProfileKind kind, std::string_view caption);

// Road class k is value k + 1 of a list and column k of the grid.
struct RoadClass {
    std::string_view inTowns;
    std::string_view outsideTowns;
};

inline constexpr std::array<RoadClass, 8> kRoadClasses{{
    {"Autobahn", "Autobahn"},
    {"Vierspurig", "Vierspurig"},
    {"Bundesstr.", "Bundesstr."},
    {"Landstraße", "Landstraße"},
    {"Kreisstraße", "Kreisstraße"},
    {"Nebenstraße", "Nebenstraße"},
    {"Gasse ", "Gasse "},
    {"Wohnstraße", "Feldweg"},
}};

// Heading of column 7 in the routing-speed rows.
inline constexpr std::string_view kRoutingSpeedLastHeading = "Wohn./Feld.";

namespace tags {
inline constexpr std::string_view kRoutingStart = "<Routing>";
inline constexpr std::string_view kRoutingEnd = "</Routing>";
inline constexpr std::string_view kCity = "<City>";
inline constexpr std::string_view kCityEnd = "</City>";
inline constexpr std::string_view kOpen = "<Open>";
inline constexpr std::string_view kOpenEnd = "</Open>";
inline constexpr std::string_view kPreferenceFactor = "<PreferenceFactor>";
inline constexpr std::string_view kSpecial = "<Special>";
inline constexpr std::string_view kSpecialEnd = "</Special>";
inline constexpr std::string_view kValue = "<Value>";
inline constexpr std::string_view kValueEnd = "</Value>";
inline constexpr std::string_view kName = "<Name>";
inline constexpr std::string_view kSpeedProfileEnd = "</SpeedProfile>";
// A record's start tag may hold white space before its ">".
inline constexpr std::string_view kSpeedProfileStartOpen = "<SpeedProfile";
// A record's end tag may hold white space before its ">".
inline constexpr std::string_view kSpeedProfileEndOpen = "</SpeedProfile";
inline constexpr std::string_view kNameEnd = "</Name>";
inline constexpr std::string_view kCommentStart = "<!--";
inline constexpr std::string_view kCommentEnd = "-->";
// Both lack the closing ">": they bound the block in the confirmation excerpt.
inline constexpr std::string_view kPreferenceFactorOpen = "<PreferenceFactor";
inline constexpr std::string_view kPreferenceFactorClose = "</PreferenceFactor";
} // namespace tags

// A profile's own record: the "<SpeedProfile>" element whose own name is the profile's, from its
// "<Name>", the exact name and "</Name>" to the first "</SpeedProfile" after it that white
// space and ">" close; text inside comments counts for neither.
struct ProfileRecord {
    static constexpr std::size_t kNoEnd = std::string_view::npos;

    std::size_t start;  // where "<Name>" starts
    std::size_t nameAt; // where the name starts
    std::size_t end;    // where its end tag starts; kNoEnd when the record never ends
    std::size_t endTagSize;

    bool hasEnd() const { return end != kNoEnd; }
    // The text from the name to the end tag, where every list of the profile lies.
    std::string_view body(std::string_view text) const { return text.substr(nameAt, end - nameAt); }
};

std::optional<ProfileRecord> findProfileRecord(std::string_view text, std::string_view name);

// Splits a text around its routing section: head up to "<Routing>", the section, the tail
// from "</Routing>" on.
ZerlegeResult splitRoutingSection(std::string_view text);

} // namespace marlwick
