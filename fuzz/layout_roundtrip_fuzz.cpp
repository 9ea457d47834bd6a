// Files that follow the layout rules, with lists of the expected length: the example file
// with its values and the blanks between its tags and before the ">" of its records' end tags
// replaced from the input. Fields: options (vehicle, route, next view mode outside speed mode,
// the box to edit), the values joined by "|", fillers for the gaps joined by "|", the text
// typed into the edited box.
// The load shows every value as it stands; writing unchanged boxes gives unchanged bytes;
// a box typed into changes exactly its value in the file when it holds a number, and a write
// that would take no number is refused and told; importing the file's own routing section
// changes nothing.
#include "editor/document/grid_map.h"
#include "editor/form/number_rules.h"
#include "editor/form/value_grid.h"
#include "editor/operations/main_window_events.h"
#include "editor/operations/profile_loading.h"
#include "editor/operations/profile_writes.h"
#include "editor/operations/routing_import.h"
#include "fuzz/editor_machine.h"
#include "fuzz/fuzz_support.h"
#include "tests/fakes/sample_settings.h"

#include <algorithm>
#include <iterator>
#include <map>
#include <vector>

namespace {

using namespace marlwick;

// A piece of the file: text that stays, a gap between tags, or a value list.
struct Piece {
    std::string text;                // fixed text or gap
    std::vector<std::string> values; // a list's values; empty for text
    bool isList = false;
    bool isGap = false;
    std::string profile;     // the profile a list belongs to
    int firstBox = -1;       // the box that shows its first value; -1 when none does
    bool blanksOnly = false; // a gap inside a record's end tag, before its ">"
};

constexpr std::array<std::string_view, 4> kListTags{"<City>", "<Open>", "<Special>", "<Value>"};
constexpr std::string_view kRecordEndOpen = "</SpeedProfile";

int firstBoxOf(std::string_view tag, bool inFactors, bool isVehicle) {
    if (isVehicle) {
        if (tag == "<City>")
            return inFactors ? 0 : 20;
        if (tag == "<Open>")
            return inFactors ? 8 : 28;
        return tag == "<Special>" && !inFactors ? 16 : -1;
    }
    if (!inFactors)
        return -1;
    if (tag == "<City>")
        return 36;
    if (tag == "<Open>")
        return 44;
    return tag == "<Special>" ? 52 : 56;
}

bool isVehicleName(std::string_view name) {
    for (const Profile& profile : kProfiles)
        if (profile.name == name)
            return profile.kind == ProfileKind::Vehicle;
    return false;
}

bool isBlank(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

// The example cut into pieces, each list with its profile and first box.
std::vector<Piece> cutExample() {
    const std::string text = fakes::sampleSettingsText();
    std::vector<Piece> pieces(1);
    std::string profile;
    bool inFactors = false;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::string_view rest = std::string_view(text).substr(at);
        if (rest.starts_with("<Name>"))
            profile = text.substr(at + 6, text.find("</Name>", at) - at - 6);
        if (rest.starts_with("<PreferenceFactor>"))
            inFactors = true;
        if (rest.starts_with("</PreferenceFactor>"))
            inFactors = false;
        const auto tag =
            std::ranges::find_if(kListTags, [&](auto t) { return rest.starts_with(t); });
        if (tag != kListTags.end()) {
            const std::string end = "</" + std::string(tag->substr(1));
            const std::size_t from = at + tag->size();
            const std::size_t to = text.find(end, from);
            const auto values = fuzz::splitAtBars(std::string_view(text).substr(from, to - from));
            pieces.back().text += *tag;
            pieces.push_back({{},
                              {values.begin(), values.end()},
                              true,
                              false,
                              profile,
                              firstBoxOf(*tag, inFactors, isVehicleName(profile))});
            pieces.push_back({});
            at = to;
        } else if (rest.starts_with(std::string(kRecordEndOpen) + ">")) {
            pieces.back().text += kRecordEndOpen;
            pieces.push_back({{}, {}, false, true, {}, -1, true});
            pieces.push_back({});
            at += kRecordEndOpen.size();
        } else if (at > 0 && text[at - 1] == '>' && isBlank(text[at])) {
            std::size_t end = at;
            while (end < text.size() && isBlank(text[end]))
                ++end;
            pieces.push_back({text.substr(at, end - at), {}, false, true, {}, -1});
            pieces.push_back({});
            at = end;
        } else {
            pieces.back().text += text[at++];
        }
    }
    return pieces;
}

// No uppercase letter and no "<": such text can hold no tag and no profile name.
std::string harmless(std::string_view text, char bar) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
        else if (c == '<')
            c = '[';
        else if (c == '|')
            c = bar;
    }
    return result;
}

