#include "editor/system/stored_values.h"

#include "editor/system/stored_settings.h"

#include <algorithm>
#include <limits>

namespace marlwick {
namespace {

RegistryVariant readStored(clsSysRegistry& registry, std::string_view name) {
    return registry.GetRegistryValue(stored::kRoot, std::string(stored::kKey), std::string(name));
}

void store(clsSysRegistry& registry, std::string_view name, const RegistryVariant& value) {
    registry.SetRegistryValue(stored::kRoot, std::string(stored::kKey), std::string(name),
                              static_cast<std::int32_t>(stored::kValueType), value);
}

} // namespace

std::string readStoredText(clsSysRegistry& registry, std::string_view name) {
    const RegistryVariant value = readStored(registry, name);
    if (std::holds_alternative<RegistryList>(value) || std::holds_alternative<RegistryTable>(value))
        return {};
    return toText(value);
}

std::optional<std::int16_t> readStoredNumber(clsSysRegistry& registry, std::string_view name) {
    const RegistryVariant value = readStored(registry, name);
    std::int32_t number = 0;
    if (const auto* text = std::get_if<std::string>(&value)) {
        if (!isWholeNumber(*text))
            return std::nullopt;
        try {
            number = toLong(value);
        } catch (const ServiceError&) {
            return std::nullopt; // beyond 32 bits
        }
    } else if (const auto* integer = std::get_if<std::int32_t>(&value)) {
        number = *integer;
    } else {
        return std::nullopt;
    }
    if (number < std::numeric_limits<std::int16_t>::min() ||
        number > std::numeric_limits<std::int16_t>::max())
        return std::nullopt;
    return static_cast<std::int16_t>(number);
}

void storeText(clsSysRegistry& registry, std::string_view name, const std::string& text) {
    store(registry, name, text);
}

void storeNumber(clsSysRegistry& registry, std::string_view name, std::int16_t number) {
    store(registry, name, std::int32_t{number});
}

void storeTruth(clsSysRegistry& registry, std::string_view name, bool truth) {
    store(registry, name, truth);
}

std::string withoutQuotes(std::string text) {
    std::erase(text, '"');
    return text;
}

} // namespace marlwick
