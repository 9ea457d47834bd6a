// What a write may put into the shown profile's lists, by what was played since the last
// load: per box the numbers typed (as typed, and as leaving the box left them) or moved by a
// recomputation; and the target and the import file as that load read them, with what the
// writes since made of the target. A changed list lies in the profile's own record; it keeps
// its count of values, and each value is typed or stands as the file holds it now and as the
// load read it at the same place; or it is the import file's list there, all numbers, with
// typed values in it.
#pragma once

#include "editor/document/grid_map.h"
#include "editor/form/number_rules.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/own_records.h"

#include <algorithm>
#include <array>
#include <functional>
#include <iterator>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace fuzz {

// Takes or refuses `now` in place of the list `old` whose text starts at `at` in the old text.
using ListCheck = std::function<bool(std::size_t at, std::string_view old, std::string_view now)>;

// True when `now` is `old` with some of its lists replaced as `accepts` takes them. Both
// texts are walked together; after a start tag the old list up to its end tag may instead
// stand against the new text up to the same end tag. Places already tried after a start tag
// are not tried again, which keeps the search small.
inline bool onlyListsReplaced(std::string_view old, std::string_view now,
                              const ListCheck& accepts) {
    std::vector<std::pair<std::size_t, std::size_t>> open{{0, 0}};
    std::set<std::pair<std::size_t, std::size_t>> tried;
    while (!open.empty()) {
        auto [i, j] = open.back();
        open.pop_back();
        while (i < old.size() || j < now.size()) {
            if (const auto list = listAt(old, i)) {
                if (!tried.emplace(i, j).second)
                    break;
                const std::size_t end = i + list->text.size();
                const std::size_t stop = std::min(now.find(list->endTag, j), now.size());
                if (accepts(i, list->text, now.substr(j, stop - j)))
                    open.emplace_back(end, stop);
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

class Provenance {
  public:
    void typed(int box, std::string text) { texts_[box].insert(std::move(text)); }
    void mayBeComputed(int box) { computed_[box] = true; }
    // A load read these texts (nothing where it read no file): what was typed before it
    // counts no more.
    void loaded(const std::optional<std::string>& target, std::optional<std::string> imported) {
        *this = Provenance();
        if (target)
            targets_.fill({*target});
        imported_ = std::move(imported);
    }
    // A write of the kind's lists made `now` of the target: they count as loaded.
    void written(marlwick::ProfileKind kind, std::string now) {
        targets_[marlwick::grid::titleOf(kind)].push_back(std::move(now));
        const marlwick::BoxRange block = kind == marlwick::ProfileKind::Vehicle
                                             ? marlwick::grid::kVehicleBlock
                                             : marlwick::grid::kRouteBlock;
        for (int box = block.first; box <= block.last; ++box) {
            texts_[box].clear();
            computed_[box] = false;
        }
    }

    bool allowsWrite(marlwick::ProfileKind kind, std::string_view name, std::string_view old,
                     std::string_view now) const {
        const Reading reading = readOwnRecord(old, name);
        if (reading.plain && !reading.record)
            return false;
        return onlyListsReplaced(
            old, now, [&](std::size_t at, std::string_view was, std::string_view is) {
                const auto list = reading.plain ? ownListAt(*reading.record, at) : listAt(old, at);
                if (was == is)
                    return true;
                if (!list || was.find('<') != was.npos || is.find('<') != is.npos)
                    return false;
                const auto before = splitAtBars(was), after = splitAtBars(is);
                // Each value typed, or standing at its place in `values` and, asNow, as now.
                const auto keeps = [&](const std::vector<std::string_view>& values, bool asNow) {
                    if (values.size() != after.size() || (asNow && before.size() != after.size()))
                        return false;
                    for (std::size_t j = 0; j < after.size(); ++j)
                        if (!putBySession(kind, list->endTag, j, after[j]) &&
                            (after[j] != values[j] || (asNow && after[j] != before[j])))
                            return false;
                    return true;
                };
                const auto fromLoad = [&](std::string_view read) {
                    return keeps(splitAtBars(read), true);
                };
                const auto fromImport = [&](std::string_view read) {
                    return keeps(splitAtBars(read), false);
                };
                // No value holds a "<": against such values only typed ones stand.
                return keeps(std::vector<std::string_view>(after.size(), "<"), true) ||
                       std::ranges::any_of(readByLoads(kind, name, *list), fromLoad) ||
                       (imported_ && std::ranges::all_of(after, isNumber) &&
                        std::ranges::any_of(listsLike(*imported_, name, *list), fromImport));
            });
    }

  private:
    std::vector<std::string_view> readByLoads(marlwick::ProfileKind kind, std::string_view name,
                                              const ValueList& list) const {
        std::vector<std::string_view> lists;
        for (const std::string& version : targets_[marlwick::grid::titleOf(kind)])
            std::ranges::copy(listsLike(version, name, list), std::back_inserter(lists));
        return lists;
    }

    static std::optional<ValueList> ownListAt(const OwnRecord& record, std::size_t at) {
        const auto found = std::ranges::find(record.lists, at, &ValueList::from);
        return found == record.lists.end() ? std::nullopt : std::optional<ValueList>(*found);
    }

    static bool isNumber(std::string_view value) {
        return marlwick::readBoxNumber(value).has_value();
    }

    // Value j of a list ending in endTag was typed into its box of a group the kind writes.
    bool putBySession(marlwick::ProfileKind kind, std::string_view endTag, std::size_t j,
                      std::string_view value) const {
        const auto writeOrder =
            kind == marlwick::ProfileKind::Vehicle
                ? std::span<const marlwick::ValueGroup>(marlwick::kVehicleWriteOrder)
                : std::span<const marlwick::ValueGroup>(marlwick::kRouteWriteOrder);
        return isNumber(value) &&
               std::ranges::any_of(writeOrder, [&](const marlwick::ValueGroup& group) {
                   const int box = group.firstBox + static_cast<int>(j);
                   return group.suchnach1 == endTag && group.shows(box) &&
                          (computed_[box] || texts_[box].contains(value));
               });
    }

    std::array<std::set<std::string, std::less<>>, marlwick::kValueBoxCount> texts_;
    std::array<bool, marlwick::kValueBoxCount> computed_{};
    std::array<std::vector<std::string>, 2> targets_; // by kind
    std::optional<std::string> imported_;
};

} // namespace fuzz
