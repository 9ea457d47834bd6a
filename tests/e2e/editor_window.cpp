#include "tests/e2e/editor_window.h"

#include "tests/e2e/user.h"

#include <array>

namespace e2e {

namespace {

constexpr int kPixelsPerInch = 96; // a new prefix's screen
constexpr std::array<int, 8> kColumnLeft{1920, 3060, 4200, 5340, 6480, 7620, 8760, 9900};

int pixels(int twips) {
    return (twips * kPixelsPerInch + 720) / 1440;
}

// The rows of value boxes: where each row stands and which boxes it holds.
struct BoxRow {
    int top;
    int firstBox;
    int count;
};
constexpr std::array<BoxRow, 8> kValueRows{{
    {330, 0, 8},   // Präferenz City (vehicle)
    {660, 20, 8},  // Geschw. City
    {1290, 8, 8},  // Preverenz Außerorts
    {1620, 28, 8}, // Geschw. Außerorts
    {1950, 16, 4}, // Specials
    {3060, 36, 8}, // Präferenz City (route)
    {3390, 44, 8}, // Päferenz Außerorts
    {3720, 52, 4}, // Specials
}};
constexpr int kRouteValueColumn = 5;
constexpr std::array<int, 2> kSpeedRowTops{4830, 5160};

DWORD threadOf(HWND window) {
    return GetWindowThreadProcessId(window, nullptr);
}

HWND focusOf(HWND window) {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(threadOf(window), &info);
    return info.hwndFocus;
}

bool selectsWholeText(HWND box) {
    const auto selection = static_cast<DWORD>(SendMessageA(box, EM_GETSEL, 0, 0));
    return LOWORD(selection) == 0 && std::size_t{HIWORD(selection)} == textOf(box).size();
}

} // namespace

const char* const EditorWindow::kModeCaptions[4] = {
    "In dieser Einstellung können Anpassungen für das Fahrzeug vorgenommen werden",
    "In dieser Einstellung können die Geschwindikeiten für die Zeitberechnung angepasst "
    "werden. Routing ist fix!",
    "Import    Unerwünschtes ein/ausblenden durch Klick auf die Bezeichnungen (Fahrzeug bzw. "
    "Route)",
    "In dieser Einstellung können Anpassungen für die Route vorgenommen werden",
};

EditorWindow EditorWindow::find(const Program& program) {
    return EditorWindow(waitForWindow(program.processId(), nullptr, kTitle));
}

HWND EditorWindow::at(const char* className, int leftTwips, int topTwips) const {
    return childAt(window_, className, {pixels(leftTwips), pixels(topTwips)});
}

HWND EditorWindow::valueBox(int index) const {
    if (index == 56)
        return at("Edit", kColumnLeft[kRouteValueColumn], 3720);
    for (const BoxRow& row : kValueRows)
        if (index >= row.firstBox && index < row.firstBox + row.count)
            return at("Edit", kColumnLeft[static_cast<std::size_t>(index - row.firstBox)], row.top);
    return nullptr;
}

HWND EditorWindow::speedBox(int index) const {
    return at("Edit", kColumnLeft[static_cast<std::size_t>(index % 8)],
              kSpeedRowTops[static_cast<std::size_t>(index / 8)]);
}

HWND EditorWindow::speedLabel(int index) const {
    return at("Static", kColumnLeft[static_cast<std::size_t>(index % 8)],
              kSpeedRowTops[static_cast<std::size_t>(index / 8)]);
}

HWND EditorWindow::vehicleTitle() const {
    return at("Static", 60, 60);
}

HWND EditorWindow::routeTitle() const {
    return at("Static", 60, 2760);
}

HWND EditorWindow::targetCaption() const {
    return at("Static", 1950, 5670);
}

HWND EditorWindow::importCaption() const {
    return at("Static", 1920, 6330);
}

HWND EditorWindow::button(const std::string& caption) const {
    return childWithText(window_, "Button", caption);
}

HWND EditorWindow::modeBar() const {
    return at("Button", 60, 5970);
}

HWND EditorWindow::levelButton() const {
    return at("Button", 9960, 5970);
}

std::string EditorWindow::valueList(int first, int count) const {
    std::string list;
    for (int box = first; box < first + count; ++box)
        list += (box == first ? "" : "|") + textOf(valueBox(box));
    return list;
}

bool EditorWindow::showsListSoon(int first, int count, const std::string& list) const {
    return waitUntil([&] { return valueList(first, count) == list; });
}

bool EditorWindow::enterBox(HWND box) const {
    click(box);
    return waitUntil([&] { return focusOf(window_) == box && selectsWholeText(box); });
}

void EditorWindow::editBox(HWND box, const std::string& typed) const {
    enterBox(box);
    type(box, typed);
    waitUntil([&] { return textOf(box) == typed; });
    pressKey(box, VK_TAB);
    waitUntil([&] { return focusOf(window_) != box; });
}

} // namespace e2e
