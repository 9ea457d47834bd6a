#include "editor/form/main_form.h"
#include "editor/form/twips.h"
#include "editor/operations/main_window_events.h"
#include "program_versions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace marlwick {
namespace {

bool isBoxOrButton(const Control& c) {
    return c.kind != ControlKind::Label;
}

bool overlap(const TwipsRect& a, const TwipsRect& b) {
    return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
           b.top < a.top + a.height;
}

TEST(MainForm, StartsWithTheLaidOutTexts) {
    const MainForm form = makeMainForm();
    for (const Control& box : form.text1)
        EXPECT_EQ(box.text, "Text1");
    for (const Control& box : form.text3)
        EXPECT_EQ(box.text, "-");
    EXPECT_EQ(form.label4[0].text, "Label4");
    EXPECT_EQ(form.label4[1].text, "Label4");
    EXPECT_EQ(form.window.title, "Marlwick " MARLWICK_VERSION_TEXT);
    EXPECT_EQ(form.window.outerHeight, 6690);
    EXPECT_FALSE(form.window.visible);
}

TEST(MainForm, ValueBoxesStandInTheirRowsAndColumns) {
    const MainForm form = makeMainForm();
    // Box, top and column of the first box of each row, as the rows are read.
    const int rows[][3] = {{0, 330, 0},   {20, 660, 0},  {8, 1290, 0},
                           {28, 1620, 0}, {16, 1950, 0}, {36, 3060, 0},
                           {44, 3390, 0}, {52, 3720, 0}, {56, 3720, 5}};
    for (const auto& [box, top, column] : rows)
        EXPECT_EQ(form.text1[box].rect, (TwipsRect{layout::kColumnLeft[column], top, 1095, 285}))
            << "Text1(" << box << ")";
    EXPECT_EQ(form.text1[35].rect, (TwipsRect{9900, 1620, 1095, 285}));
    EXPECT_EQ(form.text3[15].rect, (TwipsRect{9900, 5160, 1095, 285}));
    EXPECT_EQ(form.label7[15].rect, form.text3[15].rect);
}

TEST(MainForm, HeadingsNameTheRoadClassOfTheirColumn) {
    const MainForm form = makeMainForm();
    EXPECT_EQ(form.label1.size(), 32u);
    const auto headingAt = [&](int top, int column) {
        for (const auto& [index, heading] : form.label1)
            if (heading.rect.top == top && heading.rect.left == layout::kColumnLeft[column])
                return std::pair{index, heading.text};
        return std::pair{-1, std::string()};
    };
    EXPECT_EQ(headingAt(30, 0), (std::pair{0, std::string("Autobahn")}));
    EXPECT_EQ(headingAt(30, 7), (std::pair{7, std::string("Wohnstra\xDF"
                                                          "e")}));
    EXPECT_EQ(headingAt(990, 0), (std::pair{15, std::string("Autobahn")}));
    EXPECT_EQ(headingAt(990, 6), (std::pair{9, std::string("Gasse ")}));
    EXPECT_EQ(headingAt(990, 7), (std::pair{8, std::string("Feldweg")}));
    EXPECT_EQ(headingAt(2760, 7), (std::pair{32, std::string("Wohnstra\xDF"
                                                             "e")}));
    EXPECT_EQ(headingAt(4530, 7), (std::pair{55, std::string("Wohn./Feld.")}));
}

TEST(MainForm, TitlesAndModeBarHaveTheirColours) {
    const MainForm form = makeMainForm();
    EXPECT_EQ(form.label3[0].background, Colour(colours::kRed));
    EXPECT_EQ(form.label3[1].background, Colour(colours::kYellow));
    EXPECT_EQ(form.label6.background, Colour(colours::kGreen));
    EXPECT_EQ(form.command4[0].background, Colour(colours::kYellow));
    EXPECT_EQ(form.command1[0].background, Colour(SystemColour::ButtonLight));
    EXPECT_EQ(form.text1[0].background, Colour(SystemColour::WindowBackground));
}

TEST(MainForm, LabelsAndButtonsAreBoldBoxesAndSpeedLabelsUseTheDefaultFont) {
    const MainForm form = makeMainForm();
    for (ControlId id : allControls()) {
        const Control& c = control(form, id);
        const bool plain = c.kind == ControlKind::TextBox || id.array == ControlArray::Label7;
        EXPECT_EQ(c.font, plain ? FontFace::WindowDefault : FontFace::SansSerif) << controlName(id);
        EXPECT_EQ(c.bold, !plain) << controlName(id);
    }
}

TEST(MainForm, TheImportRowLiesBelowTheClientAreaAndIsHidden) {
    const MainForm form = makeMainForm();
    for (ControlId id : allControls()) {
        const Control& c = control(form, id);
        const bool belowClientArea = c.rect.top >= layout::kClientHeight;
        EXPECT_EQ(belowClientArea, !c.visible && id.array != ControlArray::Label7)
            << controlName(id);
        EXPECT_LE(c.rect.left + c.rect.width, layout::kClientWidth) << controlName(id);
    }
    EXPECT_EQ(form.command7.tooltip, "Achtung!!! Alle Settings des Routing werden \xFC"
                                     "bernommen");
}

TEST(MainForm, NoTwoControlsOverlapExceptTheSpeedLabelsOverTheirBoxes) {
    const MainForm form = makeMainForm();
    const std::vector<ControlId> ids = allControls();
    for (std::size_t i = 0; i < ids.size(); ++i) {
        for (std::size_t j = i + 1; j < ids.size(); ++j) {
            const bool pair = ids[i].array == ControlArray::Text3 &&
                              ids[j].array == ControlArray::Label7 && ids[i].index == ids[j].index;
            const bool overlapping =
                overlap(control(form, ids[i]).rect, control(form, ids[j]).rect);
            EXPECT_EQ(overlapping, pair) << controlName(ids[i]) << " " << controlName(ids[j]);
        }
    }
}

TEST(MainForm, TabOrderReadsTheBoxesThenTheButtonsRowByRow) {
    const MainForm form = makeMainForm();
    const auto order = tabOrder();
    std::set<ControlId> seen(order.begin(), order.end());
    EXPECT_EQ(seen.size(), order.size());
    std::size_t focusable = 0;
    for (ControlId id : allControls())
        focusable += isBoxOrButton(control(form, id)) ? 1 : 0;
    EXPECT_EQ(order.size(), focusable);

    const auto firstButton = std::ranges::find_if(
        order, [&](ControlId id) { return control(form, id).kind == ControlKind::Button; });
    const auto readingOrder = [&](ControlId a, ControlId b) {
        const TwipsRect &ra = control(form, a).rect, &rb = control(form, b).rect;
        return std::pair{ra.top, ra.left} < std::pair{rb.top, rb.left};
    };
    EXPECT_TRUE(std::is_sorted(order.begin(), firstButton, readingOrder));
    EXPECT_TRUE(std::is_sorted(firstButton, order.end(), readingOrder));
    EXPECT_TRUE(std::all_of(firstButton, order.end(), [&](ControlId id) {
        return control(form, id).kind == ControlKind::Button;
    }));
}

TEST(GridLines, SixtyStraightLinesGreyOnlyBetweenTheRowsOfAPair) {
    const auto lines = gridLines();
    ASSERT_EQ(lines.size(), 60u);
    std::set<int> greyRows;
    for (const Line& line : lines) {
        EXPECT_TRUE(line.x1 == line.x2 || line.y1 == line.y2);
        EXPECT_EQ(line.widthPixels, 2);
        if (line.colour == SystemColour::GrayText) {
            EXPECT_EQ(line.y1, line.y2);
            greyRows.insert(line.y1);
        }
    }
    EXPECT_EQ(greyRows, (std::set<int>{630, 1590, 3360, 5130}));
}

TEST(GridLines, NoLineCrossesABoxOrAButton) {
    const MainForm form = makeMainForm();
    for (const Line& line : gridLines()) {
        const TwipsRect stroke{std::min(line.x1, line.x2), std::min(line.y1, line.y2),
                               std::abs(line.x2 - line.x1) + 1, std::abs(line.y2 - line.y1) + 1};
        for (ControlId id : tabOrder())
            EXPECT_FALSE(overlap(stroke, control(form, id).rect))
                << controlName(id) << " crossed at " << line.x1 << "," << line.y1;
    }
}

TEST(Controls, AreFoundByTheirLayoutNames) {
    MainForm form = makeMainForm();
    EXPECT_EQ(controlName({ControlArray::Text1, 20}), "Text1(20)");
    EXPECT_EQ(controlName({ControlArray::Command5, 0}), "Command5");
    EXPECT_EQ(control(form, {ControlArray::Label1, 48}).text, "Autobahn");
    EXPECT_EQ(control(form, {ControlArray::Command6, 0}).text, "Basic");
    EXPECT_THROW(control(form, {ControlArray::Label1, 16}), std::out_of_range);
    EXPECT_THROW(control(form, {ControlArray::Text1, 57}), std::out_of_range);
    EXPECT_THROW(control(form, {ControlArray::Command5, 1}), std::out_of_range);
    EXPECT_EQ(allControls().size(), 57u + 16 + 9 + 2 + 2 + 1 + 3 + 32 + 11 + 2 + 2 + 2 + 1 + 16);
}

TEST(Controls, EnablingAndDisablingABoxSetsStateAndColourTogether) {
    Control box = makeMainForm().text1[0];
    disableBox(box);
    EXPECT_FALSE(box.enabled);
    EXPECT_EQ(box.background, Colour(colours::kLightGrey));
    enableBox(box);
    EXPECT_TRUE(box.enabled);
    EXPECT_EQ(box.background, Colour(SystemColour::WindowBackground));
}

TEST(Twips, ConvertAtTheScreensPixelsPerInch) {
    EXPECT_EQ(toPixels({1920, 330, 1095, 285}, 96), (PixelRect{128, 22, 73, 19}));
    EXPECT_EQ(toPixels({1920, 330, 1095, 285}, 144), (PixelRect{192, 33, 110, 29}));
    // At 120 pixels per inch neighbouring cells stay flush.
    const PixelRect first = toPixels({1920, 330, 1140, 285}, 120);
    const PixelRect second = toPixels({3060, 330, 1095, 285}, 120);
    EXPECT_EQ(first.left + first.width, second.left);
    EXPECT_EQ(twipsToPixels(6690, 96), 446);
    EXPECT_EQ(twipsToPixels(7350, 144), 735);
    EXPECT_EQ(twipsToPixels(-15, 96), -1);
}

// The user's side: focus, typing and leaving, as the window reports them.
TEST(MainWindowEvents, TypingAndLeavingABoxRecomputesTheRoutingSpeeds) {
    MainWindowModel model;
    for (int k = 0; k < kRoutingSpeedBoxCount; ++k) {
        model.form.text1[k].text = "1.0";
        model.form.text1[k + 20].text = "100";
        model.form.text1[k + 36].text = "0.9";
    }
    const ControlId speedBox{ControlArray::Text1, 20};
    onFocusGained(model, speedBox);
    EXPECT_EQ(model.form.text1[20].selectionLength, 3);
    onTextTyped(model, speedBox, "120");
    onFocusLost(model, speedBox);
    EXPECT_EQ(model.form.text3[0].text, "108");
    EXPECT_EQ(model.form.text3[1].text, "90");

    const ControlId routingSpeed{ControlArray::Text3, 1};
    onFocusGained(model, routingSpeed);
    onTextTyped(model, routingSpeed, "45.5");
    onFocusLost(model, routingSpeed);
    EXPECT_EQ(model.form.text3[1].text, "45,5");
    EXPECT_EQ(model.form.text1[1].text, "0.506");
}

TEST(MainWindowEvents, TypingReachesOnlyTextBoxes) {
    MainWindowModel model;
    onTextTyped(model, {ControlArray::Label3, 0}, "x");
    EXPECT_EQ(model.form.label3[0].text, "PKW schnell");
}

} // namespace
} // namespace marlwick
