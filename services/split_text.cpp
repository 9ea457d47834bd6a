#include "services/split_text.h"

namespace marlwick {

std::vector<std::string> splitAt(std::string_view text, char separator) {
    std::vector<std::string> pieces;
    std::size_t start = 0;
    for (std::size_t end = text.find(separator); end != std::string_view::npos;
         start = end + 1, end = text.find(separator, start))
        pieces.emplace_back(text.substr(start, end - start));
    pieces.emplace_back(text.substr(start));
    return pieces;
}

} // namespace marlwick
