#include "editor/system/paths.h"

namespace marlwick {

std::string folderOf(std::string_view path) {
    const auto slash = path.rfind('\\');
    return std::string(slash == std::string_view::npos ? std::string_view()
                                                       : path.substr(0, slash));
}

std::string withoutTrailingBackslash(std::string_view folder) {
    if (!folder.empty() && folder.back() == '\\')
        folder.remove_suffix(1);
    return std::string(folder);
}

std::string_view fileNameOf(std::string_view path) {
    return path.substr(path.find_last_of("\\/:") + 1);
}

} // namespace marlwick
