#include "editor/list_origins.h"

#include "editor/number_rules.h"
#include "editor/value_grid.h"

#include <algorithm>

namespace marlwick {
namespace {

std::size_t at(int box) {
    return static_cast<std::size_t>(box);
}

const std::string& shownCaption(const MainWindowModel& model, ProfileKind kind) {
    return model.form.label3[grid::titleOf(kind)].text;
}

// The group's list as the last load read it for the caption shown now.
const LoadedList* loadedList(const MainWindowModel& model, const ValueGroup& group) {
    const auto found = model.origins.lists.find(group.firstBox);
    if (found == model.origins.lists.end() ||
        found->second.caption != shownCaption(model, group.kind))
        return nullptr;
    return &found->second;
}

ListToWrite composeTyped(const MainWindowModel& model, const ValueGroup& group,
                         const LoadedList* loaded) {
    ListToWrite result;
    for (int box = group.firstBox; box < group.firstBox + group.count; ++box) {
        if (box > group.firstBox)
            result.list += '|';
        switch (model.origins.boxes[at(box)]) {
        case BoxOrigin::Typed:
            if (!readBoxNumber(model.form.text1[at(box)].text))
                return {ListToWrite::Problem::NotANumber, box, {}};
            result.list += model.form.text1[at(box)].text;
            break;
        case BoxOrigin::Loaded:
            if (!loaded)
                return {ListToWrite::Problem::NotLoaded, box, {}};
            result.list += model.origins.loadedTexts[at(box)];
            break;
        case BoxOrigin::Unknown:
            return {ListToWrite::Problem::NotLoaded, box, {}};
        }
    }
    return result;
}

ListToWrite composeList(const MainWindowModel& model, const ValueGroup& group,
                        std::string_view inFile) {
    const LoadedList* loaded = loadedList(model, group);
    const auto first = model.origins.boxes.begin() + group.firstBox;
    const bool typedInto = std::any_of(first, first + group.count,
                                       [](BoxOrigin origin) { return origin == BoxOrigin::Typed; });
    if (typedInto)
        return composeTyped(model, group, loaded);
    if (!loaded)
        return {ListToWrite::Problem::NotLoaded, group.firstBox, {}};
    return {ListToWrite::Problem::None, 0, loaded->fromImport ? loaded->list : std::string(inFile)};
}

} // namespace

void noteLoadedList(MainWindowModel& model, const ValueGroup& group, std::string_view list,
                    bool fromImport) {
    GridOrigins& origins = model.origins;
    origins.lists[group.firstBox] =
        LoadedList{shownCaption(model, group.kind), fromImport, std::string(list)};
    // The route value takes the whole list, as the load shows it.
    const auto texts = group.count == 1 ? std::vector<std::optional<std::string_view>>{list}
                                        : SpreadList(list, group.count);
    for (int j = 0; j < group.count; ++j) {
        const auto& text = texts[at(j)];
        const std::size_t box = at(group.firstBox + j);
        origins.boxes[box] = text ? BoxOrigin::Loaded : BoxOrigin::Unknown;
        origins.loadedTexts[box] = text.value_or(std::string_view());
    }
}

ListToWrite listToWrite(const MainWindowModel& model, const ValueGroup& group,
                        std::string_view inFile) {
    ListToWrite result = composeList(model, group, inFile);
    const auto holdsTag = [](std::string_view list) {
        return list.find('<') != std::string_view::npos;
    };
    if (result.problem == ListToWrite::Problem::None && result.list != inFile &&
        (holdsTag(result.list) || holdsTag(inFile)))
        return {ListToWrite::Problem::HoldsTag, group.firstBox, {}};
    return result;
}

} // namespace marlwick
