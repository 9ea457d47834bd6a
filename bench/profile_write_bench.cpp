// A vehicle write of a 1 MB settings file, from reading to the verified replacement with its
// backup, against reading the file and writing it back once plainly. Both run on the in-memory file
// model, so the ratio is the work of the write itself, not the medium's speed.
#include "editor/operations/backups.h"
#include "editor/operations/main_window_events.h"
#include "editor/operations/profile_writes.h"
#include "editor/system/whole_file.h"
#include "tests/fakes/memory_machine.h"
#include "tests/fakes/sample_settings.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <malloc.h>

namespace marlwick {
namespace {

const std::string kTarget = "E:\\ApplicationSettings.xml";

// The sample with other settings before its routing section until it holds about 1 MB.
std::string megabyteSettings() {
    const std::string sample = fakes::sampleSettingsText();
    const std::string filler = "    <Poi Name=\"Tankstelle Hauptstra\xDF"
                               "e\">48.1|11.5</Poi>\r\n";
    std::string others;
    while (others.size() + sample.size() < (1u << 20))
        others += filler;
    std::string text = sample;
    text.insert(text.find("  <Routing>"), others);
    return text;
}

void BM_VehicleWrite(benchmark::State& state) {
    MainWindowModel model;
    MemoryMachine machine;
    EditorContext editor = machine.contextFor(model);
    const std::string text = megabyteSettings();
    machine.files.addFile(kTarget, text);
    model.state.targetPath = kTarget;
    model.form.label3[0].text = "LKW";
    model.form.label3[1].text = "Schnelle";
    fakes::showProfiles(model, text);
    // Each round types the truck's first speed back or forth, so that every write replaces
    // the file and keeps a backup of it.
    const std::array<std::string, 2> speeds = {"46", "45"};
    std::size_t rounds = 0;
    for (auto _ : state) {
        onTextTyped(model, {ControlArray::Text1, 20}, speeds[rounds++ % speeds.size()]);
        machine.host.answer({EditorHost::kIdYes});
        WriteVehicleValues(editor);
    }
    const auto& boxes = machine.host.boxes();
    const bool onlyQuestions = std::ranges::all_of(
        boxes, [](const auto& box) { return box.type == EditorHost::kMbYesNo; });
    if (!onlyQuestions ||
        machine.files.filesIn(fakes::backupFolder()).size() != std::min(rounds, kBackupsKept) ||
        machine.files.contents(kTarget)->find("<City>" + speeds[(rounds - 1) % 2] + "|") ==
            std::string::npos)
        state.SkipWithError("a write was refused, failed or kept no backup");
}

void BM_ReadAndWriteBackBaseline(benchmark::State& state) {
    fakes::MemoryFiles files;
    const std::string text = megabyteSettings();
    files.addFile(kTarget, text);
    for (auto _ : state) {
        const auto read = readWholeFile(files, kTarget);
        const auto file =
            files.createFile(kTarget, FilePort::kGenericWrite, 0, FilePort::kCreateAlways, 0);
        std::uint32_t written = 0;
        files.writeFile(file, read->data(), static_cast<std::uint32_t>(read->size()), &written);
        files.closeHandle(file);
    }
}

BENCHMARK(BM_VehicleWrite)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadAndWriteBackBaseline)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace marlwick

// The in-memory files are strings: left to itself the allocator maps and unmaps every new
// megabyte, and its page faults, not the write's work, would set the ratio. Kept mapped, the
// model's new files cost what a system's file cache does.
int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 512 << 20);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
