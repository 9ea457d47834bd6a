#include "editor/form/provenance.h"

#include "editor/document/grid_map.h"
#include "editor/form/main_window_model.h"
#include "editor/form/number_rules.h"
#include "editor/form/value_grid.h"

#include <algorithm>
#include <optional>
#include <span>
#include <vector>

namespace marlwick {
namespace {

using Problem = ListToWrite::Problem;
using BoxTexts = std::vector<std::optional<std::string_view>>;

std::size_t at(int box) {
    return static_cast<std::size_t>(box);
}

const std::string& shownCaption(const MainWindowModel& model, ProfileKind kind) {
    return model.form.label3[grid::titleOf(kind)].text;
}

std::vector<std::string_view> valuesOf(std::string_view list) {
    std::vector<std::string_view> values;
    std::size_t from = 0;
    for (std::size_t bar; (bar = list.find('|', from)) != std::string_view::npos; from = bar + 1)
        values.push_back(list.substr(from, bar - from));
    values.push_back(list.substr(from));
    return values;
}

// The texts a load puts into the group's boxes, where each is the list's value of its own
// place; nothing for any other box.
BoxTexts valueTexts(std::string_view list, int count) {
    BoxTexts texts = count == 1 ? BoxTexts{list} : SpreadList(list, count);
    const std::vector<std::string_view> values = valuesOf(list);
    for (std::size_t j = 0; j < texts.size(); ++j)
        if (texts[j] && (j >= values.size() || *texts[j] != values[j]))
            texts[j].reset();
    return texts;
}

// The group's list as the last load read it for the caption shown now.
const LoadedList* loadedList(const MainWindowModel& model, const ValueGroup& group) {
    const auto found = model.origins.lists.find(group.firstBox);
    if (found == model.origins.lists.end() ||
        found->second.caption != shownCaption(model, group.kind))
        return nullptr;
    return &found->second;
}

// Typed by the user or computed for them: the box holds a value of the editor's making.
bool isTypedOrigin(BoxOrigin origin) {
    return origin == BoxOrigin::Typed || origin == BoxOrigin::Computed;
}

bool isTyped(const MainWindowModel& model, int box) {
    return isTypedOrigin(model.origins.boxes[at(box)]);
}

const std::string& boxText(const MainWindowModel& model, int box) {
    return model.form.text1[at(box)].text;
}

std::string joined(const std::vector<std::string_view>& values) {
    std::string list(values.front());
    for (const std::string_view value : std::span(values).subspan(1))
        list.append("|").append(value);
    return list;
}

// Without a list of the shown profile's load, every box must have been typed.
ListToWrite composeAllTyped(const MainWindowModel& model, const ValueGroup& group) {
    std::vector<std::string_view> values;
    for (int box = group.firstBox; box < group.firstBox + group.count; ++box) {
        if (!isTyped(model, box))
            return {Problem::NotLoaded, box, {}};
        if (!readBoxNumber(boxText(model, box)))
            return {Problem::NotANumber, box, {}};
        values.push_back(boxText(model, box));
    }
    return {Problem::None, 0, joined(values)};
}

// The loaded list with the typed values in their places; every other byte stays.
ListToWrite composeTyped(const MainWindowModel& model, const ValueGroup& group,
                         const LoadedList& loaded) {
    std::vector<std::string_view> values = valuesOf(loaded.list);
    const BoxTexts shown = valueTexts(loaded.list, group.count);
    for (int j = 0; j < group.count; ++j) {
        const int box = group.firstBox + j;
        if (!isTyped(model, box))
            continue;
        if (!readBoxNumber(boxText(model, box)))
            return {Problem::NotANumber, box, {}};
        if (!shown[at(j)])
            return {Problem::NotOneValue, box, {}, values.size()};
        values[at(j)] = boxText(model, box);
    }
    return {Problem::None, 0, joined(values)};
}

// A list from another file brings only numbers: every box shows one value, typed or loaded.
ListToWrite refusalOfImported(const MainWindowModel& model, const ValueGroup& group,
                              const LoadedList& loaded) {
    const BoxTexts shown = valueTexts(loaded.list, group.count);
    for (int j = 0; j < group.count; ++j) {
        const int box = group.firstBox + j;
        if (!isTyped(model, box) && !(shown[at(j)] && readBoxNumber(*shown[at(j)])))
            return {Problem::NotANumber, box, {}};
    }
    return {};
}

ListToWrite composeList(const MainWindowModel& model, const ValueGroup& group,
                        std::string_view inFile, std::string_view asRead) {
    const LoadedList* loaded = loadedList(model, group);
    const bool typedInto = holdsTypedValue(model, group);
    if (!loaded)
        return typedInto ? composeAllTyped(model, group)
                         : ListToWrite{Problem::NotLoaded, group.firstBox, {}};
    if (!loaded->fromImport && !typedInto)
        return {Problem::None, 0, std::string(inFile)};
    // The typed values belong to the list the user saw; another program's newer one wins.
    if (!loaded->fromImport && asRead != loaded->list)
        return {Problem::ChangedSinceLoad, group.firstBox, {}};
    ListToWrite result = typedInto ? composeTyped(model, group, *loaded)
                                   : ListToWrite{Problem::None, 0, loaded->list};
    if (result.problem == Problem::None && loaded->fromImport && result.list != inFile) {
        if (ListToWrite refusal = refusalOfImported(model, group, *loaded);
            refusal.problem != Problem::None)
            return refusal;
    }
    return result;
}

} // namespace

void markTyped(MainWindowModel& model, int box) {
    model.origins.boxes.at(at(box)) = BoxOrigin::Typed;
}

void forgetOrigins(MainWindowModel& model) {
    model.origins = {};
}

void markTypedAsComputed(MainWindowModel& model) {
    std::ranges::replace(model.origins.boxes, BoxOrigin::Typed, BoxOrigin::Computed);
}

bool holdsTypedValue(const MainWindowModel& model, const ValueGroup& group) {
    const auto first = model.origins.boxes.begin() + group.firstBox;
    return std::any_of(first, first + group.count, isTypedOrigin);
}

void noteLoadedList(MainWindowModel& model, const ValueGroup& group, std::string_view list,
                    bool fromImport) {
    GridOrigins& origins = model.origins;
    origins.lists[group.firstBox] =
        LoadedList{shownCaption(model, group.kind), fromImport, std::string(list)};
    const BoxTexts texts = valueTexts(list, group.count);
    for (int j = 0; j < group.count; ++j)
        origins.boxes[at(group.firstBox + j)] =
            texts[at(j)] ? BoxOrigin::Loaded : BoxOrigin::Unknown;
}

ListToWrite listToWrite(const MainWindowModel& model, const ValueGroup& group,
                        std::string_view inFile, std::string_view asRead) {
    ListToWrite result = composeList(model, group, inFile, asRead);
    const auto holdsTag = [](std::string_view list) {
        return list.find('<') != std::string_view::npos;
    };
    if (result.problem == Problem::None && result.list != inFile &&
        (holdsTag(result.list) || holdsTag(inFile)))
        return {Problem::HoldsTag, group.firstBox, {}};
    return result;
}

} // namespace marlwick
