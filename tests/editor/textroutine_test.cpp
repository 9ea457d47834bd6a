#include "editor/document/textroutine.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace marlwick {
namespace {

std::string joined(const ZerlegeResult& r) {
    return std::string(r[0]) + std::string(r[1]) + std::string(r[2]);
}

TEST(Zerlege, SplitsAroundTheValueList) {
    const std::string text = "a<City>1|2</City>b";
    const auto r = zerlege(text, "a", "<City>", "", "</City>");
    EXPECT_EQ(r[0], "a<City>");
    EXPECT_EQ(r[1], "1|2");
    EXPECT_EQ(r[2], "</City>b");
    EXPECT_FALSE(isZerlegeError(r));
}

TEST(Zerlege, EachFailedSearchPutsItsTextAtItsLevel) {
    const std::string text = "x<A>1</A><B>2</B>";
    struct Case {
        const char *such1, *such2, *such3, *suchnach1, *suchnach2, *suchnach3;
        int index;
        std::string_view error;
    };
    const Case cases[] = {
        {"missing", "<A>", "", "</A>", "", "", 0, kSuch1Error},
        {"x", "<C>", "", "</A>", "", "", 1, kSuch2Error},
        {"x", "<A>", "<C>", "</A>", "", "", 2, kSuch3Error},
        {"x", "<A>", "", "</C>", "", "", 0, kSuchnach1Error},
        {"x", "<A>", "", "1", "</C>", "", 1, kSuchnach2Error},
        {"x", "<A>", "", "1", "</A>", "</C>", 2, kSuchnach3Error},
    };
    for (const auto& c : cases) {
        const auto r =
            zerlege(text, c.such1, c.such2, c.such3, c.suchnach1, c.suchnach2, c.suchnach3);
        SCOPED_TRACE(std::string(c.error));
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(r[i], i == c.index ? c.error : std::string_view{});
        EXPECT_TRUE(isZerlegeError(r));
    }
}

TEST(Zerlege, StopsAtTheFirstFailure) {
    // such3 would also fail, but such2 fails first.
    const auto r = zerlege("Car Slow<City>", "Car Fast", "<Open>", "<X>", "</City>");
    EXPECT_EQ(r[0], "such1 ERROR");
    EXPECT_EQ(r[1], "");
    EXPECT_EQ(r[2], "");
}

TEST(Zerlege, Such3IsIgnoredWhenSuch2IsEmpty) {
    const auto r = zerlege("n<City>5</City>", "n", "", "<never>", "</City>");
    EXPECT_EQ(r[1], "<City>5");
}

TEST(Zerlege, Suchnach3IsIgnoredWhenSuchnach2IsEmpty) {
    const auto r = zerlege("n<V>5</V>", "n", "<V>", "", "</V>", "", "<never>");
    EXPECT_EQ(r[1], "5");
}

TEST(Zerlege, EmptyStringsAreFoundAtTheStartPosition) {
    const auto r = zerlege("<City>7</City><City>8</City>", "", "<City>", "", "</City>");
    EXPECT_EQ(r[0], "<City>");
    EXPECT_EQ(r[1], "7");

    // An empty end tag is found right where the value starts: an empty list.
    const auto empty = zerlege("ab", "a", "", "", "");
    EXPECT_EQ(empty[0], "a");
    EXPECT_EQ(empty[1], "");
    EXPECT_EQ(empty[2], "b");
}

TEST(Zerlege, EmptyValueListIsNoError) {
    const auto r = zerlege("Car Fast<City></City>", "Car Fast", "<City>", "", "</City>");
    EXPECT_EQ(r[1], "");
    EXPECT_EQ(r[2], "</City>");
    EXPECT_FALSE(isZerlegeError(r));
}

TEST(Zerlege, EmptyTextFailsAtTheFirstLevel) {
    EXPECT_EQ(zerlege("", "Car Fast", "<City>", "", "</City>")[0], "such1 ERROR");
}

TEST(Zerlege, TakesTheFirstOccurrenceAtOrAfterThePreviousMatch) {
    // The name in another setting before the routing section steers every search.
    const std::string text = "<Last>Car Fast</Last><City>1</City><Name>Car Fast</Name>"
                             "<City>2</City>";
    EXPECT_EQ(zerlege(text, "Car Fast", "<City>", "", "</City>")[1], "1");
    // A start tag is skipped before the end tag is searched: "<A><A>" finds the second.
    EXPECT_EQ(zerlege("n<A><A>x</A>", "n", "<A>", "<A>", "</A>")[1], "x");
    // Overlapping match right after the start tag.
    EXPECT_EQ(zerlege("aaa", "a", "", "", "a")[1], "");
}

TEST(Zerlege, ComparesBytesCaseSensitively) {
    EXPECT_EQ(zerlege("<city>1</city>", "", "<City>", "", "</City>")[1], "such2 ERROR");
    const std::string text = "Stra\xDF"
                             "e<City>\xFF\x80</City>";
    const auto r = zerlege(text,
                           "Stra\xDF"
                           "e",
                           "<City>", "", "</City>");
    EXPECT_EQ(r[1], "\xFF\x80");
}

TEST(Zerlege, ErrorTextInsideAFileIsNotAnError) {
    const std::string text = "such1 ERROR";
    const auto r = zerlege(text, "", "", "", "");
    EXPECT_EQ(r[2], "such1 ERROR");
    EXPECT_FALSE(isZerlegeError(r));
}

TEST(Zerlege, ReplacingTheListChangesNothingElse) {
    const std::string text = "head\r\n<Name>Truck</Name><City>1|2|3</City>\r\ntail\xE4";
    const auto r = zerlege(text, "Truck", "<City>", "", "</City>");
    EXPECT_EQ(joinWithList(r, "9|8|7"), "head\r\n<Name>Truck</Name><City>9|8|7</City>\r\ntail\xE4");
    EXPECT_EQ(joinWithList(r, r[1]), text);
}

// The fast search finds what std::string_view::find finds: at block edges, at the very end,
// overlapping, from any start.
TEST(FindText, AgreesWithStringViewFind) {
    std::mt19937 random(7);
    const std::string_view needles[] = {"ab", "aab", "<Name>Truck",         "</PreferenceFactor",
                                        "a",  "",    "abababababababababab"};
    for (int round = 0; round < 3000; ++round) {
        std::string text(random() % 80, 'a');
        for (char& c : text)
            c = "ab<Nm>"[random() % 6];
        const auto needle = needles[random() % std::size(needles)];
        if (random() % 3 == 0 && text.size() >= needle.size())
            text.replace(text.size() - needle.size(), needle.size(), needle);
        for (std::size_t from = 0; from <= text.size() + 1; ++from)
            ASSERT_EQ(findText(text, needle, from), std::string_view(text).find(needle, from))
                << text << " / " << needle << " from " << from;
    }
}

// Random texts with tags at random places: a successful split always joins to the text.
TEST(ZerlegeProperty, SuccessfulSplitJoinsToTheText) {
    std::mt19937 random(20261207);
    const std::string_view pieces[] = {"<City>",    "</City>",    "Car Fast",
                                       "\r\n",      "\n",         "|",
                                       "<Special>", "</Special>", "<PreferenceFactor>"};
    const std::string_view needles[] = {
        "",    "<City>", "</City>", "Car Fast", "<Special>", "</Special>", "<PreferenceFactor>",
        "\r\n"};
    auto pick = [&](auto& list) { return list[random() % std::size(list)]; };
    int successes = 0;
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 200);
        for (int i = 0; i < length; ++i) {
            if (random() % 4 == 0)
                text += pick(pieces);
            else
                text += static_cast<char>(random() % 256);
        }
        const auto r = zerlege(text, pick(needles), pick(needles), pick(needles), pick(needles),
                               pick(needles), pick(needles));
        if (isZerlegeError(r)) {
            const int empty =
                (r[0].empty() ? 1 : 0) + (r[1].empty() ? 1 : 0) + (r[2].empty() ? 1 : 0);
            ASSERT_EQ(empty, 2);
        } else {
            ++successes;
            ASSERT_EQ(joined(r), text);
        }
    }
    EXPECT_GT(successes, 1000);
}

} // namespace
} // namespace marlwick
