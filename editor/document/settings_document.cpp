#include "editor/document/settings_document.h"

#include <algorithm>
#include <string>
#include <utility>

namespace marlwick {

std::optional<std::string_view> profileNameForCaption(ProfileKind kind, std::string_view caption) {
    const auto it = std::ranges::find_if(kProfiles, [&](const Profile& profile) {
        return profile.kind == kind && profile.caption == caption;
    });
    if (it == kProfiles.end())
        return std::nullopt;
    return it->name;
}

namespace {

// Where the first "<!--" at or after `from` starts. "!" is rare in settings files, so this
// runs at the pace of a byte search, not of a search for "<".
std::size_t findCommentStart(std::string_view text, std::size_t from) {
    constexpr std::string_view kAfterBracket = tags::kCommentStart.substr(1);
    for (std::size_t at = from + 1;; ++at) {
        at = text.find(kAfterBracket, at);
        if (at == std::string_view::npos || text[at - 1] == '<')
            return at == std::string_view::npos ? at : at - 1;
    }
}

// Where the first `pattern` at or after `from`, which lies outside comments, starts outside
// them. Comments do not nest; the text is read once, whatever the number of comments and of
// matches inside them.
std::size_t findOutsideComments(std::string_view text, std::string_view pattern, std::size_t from) {
    std::size_t at = findText(text, pattern, from);
    for (std::size_t scanned = from; at != std::string_view::npos;) {
        const std::size_t start = findCommentStart(text, scanned);
        if (start == std::string_view::npos || start >= at)
            return at;
        const std::size_t end =
            findText(text, tags::kCommentEnd, start + tags::kCommentStart.size());
        if (end == std::string_view::npos)
            return std::string_view::npos;
        scanned = end + tags::kCommentEnd.size();
        if (scanned > at)
            at = findText(text, pattern, scanned);
    }
    return at;
}

bool isXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The first "<SpeedProfile" from `from` that a blank or ">" follows, so that
// "<SpeedProfiles>" is no record.
std::size_t findRecordStart(std::string_view text, std::size_t from) {
    const std::string_view tag = tags::kSpeedProfileStartOpen;
    for (std::size_t at = findOutsideComments(text, tag, from); at != std::string_view::npos;
         at = findOutsideComments(text, tag, at + 1)) {
        const std::size_t after = at + tag.size();
        if (after < text.size() && (isXmlBlank(text[after]) || text[after] == '>'))
            return at;
    }
    return std::string_view::npos;
}

// Where the first "</SpeedProfile" from `from` that blanks and ">" close starts, and the
// closed tag's length.
std::pair<std::size_t, std::size_t> findRecordEnd(std::string_view text, std::size_t from) {
    const std::string_view tag = tags::kSpeedProfileEndOpen;
    for (std::size_t at = findOutsideComments(text, tag, from); at != std::string_view::npos;
         at = findOutsideComments(text, tag, at + 1)) {
        std::size_t close = at + tag.size();
        while (close < text.size() && isXmlBlank(text[close]))
            ++close;
        if (close < text.size() && text[close] == '>')
            return {at, close + 1 - at};
    }
    return {ProfileRecord::kNoEnd, 0};
}

} // namespace

// A record owns the first "<Name>" after its start tag, unless another start tag or its end
// comes first: an alias inside another record never passes for the profile.
std::optional<ProfileRecord> findProfileRecord(std::string_view text, std::string_view name) {
    const std::string nameTag =
        std::string(tags::kName) + std::string(name) + std::string(tags::kNameEnd);
    for (std::size_t start = findRecordStart(text, 0); start != std::string_view::npos;) {
        const std::size_t next = findRecordStart(text, start + 1);
        const std::size_t owned = findOutsideComments(text, tags::kName, start + 1);
        if (owned < next && text.substr(owned).starts_with(nameTag)) {
            const auto [end, endTagSize] = findRecordEnd(text, start + 1);
            if (end == ProfileRecord::kNoEnd || end > owned)
                return ProfileRecord{owned, owned + tags::kName.size(), end, endTagSize};
        }
        start = next;
    }
    return std::nullopt;
}

ZerlegeResult splitRoutingSection(std::string_view text) {
    return zerlege(text, tags::kRoutingStart, {}, {}, tags::kRoutingEnd);
}

} // namespace marlwick
