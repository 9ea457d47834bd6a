// The editor's one text search: splits a settings text around a value list.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace marlwick {

// Index 0: text up to and including the last start tag; index 1: the value list;
// index 2: the rest, from the end tag on. On a failed search one index holds an error
// text and the other two are empty. The views point into the searched text or at
// static error texts, so the result lives as long as the text.
using ZerlegeResult = std::array<std::string_view, 3>;

// Defined once, so that an error can be told from a file that holds the same text.
extern const std::string_view kSuch1Error;     // "such1 ERROR"
extern const std::string_view kSuch2Error;     // "such2 ERROR"
extern const std::string_view kSuch3Error;     // "such3 ERROR"
extern const std::string_view kSuchnach1Error; // "suchnach1 ERROR"
extern const std::string_view kSuchnach2Error; // "suchnach2 ERROR"
extern const std::string_view kSuchnach3Error; // "suchnach3 ERROR"

// The first occurrence of needle at or after from, as std::string_view::find gives it, and
// as fast where settings texts make that slow.
std::size_t findText(std::string_view text, std::string_view needle, std::size_t from = 0);

ZerlegeResult zerlege(std::string_view text, std::string_view such1, std::string_view such2,
                      std::string_view such3, std::string_view suchnach1,
                      std::string_view suchnach2 = {}, std::string_view suchnach3 = {});

// True when the result holds one of the six error texts in the index of its level.
bool isZerlegeError(const ZerlegeResult& result);

// Index 0, the new list and index 2 joined: the text with its value list replaced.
std::string joinWithList(const ZerlegeResult& parts, std::string_view list);

} // namespace marlwick
