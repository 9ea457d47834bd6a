#include "services/registry_variant.h"

#include <charconv>
#include <limits>

namespace marlwick {

namespace {

template <class... Kinds> struct Overloaded : Kinds... { using Kinds::operator()...; };
template <class... Kinds> Overloaded(Kinds...) -> Overloaded<Kinds...>;

[[noreturn]] void raiseTypeMismatch() {
    throw ServiceError(kErrorTypeMismatch, "", "Typen unverträglich");
}

std::string_view trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// The number, or nothing when the text is no decimal integer; overflow is told apart.
struct ParsedNumber {
    bool isNumber = false;
    bool overflows = false;
    std::int64_t value = 0;
};

ParsedNumber parsedNumber(const std::string& text) {
    std::string_view digits = trimmed(text);
    if (!digits.empty() && digits.front() == '+') {
        digits.remove_prefix(1);
        if (digits.starts_with('-')) // one sign only: "+-5" is no number
            return ParsedNumber{};
    }
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (digits.empty() || end != digits.data() + digits.size()) {
        if (error == std::errc::result_out_of_range)
            return ParsedNumber{true, true, 0};
        return ParsedNumber{};
    }
    const bool overflows = error == std::errc::result_out_of_range ||
                           value < std::numeric_limits<std::int32_t>::min() ||
                           value > std::numeric_limits<std::int32_t>::max();
    return ParsedNumber{true, overflows, value};
}

} // namespace

std::string toText(const RegistryVariant& value) {
    return std::visit(Overloaded{
                          [](std::monostate) { return std::string(); },
                          [](const std::string& text) { return text; },
                          [](std::int32_t number) { return std::to_string(number); },
                          [](bool truth) { return std::string(truth ? "True" : "False"); },
                          [](const auto&) -> std::string { raiseTypeMismatch(); },
                      },
                      value);
}

std::int32_t toLong(const RegistryVariant& value) {
    return std::visit(Overloaded{
                          [](std::monostate) { return std::int32_t{0}; },
                          [](const std::string& text) {
                              const ParsedNumber parsed = parsedNumber(text);
                              if (!parsed.isNumber)
                                  raiseTypeMismatch();
                              if (parsed.overflows)
                                  throw ServiceError(kErrorOverflow, "", "Überlauf");
                              return static_cast<std::int32_t>(parsed.value);
                          },
                          [](std::int32_t number) { return number; },
                          [](bool truth) { return std::int32_t{truth ? -1 : 0}; },
                          [](const auto&) -> std::int32_t { raiseTypeMismatch(); },
                      },
                      value);
}

bool isWholeNumber(const std::string& text) {
    return parsedNumber(text).isNumber;
}

const RegistryList& toList(const RegistryVariant& value) {
    if (const auto* list = std::get_if<RegistryList>(&value))
        return *list;
    raiseTypeMismatch();
}

} // namespace marlwick
