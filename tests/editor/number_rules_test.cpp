#include "editor/form/number_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace marlwick {
namespace {

TEST(ReadBoxNumber, TakesPointAndCommaAsTheDecimalSeparator) {
    EXPECT_EQ(readBoxNumber("12,5"), 12.5);
    EXPECT_EQ(readBoxNumber("12.5"), 12.5);
    EXPECT_EQ(readBoxNumber("3."), 3.0);
    EXPECT_EQ(readBoxNumber(",5"), 0.5);
    EXPECT_EQ(readBoxNumber(".0"), 0.0); // what an emptied factor box becomes
    EXPECT_EQ(readBoxNumber("108"), 108.0);
}

TEST(ReadBoxNumber, AcceptsASignAndSurroundingBlanks) {
    EXPECT_EQ(readBoxNumber("-2,5"), -2.5);
    EXPECT_EQ(readBoxNumber("+1"), 1.0);
    EXPECT_EQ(readBoxNumber(" 7\t"), 7.0);
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

TEST(RoutingSpeedForm, HalvesGoToTheEvenDigit) {
    EXPECT_EQ(formatRoutingSpeed(0.125), "0,12");
    EXPECT_EQ(formatRoutingSpeed(0.375), "0,38");
    EXPECT_EQ(formatRoutingSpeed(2.665), "2,66");
    EXPECT_EQ(formatRoutingSpeed(2.675), "2,68");
    EXPECT_EQ(formatRoutingSpeed(2.6650001), "2,67"); // beyond the half
    EXPECT_EQ(formatRoutingSpeed(-1.005), "-1");
}

TEST(RoutingSpeedForm, CarriesIntoTheWholePartAndDropsTheSignOfZero) {
    EXPECT_EQ(formatRoutingSpeed(99.995), "100");
    EXPECT_EQ(formatRoutingSpeed(9.999), "10");
    EXPECT_EQ(formatRoutingSpeed(-0.004), "0");
    EXPECT_EQ(formatRoutingSpeed(-0.0), "0");
    EXPECT_EQ(formatRoutingSpeed(0.004), "0");
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
    EXPECT_EQ(withDecimalPoint("1"), "1.0");
    EXPECT_EQ(withDecimalPoint("1.2"), "1.2");
    EXPECT_EQ(withDecimalPoint("3."), "3.");
    EXPECT_EQ(withDecimalPoint(""), ".0");
    EXPECT_EQ(withDecimalPoint("abc"), "abc.0");
}

} // namespace
} // namespace marlwick
