#include "editor/document/textroutine.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>

namespace marlwick {
namespace {

std::string joined(const ZerlegeResult& r) {
    return std::string(r[0]) + std::string(r[1]) + std::string(r[2]);
}

// One split a row: the searches such1, such2, such3, suchnach1, suchnach2, suchnach3 (those not
// given are empty) and the three parts. A failed search puts its error text at its level and
// stops there: such3 counts only after a such2, suchnach3 only after a suchnach2. An empty
// search is found where it starts, and every search starts at or after the previous match, so
// a name in another setting before the routing section steers them all.
TEST(Zerlege, SplitsAtTheFirstMatchOfEachSearch) {
    const std::string_view tagged = "x<A>1</A><B>2</B>";
    const struct {
        std::string_view text;
        std::array<std::string_view, 6> searches;
        ZerlegeResult parts;
        bool error;
    } cases[] = {
        {"a<City>1|2</City>b",
         {"a", "<City>", "", "</City>"},
         {"a<City>", "1|2", "</City>b"},
         false},
        {tagged, {"missing", "<A>", "", "</A>"}, {"such1 ERROR", "", ""}, true},
        {tagged, {"x", "<C>", "", "</A>"}, {"", "such2 ERROR", ""}, true},
        {tagged, {"x", "<A>", "<C>", "</A>"}, {"", "", "such3 ERROR"}, true},
        {tagged, {"x", "<A>", "", "</C>"}, {"suchnach1 ERROR", "", ""}, true},
        {tagged, {"x", "<A>", "", "1", "</C>"}, {"", "suchnach2 ERROR", ""}, true},
        {tagged, {"x", "<A>", "", "1", "</A>", "</C>"}, {"", "", "suchnach3 ERROR"}, true},
        // Later searches would fail too: only the first failure is told.
        {"Car Slow<City>", {"Car Fast", "<Open>", "<X>", "</City>"}, {"such1 ERROR", "", ""}, true},
        {"", {"Car Fast", "<City>", "", "</City>"}, {"such1 ERROR", "", ""}, true},
        {"n<City>5</City>", {"n", "", "<never>", "</City>"}, {"n", "<City>5", "</City>"}, false},
        {"n<V>5</V>", {"n", "<V>", "", "</V>", "", "<never>"}, {"n<V>", "5", "</V>"}, false},
        {"<City>7</City><City>8</City>",
         {"", "<City>", "", "</City>"},
         {"<City>", "7", "</City><City>8</City>"},
         false},
        // An empty end tag is found right where the value starts: an empty list.
        {"ab", {"a", "", "", ""}, {"a", "", "b"}, false},
        {"Car Fast<City></City>",
         {"Car Fast", "<City>", "", "</City>"},
         {"Car Fast<City>", "", "</City>"},
         false},
        {"<Last>Car Fast</Last><City>1</City><Name>Car Fast</Name><City>2</City>",
         {"Car Fast", "<City>", "", "</City>"},
         {"<Last>Car Fast</Last><City>", "1", "</City><Name>Car Fast</Name><City>2</City>"},
         false},
        // A start tag is skipped before the end tag is searched: "<A><A>" finds the second.
        {"n<A><A>x</A>", {"n", "<A>", "<A>", "</A>"}, {"n<A><A>", "x", "</A>"}, false},
        // The end tag may overlap the start tag's match.
        {"aaa", {"a", "", "", "a"}, {"a", "", "aa"}, false},
        // Bytes compare case-sensitively, whatever their value.
        {"<city>1</city>", {"", "<City>", "", "</City>"}, {"", "such2 ERROR", ""}, true},
        {"Stra\xDF"
         "e<City>\xFF\x80</City>",
         {"Stra\xDF"
          "e",
          "<City>", "", "</City>"},
         {"Stra\xDF"
          "e<City>",
          "\xFF\x80", "</City>"},
         false},
        // The error text inside a file is no error.
        {"such1 ERROR", {}, {"", "", "such1 ERROR"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text));
        const auto& [such1, such2, such3, suchnach1, suchnach2, suchnach3] = c.searches;
        const auto r = zerlege(c.text, such1, such2, such3, suchnach1, suchnach2, suchnach3);
        EXPECT_EQ(r, c.parts);
        EXPECT_EQ(isZerlegeError(r), c.error);
    }
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
