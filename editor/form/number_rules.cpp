#include "editor/form/number_rules.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <stdexcept>

namespace marlwick {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string_view trimmed(std::string_view text) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// The text as "[-]digits[.digits]" for from_chars, or empty when it is not a plain decimal.
std::string plainDecimal(std::string_view text) {
    std::string number;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        if (text.front() == '-')
            number += '-';
        text.remove_prefix(1);
    }
    bool separatorSeen = false;
    bool digitSeen = false;
    for (char c : text) {
        if (isDigit(c)) {
            digitSeen = true;
            number += c;
        } else if ((c == '.' || c == ',') && !separatorSeen) {
            separatorSeen = true;
            number += '.';
        } else {
            return {};
        }
    }
    return digitSeen ? number : std::string{};
}

// The shortest decimal form that reads back as the same double, without exponent.
std::string shortestFixed(double value) {
    std::array<char, 400> buffer{}; // room for the longest double in fixed notation
    const auto [end, error] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                            std::chars_format::fixed);
    if (error != std::errc{})
        throw std::logic_error("number too long to write");
    return {buffer.data(), end};
}

// Adds one unit in the last place of a digit string, growing it on a carry out of the front.
void incrementDigits(std::string& digits) {
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return;
        }
        *it = '0';
    }
    digits.insert(digits.begin(), '1');
}

bool roundsUp(char lastKept, char next, std::string_view rest) {
    if (next != '5')
        return next > '5';
    const bool beyondHalf = std::ranges::any_of(rest, [](char c) { return c != '0'; });
    return beyondHalf || (lastKept - '0') % 2 == 1;
}

} // namespace

std::optional<double> readBoxNumber(std::string_view text) {
    const std::string number = plainDecimal(trimmed(text));
    if (number.empty())
        return std::nullopt;
    double value = 0;
    const char* end = number.data() + number.size();
    const auto [stop, error] = std::from_chars(number.data(), end, value, std::chars_format::fixed);
    if (error != std::errc{} || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

std::string roundedPlainDecimal(double value, int decimals, char separator) {
    std::string text = shortestFixed(value);
    const bool negative = text.front() == '-';
    if (negative)
        text.erase(0, 1);

    const std::size_t point = text.find('.');
    const std::string integerPart = text.substr(0, point);
    const std::string fraction = point == std::string::npos ? "" : text.substr(point + 1);
    const std::size_t kept = std::min(fraction.size(), static_cast<std::size_t>(decimals));

    std::string digits = integerPart + fraction.substr(0, kept);
    if (fraction.size() > kept &&
        roundsUp(digits.back(), fraction[kept], std::string_view(fraction).substr(kept + 1)))
        incrementDigits(digits);

    std::string wholePart = digits.substr(0, digits.size() - kept);
    std::string decimalPart = digits.substr(digits.size() - kept);
    decimalPart.erase(decimalPart.find_last_not_of('0') + 1);

    const bool zero = wholePart.find_first_not_of('0') == std::string::npos && decimalPart.empty();
    std::string result = negative && !zero ? "-" : "";
    result += wholePart;
    if (!decimalPart.empty())
        result += separator + decimalPart;
    return result;
}

std::string formatRoutingSpeed(double value) {
    return roundedPlainDecimal(value, 2, ',');
}

std::string formatPreferenceFactor(double value) {
    return roundedPlainDecimal(value, 3, '.');
}

std::string withDecimalPoint(std::string text) {
    if (text.find('.') == std::string::npos)
        text += ".0";
    return text;
}

} // namespace marlwick
