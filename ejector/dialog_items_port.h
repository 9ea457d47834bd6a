// The dialog calls the property-sheet pages need, modelled on their Win32 namesakes
// (CheckDlgButton, IsDlgButtonChecked, CheckRadioButton, EnableWindow on GetDlgItem, and the
// list-box messages sent with SendDlgItemMessageA): the same arguments and answers.
#pragma once

#include <cstdint>
#include <string>

namespace vandrel {

class DialogItemsPort {
  public:
    static constexpr std::uint32_t kUnchecked = 0;
    static constexpr std::uint32_t kChecked = 1;
    // LB_ERR.
    static constexpr int kListError = -1;

    virtual ~DialogItemsPort() = default;

    virtual bool checkDlgButton(int id, std::uint32_t check) = 0;
    virtual std::uint32_t isDlgButtonChecked(int id) = 0;
    // Checks `check` and clears every other button with an identifier from first to last.
    virtual bool checkRadioButton(int first, int last, int check) = 0;
    // EnableWindow(GetDlgItem(id)); false also when there is no such control.
    virtual bool enableDlgItem(int id, bool enable) = 0;

    // LB_ADDSTRING: the new item's index (sorted lists insert in order) or kListError.
    virtual int listAddString(int id, const std::string& text) = 0;
    // LB_SETSEL; index -1 means every item.
    virtual int listSetSel(int id, bool select, int index) = 0;
    // LB_GETCOUNT.
    virtual int listGetCount(int id) = 0;
    // LB_GETSEL: positive when selected, 0 when not, kListError for a bad index.
    virtual int listGetSel(int id, int index) = 0;
    // LB_GETTEXT: the text's length, or kListError.
    virtual int listGetText(int id, int index, std::string& text) = 0;
    // LB_DELETESTRING: the number of items left, or kListError.
    virtual int listDeleteString(int id, int index) = 0;
};

} // namespace vandrel
