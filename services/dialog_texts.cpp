#include "services/dialog_texts.h"

#include "services/split_text.h"

#include <vector>

namespace marlwick {

std::string ComposeFileFilter(clsSysRegistry& registry, const std::string& FileTypes) {
    return passingErrorsOn("cSysDialogs:ComposeFileFilter", [&] {
        std::string filter;
        if (FileTypes.empty())
            return filter;
        const std::vector<std::string> entries = splitAt(FileTypes, ';');
        for (const std::string& entry : entries) {
            if (entry.find('.') != std::string::npos) {
                filter += entry + '\0' + entry + '\0';
            } else {
                filter += toText(registry.ExtensionToFileType(entry)) + " (*." + entry + ")" +
                          '\0' + "*." + entry + '\0';
            }
        }
        if (entries.size() >= 2)
            filter += '\0';
        return filter;
    });
}

std::string ClearAPIString(std::string_view s) {
    return std::string(s.substr(0, s.find('\0')));
}

} // namespace marlwick
