// LoadProfiles on arbitrary files, captions and stored profile names. Fields: target text,
// import text, options (import flag, next view mode, which blocks are enabled), the captions
// of Label3(0) and Label3(1), the stored "fahrzeug" and "route", the routing speeds shown
// (joined by "|"). The load reads and never writes, tells nothing, shows each list as the
// search finds it inside the profile's own record (from the name's first occurrence where the
// file has no such record), notes exactly the boxes it read from the own record, computes only
// plain numbers, and gives the same grid a second time.
#include "editor/grid_map.h"
#include "editor/profile_loading.h"
#include "editor/stored_settings.h"
#include "editor/value_grid.h"
#include "fuzz/editor_machine.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/own_records.h"

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

// In import mode a block that is enabled shows the import file.
bool fromImport(const MainWindowModel& model, const ValueGroup& group) {
    return model.state.importFlag && model.form.text1[group.firstBox].enabled;
}

fuzz::ShownList expectedList(const MainWindowModel& model, const ValueGroup& group,
                             const fuzz::Fields& fields) {
    const bool vehicle = group.kind == ProfileKind::Vehicle;
    const std::string name = profileName(model, group.kind, fields[vehicle ? 5 : 6]);
    return fuzz::shownList(fromImport(model, group) ? fields[1] : fields[0], name, group);
}

bool factorMode(const MainWindowModel& model) {
    return model.state.nextViewMode == 3;
}

// Each box shows the text its group's list gives it; one the list gives none keeps the
// placeholder, or in import mode what it held. In factor mode the vehicle factors may instead
// hold recomputed numbers.
void requireListsShown(const MainWindowModel& before, const MainWindowModel& after,
                       const fuzz::Fields& fields) {
    for (const ValueGroup& group : kLoadOrder) {
        const auto texts =
            fuzz::spreadOverBoxes(expectedList(after, group, fields).list, group.count);
        for (int j = 0; j < group.count; ++j) {
            const int box = group.firstBox + j;
            const std::string_view kept =
                after.state.importFlag ? before.form.text1[box].text : kPlaceholder;
            const std::string_view expected = texts[j].value_or(kept);
            const std::string& shown = after.form.text1[box].text;
            if (factorMode(after) && box < 16)
                fuzz::requireComputed(expected, shown, '.');
            else
                fuzz::require(shown == expected, "a box shows its value as the file holds it");
        }
    }
    for (std::size_t k = 0; k < after.form.text3.size(); ++k)
        fuzz::requireComputed(before.form.text3[k].text, after.form.text3[k].text, ',');
}

// A list read from the profile's own record is noted as read, for the caption shown and its
// file, and its boxes as loaded with their texts; every other box has no known origin. In
// factor mode a recomputed vehicle factor counts as typed.
void requireOriginsNoted(const MainWindowModel& after, const fuzz::Fields& fields) {
    const GridOrigins& origins = after.origins;
    for (const ValueGroup& group : kLoadOrder) {
        const fuzz::ShownList expected = expectedList(after, group, fields);
        const auto noted = origins.lists.find(group.firstBox);
        fuzz::require((noted != origins.lists.end()) == expected.inOwnRecord,
                      "a load notes exactly the lists it read from the profile's own record");
        if (expected.inOwnRecord)
            fuzz::require(noted->second.list == expected.list &&
                              noted->second.caption ==
                                  after.form.label3[grid::titleOf(group.kind)].text &&
                              noted->second.fromImport == fromImport(after, group),
                          "a noted list is the list read, for the caption shown, from its file");
        const auto texts = fuzz::spreadOverBoxes(expected.list, group.count);
        for (int j = 0; j < group.count; ++j) {
            const int box = group.firstBox + j;
            const bool loaded = expected.inOwnRecord && texts[j];
            if (factorMode(after) && box < 16 && origins.boxes[box] == BoxOrigin::Typed)
                continue;
            fuzz::require(origins.boxes[box] == (loaded ? BoxOrigin::Loaded : BoxOrigin::Unknown),
                          "a box is loaded exactly when its text came from the own record");
            if (loaded)
                fuzz::require(origins.loadedTexts[box] == *texts[j],
                              "a loaded box keeps the text the load read");
        }
    }
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
    requireOriginsNoted(on.model, fields);

    const MainWindowModel once = on.model;
    LoadProfiles(on.editor);
    fuzz::require(on.model.form.text1 == once.form.text1 &&
                      on.model.form.text3 == once.form.text3 &&
                      on.model.origins.boxes == once.origins.boxes &&
                      on.model.origins.loadedTexts == once.origins.loadedTexts,
                  "a second load gives the same grid and origins");
    return 0;
}
