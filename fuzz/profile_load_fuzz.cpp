// LoadProfiles on arbitrary files, captions and stored profile names. Fields: target text,
// import text, options (import flag, next view mode, which blocks are enabled), the captions
// of Label3(0) and Label3(1), the stored "fahrzeug" and "route", the routing speeds shown
// (joined by "|"). The load reads and never writes, tells nothing, shows each list's values
// as they stand, computes only plain numbers, and gives the same grid a second time.
#include "editor/grid_map.h"
#include "editor/profile_loading.h"
#include "editor/stored_settings.h"
#include "editor/value_grid.h"
#include "fuzz/editor_machine.h"
#include "fuzz/fuzz_support.h"

#include <algorithm>
#include <vector>

namespace {

using namespace marlwick;

void setUp(fuzz::EditorOnMachine& on, const fuzz::Fields& fields) {
    MainWindowModel& model = on.model;
    model.state.importFlag = fields.option(2, 0) & 1;
    model.state.nextViewMode = static_cast<std::int16_t>(fields.option(2, 1) % 4 + 1);
    const bool vehicleEnabled = fields.option(2, 2) & 1;
    const bool routeEnabled = fields.option(2, 2) & 2;
    for (int i = 0; i < kValueBoxCount; ++i)
        model.form.text1[i].enabled = i < 36 ? vehicleEnabled : routeEnabled;
    model.form.label3[0].text = std::string(fields[3]);
    model.form.label3[1].text = std::string(fields[4]);
    on.store(stored::kFahrzeug, fields[5]);
    on.store(stored::kRoute, fields[6]);
    const auto speeds = fuzz::splitAtBars(fields[7]);
    for (std::size_t k = 0; k < speeds.size() && k < model.form.text3.size(); ++k)
        model.form.text3[k].text = std::string(speeds[k]);
}

std::string profileName(const MainWindowModel& model, ProfileKind kind, std::string_view stored) {
    const std::string& caption = model.form.label3[grid::titleOf(kind)].text;
    return std::string(profileNameForCaption(kind, caption).value_or(stored));
}

// Each group's boxes show its list's values as the file holds them, when the list has as many
// values as boxes; in factor mode the vehicle factors may instead hold recomputed numbers.
void requireListsShown(const MainWindowModel& before, const MainWindowModel& after,
                       const fuzz::Fields& fields) {
    const std::string vehicle = profileName(after, ProfileKind::Vehicle, fields[5]);
    const std::string route = profileName(after, ProfileKind::Route, fields[6]);
    const bool factorMode = after.state.nextViewMode == 3;
    for (const ValueGroup& group : kLoadOrder) {
        const std::string_view source =
            GroupSourceText(after, fields[0], fields[1], group.firstBox);
        const std::string_view list =
            locateGroup(source, group.kind == ProfileKind::Vehicle ? vehicle : route, group)[1];
        const auto values = group.count == 1 ? std::vector{list} : fuzz::splitAtBars(list);
        if (values.size() != static_cast<std::size_t>(group.count))
            continue;
        for (int j = 0; j < group.count; ++j) {
            const int box = group.firstBox + j;
            const std::string& shown = after.form.text1[box].text;
            if (factorMode && box < 16)
                fuzz::requireComputed(values[j], shown, '.');
            else
                fuzz::require(shown == values[j], "a box shows its value as the file holds it");
        }
    }
    for (std::size_t k = 0; k < after.form.text3.size(); ++k)
        fuzz::requireComputed(before.form.text3[k].text, after.form.text3[k].text, ',');
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    fuzz::EditorOnMachine on{std::string(fields[0]), std::string(fields[1])};
    setUp(on, fields);
    const MainWindowModel before = on.model;

    LoadProfiles(on.editor);

    fuzz::require(on.machine.host.boxes().empty(), "the load tells nothing");
    fuzz::require(on.machine.dialogPort.fileDialogs().empty(), "both files are there: no choice");
    fuzz::require(on.machine.files.contents(fuzz::kTargetPath) == std::string(fields[0]) &&
                      on.machine.files.contents(fuzz::kImportPath) == std::string(fields[1]),
                  "the load writes nothing");
    fuzz::requireNothingLeftOpen(on);
    fuzz::require(on.model.form.label4[0].text == fuzz::kTargetPath &&
                      on.model.form.label4[1].text == fuzz::kImportPath,
                  "the file captions show the paths");
    for (int i = 0; i < kValueBoxCount; ++i)
        fuzz::require(on.model.form.text1[i].enabled == before.form.text1[i].enabled,
                      "the load enables and disables nothing");
    requireListsShown(before, on.model, fields);

    const MainWindowModel once = on.model;
    LoadProfiles(on.editor);
    fuzz::require(on.model.form.text1 == once.form.text1 && on.model.form.text3 == once.form.text3,
                  "a second load gives the same grid");
    return 0;
}
