// The values the registry class takes and gives: empty (a kind of its own, not an empty
// text), text, 32-bit integer, truth value, list of texts, or a table of two text columns,
// with the conversions its writes apply.
#pragma once

#include "services/service_error.h"

#include <array>
#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace marlwick {

using RegistryList = std::vector<std::string>;
using RegistryTable = std::vector<std::array<std::string, 2>>;
using RegistryVariant =
    std::variant<std::monostate, std::string, std::int32_t, bool, RegistryList, RegistryTable>;

// The error numbers of failed conversions.
inline constexpr std::int32_t kErrorOverflow = 6;
inline constexpr std::int32_t kErrorTypeMismatch = 13;

inline bool isEmpty(const RegistryVariant& value) {
    return std::holds_alternative<std::monostate>(value);
}

// Text stays, numbers give their decimal text, truth values "True" or "False", empty gives an
// empty text; lists and tables raise a type mismatch.
std::string toText(const RegistryVariant& value);

// Decimal text (blanks around it allowed), numbers and truth values (true is -1) convert,
// empty gives 0; anything else raises a type mismatch, a number out of range an overflow.
std::int32_t toLong(const RegistryVariant& value);

// True when the text is a decimal integer as toLong reads it.
bool isWholeNumber(const std::string& text);

// A list stays a list; anything else raises a type mismatch.
const RegistryList& toList(const RegistryVariant& value);

} // namespace marlwick
