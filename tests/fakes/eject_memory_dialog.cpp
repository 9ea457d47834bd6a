#include "tests/fakes/eject_memory_dialog.h"

#include <algorithm>
#include <cctype>

namespace vandrel {
namespace {

// Sorted list boxes compare without regard to case.
bool SortsBefore(const std::string& a, const std::string& b) {
    return std::ranges::lexicographical_compare(a, b, [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) <
               std::tolower(static_cast<unsigned char>(y));
    });
}

} // namespace

EjectMemoryDialog::EjectMemoryDialog(const PageLayout& layout) {
    for (const auto& control : layout.controls) {
        if (control.id < 0)
            continue;
        Control entry;
        entry.kind = control.kind;
        entry.startsGroup = control.startsGroup;
        controls_[control.id] = entry;
        order_.push_back(control.id);
    }
}

EjectMemoryDialog::Control* EjectMemoryDialog::find(int id) {
    const auto found = controls_.find(id);
    return found == controls_.end() ? nullptr : &found->second;
}

EjectMemoryDialog::Control* EjectMemoryDialog::findList(int id) {
    Control* control = find(id);
    return control && control->kind == ControlKind::List ? control : nullptr;
}

bool EjectMemoryDialog::isButton(const Control& control) const {
    return control.kind == ControlKind::CheckBox || control.kind == ControlKind::Radio ||
           control.kind == ControlKind::PushButton || control.kind == ControlKind::OwnerDrawButton;
}

bool EjectMemoryDialog::isEnabled(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() && found->second.enabled;
}

bool EjectMemoryDialog::isChecked(int id) const {
    const auto found = controls_.find(id);
    return found != controls_.end() && found->second.check == kChecked;
}

std::vector<EjectMemoryDialog::ListItem> EjectMemoryDialog::listItems(int id) const {
    const auto found = controls_.find(id);
    return found == controls_.end() ? std::vector<ListItem>{} : found->second.items;
}

std::string EjectMemoryDialog::selectedItems(int id) const {
    std::string texts;
    for (const auto& item : listItems(id))
        if (item.selected)
            texts += item.text;
    return texts;
}

void EjectMemoryDialog::checkWithinGroup(int id) {
    auto position = std::ranges::find(order_, id);
    auto first = position;
    while (first != order_.begin() && !controls_[*first].startsGroup)
        --first;
    auto last = std::next(position);
    while (last != order_.end() && !controls_[*last].startsGroup)
        ++last;
    for (auto it = first; it != last; ++it) {
        Control& control = controls_[*it];
        if (control.kind == ControlKind::Radio)
            control.check = *it == id ? kChecked : kUnchecked;
    }
}

void EjectMemoryDialog::click(int id) {
    Control* control = find(id);
    if (!control || !control->enabled)
        return;
    if (control->kind == ControlKind::CheckBox)
        control->check = control->check == kChecked ? kUnchecked : kChecked;
    else if (control->kind == ControlKind::Radio)
        checkWithinGroup(id);
}

void EjectMemoryDialog::toggleItem(int id, const std::string& text) {
    Control* list = findList(id);
    if (!list || !list->enabled)
        return;
    for (auto& item : list->items)
        if (item.text == text)
            item.selected = !item.selected;
}

bool EjectMemoryDialog::checkDlgButton(int id, std::uint32_t check) {
    Control* control = find(id);
    if (!control)
        return false;
    if (isButton(*control))
        control->check = check;
    return true;
}

std::uint32_t EjectMemoryDialog::isDlgButtonChecked(int id) {
    Control* control = find(id);
    return control && isButton(*control) ? control->check : kUnchecked;
}

bool EjectMemoryDialog::checkRadioButton(int first, int last, int check) {
    for (auto& [id, control] : controls_) {
        if (id >= first && id <= last && isButton(control))
            control.check = id == check ? kChecked : kUnchecked;
    }
    return true;
}

bool EjectMemoryDialog::enableDlgItem(int id, bool enable) {
    Control* control = find(id);
    if (!control)
        return false;
    control->enabled = enable;
    return true;
}

int EjectMemoryDialog::listAddString(int id, const std::string& text) {
    Control* list = findList(id);
    if (!list)
        return kListError;
    const auto position = std::ranges::upper_bound(list->items, text, SortsBefore,
                                                   [](const ListItem& item) { return item.text; });
    const auto inserted = list->items.insert(position, ListItem{text, false});
    return static_cast<int>(inserted - list->items.begin());
}

int EjectMemoryDialog::listSetSel(int id, bool select, int index) {
    Control* list = findList(id);
    if (!list)
        return kListError;
    if (index == -1) {
        for (auto& item : list->items)
            item.selected = select;
        return 0;
    }
    if (index < 0 || index >= static_cast<int>(list->items.size()))
        return kListError;
    list->items[static_cast<std::size_t>(index)].selected = select;
    return 0;
}

int EjectMemoryDialog::listGetCount(int id) {
    Control* list = findList(id);
    return list ? static_cast<int>(list->items.size()) : kListError;
}

int EjectMemoryDialog::listGetSel(int id, int index) {
    Control* list = findList(id);
    if (!list || index < 0 || index >= static_cast<int>(list->items.size()))
        return kListError;
    return list->items[static_cast<std::size_t>(index)].selected ? 1 : 0;
}

int EjectMemoryDialog::listGetText(int id, int index, std::string& text) {
    Control* list = findList(id);
    if (!list || index < 0 || index >= static_cast<int>(list->items.size()))
        return kListError;
    text = list->items[static_cast<std::size_t>(index)].text;
    return static_cast<int>(text.size());
}

int EjectMemoryDialog::listDeleteString(int id, int index) {
    Control* list = findList(id);
    if (!list || index < 0 || index >= static_cast<int>(list->items.size()))
        return kListError;
    list->items.erase(list->items.begin() + index);
    return static_cast<int>(list->items.size());
}

} // namespace vandrel
