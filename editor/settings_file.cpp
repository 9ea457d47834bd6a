#include "editor/settings_file.h"

#include <fstream>

namespace marlwick {

std::optional<std::string> readWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0 || !in.seekg(0))
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    if (!in.read(text.data(), size))
        return std::nullopt;
    return text;
}

bool writeWholeFile(const std::string& path, std::string_view text) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    out.close();
    return !out.fail();
}

} // namespace marlwick
