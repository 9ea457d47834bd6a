// The number rules on arbitrary box texts and on arbitrary doubles. Fields: a box text, the
// bytes of a double. Reading by R1 takes exactly the plain decimals (blanks around them and a
// sign allowed) and gives what strtod gives; writing by R2 and R3 gives a plain decimal within
// half a unit of the last kept decimal, never "inf", "nan", an exponent or "-0".
#include "editor/form/number_rules.h"
#include "fuzz/fuzz_support.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>

namespace {

using namespace marlwick;

// What R1 should read, by the rules written out one character at a time.
struct Reading {
    bool accepted = false;
    double value = 0;
    bool outOfRange = false; // beyond the double range, or below its smallest normal number
};

Reading expectedReading(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    std::string number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        number += text.front();
        text.remove_prefix(1);
    }
    int separators = 0, digits = 0;
    for (char c : text) {
        if (c >= '0' && c <= '9') {
            ++digits;
            number += c;
        } else if (c == '.' || c == ',') {
            ++separators;
            number += '.';
        } else {
            return {};
        }
    }
    if (digits == 0 || separators > 1)
        return {};
    errno = 0;
    const double value = std::strtod(number.c_str(), nullptr);
    return {true, value, errno == ERANGE};
}

void requireReadAsRules(std::string_view text) {
    const std::optional<double> read = readBoxNumber(text);
    const Reading expected = expectedReading(text);
    if (expected.outOfRange) {
        fuzz::require(!read || *read == expected.value,
                      "a number at the range's edge reads right or not at all");
        return;
    }
    fuzz::require(read.has_value() == expected.accepted, "R1 accepts exactly the plain decimals");
    if (read)
        fuzz::require(*read == expected.value, "R1 reads the value strtod reads");
}

void requireWritten(const std::string& text, double value, int decimals, char separator) {
    fuzz::require(fuzz::isPlainDecimal(text, separator), "a written number is a plain decimal");
    if (text.starts_with('-'))
        fuzz::require(text.find_first_of("123456789") != std::string::npos, "zero has no sign");
    const std::size_t at = text.find(separator);
    if (at != std::string::npos) {
        fuzz::require(text.size() - at - 1 <= static_cast<std::size_t>(decimals),
                      "no more decimals than the rule keeps");
        fuzz::require(text.back() != '0', "no trailing zeros");
    }
    const std::optional<double> back = readBoxNumber(text);
    fuzz::require(back.has_value(), "a written number reads back");
    const double half = 0.5 * std::pow(10.0, -decimals);
    const double slack = 4 * std::abs(value) * 2.3e-16 + 1e-300;
    fuzz::require(std::abs(*back - value) <= half * (1 + 1e-9) + slack,
                  "a written number is within half a unit of its last decimal");
}

void requireFormats(double value) {
    requireWritten(formatRoutingSpeed(value), value, 2, ',');
    const std::string factor = formatPreferenceFactor(value);
    requireWritten(factor, value, 3, '.');
    fuzz::require(withDecimalPoint(factor).find('.') != std::string::npos,
                  "a factor written with \".0\" holds a point");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    requireReadAsRules(fields[0]);
    if (const auto read = readBoxNumber(fields[0]))
        requireFormats(*read);

    double value = 0;
    const std::string_view bytes = fields[1];
    if (!bytes.empty())
        std::memcpy(&value, bytes.data(), std::min(bytes.size(), sizeof value));
    if (std::isfinite(value))
        requireFormats(value);
    return 0;
}
