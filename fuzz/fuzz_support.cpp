#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace fuzz {

Fields::Fields(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    std::size_t start = 0;
    while (true) {
        const std::size_t end = input.find('\0', start);
        fields_.push_back(input.substr(start, end == std::string_view::npos ? end : end - start));
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
}

std::string_view Fields::operator[](std::size_t index) const {
    return index < fields_.size() ? fields_[index] : std::string_view();
}

std::uint8_t Fields::option(std::size_t field, std::size_t at) const {
    const std::string_view text = (*this)[field];
    return at < text.size() ? static_cast<std::uint8_t>(text[at]) : 0;
}

std::vector<std::string_view> splitAtBars(std::string_view list) {
    std::vector<std::string_view> values;
    std::size_t start = 0;
    for (std::size_t bar = list.find('|'); bar != std::string_view::npos;
         start = bar + 1, bar = list.find('|', start))
        values.push_back(list.substr(start, bar - start));
    values.push_back(list.substr(start));
    return values;
}

std::string withNuls(std::string_view field) {
    std::string bytes;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\x01') {
            bytes += field[i];
        } else if (i + 1 < field.size() && field[i + 1] == '\x02') {
            bytes += '\x01';
            ++i;
        } else {
            bytes += '\0';
        }
    }
    return bytes;
}

std::optional<RoutingParts> routingParts(std::string_view text) {
    constexpr std::string_view kStart = "<Routing>";
    const std::size_t start = text.find(kStart);
    const std::size_t end =
        start == std::string_view::npos ? start : text.find("</Routing>", start + kStart.size());
    if (end == std::string_view::npos)
        return std::nullopt;
    return RoutingParts{text.substr(0, start + kStart.size()),
                        text.substr(start + kStart.size(), end - start - kStart.size()),
                        text.substr(end)};
}

void require(bool holds, std::string_view property) {
    if (holds)
        return;
    std::fprintf(stderr, "property does not hold: %.*s\n", static_cast<int>(property.size()),
                 property.data());
    std::abort();
}

bool isPlainDecimal(std::string_view text, char separator) {
    if (text.starts_with('-'))
        text.remove_prefix(1);
    const std::size_t at = text.find(separator);
    const std::string_view whole = text.substr(0, at);
    const std::string_view fraction =
        at == std::string_view::npos ? std::string_view() : text.substr(at + 1);
    const auto digits = [](std::string_view part) {
        return !part.empty() &&
               std::ranges::all_of(part, [](char c) { return c >= '0' && c <= '9'; });
    };
    return digits(whole) && (at == std::string_view::npos || digits(fraction));
}

} // namespace fuzz
