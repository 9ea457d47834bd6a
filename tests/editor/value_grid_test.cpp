#include "editor/document/grid_map.h"
#include "editor/form/value_grid.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>
#include <vector>

namespace marlwick {
namespace {

// A grid with every triple readable: speed 100, both factors 1.0, routing speeds not yet
// computed.
MainWindowModel readableGrid() {
    MainWindowModel model;
    for (int k = 0; k < kRoutingSpeedBoxCount; ++k) {
        model.form.text1[k + grid::kSpeedBoxOffset].text = "100";
        model.form.text1[k].text = "1.0";
        model.form.text1[k + grid::kRouteFactorBoxOffset].text = "1.0";
    }
    for (Control& speed : model.form.text3)
        speed.text = "-";
    return model;
}

class ValueGrid : public ::testing::Test {
  protected:
    void setTriple(int k, std::string speed, std::string vehicle, std::string route) {
        box(k + grid::kSpeedBoxOffset) = speed;
        box(k) = vehicle;
        box(k + grid::kRouteFactorBoxOffset) = route;
    }

    std::string& box(int index) { return model.form.text1.at(index).text; }
    std::string& speed(int k) { return model.form.text3.at(k).text; }

    MainWindowModel model = readableGrid();
};

TEST_F(ValueGrid, RoutingSpeedIsSpeedTimesBothFactorsInTheCommaForm) {
    setTriple(0, "100", "1.2", "0.9");
    setTriple(1, "80", "1.1", "0.95");
    setTriple(9, "50", "0.85", "1.1");
    RecomputeRoutingSpeeds(model);
    EXPECT_EQ(speed(0), "108");
    EXPECT_EQ(speed(1), "83,6");
    EXPECT_EQ(speed(9), "46,75");
    EXPECT_EQ(speed(8), "100");
    EXPECT_EQ(speed(15), "100");
}

// Speed and vehicle factor of the last triple can multiply beyond a double.
TEST_F(ValueGrid, OneUnreadableInputOrOverflowLeavesAllSixteenRoutingSpeeds) {
    std::vector<int> everyBox(kValueBoxCount);
    std::iota(everyBox.begin(), everyBox.end(), 0);
    const struct {
        std::vector<int> boxes;
        std::string text;
    } cases[] = {{{35, 15}, std::string(200, '9')},
                 {everyBox, std::string(kPlaceholder)},
                 {{20}, "abc"},
                 {{7}, "abc"},
                 {{44}, "abc"},
                 {{51}, "abc"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text.substr(0, 8) + " in box " + std::to_string(c.boxes[0]));
        model = readableGrid();
        for (int index : c.boxes)
            box(index) = c.text;
        RecomputeRoutingSpeeds(model);
        for (int k = 0; k < kRoutingSpeedBoxCount; ++k)
            EXPECT_EQ(speed(k), "-") << "Text3(" << k << ")";
    }
    model = readableGrid();
    RecomputeRoutingSpeeds(model);
    EXPECT_EQ(speed(0), "100");
}

// Factors, specials and the route value get ".0" when they lack a point, speeds stay whole;
// specials and the route value are not computed, so even unreadable ones let the speeds follow.
TEST_F(ValueGrid, LeavingAValueBoxNormalisesItsTextAndRecomputes) {
    const struct {
        int box;
        const char* typed;
        const char* shown;
        int k;
        const char* routingSpeed;
    } cases[] = {{3, "12,5", "12.5", 3, "1250"},     {3, "3", "3.0", 3, "300"},
                 {3, "3.", "3.", 3, "300"},          {3, "", ".0", 3, "0"},
                 {3, "abc", "abc.0", 3, "-"},        {3, "1,", "1.", 3, "100"},
                 {20, "100,5", "100.5", 0, "100,5"}, {35, "100", "100", 15, "100"},
                 {16, "2", "2.0", 0, "100"},         {56, "7", "7.0", 0, "100"},
                 {16, "x", "x.0", 0, "100"},         {56, "y", "y.0", 0, "100"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string("typed ") + c.typed + " in box " + std::to_string(c.box));
        model = readableGrid();
        box(c.box) = c.typed;
        leaveValueBox(model, c.box);
        EXPECT_EQ(box(c.box), c.shown);
        EXPECT_EQ(speed(c.k), c.routingSpeed);
    }
}

// The factor of the editable block moves so that its triple gives the typed speed (Text3(9) is
// outside towns: boxes 29, 9 and 45; 0.9625 takes the even digit); a speed that cannot be
// solved changes no factor. The routing speeds are not recomputed.
TEST_F(ValueGrid, ALeftRoutingSpeedMovesTheFactorOfTheEditableBlock) {
    const std::string nines(300, '9'), tiny = "0,0000001";
    const struct {
        bool routeMode;
        int k;
        std::string speedBox, vehicle, route, typed, shown, vehicleAfter, routeAfter;
    } cases[] = {{false, 0, "100", "1.0", "0.8", "96", "96", "1.2", "0.8"},
                 {false, 0, "100", "1.2", "0.8", "80", "80", "1.0", "0.8"},
                 {true, 0, "100", "0.8", "1.0", "96", "96", "0.8", "1.2"},
                 {true, 9, "50", "2.0", "1.0", "25", "25", "2.0", "0.25"},
                 {false, 4, "100", "1.0", "1.0", "96.25", "96,25", "0.962", "1.0"},
                 {false, 2, "100", "1.5", "1.0", "abc", "abc", "1.5", "1.0"},
                 {false, 2, "- - - -", "1.5", "1.0", "90", "90", "1.5", "1.0"},
                 {false, 2, "100", "1.5", "x", "90", "90", "1.5", "x"},
                 {false, 2, "0", "1.5", "1.0", "90", "90", "1.5", "1.0"},
                 {false, 2, "100", "1.5", "0.0", "90", "90", "1.5", "0.0"},
                 {false, 2, "0", "1.5", "1.0", "0", "0", "1.5", "1.0"},
                 {false, 2, tiny, "1.5", tiny, nines, nines, "1.5", tiny}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.substr(0, 8) + " in Text3(" + std::to_string(c.k) + ")");
        model = readableGrid();
        if (c.routeMode)
            disableBox(model.form.text1[0]);
        setTriple(c.k, c.speedBox, c.vehicle, c.route);
        speed(c.k) = c.typed;
        leaveRoutingSpeedBox(model, c.k);
        EXPECT_EQ(speed(c.k), c.shown);
        EXPECT_EQ(box(c.k), c.vehicleAfter);
        EXPECT_EQ(box(c.k + grid::kRouteFactorBoxOffset), c.routeAfter);
    }
}

class SpeedMode : public ValueGrid {
  protected:
    SpeedMode() { model.state.nextViewMode = 3; }
};

TEST_F(SpeedMode, AChangedSpeedMovesTheVehicleFactorAndKeepsTheRoutingSpeed) {
    setTriple(0, "120", "1.2", "0.9");
    speed(0) = "108";
    leaveValueBox(model, 20);
    EXPECT_EQ(box(0), "1");
    EXPECT_EQ(speed(0), "108");

    box(20) = "120";
    speed(0) = "100";
    leaveValueBox(model, 20);
    EXPECT_EQ(box(0), "0.926");
}

TEST_F(SpeedMode, EveryVehicleFactorIsRewrittenWithoutPointZero) {
    for (int k = 0; k < kRoutingSpeedBoxCount; ++k) {
        setTriple(k, "100", "1.0", "0.9");
        speed(k) = "90";
    }
    leaveValueBox(model, 33);
    for (int k = 0; k < kRoutingSpeedBoxCount; ++k)
        EXPECT_EQ(box(k), "1") << "Text1(" << k << ")";
}

TEST_F(SpeedMode, AFailureKeepsTheFactorsWrittenBeforeIt) {
    for (int k = 0; k < kRoutingSpeedBoxCount; ++k)
        speed(k) = "50";
    box(8 + grid::kSpeedBoxOffset) = "0"; // the second in writing order
    RecomputeRoutingSpeeds(model);
    EXPECT_EQ(box(0), "0.5");
    EXPECT_EQ(box(8), "1.0");
    EXPECT_EQ(box(1), "1.0");
}

TEST(EnterBox, SelectsTheWholeText) {
    Control box;
    box.text = "123,45";
    box.selectionStart = 3;
    enterBox(box);
    EXPECT_EQ(box.selectionStart, 0);
    EXPECT_EQ(box.selectionLength, 6);
}

TEST(GroupSource, ImportTextOnlyForAnEnabledFirstBoxInImportMode) {
    MainWindowModel model;
    disableBox(model.form.text1[36]);
    EXPECT_EQ(GroupSourceText(model, "target", "import", 0), "target");
    EXPECT_EQ(GroupSourceText(model, "target", "import", 36), "target");
    model.state.importFlag = true;
    EXPECT_EQ(GroupSourceText(model, "target", "import", 0), "import");
    EXPECT_EQ(GroupSourceText(model, "target", "import", 36), "target");
    // Only the first box counts.
    disableBox(model.form.text1[1]);
    EXPECT_EQ(GroupSourceText(model, "target", "import", 0), "import");
}

TEST(ClearValueBoxes, ShowsPlaceholdersAndAsksForAFile) {
    MainWindowModel model;
    ClearValueBoxes(model);
    for (const Control& box : model.form.text1)
        EXPECT_EQ(box.text, "- - - -");
    EXPECT_EQ(model.form.label4[0].text, "Datei ausw\xE4hlen");
    EXPECT_EQ(model.form.label4[1].text, "Label4");
    EXPECT_EQ(model.form.text3[0].text, "-");
}

TEST(ClearValueBoxes, ChangesNothingInImportMode) {
    MainWindowModel model;
    model.state.importFlag = true;
    model.form.text1[5].text = "1.5";
    const MainForm before = model.form;
    ClearValueBoxes(model);
    EXPECT_EQ(model.form.text1, before.text1);
    EXPECT_EQ(model.form.label4, before.label4);
}

using Texts = std::vector<std::string>;

Texts boxes(const MainWindowModel& model, int first, int count) {
    Texts texts;
    for (int index = first; index < first + count; ++index)
        texts.push_back(model.form.text1.at(index).text);
    return texts;
}

// Each row spreads its list over boxes that show the placeholder, then reads the boxes back.
TEST(ListToBoxes, SpreadsTheListExactlyAsItStandsAndBoxesToListGivesItBack) {
    const std::string p(kPlaceholder); // what a box shows before it gets a value
    const struct {
        std::string list;
        int firstBox, count;
        int shownFrom;
        Texts shown;
        bool joinsBack = false;
    } cases[] = {
        {"30|40|50|60", 20, 4, 19, {p, "30", "40", "50", "60", p}},
        // Extra values go with their separators into the last box.
        {"a|b|c|d|e", 52, 4, 52, {"a", "b", "c", "d|e"}},
        // A missing separator restarts the search at the beginning.
        {"1|2", 0, 4, 0, {"1", p, "1", "2"}},
        // An empty list empties only the last box; one without separator lands whole in it.
        {"", 8, 8, 8, {p, p, p, p, p, p, p, ""}},
        {"such2 ERROR", 16, 4, 16, {p, p, p, "such2 ERROR"}},
        // Values stay exactly as they are and empty values empty.
        {" 1,5||x |", 0, 4, 0, {" 1,5", "", "x ", ""}},
        // Boxes beyond the grid are skipped.
        {"a|b|c|d", 55, 4, 55, {"a", "b"}},
        {"a|b", -1, 2, 0, {"b"}},
        {"130|100|90|80|70|50|30|10", 28, 8, 28, {}, true},
        {"||||||| ", 28, 8, 28, {}, true},
        {"a|b|c|d|e|f|g|h|i", 28, 8, 28, {}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.list);
        MainWindowModel model;
        ClearValueBoxes(model);
        ListToBoxes(model, c.list, c.firstBox, c.count);
        EXPECT_EQ(boxes(model, c.shownFrom, static_cast<int>(c.shown.size())), c.shown);
        EXPECT_TRUE(model.form.window.visible);
        if (c.joinsBack) {
            EXPECT_EQ(BoxesToList(model, "<Open>", c.firstBox, "</Open>", c.count),
                      "<Open>" + c.list + "</Open>");
        }
    }
}

TEST(BoxesToList, JoinsTheBoxesBetweenPrefixAndSuffix) {
    MainWindowModel model;
    model.form.text1[36].text = "1.0";
    model.form.text1[37].text = "1.2";
    model.form.text1[38].text = "0.8";
    EXPECT_EQ(BoxesToList(model, "P", 36, "S", 3), "P1.0|1.2|0.8S");
    EXPECT_EQ(BoxesToList(model, "", 56, "", 1), "Text1");
}

} // namespace
} // namespace marlwick
