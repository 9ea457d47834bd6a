// Whether a settings text differs from an older one only in a profile's value lists: each the
// text between "<City>", "<Open>", "<Special>" or "<Value>" and the first matching end tag
// after it, inside the profile's record.
#pragma once

#include "editor/settings_document.h"

#include <array>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fuzz {

// Takes or refuses the new text of a replaced list.
using ListCheck = bool (*)(std::string_view list);

namespace list_replacements {

struct ListTags {
    std::string_view start;
    std::string_view end;
};

inline constexpr std::array<ListTags, 4> kListTags{{{"<City>", "</City>"},
                                                    {"<Open>", "</Open>"},
                                                    {"<Special>", "</Special>"},
                                                    {"<Value>", "</Value>"}}};

// The list that starts at `at`, when a start tag ends there: where it ends, and its end tag.
struct List {
    std::size_t end;
    std::string_view endTag;
};

inline std::optional<List> listAt(std::string_view text, std::size_t at) {
    for (const ListTags& tags : kListTags) {
        if (!text.substr(0, at).ends_with(tags.start))
            continue;
        const std::size_t end = text.find(tags.end, at);
        if (end == std::string_view::npos)
            return std::nullopt;
        return List{end, tags.end};
    }
    return std::nullopt;
}

} // namespace list_replacements

// True when `now` is `old` with some of its lists replaced by texts that `accepts` takes. Both
// texts are walked together; after a start tag the old list up to its end tag may instead
// stand against the new text up to the same end tag. Places already tried after a start tag
// are not tried again, which keeps the search small.
inline bool onlyListsReplaced(std::string_view old, std::string_view now, ListCheck accepts) {
    std::vector<std::pair<std::size_t, std::size_t>> open{{0, 0}};
    std::set<std::pair<std::size_t, std::size_t>> tried;
    while (!open.empty()) {
        auto [i, j] = open.back();
        open.pop_back();
        while (i < old.size() || j < now.size()) {
            if (const auto list = list_replacements::listAt(old, i)) {
                if (!tried.emplace(i, j).second)
                    break;
                const std::size_t stop = std::min(now.find(list->endTag, j), now.size());
                if (accepts(now.substr(j, stop - j)))
                    open.emplace_back(list->end, stop);
            }
            if (i == old.size() || j == now.size() || old[i] != now[j])
                break;
            ++i;
            ++j;
        }
        if (i == old.size() && j == now.size())
            return true;
    }
    return false;
}

// Where a profile's own record lies, as the editor's locator defines it: from "<Name>" to
// where its end tag starts. Nothing for an empty name or a record that is not there or never
// ends.
struct Record {
    std::size_t from;
    std::size_t to;
};

inline std::optional<Record> profileRecord(std::string_view text, std::string_view name) {
    const auto record = marlwick::findProfileRecord(text, name);
    if (name.empty() || !record || !record->hasEnd())
        return std::nullopt;
    return Record{record->start, record->end};
}

// `now` is `old` with only lists of the named profile's record replaced, each new list as
// `accepts` takes it.
inline bool onlyRecordListsReplaced(std::string_view old, std::string_view now,
                                    std::string_view name, ListCheck accepts) {
    const auto record = profileRecord(old, name);
    if (!record)
        return false;
    const std::string_view before = old.substr(0, record->from);
    const std::string_view after = old.substr(record->to);
    if (now.size() < before.size() + after.size() || !now.starts_with(before) ||
        !now.ends_with(after))
        return false;
    return onlyListsReplaced(old.substr(record->from, record->to - record->from),
                             now.substr(record->from, now.size() - after.size() - record->from),
                             accepts);
}

} // namespace fuzz
