#include "editor/form/main_form.h"

#include <stdexcept>

namespace marlwick {

namespace {

struct ArrayName {
    ControlArray array;
    std::string_view name;
    bool single; // named without an index
};

constexpr std::array<ArrayName, 16> kArrayNames{{
    {ControlArray::Label1, "Label1", false},
    {ControlArray::Label2, "Label2", false},
    {ControlArray::Label3, "Label3", false},
    {ControlArray::Label4, "Label4", false},
    {ControlArray::Label5, "Label5", false},
    {ControlArray::Label6, "Label6", true},
    {ControlArray::Label7, "Label7", false},
    {ControlArray::Text1, "Text1", false},
    {ControlArray::Text3, "Text3", false},
    {ControlArray::Command1, "Command1", false},
    {ControlArray::Command2, "Command2", false},
    {ControlArray::Command3, "Command3", false},
    {ControlArray::Command4, "Command4", false},
    {ControlArray::Command5, "Command5", true},
    {ControlArray::Command6, "Command6", true},
    {ControlArray::Command7, "Command7", true},
}};

template <std::size_t N> Control& element(std::array<Control, N>& controls, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= N)
        throw std::out_of_range("no control with this index");
    return controls[static_cast<std::size_t>(index)];
}

Control& single(Control& only, int index) {
    if (index != 0)
        throw std::out_of_range("no control with this index");
    return only;
}

} // namespace

std::string controlName(ControlId id) {
    const ArrayName& entry = kArrayNames[static_cast<std::size_t>(id.array)];
    std::string name(entry.name);
    if (!entry.single)
        name += "(" + std::to_string(id.index) + ")";
    return name;
}

Control& control(MainForm& form, ControlId id) {
    switch (id.array) {
    case ControlArray::Label1:
        return form.label1.at(id.index);
    case ControlArray::Label2:
        return element(form.label2, id.index);
    case ControlArray::Label3:
        return element(form.label3, id.index);
    case ControlArray::Label4:
        return element(form.label4, id.index);
    case ControlArray::Label5:
        return element(form.label5, id.index);
    case ControlArray::Label6:
        return single(form.label6, id.index);
    case ControlArray::Label7:
        return element(form.label7, id.index);
    case ControlArray::Text1:
        return element(form.text1, id.index);
    case ControlArray::Text3:
        return element(form.text3, id.index);
    case ControlArray::Command1:
        return element(form.command1, id.index);
    case ControlArray::Command2:
        return element(form.command2, id.index);
    case ControlArray::Command3:
        return element(form.command3, id.index);
    case ControlArray::Command4:
        return element(form.command4, id.index);
    case ControlArray::Command5:
        return single(form.command5, id.index);
    case ControlArray::Command6:
        return single(form.command6, id.index);
    case ControlArray::Command7:
        return single(form.command7, id.index);
    }
    throw std::out_of_range("no such control array");
}

const Control& control(const MainForm& form, ControlId id) {
    return control(const_cast<MainForm&>(form), id);
}

std::vector<ControlId> allControls() {
    std::vector<ControlId> ids(tabOrder().begin(), tabOrder().end());
    const MainForm laidOut = makeMainForm();
    for (const auto& [index, heading] : laidOut.label1)
        ids.push_back(heading.id);
    const auto add = [&](ControlArray array, int count) {
        for (int index = 0; index < count; ++index)
            ids.push_back({array, index});
    };
    add(ControlArray::Label2, static_cast<int>(laidOut.label2.size()));
    add(ControlArray::Label3, 2);
    add(ControlArray::Label4, 2);
    add(ControlArray::Label5, 2);
    add(ControlArray::Label6, 1);
    add(ControlArray::Label7, kRoutingSpeedBoxCount);
    return ids;
}

void enableBox(Control& box) {
    box.enabled = true;
    box.background = SystemColour::WindowBackground;
}

void disableBox(Control& box) {
    box.enabled = false;
    box.background = colours::kLightGrey;
}

} // namespace marlwick
