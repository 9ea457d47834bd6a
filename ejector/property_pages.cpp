#include "ejector/property_pages.h"

#include "ejector/resource.h"

namespace vandrel {
namespace {

using Items = DialogItemsPort;

std::uint32_t CheckState(bool ticked) {
    return ticked ? Items::kChecked : Items::kUnchecked;
}

bool IsChecked(Items& items, int id) {
    return items.isDlgButtonChecked(id) == Items::kChecked;
}

DriveMask& PageDrives(DrivePage page, EjectSettings& settings) {
    return page == DrivePage::Shutdown ? settings.ShutdownDrives : settings.IconClickDrives;
}

DriveMask PageDrives(DrivePage page, const EjectSettings& settings) {
    return page == DrivePage::Shutdown ? settings.ShutdownDrives : settings.IconClickDrives;
}

bool PageEnabled(DrivePage page, const EjectSettings& settings) {
    return page == DrivePage::Shutdown ? settings.EjectOnShutdown != 0
                                       : settings.EjectOnClick != eject_on_click::kNone;
}

DriveMask LetterBit(int bit) {
    return DriveMask{1} << bit;
}

constexpr DriveMask kEveryLetter = (DriveMask{1} << kDriveCount) - 1;

bool HasDrive(DriveMask mask, int bit) {
    return (mask & LetterBit(bit)) != 0;
}

void FillDriveList(Items& items, DriveMask pageDrives, DriveMask removableDrives) {
    for (int bit = 0; bit < kDriveCount; ++bit) {
        if (!HasDrive(removableDrives, bit))
            continue;
        const int index = items.listAddString(IDC_DRIVE_LIST, DriveRoot(bit + 1));
        if (index != Items::kListError && pageDrives != kAllDrives && HasDrive(pageDrives, bit))
            items.listSetSel(IDC_DRIVE_LIST, true, index);
    }
}

void EnableDriveList(Items& items) {
    items.enableDlgItem(IDC_DRIVE_LIST, IsChecked(items, IDC_SELECTED_DRIVES));
}

void EnableByEnableBox(Items& items, DrivePage page) {
    const bool enabled = IsChecked(items, IDC_ENABLE);
    items.enableDlgItem(IDC_ALL_DRIVES, enabled);
    items.enableDlgItem(IDC_SELECTED_DRIVES, enabled);
    if (page == DrivePage::IconClick) {
        items.enableDlgItem(IDC_SINGLE_CLICK, enabled);
        items.enableDlgItem(IDC_DOUBLE_CLICK, enabled);
    }
    if (enabled)
        EnableDriveList(items);
    else
        items.enableDlgItem(IDC_DRIVE_LIST, false);
}

// The drive letter an item's text begins with, as a bit number; -1 when it is no letter.
int DriveBitOfItem(const std::string& text) {
    if (text.empty())
        return -1;
    const char first = text.front();
    if (first >= 'A' && first <= 'Z')
        return first - 'A';
    if (first >= 'a' && first <= 'z')
        return first - 'a';
    return -1;
}

// The selected items' letters, and the choice kept for the letters the list does not show;
// the all-drives choice holds no letters to keep.
DriveMask ReadBackDriveList(Items& items, DriveMask previous) {
    DriveMask listed = 0;
    DriveMask selected = 0;
    while (items.listGetCount(IDC_DRIVE_LIST) > 0) {
        std::string text;
        const bool isSelected = items.listGetSel(IDC_DRIVE_LIST, 0) > 0;
        const bool read = items.listGetText(IDC_DRIVE_LIST, 0, text) != Items::kListError;
        const int bit = DriveBitOfItem(text);
        if (read && bit >= 0) {
            listed |= LetterBit(bit);
            if (isSelected)
                selected |= LetterBit(bit);
        }
        if (items.listDeleteString(IDC_DRIVE_LIST, 0) == Items::kListError)
            break; // a list that will not shrink must not hold up the sheet
    }
    const DriveMask kept = previous == kAllDrives ? 0 : previous & kEveryLetter & ~listed;
    return kept | selected;
}

} // namespace

void InitGeneralPage(Items& items, const EjectSettings& settings) {
    items.checkDlgButton(IDC_SHOW_ICON, CheckState(settings.ShowIcon != 0));
    items.checkDlgButton(IDC_CHECK_MEDIA, CheckState(settings.CheckForMedia != 0));
}

void ApplyGeneralPage(Items& items, EjectSettings& settings) {
    settings.ShowIcon = IsChecked(items, IDC_SHOW_ICON) ? 1 : 0;
    settings.CheckForMedia = IsChecked(items, IDC_CHECK_MEDIA) ? 1 : 0;
}

void InitStartWithWindowsBox(Items& items, const RunEntry& run) {
    items.checkDlgButton(IDC_START_WITH_WINDOWS, CheckState(StartsWithWindows(run)));
}

void ApplyStartWithWindowsBox(Items& items, const RunEntry& run) {
    SetStartWithWindows(run, IsChecked(items, IDC_START_WITH_WINDOWS));
}

void InitDrivePage(Items& items, DrivePage page, const EjectSettings& settings,
                   DriveMask removableDrives) {
    const DriveMask pageDrives = PageDrives(page, settings);
    FillDriveList(items, pageDrives, removableDrives);
    items.checkDlgButton(IDC_ENABLE, CheckState(PageEnabled(page, settings)));
    items.checkRadioButton(IDC_ALL_DRIVES, IDC_SELECTED_DRIVES,
                           pageDrives != kAllDrives ? IDC_SELECTED_DRIVES : IDC_ALL_DRIVES);
    if (page == DrivePage::IconClick) {
        // With clicking switched off the double click is the one pre-chosen.
        items.checkRadioButton(IDC_SINGLE_CLICK, IDC_DOUBLE_CLICK,
                               settings.EjectOnClick == eject_on_click::kSingleClick
                                   ? IDC_SINGLE_CLICK
                                   : IDC_DOUBLE_CLICK);
    }
    EnableByEnableBox(items, page);
}

void DrivePageCommand(Items& items, DrivePage page, int controlId) {
    if (controlId == IDC_ALL_DRIVES || controlId == IDC_SELECTED_DRIVES)
        EnableDriveList(items);
    else if (controlId == IDC_ENABLE)
        EnableByEnableBox(items, page);
}

void ApplyDrivePage(Items& items, DrivePage page, EjectSettings& settings) {
    const bool enabled = IsChecked(items, IDC_ENABLE);
    if (page == DrivePage::Shutdown)
        settings.EjectOnShutdown = enabled ? 1 : 0;
    else
        settings.EjectOnClick = !enabled                             ? eject_on_click::kNone
                                : IsChecked(items, IDC_SINGLE_CLICK) ? eject_on_click::kSingleClick
                                                                     : eject_on_click::kDoubleClick;

    DriveMask& pageDrives = PageDrives(page, settings);
    if (IsChecked(items, IDC_ALL_DRIVES))
        pageDrives = kAllDrives;
    else
        pageDrives = ReadBackDriveList(items, pageDrives);
}

} // namespace vandrel
