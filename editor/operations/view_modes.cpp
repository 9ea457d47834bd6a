#include "editor/operations/view_modes.h"

#include "editor/document/grid_map.h"
#include "editor/operations/profile_loading.h"
#include "editor/system/stored_settings.h"
#include "editor/system/stored_values.h"

namespace marlwick {
namespace {

constexpr Rgb kImportModeColour{128, 128, 255};
constexpr BoxRange kAllBoxes{grid::kVehicleBlock.first, grid::kRouteBlock.last};

void setBoxes(MainForm& form, BoxRange boxes, void (*change)(Control&)) {
    for (int i = boxes.first; i <= boxes.last; ++i)
        change(form.text1[static_cast<std::size_t>(i)]);
}

void setRoutingSpeedBoxes(MainForm& form, void (*change)(Control&)) {
    for (Control& box : form.text3)
        change(box);
}

void setModeBar(MainForm& form, Rgb colour, std::string_view caption) {
    form.command4[0].background = colour;
    form.command4[0].text = std::string(caption);
}

void storeImportFlag(EditorContext& editor, bool flag) {
    editor.model.state.importFlag = flag;
    storeTruth(editor.registry, stored::kImport, flag);
}

// Before any mode: routing-speed boxes shown, speed labels hidden, import row hidden.
void resetCommonLook(EditorContext& editor) {
    MainForm& form = editor.model.form;
    storeImportFlag(editor, false);
    for (int i = 0; i < kRoutingSpeedBoxCount; ++i) {
        form.text3[i].visible = true;
        form.label7[i].visible = false;
        form.label7[i].background = colours::kLightGrey;
    }
    form.label4[1].visible = false;
    form.command3[1].visible = false;
    form.command7.visible = false;
    form.window.outerHeight = layout::kOuterHeight;
}

void applyVehicleMode(EditorContext& editor) {
    MainForm& form = editor.model.form;
    setModeBar(form, colours::kRed, kVehicleModeCaption);
    setBoxes(form, grid::kRouteBlock, disableBox);
    setBoxes(form, grid::kVehicleBlock, enableBox);
    setRoutingSpeedBoxes(form, enableBox);
    LoadProfiles(editor);
}

void applySpeedMode(EditorContext& editor) {
    MainForm& form = editor.model.form;
    setModeBar(form, colours::kGreen, kSpeedModeCaption);
    setBoxes(form, kAllBoxes, disableBox);
    setBoxes(form, grid::kSpeeds, enableBox);
    for (int i = 0; i < kRoutingSpeedBoxCount; ++i) {
        form.text3[i].enabled = false;
        form.text3[i].visible = false;
        Control& label = form.label7[i];
        label.visible = true;
        label.text = "*" + form.text3[i].text + "*";
        label.bold = true;
        label.alignment = Alignment::Right;
    }
}

void applyImportMode(EditorContext& editor) {
    MainForm& form = editor.model.form;
    storeImportFlag(editor, true);
    form.label4[1].visible = true;
    form.command3[1].visible = true;
    form.command7.visible = true;
    form.window.outerHeight = layout::kOuterHeightImport;
    setModeBar(form, kImportModeColour, kImportModeCaption);
    setBoxes(form, kAllBoxes, disableBox);
    setRoutingSpeedBoxes(form, disableBox);
}

void applyRouteMode(EditorContext& editor) {
    MainForm& form = editor.model.form;
    setModeBar(form, colours::kYellow, kRouteModeCaption);
    setBoxes(form, kAllBoxes, disableBox);
    setBoxes(form, grid::kRouteBlock, enableBox);
    setRoutingSpeedBoxes(form, enableBox);
}

// Enables the block when its first box is disabled, else disables it.
void toggleBlock(MainForm& form, BoxRange block) {
    const bool enable = !form.text1[static_cast<std::size_t>(block.first)].enabled;
    setBoxes(form, block, enable ? enableBox : disableBox);
}

} // namespace

void AdvanceViewMode(EditorContext& editor) {
    WindowState& state = editor.model.state;
    resetCommonLook(editor);
    if (state.nextViewMode == view_mode::kSpeed && state.userLevel == user_level::kBasic)
        state.nextViewMode = view_mode::kRoute;
    // The next mode is set and stored before this one applies: the vehicle mode's load may
    // start the file choice, which replays the stored modes itself, and what that replay
    // leaves must stand.
    const std::int16_t applying = state.nextViewMode;
    const std::int16_t next = applying + 1 == view_mode::kPastLast
                                  ? view_mode::kVehicle
                                  : static_cast<std::int16_t>(applying + 1);
    storeNumber(editor.registry, stored::kKlick, next);
    state.nextViewMode = next;
    switch (applying) {
    case view_mode::kVehicle:
        applyVehicleMode(editor);
        break;
    case view_mode::kSpeed:
        applySpeedMode(editor);
        break;
    case view_mode::kImport:
        applyImportMode(editor);
        break;
    case view_mode::kRoute:
        applyRouteMode(editor);
        break;
    default:
        break;
    }
}

void replayViewModes(EditorContext& editor, int count) {
    for (int i = 0; i < count; ++i)
        AdvanceViewMode(editor);
}

void ReplayStoredViewModes(EditorContext& editor) {
    editor.model.state.nextViewMode = view_mode::kVehicle;
    replayViewModes(editor, storedReplayCount(editor));
}

int storedReplayCount(EditorContext& editor) {
    // An empty or hand-edited "klick" restores no view, and never replays more than a cycle.
    const auto klick = readStoredNumber(editor.registry, stored::kKlick);
    if (!klick || *klick < view_mode::kVehicle || *klick > view_mode::kRoute)
        return 0;
    return *klick - 1;
}

std::int16_t storedUserLevel(EditorContext& editor) {
    return readStoredNumber(editor.registry, stored::kUser) == user_level::kExtended
               ? user_level::kExtended
               : user_level::kBasic;
}

void TitleLabelClick(EditorContext& editor, int index) {
    if (editor.model.state.importFlag) {
        if (index == 0)
            toggleBlock(editor.model.form, grid::kVehicleBlock);
        else if (index == 1)
            toggleBlock(editor.model.form, grid::kRouteBlock);
    }
    LoadProfiles(editor);
}

void LevelButtonClick(EditorContext& editor) {
    WindowState& state = editor.model.state;
    Control& button = editor.model.form.command6;
    state.userLevel = static_cast<std::int16_t>(state.userLevel + 1);
    button.bold = false;
    if (state.userLevel == user_level::kExtended + 1)
        state.userLevel = user_level::kBasic;
    if (state.userLevel == user_level::kBasic) {
        button.text = std::string(kBasicCaption);
        state.nextViewMode = view_mode::kVehicle;
    } else if (state.userLevel == user_level::kExtended) {
        button.text = std::string(kExtendedCaption);
        button.bold = true;
    }
    storeNumber(editor.registry, stored::kUser, state.userLevel);
}

} // namespace marlwick
