// Filling the grid from a 1 MB settings text (nine value groups, then the routing speeds)
// against nine plain std::string_view::find scans of the same text.
#include "editor/document/grid_map.h"
#include "editor/form/value_grid.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::string_view kVehicle = "Car Fast";
constexpr std::string_view kRoute = "Fastest";

// Settings that repeat the first letters of both names, then the two profiles at the end.
std::string settingsText(std::size_t size) {
    const std::string filler = "<Setting Name=\"Cafe Fahrt\">Car|Fas|C|F</Setting>\r\n";
    const std::string profiles =
        "<SpeedProfile><Name>Car Fast</Name>\r\n"
        "<City>50|50|50|50|40|30|20|10</City><Open>130|110|100|90|80|60|30|15</Open>"
        "<Special>0|1|0|1</Special>\r\n"
        "<PreferenceFactor><City>1.2|1.15|1.1|1.0|0.95|0.9|0.8|0.7</City>"
        "<Open>1.3|1.2|1.1|1.0|0.9|0.85|0.7|0.6</Open></PreferenceFactor></SpeedProfile>\r\n"
        "<SpeedProfile><Name>Fastest</Name>\r\n"
        "<PreferenceFactor><City>1.0|1.0|1.0|1.0|1.0|1.0|1.0|1.0</City>"
        "<Open>1.0|1.05|1.0|0.95|1.0|1.0|1.0|1.0</Open><Special>0|0|0|0</Special>"
        "<Value>0.0</Value></PreferenceFactor></SpeedProfile>\r\n</Routing>\r\n";
    std::string text;
    text.reserve(size + profiles.size());
    while (text.size() + filler.size() + profiles.size() < size)
        text += filler;
    return text + profiles;
}

void fillGrid(marlwick::MainWindowModel& model, std::string_view text) {
    using marlwick::ProfileKind;
    for (const marlwick::ValueGroup& group : marlwick::kLoadOrder) {
        const auto name = group.kind == ProfileKind::Vehicle ? kVehicle : kRoute;
        const std::string_view list = marlwick::locateGroup(text, name, group)[1];
        if (group.count == 1)
            model.form.text1[static_cast<std::size_t>(group.firstBox)].text = list;
        else
            marlwick::ListToBoxes(model, list, group.firstBox, group.count);
    }
    marlwick::RecomputeRoutingSpeeds(model);
}

void BM_FillGridFromSettings(benchmark::State& state) {
    const std::string text = settingsText(1 << 20);
    marlwick::MainWindowModel model;
    for (auto _ : state) {
        fillGrid(model, text);
        benchmark::DoNotOptimize(model.form.text3[15].text.data());
    }
    if (model.form.text3[0].text != "60")
        state.SkipWithError("the grid was not filled");
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_NineFindScans(benchmark::State& state) {
    const std::string text = settingsText(1 << 20);
    const std::string_view view = text;
    for (auto _ : state) {
        for (const marlwick::ValueGroup& group : marlwick::kLoadOrder) {
            const auto name = group.kind == marlwick::ProfileKind::Vehicle ? kVehicle : kRoute;
            std::size_t at = view.find(name);
            benchmark::DoNotOptimize(at);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

BENCHMARK(BM_FillGridFromSettings);
BENCHMARK(BM_NineFindScans);

} // namespace

BENCHMARK_MAIN();
