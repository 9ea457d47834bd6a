#include "editor/document/textroutine.h"

#include <bit>
#include <cstring>
#include <optional>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace marlwick {

const std::string_view kSuch1Error = "such1 ERROR";
const std::string_view kSuch2Error = "such2 ERROR";
const std::string_view kSuch3Error = "such3 ERROR";
const std::string_view kSuchnach1Error = "suchnach1 ERROR";
const std::string_view kSuchnach2Error = "suchnach2 ERROR";
const std::string_view kSuchnach3Error = "suchnach3 ERROR";

namespace {

bool matchesAt(const char* at, std::string_view needle) {
    return at[0] == needle.front() && at[needle.size() - 1] == needle.back() &&
           std::memcmp(at + 1, needle.data() + 1, needle.size() - 2) == 0;
}

// Like std::string_view::find for needles of two or more bytes, but it tests 16 places at
// once for the needle's first and last byte. Settings files are full of "<" and of names'
// first letters, which make a search driven by the first byte alone stop every few bytes.
std::size_t findLong(std::string_view text, std::string_view needle, std::size_t from) {
    const std::size_t length = needle.size();
    if (text.size() < length || from > text.size() - length)
        return std::string_view::npos;
    const std::size_t lastStart = text.size() - length;
    const char* data = text.data();
    std::size_t at = from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(needle.front());
    const __m128i last = _mm_set1_epi8(needle.back());
    for (; at + 16 <= lastStart + 1; at += 16) {
        const __m128i starts = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at));
        const __m128i ends =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + at + length - 1));
        auto candidates = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(starts, first), _mm_cmpeq_epi8(ends, last))));
        for (; candidates != 0; candidates &= candidates - 1) {
            const std::size_t candidate =
                at + static_cast<std::size_t>(std::countr_zero(candidates));
            if (matchesAt(data + candidate, needle))
                return candidate;
        }
    }
#endif
    for (; at <= lastStart; ++at)
        if (matchesAt(data + at, needle))
            return at;
    return std::string_view::npos;
}

// Position of the first occurrence at or after `from`; an empty needle is found at `from`.
std::optional<std::size_t> findFrom(std::string_view text, std::string_view needle,
                                    std::size_t from) {
    const std::size_t at = findText(text, needle, from);
    if (at == std::string_view::npos)
        return std::nullopt;
    return at;
}

} // namespace

std::size_t findText(std::string_view text, std::string_view needle, std::size_t from) {
    if (needle.empty())
        return from <= text.size() ? from : std::string_view::npos;
    if (needle.size() == 1)
        return text.find(needle.front(), from);
    return findLong(text, needle, from);
}

namespace {

ZerlegeResult failure(std::size_t level, std::string_view error) {
    ZerlegeResult result;
    result[level] = error;
    return result;
}

} // namespace

ZerlegeResult zerlege(std::string_view text, std::string_view such1, std::string_view such2,
                      std::string_view such3, std::string_view suchnach1,
                      std::string_view suchnach2, std::string_view suchnach3) {
    auto found = findFrom(text, such1, 0);
    if (!found)
        return failure(0, kSuch1Error);
    std::size_t valueStart = *found + such1.size();

    if (!such2.empty()) {
        found = findFrom(text, such2, valueStart);
        if (!found)
            return failure(1, kSuch2Error);
        valueStart = *found + such2.size();
        if (!such3.empty()) {
            found = findFrom(text, such3, valueStart);
            if (!found)
                return failure(2, kSuch3Error);
            valueStart = *found + such3.size();
        }
    }

    found = findFrom(text, suchnach1, valueStart);
    if (!found)
        return failure(0, kSuchnach1Error);
    std::size_t valueEnd = *found;

    if (!suchnach2.empty()) {
        found = findFrom(text, suchnach2, valueEnd);
        if (!found)
            return failure(1, kSuchnach2Error);
        valueEnd = *found;
        if (!suchnach3.empty()) {
            found = findFrom(text, suchnach3, valueEnd);
            if (!found)
                return failure(2, kSuchnach3Error);
            valueEnd = *found;
        }
    }

    return {text.substr(0, valueStart), text.substr(valueStart, valueEnd - valueStart),
            text.substr(valueEnd)};
}

bool isZerlegeError(const ZerlegeResult& result) {
    // Compared by address: a file may well contain the text "such1 ERROR" itself.
    const auto is = [](std::string_view part, std::string_view error) {
        return part.data() == error.data() && part.size() == error.size();
    };
    return is(result[0], kSuch1Error) || is(result[1], kSuch2Error) || is(result[2], kSuch3Error) ||
           is(result[0], kSuchnach1Error) || is(result[1], kSuchnach2Error) ||
           is(result[2], kSuchnach3Error);
}

std::string joinWithList(const ZerlegeResult& parts, std::string_view list) {
    std::string joined;
    joined.reserve(parts[0].size() + list.size() + parts[2].size());
    joined.append(parts[0]).append(list).append(parts[2]);
    return joined;
}

} // namespace marlwick
