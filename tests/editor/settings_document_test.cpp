#include "editor/document/grid_map.h"

#include <gtest/gtest.h>

namespace marlwick {
namespace {

TEST(Profiles, CaptionsMapToNamesOfTheirKindOnly) {
    EXPECT_EQ(profileNameForCaption(ProfileKind::Vehicle, "PKW sch."), "Car Fast");
    EXPECT_EQ(profileNameForCaption(ProfileKind::Vehicle, "LKW"), "Truck");
    EXPECT_EQ(profileNameForCaption(ProfileKind::Route, "Schöne"), "Curvy");
    EXPECT_EQ(profileNameForCaption(ProfileKind::Route, "Sch\xF6ne"), "Curvy");
    EXPECT_EQ(profileNameForCaption(ProfileKind::Route, "LKW"), std::nullopt);
    EXPECT_EQ(profileNameForCaption(ProfileKind::Vehicle, "PKW sch"), std::nullopt);
    EXPECT_EQ(profileNameForCaption(ProfileKind::Vehicle, "pkw sch."), std::nullopt);
}

TEST(Profiles, SourceTextIsCompiledToWindows1252) {
    EXPECT_EQ(kRoadClasses[3].inTowns, "Landstra\xDF"
                                       "e");
    EXPECT_EQ(kRoadClasses[6].inTowns, "Gasse ");
    EXPECT_EQ(kRoadClasses[7].outsideTowns, "Feldweg");
}

TEST(ValueGroups, LoadOrderCoversEveryBoxOnce) {
    std::array<int, 57> shown{};
    for (const auto& group : kLoadOrder)
        for (int box = group.firstBox; box < group.firstBox + group.count; ++box)
            ++shown[box];
    for (int box = 0; box < 57; ++box)
        EXPECT_EQ(shown[box], 1) << "box " << box;
}

// A vehicle and a route laid out as the navigation application writes them.
constexpr std::string_view kSample =
    "<Other>Car Fast is great</Other>\r\n"
    "<Routing>\r\n"
    "<SpeedProfile><Name>Car Fast</Name>\r\n"
    "<City>50|50|50|50|30|30|20|10</City><Open>130|100|90|80|70|50|30|10</Open>"
    "<Special>1|2|3|4</Special>\r\n"
    "<PreferenceFactor><City>1.0|1.1|1.2|1.3|1.4|1.5|1.6|1.7</City>"
    "<Open>2.0|2.1|2.2|2.3|2.4|2.5|2.6|2.7</Open></PreferenceFactor></SpeedProfile>\r\n"
    "<SpeedProfile><Name>Curvy</Name>\r\n"
    "<PreferenceFactor><City>0.1|0.2|0.3|0.4|0.5|0.6|0.7|0.8</City>"
    "<Open>0.9|1.0|1.1|1.2|1.3|1.4|1.5|1.6</Open><Special>5|6|7|8</Special></PreferenceFactor>"
    "<Value>3|x</Value></SpeedProfile>\r\n"
    "</Routing>\r\n<After/>";

TEST(ValueGroups, EveryGroupFindsItsOwnList) {
    // The first "Car Fast" is in another setting: its searches start there and still land
    // on the vehicle's lists because no tag stands between.
    EXPECT_EQ(locateGroup(kSample, "Car Fast", groups::kVehicleSpeedsCity)[1],
              "50|50|50|50|30|30|20|10");
    EXPECT_EQ(locateGroup(kSample, "Car Fast", groups::kVehicleSpeedsOpen)[1],
              "130|100|90|80|70|50|30|10");
    EXPECT_EQ(locateGroup(kSample, "Car Fast", groups::kVehicleFactorsCity)[1],
              "1.0|1.1|1.2|1.3|1.4|1.5|1.6|1.7");
    EXPECT_EQ(locateGroup(kSample, "Car Fast", groups::kVehicleFactorsOpen)[1],
              "2.0|2.1|2.2|2.3|2.4|2.5|2.6|2.7");
    EXPECT_EQ(locateGroup(kSample, "Car Fast", groups::kVehicleSpecials)[1], "1|2|3|4");
    EXPECT_EQ(locateGroup(kSample, "Curvy", groups::kRouteFactorsCity)[1],
              "0.1|0.2|0.3|0.4|0.5|0.6|0.7|0.8");
    EXPECT_EQ(locateGroup(kSample, "Curvy", groups::kRouteFactorsOpen)[1],
              "0.9|1.0|1.1|1.2|1.3|1.4|1.5|1.6");
    EXPECT_EQ(locateGroup(kSample, "Curvy", groups::kRouteSpecialsLoading)[1], "5|6|7|8");
    EXPECT_EQ(locateGroup(kSample, "Curvy", groups::kRouteSpecialsWriting)[1], "5|6|7|8");
    EXPECT_EQ(locateGroup(kSample, "Curvy", groups::kRouteValue)[1], "3|x");
}

TEST(ValueGroups, MissingPiecesGiveTheErrorOfTheirLevel) {
    EXPECT_EQ(locateGroup(kSample, "Truck", groups::kVehicleSpeedsCity)[0], "such1 ERROR");
    const std::string noSpecial = "<Name>Truck</Name><City>1</City>";
    EXPECT_EQ(locateGroup(noSpecial, "Truck", groups::kVehicleSpecials)[1], "such2 ERROR");
    const std::string noInnerSpecial = "<Name>Curvy</Name><PreferenceFactor><City>1</City>";
    EXPECT_EQ(locateGroup(noInnerSpecial, "Curvy", groups::kRouteSpecialsLoading)[2],
              "such3 ERROR");
}

TEST(RoutingSection, SplitsAtTheFirstTagsAndKeepsThem) {
    const auto parts = splitRoutingSection(kSample);
    EXPECT_TRUE(parts[0].ends_with("<Routing>"));
    EXPECT_TRUE(parts[1].starts_with("\r\n<SpeedProfile>"));
    EXPECT_EQ(parts[2], "</Routing>\r\n<After/>");
    EXPECT_EQ(splitRoutingSection("<Routing></Routing>")[1], "");
    EXPECT_EQ(splitRoutingSection("<Routing>")[0], "suchnach1 ERROR");
}

} // namespace
} // namespace marlwick
