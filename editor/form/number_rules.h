// How the grid reads the numbers in its boxes and writes the numbers it computes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace marlwick {

// Reads a box: "." and "," both serve as the decimal separator, at most one of them. Accepts
// blanks around the number and a leading sign; nothing else (no exponent, no grouping, no
// "inf" or "nan"). Empty texts, "- - - -", letters and values beyond the double range give
// nothing.
std::optional<double> readBoxNumber(std::string_view text);

// A routing speed for a Text3 box: 2 decimals, "," as separator, shortest plain form.
std::string formatRoutingSpeed(double value);

// A preference factor for a Text1 box: 3 decimals, "." as separator, shortest plain form.
std::string formatPreferenceFactor(double value);

// Rounds to the given number of decimals, a value exactly halfway (in its shortest decimal
// form) going to the even last digit, and writes it without trailing zeros, without a
// separator for a whole number and without a sign for zero. The value must be finite.
std::string roundedPlainDecimal(double value, int decimals, char separator);

// Appends ".0" to a text that holds no ".".
std::string withDecimalPoint(std::string text);

} // namespace marlwick
