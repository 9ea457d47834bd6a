// zerlege with arbitrary text and tags: fields text, such1, such2, such3, suchnach1,
// suchnach2, suchnach3. The result must be what the search rules give, step by step with
// positions counted from 1, and on success the three parts must join to the text.
#include "editor/document/textroutine.h"
#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <array>
#include <optional>
#include <span>
#include <string>

namespace {

using marlwick::ZerlegeResult;

// The position (from 1) of needle's first occurrence at or after `from`; an empty needle is
// found at `from`; 0 when there is none.
std::size_t inStr(std::size_t from, std::string_view text, std::string_view needle) {
    if (needle.empty())
        return from;
    if (from > text.size())
        return 0;
    const auto found = std::search(text.begin() + static_cast<std::ptrdiff_t>(from - 1), text.end(),
                                   needle.begin(), needle.end());
    return found == text.end() ? 0 : static_cast<std::size_t>(found - text.begin()) + 1;
}

struct Expected {
    std::array<std::string, 3> parts;
    bool success = false;
};

// Where a chain of up to three searches ends. Each starts where the one before ended: at its
// match, or past it for start tags. A chain stops at its first empty search after the first.
struct ChainEnd {
    std::size_t position;
    std::optional<std::size_t> failedLevel;
};

ChainEnd followChain(std::string_view text, std::size_t from,
                     std::span<const std::string_view, 3> searches, bool pastTheMatch) {
    for (std::size_t level = 0; level < searches.size(); ++level) {
        if (level > 0 && searches[level].empty())
            break;
        const std::size_t found = inStr(from, text, searches[level]);
        if (found == 0)
            return {from, level};
        from = found + (pastTheMatch ? searches[level].size() : 0);
    }
    return {from, std::nullopt};
}

// The error text of the chain's failed level, alone at that level.
Expected failedAt(std::string_view chain, std::size_t level) {
    Expected expected;
    expected.parts[level] = std::string(chain) + std::to_string(level + 1) + " ERROR";
    return expected;
}

Expected expectedSplit(std::string_view text, const std::array<std::string_view, 6>& tags) {
    const ChainEnd start = followChain(text, 1, std::span(tags).first<3>(), true);
    if (start.failedLevel)
        return failedAt("such", *start.failedLevel);
    const ChainEnd end = followChain(text, start.position, std::span(tags).last<3>(), false);
    if (end.failedLevel)
        return failedAt("suchnach", *end.failedLevel);
    const std::size_t v = start.position, e = end.position;
    Expected expected;
    expected.parts = {std::string(text.substr(0, v - 1)), std::string(text.substr(v - 1, e - v)),
                      std::string(text.substr(e - 1))};
    expected.success = true;
    return expected;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    const std::string text(fields[0]);
    const std::array<std::string_view, 6> tags{fields[1], fields[2], fields[3],
                                               fields[4], fields[5], fields[6]};

    const ZerlegeResult result =
        marlwick::zerlege(text, tags[0], tags[1], tags[2], tags[3], tags[4], tags[5]);
    const Expected expected = expectedSplit(text, tags);

    for (std::size_t i = 0; i < 3; ++i)
        fuzz::require(result[i] == expected.parts[i], "each part is what the search rules give");
    fuzz::require(marlwick::isZerlegeError(result) == !expected.success,
                  "an error is told from a text that holds the error's words");
    if (expected.success) {
        fuzz::require(marlwick::joinWithList(result, result[1]) == text,
                      "the three parts join to the text");
        fuzz::require(result[0].data() == text.data(), "the parts are views into the text");
        fuzz::require(marlwick::joinWithList(result, "x").size() ==
                          text.size() - result[1].size() + 1,
                      "replacing the list changes nothing else");
    }
    return 0;
}
