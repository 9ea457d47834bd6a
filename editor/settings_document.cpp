#include "editor/settings_document.h"

#include <algorithm>

namespace marlwick {

std::optional<std::string_view> profileNameForCaption(ProfileKind kind, std::string_view caption) {
    const auto it = std::ranges::find_if(kProfiles, [&](const Profile& profile) {
        return profile.kind == kind && profile.caption == caption;
    });
    if (it == kProfiles.end())
        return std::nullopt;
    return it->name;
}

ZerlegeResult splitRoutingSection(std::string_view text) {
    return zerlege(text, tags::kRoutingStart, {}, {}, tags::kRoutingEnd);
}

} // namespace marlwick
