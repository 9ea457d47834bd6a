// The page rules' dialog calls on a real property page.
#pragma once

#include "ejector/dialog_items_port.h"

#include <windows.h>

namespace vandrel {

class Win32DialogItems : public DialogItemsPort {
  public:
    explicit Win32DialogItems(HWND page) : page_(page) {}

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
    LRESULT send(int id, UINT message, WPARAM wParam, LPARAM lParam);

    HWND page_;
};

} // namespace vandrel
