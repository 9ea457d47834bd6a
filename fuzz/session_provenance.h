// What a confirmed write may put into the shown profile's lists, by what a session played: the
// texts it typed into each box (as typed, or as leaving the box wrote them), when numbers;
// numbers in the factor boxes a recomputation may have moved; and the texts a load showed
// from the profile's own record in any version of the target, or in import mode of the import
// file.
#pragma once

#include "editor/grid_map.h"
#include "editor/number_rules.h"
#include "fuzz/own_records.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

class Provenance {
  public:
    void typed(int box, std::string text) {
        texts_[box].insert(text);
        texts_[box].insert(leftAs(box, std::move(text)));
    }
    void mayBeComputed(int box) { computed_[box] = true; }
    void targetSeen(const std::string& path, std::string text) {
        targets_[path].insert(std::move(text));
    }
    void importSeen(std::string text) { imports_.insert(std::move(text)); }

    // Every list of the profile's own record that differs between old and now, the target at
    // path before and after a write, holds what the session put there.
    bool allowsWrite(const std::string& path, std::string_view name, marlwick::ProfileKind kind,
                     std::string_view old, std::string_view now) const {
        const auto oldBody = ownRecordBody(old, name);
        const auto newBody = ownRecordBody(now, name);
        if (!oldBody || !newBody)
            return false;
        return std::ranges::all_of(writeOrder(kind), [&](const marlwick::ValueGroup& group) {
            const std::string_view before = searchFromName(*oldBody, name, group).list;
            const std::string_view after = searchFromName(*newBody, name, group).list;
            return before == after || allowsList(path, name, group, after);
        });
    }

  private:
    // What the lists' loads may have shown in the group's boxes, and the lists read from the
    // import file.
    struct Read {
        std::vector<std::set<std::string_view>> boxTexts;
        std::set<std::string_view> importLists;
    };

    static std::string leftAs(int box, std::string text) {
        std::ranges::replace(text, ',', '.');
        if (!marlwick::grid::kSpeeds.contains(box) && text.find('.') == std::string::npos)
            text += ".0";
        return text;
    }

    static std::span<const marlwick::ValueGroup> writeOrder(marlwick::ProfileKind kind) {
        if (kind == marlwick::ProfileKind::Vehicle)
            return marlwick::kVehicleWriteOrder;
        return marlwick::kRouteWriteOrder;
    }

    Read readByLoads(const std::string& path, std::string_view name,
                     const marlwick::ValueGroup& group) const {
        Read read{std::vector<std::set<std::string_view>>(static_cast<std::size_t>(group.count)),
                  {}};
        const auto note = [&](std::string_view text, bool fromImport) {
            const auto body = ownRecordBody(text, name);
            const SearchedList found =
                body ? searchFromName(*body, name, loadGroupOf(group.firstBox)) : SearchedList{};
            if (!found.at)
                return;
            if (fromImport)
                read.importLists.insert(found.list);
            const auto texts = spreadOverBoxes(found.list, group.count);
            for (std::size_t j = 0; j < texts.size(); ++j)
                if (texts[j])
                    read.boxTexts[j].insert(*texts[j]);
        };
        if (const auto versions = targets_.find(path); versions != targets_.end())
            for (const std::string& text : versions->second)
                note(text, false);
        for (const std::string& text : imports_)
            note(text, true);
        return read;
    }

    bool putBySession(int box, std::string_view text) const {
        return marlwick::readBoxNumber(text) && (computed_[box] || texts_[box].contains(text));
    }

    // A list shown from the import file and typed nothing into, or one text per box, each
    // loaded or put there by the session, at least one of them by the session.
    bool allowsList(const std::string& path, std::string_view name,
                    const marlwick::ValueGroup& group, std::string_view list) const {
        const Read read = readByLoads(path, name, group);
        if (read.importLists.contains(list))
            return true;
        const auto pieces = spreadOverBoxes(list, group.count);
        bool bySession = false;
        for (std::size_t j = 0; j < pieces.size(); ++j) {
            const int box = group.firstBox + static_cast<int>(j);
            if (!pieces[j])
                return false;
            const bool put = putBySession(box, *pieces[j]);
            if (!put && !read.boxTexts[j].contains(*pieces[j]))
                return false;
            bySession = bySession || put;
        }
        return bySession;
    }

    std::array<std::set<std::string, std::less<>>, marlwick::kValueBoxCount> texts_;
    std::array<bool, marlwick::kValueBoxCount> computed_{};
    std::map<std::string, std::set<std::string>> targets_; // by path
    std::set<std::string> imports_;
};

} // namespace fuzz
