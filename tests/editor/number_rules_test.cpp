#include "editor/form/number_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace marlwick {
namespace {

// Point or comma for the decimals, a sign and blanks around; ".0" is what an emptied factor
// box becomes.
TEST(ReadBoxNumber, TakesPointOrCommaASignAndSurroundingBlanks) {
    const std::pair<const char*, double> cases[] = {{"12,5", 12.5}, {"12.5", 12.5}, {"3.", 3.0},
                                                    {",5", 0.5},    {".0", 0.0},    {"108", 108.0},
                                                    {"-2,5", -2.5}, {"+1", 1.0},    {" 7\t", 7.0}};
    for (const auto& [text, value] : cases)
        EXPECT_EQ(readBoxNumber(text), value) << '"' << text << '"';
}

TEST(ReadBoxNumber, RefusesEverythingElse) {
    for (const char* text : {"", " ", "- - - -", "abc", "abc.0", "1.2.3", "1,2.3", "1e3", "inf",
                             "nan", "0x10", "1 000", "-", "+-1", "1-", "12a"})
        EXPECT_EQ(readBoxNumber(text), std::nullopt) << '"' << text << '"';
}

TEST(ReadBoxNumber, RefusesNumbersBeyondTheRangeOfADouble) {
    EXPECT_EQ(readBoxNumber(std::string(400, '9')), std::nullopt);
    EXPECT_TRUE(readBoxNumber(std::string(300, '9')).has_value());
}

TEST(RoutingSpeedForm, RoundsToTwoDecimalsWithACommaInShortestForm) {
    EXPECT_EQ(formatRoutingSpeed(100 * 1.2 * 0.9), "108");
    EXPECT_EQ(formatRoutingSpeed(80 * 1.1 * 0.95), "83,6");
    EXPECT_EQ(formatRoutingSpeed(50 * 0.85 * 1.1), "46,75");
    EXPECT_EQ(formatRoutingSpeed(0.5), "0,5");
    EXPECT_EQ(formatRoutingSpeed(-12.344), "-12,34");
    EXPECT_EQ(formatRoutingSpeed(1e20), "100000000000000000000");
}

// 2.6650001 is beyond the half.
TEST(RoutingSpeedForm, HalvesGoToTheEvenDigitCarriesReachTheWholePartAndZeroHasNoSign) {
    const std::pair<double, const char*> cases[] = {
        {0.125, "0,12"},     {0.375, "0,38"}, {2.665, "2,66"}, {2.675, "2,68"},
        {2.6650001, "2,67"}, {-1.005, "-1"},  {99.995, "100"}, {9.999, "10"},
        {-0.004, "0"},       {-0.0, "0"},     {0.004, "0"}};
    for (const auto& [value, shown] : cases)
        EXPECT_EQ(formatRoutingSpeed(value), shown);
}

TEST(PreferenceFactorForm, RoundsToThreeDecimalsWithAPoint) {
    EXPECT_EQ(formatPreferenceFactor(100.0 / 108.0), "0.926");
    EXPECT_EQ(formatPreferenceFactor(96.0 / 80.0), "1.2");
    EXPECT_EQ(formatPreferenceFactor(1.0), "1");
    EXPECT_EQ(formatPreferenceFactor(0.0625), "0.062");
    EXPECT_EQ(formatPreferenceFactor(0.0635), "0.064");
    EXPECT_EQ(formatPreferenceFactor(0.9995), "1");
    EXPECT_EQ(formatPreferenceFactor(1e-9), "0");
}

TEST(PreferenceFactorForm, AppendsPointZeroOnlyWithoutAPoint) {
    const std::pair<const char*, const char*> cases[] = {
        {"1", "1.0"}, {"1.2", "1.2"}, {"3.", "3."}, {"", ".0"}, {"abc", "abc.0"}};
    for (const auto& [text, shown] : cases)
        EXPECT_EQ(withDecimalPoint(text), shown);
}

} // namespace
} // namespace marlwick
