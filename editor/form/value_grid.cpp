#include "editor/form/value_grid.h"
#include "editor/document/grid_map.h"
#include "editor/form/number_rules.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

namespace marlwick {

namespace {

using grid::kRouteFactorBoxOffset;
using grid::kSpeedBoxOffset;

// The order in which the routing speeds are recomputed: in towns and outside towns of each
// road class in turn, 0, 8, 1, 9, ... 7, 15.
constexpr std::array<int, kRoutingSpeedBoxCount> kRecomputationOrder{0, 8,  1, 9,  2, 10, 3, 11,
                                                                     4, 12, 5, 13, 6, 14, 7, 15};

std::optional<double> readValueBox(const MainWindowModel& model, int index) {
    return readBoxNumber(model.form.text1[static_cast<std::size_t>(index)].text);
}

Control& valueBox(MainWindowModel& model, int index) {
    return model.form.text1.at(static_cast<std::size_t>(index));
}

// A text the editor computed for the user stands as if typed.
void setComputed(MainWindowModel& model, int index, std::string text) {
    valueBox(model, index).text = std::move(text);
    markTyped(model, index);
}

Control& routingSpeedBox(MainWindowModel& model, int k) {
    return model.form.text3.at(static_cast<std::size_t>(k));
}

// dividend / (first x second), when all three are numbers and the result is one too.
std::optional<double> quotient(std::optional<double> dividend, std::optional<double> first,
                               std::optional<double> second) {
    if (!dividend || !first || !second)
        return std::nullopt;
    const double divisor = *first * *second;
    if (divisor == 0 || !std::isfinite(divisor))
        return std::nullopt;
    const double result = *dividend / divisor;
    if (!std::isfinite(result))
        return std::nullopt;
    return result;
}

std::optional<double> routingSpeedProduct(const MainWindowModel& model, int k) {
    const auto speed = readValueBox(model, k + kSpeedBoxOffset);
    const auto vehicleFactor = readValueBox(model, k);
    const auto routeFactor = readValueBox(model, k + kRouteFactorBoxOffset);
    if (!speed || !vehicleFactor || !routeFactor)
        return std::nullopt;
    const double product = *speed * *vehicleFactor * *routeFactor;
    if (!std::isfinite(product))
        return std::nullopt;
    return product;
}

void recomputeFromValues(MainWindowModel& model) {
    std::array<double, kRoutingSpeedBoxCount> products{};
    for (int k = 0; k < kRoutingSpeedBoxCount; ++k) {
        const auto product = routingSpeedProduct(model, k);
        if (!product)
            return;
        products[static_cast<std::size_t>(k)] = *product;
    }
    for (int k : kRecomputationOrder)
        routingSpeedBox(model, k).text = formatRoutingSpeed(products[static_cast<std::size_t>(k)]);
}

// The routing speeds stay; each vehicle factor becomes what keeps its routing speed.
void recomputeVehicleFactors(MainWindowModel& model) {
    for (int k : kRecomputationOrder) {
        const auto factor = quotient(readBoxNumber(routingSpeedBox(model, k).text),
                                     readValueBox(model, k + kSpeedBoxOffset),
                                     readValueBox(model, k + kRouteFactorBoxOffset));
        if (!factor)
            return;
        setComputed(model, k, formatPreferenceFactor(*factor));
    }
}

bool isValueBox(int index) {
    return index >= 0 && index < kValueBoxCount;
}

} // namespace

void enterBox(Control& box) {
    box.selectionStart = 0;
    box.selectionLength = static_cast<int>(box.text.size());
}

void leaveValueBox(MainWindowModel& model, int index) {
    std::string& text = valueBox(model, index).text;
    std::ranges::replace(text, ',', '.');
    // Speeds stay as typed; every other list of the file holds decimals.
    if (!grid::kSpeeds.contains(index))
        text = withDecimalPoint(std::move(text));
    RecomputeRoutingSpeeds(model);
}

void leaveRoutingSpeedBox(MainWindowModel& model, int k) {
    std::string& text = routingSpeedBox(model, k).text;
    std::ranges::replace(text, '.', ',');
    const bool vehicleBlockEditable = model.form.text1[0].enabled;
    const int moving = vehicleBlockEditable ? k : k + kRouteFactorBoxOffset;
    const int partner = vehicleBlockEditable ? k + kRouteFactorBoxOffset : k;
    const auto factor = quotient(readBoxNumber(text), readValueBox(model, k + kSpeedBoxOffset),
                                 readValueBox(model, partner));
    if (!factor)
        return;
    setComputed(model, moving, withDecimalPoint(formatPreferenceFactor(*factor)));
}

void RecomputeRoutingSpeeds(MainWindowModel& model) {
    if (model.state.nextViewMode == view_mode::kNextWhileSpeedModeShown)
        recomputeVehicleFactors(model);
    else
        recomputeFromValues(model);
}

bool GroupFromImport(const MainWindowModel& model, int firstBox) {
    return model.state.importFlag && isValueBox(firstBox) &&
           model.form.text1[static_cast<std::size_t>(firstBox)].enabled;
}

std::string_view GroupSourceText(const MainWindowModel& model, std::string_view targetText,
                                 std::string_view importText, int firstBox) {
    return GroupFromImport(model, firstBox) ? importText : targetText;
}

void ClearValueBoxes(MainWindowModel& model) {
    if (model.state.importFlag)
        return;
    for (Control& box : model.form.text1)
        box.text = kPlaceholder;
    forgetOrigins(model);
    model.form.label4[0].text = kChooseFileCaption;
}

std::vector<std::optional<std::string_view>> SpreadList(std::string_view list, int count) {
    std::vector<std::optional<std::string_view>> texts(
        static_cast<std::size_t>(std::max(count, 0)));
    if (count < 1)
        return texts;
    std::size_t position = 0;
    for (int j = 0; j < count - 1; ++j) {
        const std::size_t bar = list.find('|', position);
        if (bar == std::string_view::npos) {
            position = 0; // the search starts again at the list's beginning
            continue;
        }
        texts[static_cast<std::size_t>(j)] = list.substr(position, bar - position);
        position = bar + 1;
    }
    texts.back() = list.substr(position);
    return texts;
}

void ListToBoxes(MainWindowModel& model, std::string_view list, int firstBox, int count) {
    model.form.window.visible = true;
    const auto texts = SpreadList(list, count);
    for (int j = 0; j < count; ++j) {
        const int index = firstBox + j;
        if (const auto& text = texts[static_cast<std::size_t>(j)]; text && isValueBox(index))
            valueBox(model, index).text = *text;
    }
}

std::string BoxesToList(const MainWindowModel& model, std::string_view prefix, int firstBox,
                        std::string_view suffix, int count) {
    std::string result(prefix);
    for (int j = 0; j < count; ++j) {
        if (j > 0)
            result += '|';
        result += model.form.text1.at(static_cast<std::size_t>(firstBox + j)).text;
    }
    result += suffix;
    return result;
}

} // namespace marlwick
