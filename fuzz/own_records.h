// A profile's own record as a real XML reader sees the file, for the oracles: the first
// SpeedProfile element whose first Name element holds the name, with the value lists in it.
// The reader speaks only for plain files: ones it accepts and in which a search for literal
// tags finds what it finds (no DOCTYPE, CDATA or processing instruction; every Name written
// "<Name>", its text, "</Name>"; no empty or nested SpeedProfile; no comment holding a tag
// inside a SpeedProfile). Of other files the oracles say only what needs no record.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace fuzz {

// The text of a City, Open, Special or Value element; in a file that is not plain, the text
// between such a start tag and the next end tag of its name.
struct ValueList {
    std::string_view tag; // "<City>", "<Open>", "<Special>" or "<Value>"
    std::string_view endTag;
    std::ptrdiff_t ordinal; // its place among the record's lists of its tag; -1 outside one
    std::size_t from;       // where its text starts
    std::string_view text;
};

struct OwnRecord {
    std::size_t from;             // where the record's start tag starts
    std::size_t nameAt;           // where its Name element starts
    std::size_t endAt;            // where its end tag starts
    std::size_t to;               // where its end tag ends
    std::vector<ValueList> lists; // after the Name, in the file's order
};

struct Reading {
    bool plain = false;
    std::optional<OwnRecord> record;
};

Reading readOwnRecord(std::string_view text, std::string_view name);

// The list whose text starts at `at`, by its start tag alone, when one ends there and the
// list ends.
std::optional<ValueList> listAt(std::string_view text, std::size_t at);

// The lists that stand where `list` stands, in another text: the same place among the lists
// of its tag in the profile's own record where that text is plain and the list has a place,
// else every list of the same tag.
std::vector<std::string_view> listsLike(std::string_view text, std::string_view name,
                                        const ValueList& list);

} // namespace fuzz
