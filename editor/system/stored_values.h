// Reading and writing the editor's values under "Software\Marlwick\" through the registry
// class: always as expandable strings, numbers and truth values as their text.
#pragma once

#include "services/cls_sys_registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace marlwick {

// The stored text; empty when the value does not exist.
std::string readStoredText(clsSysRegistry& registry, std::string_view name);

// The stored 16-bit number; nothing when the value is missing or no such number (a value
// edited by hand).
std::optional<std::int16_t> readStoredNumber(clsSysRegistry& registry, std::string_view name);

void storeText(clsSysRegistry& registry, std::string_view name, const std::string& text);
void storeNumber(clsSysRegistry& registry, std::string_view name, std::int16_t number);
void storeTruth(clsSysRegistry& registry, std::string_view name, bool truth);

// The text without any double quote.
std::string withoutQuotes(std::string text);

} // namespace marlwick
