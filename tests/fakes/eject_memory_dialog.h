// An in-memory dialog page built from a page layout: buttons with their check states, the
// enabled state of every control, and sorted multiple-selection list boxes. The user's side
// (clicking a button, selecting an item) follows the platform's automatic check boxes and
// radio groups.
#pragma once

#include "ejector/dialog_items_port.h"
#include "tests/fakes/eject_page_layout.h"

#include <map>
#include <string>
#include <vector>

namespace vandrel {

class EjectMemoryDialog : public DialogItemsPort {
  public:
    struct ListItem {
        std::string text;
        bool selected = false;
    };

    explicit EjectMemoryDialog(const PageLayout& layout);

    // What the user sees.
    bool exists(int id) const { return controls_.count(id) != 0; }
    bool isEnabled(int id) const;
    bool isChecked(int id) const;
    std::vector<ListItem> listItems(int id) const;
    // The texts of the selected items, joined.
    std::string selectedItems(int id) const;

    // What the user does: a click on an automatic check box or radio button (as the platform
    // handles it, before the page hears of it), or a click on a list item.
    void click(int id);
    void toggleItem(int id, const std::string& text);

    bool checkDlgButton(int id, std::uint32_t check) override;
    std::uint32_t isDlgButtonChecked(int id) override;
    bool checkRadioButton(int first, int last, int check) override;
    bool enableDlgItem(int id, bool enable) override;
    int listAddString(int id, const std::string& text) override;
    int listSetSel(int id, bool select, int index) override;
    int listGetCount(int id) override;
    int listGetSel(int id, int index) override;
    int listGetText(int id, int index, std::string& text) override;
    int listDeleteString(int id, int index) override;

  private:
    struct Control {
        ControlKind kind = ControlKind::Text;
        bool startsGroup = false;
        std::uint32_t check = kUnchecked;
        bool enabled = true;
        std::vector<ListItem> items;
    };

    Control* find(int id);
    Control* findList(int id);
    bool isButton(const Control& control) const;
    void checkWithinGroup(int id);

    std::map<int, Control> controls_;
    std::vector<int> order_; // identifiers in the layout's order, for radio groups
};

} // namespace vandrel
