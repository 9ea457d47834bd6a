#include "editor/settings_document.h"

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

// Where the first `pattern` outside XML comments starts. Comments do not nest; the text is
// read once, whatever the number of comments and of matches inside them.
std::size_t findOutsideComments(std::string_view text, std::string_view pattern) {
    std::size_t at = findText(text, pattern);
    for (std::size_t from = 0; at != std::string_view::npos;) {
        const std::size_t start = findCommentStart(text, from);
        if (start == std::string_view::npos || start >= at)
            return at;
        const std::size_t end =
            findText(text, tags::kCommentEnd, start + tags::kCommentStart.size());
        if (end == std::string_view::npos)
            return std::string_view::npos;
        from = end + tags::kCommentEnd.size();
        if (from > at)
            at = findText(text, pattern, from);
    }
    return at;
}

bool isXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Where the first "</SpeedProfile" from `from` that blanks and ">" close starts, and the
// closed tag's length.
std::pair<std::size_t, std::size_t> findRecordEnd(std::string_view text, std::size_t from) {
    for (;;) {
        const std::size_t at = findText(text, tags::kSpeedProfileEndOpen, from);
        if (at == std::string_view::npos)
            return {ProfileRecord::kNoEnd, 0};
        std::size_t close = at + tags::kSpeedProfileEndOpen.size();
        while (close < text.size() && isXmlBlank(text[close]))
            ++close;
        if (close < text.size() && text[close] == '>')
            return {at, close + 1 - at};
        from = at + 1;
    }
}

} // namespace

std::optional<ProfileRecord> findProfileRecord(std::string_view text, std::string_view name) {
    const std::string start =
        std::string(tags::kName) + std::string(name) + std::string(tags::kNameEnd);
    const std::size_t at = findOutsideComments(text, start);
    if (at == std::string_view::npos)
        return std::nullopt;
    const std::size_t nameAt = at + tags::kName.size();
    const auto [end, endTagSize] = findRecordEnd(text, nameAt + name.size());
    return ProfileRecord{at, nameAt, end, endTagSize};
}

ZerlegeResult splitRoutingSection(std::string_view text) {
    return zerlege(text, tags::kRoutingStart, {}, {}, tags::kRoutingEnd);
}

} // namespace marlwick
