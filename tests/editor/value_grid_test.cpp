#include "editor/document/grid_map.h"
#include "editor/form/value_grid.h"

#include <gtest/gtest.h>

#include <string>

namespace marlwick {
namespace {

// A grid with every triple readable: speed 100, both factors 1.0, routing speeds not yet
// computed.
class ValueGrid : public ::testing::Test {
  protected:
    ValueGrid() {
        for (int k = 0; k < kRoutingSpeedBoxCount; ++k)
            setTriple(k, "100", "1.0", "1.0");
        for (Control& speed : model.form.text3)
            speed.text = "-";
    }

    void setTriple(int k, std::string speed, std::string vehicle, std::string route) {
        box(k + grid::kSpeedBoxOffset) = speed;
        box(k) = vehicle;
        box(k + grid::kRouteFactorBoxOffset) = route;
    }

    std::string& box(int index) { return model.form.text1.at(index).text; }
    std::string& speed(int k) { return model.form.text3.at(k).text; }

    void expectRoutingSpeedsUntouched() {
        for (int k = 0; k < kRoutingSpeedBoxCount; ++k)
            EXPECT_EQ(speed(k), "-") << "Text3(" << k << ")";
    }

    MainWindowModel model;
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

TEST_F(ValueGrid, OneUnreadableInputLeavesAllSixteenRoutingSpeeds) {
    for (int input : {20, 7, 44, 51}) {
        const std::string kept = box(input);
        box(input) = "abc";
        RecomputeRoutingSpeeds(model);
        expectRoutingSpeedsUntouched();
        box(input) = kept;
    }
    RecomputeRoutingSpeeds(model);
    EXPECT_EQ(speed(0), "100");
}

TEST_F(ValueGrid, AnOverflowingProductLeavesAllRoutingSpeeds) {
    setTriple(15, std::string(200, '9'), std::string(200, '9'), "1.0");
    RecomputeRoutingSpeeds(model);
    expectRoutingSpeedsUntouched();
}

TEST_F(ValueGrid, PlaceholdersChangeNoRoutingSpeed) {
    ClearValueBoxes(model);
    RecomputeRoutingSpeeds(model);
    expectRoutingSpeedsUntouched();
}

TEST_F(ValueGrid, LeavingAFactorBoxNormalisesItsText) {
    const std::pair<const char*, const char*> cases[] = {
        {"12,5", "12.5"}, {"3", "3.0"}, {"3.", "3."}, {"", ".0"}, {"abc", "abc.0"}, {"1,", "1."}};
    for (const auto& [typed, shown] : cases) {
        box(3) = typed;
        leaveValueBox(model, 3);
        EXPECT_EQ(box(3), shown) << "typed " << typed;
    }
    EXPECT_EQ(speed(3), "100"); // "1." reads as 1
}

TEST_F(ValueGrid, AnUnreadableFactorLeavesTheRoutingSpeedsAsTheyWere) {
    RecomputeRoutingSpeeds(model);
    box(3) = "abc";
    leaveValueBox(model, 3);
    EXPECT_EQ(box(3), "abc.0");
    EXPECT_EQ(speed(3), "100");
}

TEST_F(ValueGrid, LeavingASpeedBoxKeepsWholeNumbers) {
    box(20) = "100,5";
    leaveValueBox(model, 20);
    EXPECT_EQ(box(20), "100.5");
    EXPECT_EQ(speed(0), "100,5");
    box(35) = "100";
    leaveValueBox(model, 35);
    EXPECT_EQ(box(35), "100");
}

TEST_F(ValueGrid, SpecialsAndTheRouteValueGetPointZeroButAreNotComputed) {
    box(16) = "2";
    box(56) = "7";
    leaveValueBox(model, 16);
    leaveValueBox(model, 56);
    EXPECT_EQ(box(16), "2.0");
    EXPECT_EQ(box(56), "7.0");
    box(16) = "x";
    box(56) = "y";
    RecomputeRoutingSpeeds(model);
    EXPECT_EQ(speed(0), "100");
}

TEST_F(ValueGrid, VehicleModeMovesTheVehicleFactor) {
    setTriple(0, "100", "1.0", "0.8");
    speed(0) = "96";
    leaveRoutingSpeedBox(model, 0);
    EXPECT_EQ(box(0), "1.2");
    EXPECT_EQ(box(36), "0.8");
    speed(0) = "80";
    leaveRoutingSpeedBox(model, 0);
    EXPECT_EQ(box(0), "1.0");
    EXPECT_EQ(speed(0), "80"); // not recomputed
}

TEST_F(ValueGrid, RouteModeMovesTheRouteFactorOfTheSameRoadClass) {
    disableBox(model.form.text1[0]);
    setTriple(0, "100", "0.8", "1.0");
    speed(0) = "96";
    leaveRoutingSpeedBox(model, 0);
    EXPECT_EQ(box(36), "1.2");
    EXPECT_EQ(box(0), "0.8");

    setTriple(9, "50", "2.0", "1.0"); // outside towns: boxes 29, 9 and 45
    speed(9) = "25";
    leaveRoutingSpeedBox(model, 9);
    EXPECT_EQ(box(45), "0.25");
    EXPECT_EQ(box(9), "2.0");
}

TEST_F(ValueGrid, ATypedRoutingSpeedKeepsItsDigitsWithAComma) {
    speed(4) = "96.25";
    leaveRoutingSpeedBox(model, 4);
    EXPECT_EQ(speed(4), "96,25");
    EXPECT_EQ(box(4), "0.962"); // 0.9625, the half going to the even digit
}

TEST_F(ValueGrid, ARoutingSpeedThatCannotBeSolvedChangesNoFactor) {
    const struct {
        const char* typed;
        const char* speedBox;
        const char* routeFactor;
    } cases[] = {{"abc", "100", "1.0"}, {"90", "- - - -", "1.0"}, {"90", "100", "x"},
                 {"90", "0", "1.0"},    {"90", "100", "0.0"},     {"0", "0", "1.0"}};
    for (const auto& c : cases) {
        setTriple(2, c.speedBox, "1.5", c.routeFactor);
        speed(2) = c.typed;
        leaveRoutingSpeedBox(model, 2);
        EXPECT_EQ(box(2), "1.5") << c.typed << " " << c.speedBox << " " << c.routeFactor;
    }
}

TEST_F(ValueGrid, ARoutingSpeedFarBeyondTheFactorRangeChangesNoFactor) {
    setTriple(2, "0,0000001", "1.5", "0,0000001");
    speed(2) = std::string(300, '9');
    leaveRoutingSpeedBox(model, 2);
    EXPECT_EQ(box(2), "1.5");
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

class ListToBoxesTest : public ::testing::Test {
  protected:
    ListToBoxesTest() { ClearValueBoxes(model); }

    std::vector<std::string> boxes(int first, int count) {
        std::vector<std::string> texts;
        for (int index = first; index < first + count; ++index)
            texts.push_back(model.form.text1.at(index).text);
        return texts;
    }

    MainWindowModel model;
};

using Texts = std::vector<std::string>;

TEST_F(ListToBoxesTest, OneValuePerBox) {
    ListToBoxes(model, "30|40|50|60", 20, 4);
    EXPECT_EQ(boxes(19, 6), (Texts{"- - - -", "30", "40", "50", "60", "- - - -"}));
    EXPECT_TRUE(model.form.window.visible);
}

TEST_F(ListToBoxesTest, ExtraValuesGoWithTheirSeparatorsIntoTheLastBox) {
    ListToBoxes(model, "a|b|c|d|e", 52, 4);
    EXPECT_EQ(boxes(52, 4), (Texts{"a", "b", "c", "d|e"}));
}

TEST_F(ListToBoxesTest, AMissingSeparatorRestartsTheSearchAtTheBeginning) {
    ListToBoxes(model, "1|2", 0, 4);
    EXPECT_EQ(boxes(0, 4), (Texts{"1", "- - - -", "1", "2"}));
}

TEST_F(ListToBoxesTest, AnEmptyListEmptiesOnlyTheLastBox) {
    ListToBoxes(model, "", 8, 8);
    EXPECT_EQ(boxes(8, 8), (Texts{"- - - -", "- - - -", "- - - -", "- - - -", "- - - -", "- - - -",
                                  "- - - -", ""}));
}

TEST_F(ListToBoxesTest, AListWithoutSeparatorLandsWholeInTheLastBox) {
    ListToBoxes(model, "such2 ERROR", 16, 4);
    EXPECT_EQ(boxes(16, 4), (Texts{"- - - -", "- - - -", "- - - -", "such2 ERROR"}));
}

TEST_F(ListToBoxesTest, KeepsValuesExactlyAndEmptyValuesEmpty) {
    ListToBoxes(model, " 1,5||x |", 0, 4);
    EXPECT_EQ(boxes(0, 4), (Texts{" 1,5", "", "x ", ""}));
}

TEST_F(ListToBoxesTest, SkipsBoxesBeyondTheGrid) {
    ListToBoxes(model, "a|b|c|d", 55, 4);
    EXPECT_EQ(boxes(55, 2), (Texts{"a", "b"}));
    ListToBoxes(model, "a|b", -1, 2);
    EXPECT_EQ(boxes(0, 1), (Texts{"b"}));
}

TEST(BoxesToList, JoinsTheBoxesBetweenPrefixAndSuffix) {
    MainWindowModel model;
    model.form.text1[36].text = "1.0";
    model.form.text1[37].text = "1.2";
    model.form.text1[38].text = "0.8";
    EXPECT_EQ(BoxesToList(model, "P", 36, "S", 3), "P1.0|1.2|0.8S");
    EXPECT_EQ(BoxesToList(model, "", 56, "", 1), "Text1");
}

TEST(BoxesToList, GivesBackWhatListToBoxesSpread) {
    MainWindowModel model;
    for (const char* list : {"130|100|90|80|70|50|30|10", "||||||| ", "a|b|c|d|e|f|g|h|i"}) {
        ListToBoxes(model, list, 28, 8);
        EXPECT_EQ(BoxesToList(model, "<Open>", 28, "</Open>", 8),
                  std::string("<Open>") + list + "</Open>");
    }
}

} // namespace
} // namespace marlwick
