// The editor's stored-value readers on arbitrary stored types and bytes. Fields: for each of
// "pfad", "importpfad", "klick", "user", "import", "fahrzeug" and "route" in turn, its type
// (the first byte; an empty field stores nothing) and its data (0x01 for a NUL); then a text
// and a number to store.
// A text reads as the registry class gives it (a list as empty text), a number only when the
// value is a whole number in 16 bits; a value the class cannot read fails with its error; what
// the editor stores reads back unchanged.
#include "editor/system/stored_settings.h"
#include "editor/system/stored_values.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/registry_reading.h"
#include "tests/fakes/memory_system.h"

#include <algorithm>
#include <array>
#include <limits>

namespace {

using namespace marlwick;

constexpr std::array<std::string_view, 7> kNames{
    stored::kPfad,   stored::kImportpfad, stored::kKlick, stored::kUser,
    stored::kImport, stored::kFahrzeug,   stored::kRoute};

struct Machine {
    MemoryRegistry port;
    MemorySystem system;
    clsSysRegistry registry{port, system};
};

// A whole number as a hand might write it: blanks around, one sign, digits.
std::optional<std::int16_t> wholeNumber(std::string_view text) {
    while (text.starts_with(' '))
        text.remove_prefix(1);
    while (text.ends_with(' '))
        text.remove_suffix(1);
    const bool negative = text.starts_with('-');
    if (text.starts_with('-') || text.starts_with('+'))
        text.remove_prefix(1);
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos)
        return std::nullopt;
    long long value = 0;
    for (char digit : text) {
        value = value * 10 + (digit - '0');
        if (value > 40000)
            return std::nullopt;
    }
    value = negative ? -value : value;
    if (value < std::numeric_limits<std::int16_t>::min() ||
        value > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(value);
}

std::optional<std::int16_t> expectedNumber(const RegistryVariant& value) {
    if (const auto* text = std::get_if<std::string>(&value))
        return wholeNumber(*text);
    if (const auto* number = std::get_if<std::int32_t>(&value)) {
        if (*number >= std::numeric_limits<std::int16_t>::min() &&
            *number <= std::numeric_limits<std::int16_t>::max())
            return static_cast<std::int16_t>(*number);
    }
    return std::nullopt;
}

std::string expectedText(const RegistryVariant& value) {
    if (const auto* number = std::get_if<std::int32_t>(&value))
        return std::to_string(*number);
    if (const auto* text = std::get_if<std::string>(&value))
        return *text;
    return {};
}

template <typename Read> auto readOrFail(Read&& read) -> std::optional<decltype(read())> {
    try {
        return read();
    } catch (const ServiceError& error) {
        fuzz::require(error.source == "cSysRegistry:GetRegistryValue",
                      "a failed read names its operation");
        return std::nullopt;
    }
}

void requireReads(Machine& on, std::string_view name) {
    const auto stored = on.port.storedValue(stored::kRoot, stored::kKey, name);
    const auto expected = stored ? fuzz::expectedRead(*stored) : RegistryVariant{};
    const auto text = readOrFail([&] { return readStoredText(on.registry, name); });
    const auto number = readOrFail([&] { return readStoredNumber(on.registry, name); });
    fuzz::require(on.port.openHandleCount() == 0, "no key stays open");
    fuzz::require(text.has_value() == expected.has_value() &&
                      number.has_value() == expected.has_value(),
                  "a value fails to read exactly when the class cannot read it");
    if (!expected)
        return;
    const bool expands = stored && stored->type == RegistryPort::kRegExpandSz &&
                         std::get<std::string>(*expected).find('%') != std::string::npos;
    if (expands)
        return;
    fuzz::require(*text == expectedText(*expected), "a text reads as the class gives it");
    fuzz::require(*number == expectedNumber(*expected), "a number reads only when it is one");
}

void requireStoredReadBack(Machine& on, std::string_view text, std::int16_t number) {
    storeText(on.registry, stored::kFahrzeug, std::string(text));
    if (text.find('%') == std::string_view::npos)
        fuzz::require(readStoredText(on.registry, stored::kFahrzeug) == text,
                      "a stored text reads back");
    storeNumber(on.registry, stored::kKlick, number);
    fuzz::require(readStoredNumber(on.registry, stored::kKlick) == number,
                  "a stored number reads back");
    storeTruth(on.registry, stored::kImport, number & 1);
    fuzz::require(readStoredText(on.registry, stored::kImport) == (number & 1 ? "True" : "False"),
                  "a stored truth reads as its text");
    const std::string unquoted = withoutQuotes(std::string(text));
    fuzz::require(unquoted.find('"') == std::string::npos, "no quote is left");
    fuzz::require(unquoted.size() + static_cast<std::size_t>(std::ranges::count(text, '"')) ==
                      text.size(),
                  "only the quotes go");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    Machine on;
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        if (!fields[2 * i].empty())
            on.port.putValue(stored::kRoot, stored::kKey, kNames[i], fields.option(2 * i, 0),
                             fuzz::withNuls(fields[2 * i + 1]));
    }
    for (std::string_view name : kNames)
        requireReads(on, name);
    const std::size_t last = 2 * kNames.size();
    requireStoredReadBack(
        on, fuzz::withNuls(fields[last]),
        static_cast<std::int16_t>(fields.option(last + 1, 0) | fields.option(last + 1, 1) << 8));
    return 0;
}