std::string blanksOf(std::string_view text) {
    std::string blanks;
    std::ranges::copy_if(text, std::back_inserter(blanks), isBlank);
    return blanks;
}

std::vector<Piece> generated(const fuzz::Fields& fields) {
    static const std::vector<Piece> example = cutExample();
    std::vector<Piece> pieces = example;
    const auto values = fuzz::splitAtBars(fields[1]);
    const auto fillers = fuzz::splitAtBars(fields[2]);
    std::size_t nextValue = 0, nextFiller = 0;
    for (Piece& piece : pieces) {
        for (std::string& value : piece.values)
            if (nextValue < values.size())
                value = harmless(values[nextValue++], '/');
        if (piece.isGap && nextFiller < fillers.size())
            piece.text += piece.blanksOnly ? blanksOf(fillers[nextFiller++])
                                           : harmless(fillers[nextFiller++], '|');
    }
    return pieces;
}

std::string joined(const std::vector<Piece>& pieces) {
    std::string text;
    text.reserve(8192);
    for (const Piece& piece : pieces) {
        text.append(piece.text);
        for (const std::string& value : piece.values) {
            if (&value != &piece.values.front())
                text.push_back('|');
            text.append(value);
        }
    }
    return text;
}

// Box index to the value it shows, for the current vehicle and route.
std::map<int, std::string*> shownValues(std::vector<Piece>& pieces, std::string_view vehicle,
                                        std::string_view route) {
    std::map<int, std::string*> shown;
    for (Piece& piece : pieces) {
        if (piece.firstBox < 0 || (piece.profile != vehicle && piece.profile != route))
            continue;
        for (std::size_t j = 0; j < piece.values.size(); ++j)
            shown[piece.firstBox + static_cast<int>(j)] = &piece.values[j];
    }
    return shown;
}

void writeWithYes(fuzz::EditorOnMachine& on, bool vehicle) {
    on.machine.host.answer({EditorHost::kIdYes});
    vehicle ? WriteVehicleValues(on.editor) : WriteRouteValues(on.editor);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    std::vector<Piece> pieces = generated(fields);
    const std::string text = joined(pieces);
    const Profile& vehicle = kProfiles[fields.option(0, 0) % 5];
    const Profile& route = kProfiles[5 + fields.option(0, 1) % 4];
    const auto shown = shownValues(pieces, vehicle.name, route.name);
    fuzz::require(shown.size() == kValueBoxCount, "the example shows a value in every box");

    fuzz::EditorOnMachine on{text, text};
    on.model.form.label3[0].text = std::string(vehicle.caption);
    on.model.form.label3[1].text = std::string(route.caption);
    on.model.state.nextViewMode = std::array<std::int16_t, 3>{1, 2, 4}[fields.option(0, 2) % 3];

    LoadProfiles(on.editor);
    for (const auto& [box, value] : shown)
        fuzz::require(on.model.form.text1[box].text == *value, "the load shows each value");

    writeWithYes(on, true);
    fuzz::requireTargetHolds(on, text);
    writeWithYes(on, false);
    fuzz::requireTargetHolds(on, text);
    fuzz::require(on.machine.host.boxes().size() == 2, "both writes asked and told nothing");

    const std::uint64_t modifications = on.machine.files.modificationsOf(fuzz::kTargetPath);
    fuzz::require(ImportRouting(on.editor), "the own routing section imports");
    fuzz::requireTargetHolds(on, text);
    fuzz::require(on.machine.files.modificationsOf(fuzz::kTargetPath) == modifications,
                  "importing the same section writes nothing");

    const int box = fields.option(0, 3) % kValueBoxCount;
    onTextTyped(on.model, {ControlArray::Text1, box}, harmless(fields[3], '/'));
    leaveValueBox(on.model, box);
    const std::string typed = on.model.form.text1[box].text;
    // Its list takes the typed number and the loaded texts of its other boxes.
    const bool accepted = readBoxNumber(typed).has_value();
    if (accepted)
        *shown.at(box) = typed;
    writeWithYes(on, box < 36);
    fuzz::requireTargetHolds(on, joined(pieces));
    fuzz::require(accepted || on.machine.host.boxes().back().type == EditorHost::kMbOk,
                  "a refused write tells why");
    fuzz::requireNothingLeftOpen(on);
    return 0;
}
