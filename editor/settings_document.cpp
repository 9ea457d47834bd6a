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

bool isXmlBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// "<SpeedProfile" that a blank or ">" follows, so that "<SpeedProfiles>" is no record.
bool isRecordStart(std::string_view rest) {
    const std::string_view tag = tags::kSpeedProfileStartOpen;
    return rest.starts_with(tag) && rest.size() > tag.size() &&
           (isXmlBlank(rest[tag.size()]) || rest[tag.size()] == '>');
}

// The length of "</SpeedProfile" closed by blanks and ">" at the start of rest; 0 for none.
std::size_t recordEndSize(std::string_view rest) {
    if (!rest.starts_with(tags::kSpeedProfileEndOpen))
        return 0;
    std::size_t close = tags::kSpeedProfileEndOpen.size();
    while (close < rest.size() && isXmlBlank(rest[close]))
        ++close;
    return close < rest.size() && rest[close] == '>' ? close + 1 : 0;
}

// Reads the tags of a text in order, stepping over comments, which do not nest.
class TagReader {
  public:
    explicit TagReader(std::string_view text) : text_(text) { skipComments(text_.find('<')); }

    bool done() const { return at_ == std::string_view::npos; }
    std::size_t at() const { return at_; }
    std::string_view rest() const { return text_.substr(at_); }
    void next() { skipComments(text_.find('<', at_ + 1)); }

  private:
    void skipComments(std::size_t at) {
        while (at != std::string_view::npos && text_.substr(at).starts_with(tags::kCommentStart)) {
            const std::size_t end =
                findText(text_, tags::kCommentEnd, at + tags::kCommentStart.size());
            // A comment left open hides the rest of the text.
            at = end == std::string_view::npos ? end
                                               : text_.find('<', end + tags::kCommentEnd.size());
        }
        at_ = at;
    }

    std::string_view text_;
    std::size_t at_ = 0;
};

// The first end tag that the reader meets, outside comments.
void findRecordEnd(TagReader& reader, ProfileRecord& record) {
    for (; !reader.done(); reader.next()) {
        if (const std::size_t size = recordEndSize(reader.rest())) {
            record.end = reader.at();
            record.endTagSize = size;
            return;
        }
    }
}

} // namespace

// The nearest "<SpeedProfile" before the name must still be open and no other "<Name>" may
// stand between them, so that an alias inside another record never passes for the profile.
std::optional<ProfileRecord> findProfileRecord(std::string_view text, std::string_view name) {
    const std::string nameTag =
        std::string(tags::kName) + std::string(name) + std::string(tags::kNameEnd);
    bool open = false;  // a record's start tag that nothing closed yet was read
    bool named = false; // a "<Name>" stood since that start tag
    for (TagReader reader(text); !reader.done(); reader.next()) {
        const std::string_view rest = reader.rest();
        if (isRecordStart(rest)) {
            open = true;
            named = false;
        } else if (recordEndSize(rest) > 0) {
            open = false;
        } else if (rest.starts_with(tags::kName)) {
            if (open && !named && rest.starts_with(nameTag)) {
                ProfileRecord record{reader.at(), reader.at() + tags::kName.size(),
                                     ProfileRecord::kNoEnd, 0};
                reader.next();
                findRecordEnd(reader, record);
                return record;
            }
            named = true;
        }
    }
    return std::nullopt;
}

ZerlegeResult splitRoutingSection(std::string_view text) {
    return zerlege(text, tags::kRoutingStart, {}, {}, tags::kRoutingEnd);
}

} // namespace marlwick
