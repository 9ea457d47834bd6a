// LoadProfiles on arbitrary files, captions and stored profile names. Fields: target text,
// import text, options (import flag, next view mode, which blocks are enabled), the captions
// of Label3(0) and Label3(1), the stored "fahrzeug" and "route", the routing speeds shown
// (joined by "|"). The load reads and never writes and tells nothing; where a file is plain it
// shows and notes what it would if the file held the profiles' own records alone; it computes
// only plain numbers and gives the same grid a second time.
#include "editor/document/grid_map.h"
#include "editor/form/value_grid.h"
#include "editor/operations/profile_loading.h"
#include "editor/system/stored_settings.h"
#include "fuzz/editor_machine.h"
#include "fuzz/fuzz_support.h"
#include "fuzz/own_records.h"

#include <array>
#include <optional>
#include <string>
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

// In import mode a block that is enabled shows the import file.
bool fromImport(const MainWindowModel& model, const ValueGroup& group) {
    return model.state.importFlag && model.form.text1[group.firstBox].enabled;
}

// The own records of the two profiles alone, an empty text for a missing one; nothing where
// the text is not plain.
std::optional<std::string> ownRecordsAlone(std::string_view text,
                                           const std::array<std::string, 2>& names) {
    std::string records;
    for (const std::string& name : names) {
        const fuzz::Reading reading = fuzz::readOwnRecord(text, name);
        if (!reading.plain)
            return std::nullopt;
        if (reading.record)
            records += text.substr(reading.record->from, reading.record->to - reading.record->from);
    }
    return records;
}

// Where a file is plain, the load shows and notes exactly what it shows and notes when the
// file holds the profiles' own records alone, so a missing record shows as a missing profile.
// In factor mode the vehicle factors may instead hold recomputed numbers.
void requireOwnRecordsShown(const MainWindowModel& before, const MainWindowModel& after,
                            const fuzz::Fields& fields) {
    const std::array<std::string, 2> names{profileName(after, ProfileKind::Vehicle, fields[5]),
                                           profileName(after, ProfileKind::Route, fields[6])};
    const auto target = ownRecordsAlone(fields[0], names);
    const auto imported = ownRecordsAlone(fields[1], names);
    MainWindowModel alone = before;
    alone.origins = {};
    ClearValueBoxes(alone);
    ShowProfileLists(alone, target.value_or(""), imported.value_or(""), names[0], names[1]);
    for (const ValueGroup& group : kLoadOrder) {
        if (!(fromImport(after, group) ? imported : target))
            continue;
        const auto list = [&](const MainWindowModel& model) -> const LoadedList* {
            const auto noted = model.origins.lists.find(group.firstBox);
            return noted == model.origins.lists.end() ? nullptr : &noted->second;
        };
        fuzz::require(!list(after) == !list(alone) &&
                          (!list(after) || (list(after)->list == list(alone)->list &&
                                            list(after)->caption == list(alone)->caption &&
                                            list(after)->fromImport == list(alone)->fromImport)),
                      "a load notes the list its profile's own record holds, for its caption");
        for (int box = group.firstBox; box < group.firstBox + group.count; ++box) {
            if (after.state.nextViewMode == view_mode::kNextWhileSpeedModeShown &&
                grid::kVehicleFactors.contains(box))
                continue;
            fuzz::require(after.form.text1[box].text == alone.form.text1[box].text &&
                              after.origins.boxes[box] == alone.origins.boxes[box],
                          "a box shows and notes what its profile's own record gives it");
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
    requireOwnRecordsShown(before, on.model, fields);
    for (std::size_t k = 0; k < on.model.form.text3.size(); ++k)
        fuzz::requireComputed(before.form.text3[k].text, on.model.form.text3[k].text, ',');

    const MainWindowModel once = on.model;
    LoadProfiles(on.editor);
    fuzz::require(on.model.form.text1 == once.form.text1 &&
                      on.model.form.text3 == once.form.text3 &&
                      on.model.origins.boxes == once.origins.boxes,
                  "a second load gives the same grid and origins");
    return 0;
}
