#include "editor/textroutine.h"

#include <optional>

namespace marlwick {

const std::string_view kSuch1Error = "such1 ERROR";
const std::string_view kSuch2Error = "such2 ERROR";
const std::string_view kSuch3Error = "such3 ERROR";
const std::string_view kSuchnach1Error = "suchnach1 ERROR";
const std::string_view kSuchnach2Error = "suchnach2 ERROR";
const std::string_view kSuchnach3Error = "suchnach3 ERROR";

namespace {

// Position of the first occurrence at or after `from`; an empty needle is found at `from`.
std::optional<std::size_t> findFrom(std::string_view text, std::string_view needle,
                                    std::size_t from) {
    if (needle.empty())
        return from;
    const std::size_t at = text.find(needle, from);
    if (at == std::string_view::npos)
        return std::nullopt;
    return at;
}

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
