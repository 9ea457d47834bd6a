// zerlege against plain std::string_view::find of the same tags, on texts whose group lies
// near the end.
#include "editor/document/textroutine.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

std::string textOfSize(std::size_t size) {
    const std::string filler = "<Setting Name=\"Tour Stra\xDF"
                               "e\">42|43|44</Setting>\r\n";
    const std::string group = "<Name>Truck</Name><City>50|50|50|50|30|30|20|10</City>\r\n";
    std::string text;
    text.reserve(size + group.size());
    while (text.size() + group.size() + 100 < size)
        text += filler;
    text += group;
    text += "</Routing>\r\n";
    return text;
}

void BM_Zerlege(benchmark::State& state) {
    const std::string text = textOfSize(static_cast<std::size_t>(state.range(0)));
    for (auto _ : state) {
        auto parts = marlwick::zerlege(text, "Truck", "<City>", "", "</City>");
        benchmark::DoNotOptimize(parts);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

void BM_FindBaseline(benchmark::State& state) {
    const std::string text = textOfSize(static_cast<std::size_t>(state.range(0)));
    const std::string_view view = text;
    for (auto _ : state) {
        std::size_t at = view.find("Truck");
        at = view.find("<City>", at + 5);
        at = view.find("</City>", at + 6);
        benchmark::DoNotOptimize(at);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}

BENCHMARK(BM_Zerlege)->Arg(64 << 10)->Arg(1 << 20)->Arg(16 << 20);
BENCHMARK(BM_FindBaseline)->Arg(64 << 10)->Arg(1 << 20)->Arg(16 << 20);

} // namespace

BENCHMARK_MAIN();
