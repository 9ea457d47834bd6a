#include "fuzz/own_records.h"

#include "editor/settings_document.h"

#include <algorithm>

namespace fuzz {

using marlwick::ValueGroup;
constexpr std::size_t npos = std::string_view::npos;

SearchedList searchFromName(std::string_view text, std::string_view name, const ValueGroup& group) {
    std::size_t at = text.find(name);
    if (at == npos)
        return {std::nullopt, {}};
    at = text.find(group.such2, at + name.size());
    if (at == npos)
        return {std::nullopt, marlwick::kSuch2Error};
    at += group.such2.size();
    if (!group.such3.empty()) {
        at = text.find(group.such3, at);
        if (at == npos)
            return {std::nullopt, {}};
        at += group.such3.size();
    }
    const std::size_t end = text.find(group.suchnach1, at);
    if (end == npos)
        return {std::nullopt, {}};
    return {at, text.substr(at, end - at)};
}

std::optional<std::string_view> ownRecordBody(std::string_view text, std::string_view name) {
    const auto record = marlwick::findProfileRecord(text, name);
    if (!record || !record->hasEnd())
        return std::nullopt;
    return record->body(text);
}

ShownList shownList(std::string_view text, std::string_view name, const ValueGroup& group) {
    if (const auto body = ownRecordBody(text, name)) {
        const SearchedList found = searchFromName(*body, name, group);
        return {found.list, found.at.has_value()};
    }
    return {searchFromName(text, name, group).list, false};
}

std::vector<std::optional<std::string_view>> spreadOverBoxes(std::string_view list, int count) {
    std::vector<std::optional<std::string_view>> texts(
        static_cast<std::size_t>(std::max(count, 0)));
    std::size_t from = 0;
    for (std::size_t j = 0; j + 1 < texts.size(); ++j) {
        const std::size_t bar = list.find('|', from);
        if (bar == npos) {
            from = 0;
            continue;
        }
        texts[j] = list.substr(from, bar - from);
        from = bar + 1;
    }
    if (!texts.empty())
        texts.back() = list.substr(from);
    return texts;
}

const ValueGroup& loadGroupOf(int firstBox) {
    return *std::ranges::find(marlwick::kLoadOrder, firstBox, &ValueGroup::firstBox);
}

} // namespace fuzz
