#include "fuzz/own_records.h"

#include <expat.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace fuzz {
namespace {

struct ListTags {
    std::string_view name, start, end;
};
constexpr std::array<ListTags, 4> kListTags{{{"City", "<City>", "</City>"},
                                             {"Open", "<Open>", "</Open>"},
                                             {"Special", "<Special>", "</Special>"},
                                             {"Value", "<Value>", "</Value>"}}};

struct Element {
    std::string name;
    std::size_t start, textFrom; // its "<", and where its text starts
};

// Reads the whole text with expat, every byte one character, so that its offsets are the file's.
class Reader {
  public:
    Reader(std::string_view text, std::string_view name) : text_(text), name_(name) {}

    Reading read() {
        parser_ = XML_ParserCreate("ISO-8859-1");
        XML_SetUserData(parser_, this);
        XML_SetElementHandler(
            parser_, [](void* self, const char* name, const char**) { of(self).start(name); },
            [](void* self, const char*) { of(self).end(); });
        XML_SetCommentHandler(parser_, [](void* self, const char* data) {
            of(self).notPlainIf(of(self).profile_ && std::strchr(data, '<'));
        });
        XML_SetProcessingInstructionHandler(parser_, &refuse<const char*, const char*>);
        XML_SetStartCdataSectionHandler(parser_, &refuse<>);
        XML_SetStartDoctypeDeclHandler(parser_,
                                       &refuse<const char*, const char*, const char*, int>);
        const bool accepted =
            XML_Parse(parser_, text_.data(), static_cast<int>(text_.size()), 1) == XML_STATUS_OK;
        XML_ParserFree(parser_);
        return accepted && plain_ ? Reading{true, record_} : Reading{};
    }

  private:
    static Reader& of(void* self) { return *static_cast<Reader*>(self); }
    // A processing instruction, CDATA or DOCTYPE could hide tags from one reader or the other.
    template <typename... Ignored> static void refuse(void* self, Ignored...) {
        of(self).notPlainIf(true);
    }

    void notPlainIf(bool notPlain) {
        if (notPlain && std::exchange(plain_, false))
            XML_StopParser(parser_, XML_FALSE);
    }

    std::pair<std::size_t, std::string_view> tag() const {
        const auto at = static_cast<std::size_t>(XML_GetCurrentByteIndex(parser_));
        return {at, text_.substr(at, static_cast<std::size_t>(XML_GetCurrentByteCount(parser_)))};
    }

    void start(const std::string& name) {
        const auto [at, startTag] = tag();
        if (name == "SpeedProfile") {
            notPlainIf(profile_);
            profile_ = true;
            candidate_ = OwnRecord{at, 0, 0, 0, {}};
            named_ = own_ = false;
        }
        open_.push_back({name, at, at + startTag.size()});
    }

    void end() {
        const Element element = std::move(open_.back());
        open_.pop_back();
        const auto [at, endTag] = tag();
        const std::string_view inner =
            endTag.empty() ? "" : text_.substr(element.textFrom, at - element.textFrom);
        const auto list = std::ranges::find(kListTags, element.name, &ListTags::name);
        if (element.name == "Name") {
            // A Name that a search for its literal text would not find is not plain.
            notPlainIf(text_.substr(element.start, element.textFrom - element.start) != "<Name>" ||
                       endTag != "</Name>" || inner.find_first_of("<&") != std::string::npos);
            if (profile_ && !std::exchange(named_, true)) {
                own_ = inner == name_;
                candidate_.nameAt = element.start;
            }
        } else if (element.name == "SpeedProfile") {
            notPlainIf(endTag.empty());
            if (own_ && !record_)
                record_ = OwnRecord{candidate_.from, candidate_.nameAt, at, at + endTag.size(),
                                    std::move(candidate_.lists)};
            profile_ = false;
        } else if (own_ && profile_ && list != kListTags.end() && !endTag.empty() &&
                   inner.find('<') == std::string_view::npos) {
            candidate_.lists.push_back(
                {list->start, list->end,
                 std::ranges::count(candidate_.lists, list->start, &ValueList::tag),
                 element.textFrom, inner});
        }
    }

    std::string_view text_, name_;
    XML_Parser parser_ = nullptr;
    bool plain_ = true;
    std::vector<Element> open_;
    bool profile_ = false;             // a SpeedProfile is open
    OwnRecord candidate_{};            // what is read of it
    bool named_ = false, own_ = false; // its first Name has ended; it holds the name
    std::optional<OwnRecord> record_;
};

} // namespace

Reading readOwnRecord(std::string_view text, std::string_view name) {
    return Reader(text, name).read();
}

std::optional<ValueList> listAt(std::string_view text, std::size_t at) {
    for (const ListTags& tags : kListTags) {
        if (!text.substr(0, at).ends_with(tags.start))
            continue;
        const std::size_t end = text.find(tags.end, at);
        if (end == std::string_view::npos)
            return std::nullopt;
        return ValueList{tags.start, tags.end, -1, at, text.substr(at, end - at)};
    }
    return std::nullopt;
}

std::vector<std::string_view> listsLike(std::string_view text, std::string_view name,
                                        const ValueList& list) {
    std::vector<std::string_view> found;
    const Reading reading = list.ordinal < 0 ? Reading{} : readOwnRecord(text, name);
    if (reading.plain) {
        for (const ValueList& own : reading.record.value_or(OwnRecord{}).lists)
            if (own.tag == list.tag && own.ordinal == list.ordinal)
                found.push_back(own.text);
        return found;
    }
    for (std::size_t at = text.find(list.tag); at != std::string_view::npos;
         at = text.find(list.tag, at + 1))
        if (const auto other = listAt(text, at + list.tag.size()))
            found.push_back(other->text);
    return found;
}

} // namespace fuzz
