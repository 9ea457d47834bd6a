// The value grid driven as a user and the load drive it, from the example's values. Field 0
// is a script, one operation per byte with its arguments in the bytes after it; the other
// fields are the texts the operations take, in order. After every step each box holds what
// the rules say: typed texts stay as typed (only "," and ".0" change), and every number the
// program computes is a plain decimal, never "inf" or "nan".
#include "editor/form/number_rules.h"
#include "editor/form/value_grid.h"
#include "fuzz/fuzz_support.h"
#include "tests/fakes/sample_settings.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>

namespace {

using namespace marlwick;

constexpr std::array<int, 16> kRecomputationOrder{0, 8,  1, 9,  2, 10, 3, 11,
                                                  4, 12, 5, 13, 6, 14, 7, 15};
// Enough steps to reach any state of the grid; more only slow each run down.
constexpr int kMostSteps = 48;

// The box texts an expectation works on: a copy of the whole window would cost more than
// the run itself.
struct Grid {
    explicit Grid(const MainWindowModel& model) : nextViewMode(model.state.nextViewMode) {
        std::ranges::transform(model.form.text1, text1.begin(), &Control::text);
        std::ranges::transform(model.form.text3, text3.begin(), &Control::text);
    }
    bool operator==(const MainWindowModel& model) const {
        return std::ranges::equal(text1, model.form.text1, {}, {}, &Control::text) &&
               std::ranges::equal(text3, model.form.text3, {}, {}, &Control::text);
    }
    std::array<std::string, kValueBoxCount> text1;
    std::array<std::string, kRoutingSpeedBoxCount> text3;
    int nextViewMode;
};

// Two bytes, high first, each with its top bit flipped: 0x80 0x94 is 20, so that small numbers
// need no NUL, which would end the field.
int int16Of(fuzz::Script& script) {
    const int high = script.byte() ^ 0x80;
    return static_cast<std::int16_t>(high << 8 | (script.byte() ^ 0x80));
}

// A count: one byte with its top bit flipped, -128 to 127. Counts beyond the 57 boxes only
// repeat what 127 does, slower.
int countOf(fuzz::Script& script) {
    return static_cast<std::int8_t>(script.byte() ^ 0x80);
}

std::optional<double> read(const std::string& text) {
    return readBoxNumber(text);
}

// dividend / (first x second) when all are numbers and so is the result.
std::optional<double> quotient(std::optional<double> dividend, std::optional<double> first,
                               std::optional<double> second) {
    if (!dividend || !first || !second || *first * *second == 0)
        return std::nullopt;
    const double result = *dividend / (*first * *second);
    if (!std::isfinite(result) || !std::isfinite(*first * *second))
        return std::nullopt;
    return result;
}

// RecomputeRoutingSpeeds by its rules, on a copy.
Grid expectedRecompute(Grid grid) {
    auto& boxes = grid.text1;
    auto& speeds = grid.text3;
    if (grid.nextViewMode == 3) {
        for (int k : kRecomputationOrder) {
            const auto factor = quotient(read(speeds[k]), read(boxes[k + 20]), read(boxes[k + 36]));
            if (!factor)
                break;
            boxes[k] = formatPreferenceFactor(*factor);
        }
        return grid;
    }
    std::array<double, 16> products{};
    for (int k = 0; k < 16; ++k) {
        const auto speed = read(boxes[k + 20]), vehicle = read(boxes[k]),
                   route = read(boxes[k + 36]);
        if (!speed || !vehicle || !route || !std::isfinite(*speed * *vehicle * *route))
            return grid;
        products[k] = *speed * *vehicle * *route;
    }
    for (int k = 0; k < 16; ++k)
        speeds[k] = formatRoutingSpeed(products[k]);
    return grid;
}

void requireComputedBoxesPlain(const Grid& before, const MainWindowModel& after) {
    for (int k = 0; k < 16; ++k) {
        if (after.form.text3[k].text != before.text3[k])
            fuzz::require(fuzz::isPlainDecimal(after.form.text3[k].text, ','),
                          "a computed routing speed is a plain decimal");
        if (after.form.text1[k].text != before.text1[k])
            fuzz::require(fuzz::isPlainDecimal(after.form.text1[k].text, '.'),
                          "a computed factor is a plain decimal");
    }
}

void leaveValueBoxStep(MainWindowModel& model, fuzz::Script& script) {
    const int box = script.byte() % kValueBoxCount;
    std::string typed = script.text();
    model.form.text1[box].text = typed;
    std::ranges::replace(typed, ',', '.');
    if ((box < 20 || box > 35) && typed.find('.') == std::string::npos)
        typed += ".0";
    Grid before(model);
    before.text1[box] = typed;
    const Grid expected = expectedRecompute(before);
    leaveValueBox(model, box);
    fuzz::require(model.form.text1[box].text == expected.text1[box],
                  "a left box keeps its text, normalised");
    fuzz::require(expected == model, "leaving a box recomputes as the rules say");
    requireComputedBoxesPlain(before, model);
}

void leaveRoutingSpeedBoxStep(MainWindowModel& model, fuzz::Script& script) {
    const int k = script.byte() % kRoutingSpeedBoxCount;
    std::string typed = script.text();
    model.form.text3[k].text = typed;
    std::ranges::replace(typed, '.', ',');
    Grid expected(model);
    expected.text3[k] = typed;
    const bool vehicleMoves = model.form.text1[0].enabled;
    const int moving = vehicleMoves ? k : k + 36;
    const auto factor = quotient(readBoxNumber(typed), read(model.form.text1[k + 20].text),
                                 read(model.form.text1[vehicleMoves ? k + 36 : k].text));
    if (factor)
        expected.text1[moving] = withDecimalPoint(formatPreferenceFactor(*factor));
    leaveRoutingSpeedBox(model, k);
    fuzz::require(expected == model, "a left routing speed moves the factor of the editable block");
    if (factor)
        fuzz::require(fuzz::isPlainDecimal(model.form.text1[moving].text, '.'),
                      "a moved factor is a plain decimal");
}

void listToBoxesStep(MainWindowModel& model, fuzz::Script& script) {
    const int firstBox = int16Of(script);
    const int count = countOf(script);
    const std::string list = script.text();
    // Each box of the window takes the text the editor's spreading gives it.
    Grid expected(model);
    const auto texts = SpreadList(list, count);
    for (int box = std::max(firstBox, 0); box < std::min(firstBox + count, kValueBoxCount); ++box)
        if (const auto& text = texts[box - firstBox])
            expected.text1[box] = *text;
    ListToBoxes(model, list, firstBox, count);
    fuzz::require(expected == model && model.form.window.visible,
                  "ListToBoxes spreads the list as the rules say");
}

void boxesToListStep(MainWindowModel& model, fuzz::Script& script) {
    const int firstBox = int16Of(script);
    const int count = countOf(script);
    const std::string prefix = script.text();
    const std::string suffix = script.text();
    const bool inside = count <= 0 || (firstBox >= 0 && firstBox + count <= kValueBoxCount);
    std::string expected = prefix;
    for (int j = 0; inside && j < count; ++j)
        expected += (j > 0 ? "|" : "") + model.form.text1[firstBox + j].text;
    expected += suffix;
    try {
        const std::string list = BoxesToList(model, prefix, firstBox, suffix, count);
        fuzz::require(inside && list == expected, "BoxesToList joins the boxes between the texts");
    } catch (const std::out_of_range&) {
        fuzz::require(!inside, "only boxes the window lacks fail");
    }
}

void recomputeStep(MainWindowModel& model, fuzz::Script& script) {
    model.state.nextViewMode = static_cast<std::int16_t>(script.byte() % 4 + 1);
    const Grid before(model);
    const Grid expected = expectedRecompute(before);
    RecomputeRoutingSpeeds(model);
    fuzz::require(expected == model, "the recomputation follows the rules");
    requireComputedBoxesPlain(before, model);
}

void toggleVehicleBlockStep(MainWindowModel& model, fuzz::Script&) {
    model.form.text1[0].enabled = !model.form.text1[0].enabled;
}

void typeIntoValueBoxStep(MainWindowModel& model, fuzz::Script& script) {
    model.form.text1[script.byte() % kValueBoxCount].text = script.text();
}

void typeIntoRoutingSpeedBoxStep(MainWindowModel& model, fuzz::Script& script) {
    model.form.text3[script.byte() % kRoutingSpeedBoxCount].text = script.text();
}

// The script's operations, each named by a byte modulo their count.
constexpr std::array<void (*)(MainWindowModel&, fuzz::Script&), 8> kSteps{
    leaveValueBoxStep, leaveRoutingSpeedBoxStep, listToBoxesStep,      boxesToListStep,
    recomputeStep,     toggleVehicleBlockStep,   typeIntoValueBoxStep, typeIntoRoutingSpeedBoxStep};

MainWindowModel sampleGrid() {
    MainWindowModel model;
    fakes::showProfiles(model, fakes::sampleSettingsText());
    RecomputeRoutingSpeeds(model);
    return model;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const MainWindowModel sample = sampleGrid();
    const fuzz::Fields fields(data, size);
    MainWindowModel model = sample;
    fuzz::Script script(fields, 1);
    for (int step = 0; step < kMostSteps && !script.done(); ++step) {
        kSteps[script.byte() % kSteps.size()](model, script);
    }
    return 0;
}
