#include "ejector/property_pages.h"
#include "ejector/resource.h"
#include "tests/fakes/eject_memory_dialog.h"
#include "tests/fakes/memory_registry.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace vandrel {
namespace {

constexpr DriveMask kDrivesADF = (1u << 0) | (1u << 3) | (1u << 5);
constexpr DriveMask kE = 1u << 4;
constexpr DriveMask kD = 1u << 3;
constexpr DriveMask kF = 1u << 5;

const PageLayout& LayoutOf(DrivePage page) {
    return page == DrivePage::Shutdown ? ShutdownPageLayout() : IconClickPageLayout();
}

// The default settings but for the page's drives.
EjectSettings WithPageDrives(DrivePage page, DriveMask drives) {
    EjectSettings settings;
    (page == DrivePage::Shutdown ? settings.ShutdownDrives : settings.IconClickDrives) = drives;
    return settings;
}

// A letter for each control that passes the test, '-' for each that does not.
std::string Marks(const EjectMemoryDialog& dialog, bool (EjectMemoryDialog::*passes)(int) const,
                  const std::vector<std::pair<int, char>>& controls) {
    std::string marks;
    for (const auto& [id, letter] : controls)
        marks += (dialog.*passes)(id) ? letter : '-';
    return marks;
}

// Enabled state of the two drive radios and the list, as "AS L" letters where enabled.
std::string DriveControlsEnabled(const EjectMemoryDialog& dialog) {
    return Marks(dialog, &EjectMemoryDialog::isEnabled,
                 {{IDC_ALL_DRIVES, 'A'}, {IDC_SELECTED_DRIVES, 'S'}, {IDC_DRIVE_LIST, 'L'}});
}

// The ticked Enable box and drive radios, as "E A S" letters.
std::string DriveChoicesTicked(const EjectMemoryDialog& dialog) {
    return Marks(dialog, &EjectMemoryDialog::isChecked,
                 {{IDC_ENABLE, 'E'}, {IDC_ALL_DRIVES, 'A'}, {IDC_SELECTED_DRIVES, 'S'}});
}

TEST(GeneralPage, ShowsAndAppliesTheTwoChecks) {
    for (const int showIcon : {0, 1, 7}) {
        for (const int checkMedia : {0, 1}) {
            EjectMemoryDialog dialog(GeneralPageLayout());
            EjectSettings settings;
            settings.ShowIcon = showIcon;
            settings.CheckForMedia = checkMedia;
            InitGeneralPage(dialog, settings);
            EXPECT_EQ(dialog.isChecked(IDC_SHOW_ICON), showIcon != 0);
            EXPECT_EQ(dialog.isChecked(IDC_CHECK_MEDIA), checkMedia != 0);

            dialog.click(IDC_CHECK_MEDIA);
            ApplyGeneralPage(dialog, settings);
            EXPECT_EQ(settings.ShowIcon, showIcon != 0 ? 1 : 0);
            EXPECT_EQ(settings.CheckForMedia, checkMedia != 0 ? 0 : 1);
        }
    }
}

TEST(GeneralPage, StartWithWindowsShowsAndSetsThisProgramsRunValue) {
    using marlwick::MemoryRegistry;
    constexpr auto kHkcu = MemoryRegistry::kHkeyCurrentUser;
    const char* const runKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    const std::string ours = "C:\\Tools\\Vandrl.exe";
    const std::string oursQuoted = "\"" + ours + "\"";
    const char* const other = "\"D:\\Stick\\Vandrl.exe\"";
    struct Case {
        const char* stored; // REG_SZ text, or null for no value
        bool shown;
        bool userClicks;
        bool denyWrites;
        const char* applied; // what the value holds after Apply, or null when it is gone
    };
    const Case cases[] = {
        {nullptr, false, true, false, oursQuoted.c_str()},
        {"\"c:\\tools\\VANDRL.EXE\"", true, true, false, nullptr},
        {"C:\\Tools\\Vandrl.exe", true, false, false, oursQuoted.c_str()},
        {other, false, false, false, other}, // another copy's value is left alone
        {other, false, true, false, oursQuoted.c_str()},
        {nullptr, false, true, true, nullptr}, // a failed write changes nothing, silently
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored ? c.stored : "(none)");
        MemoryRegistry registry;
        if (c.stored)
            registry.putValue(kHkcu, runKey, "Vandrl", MemoryRegistry::kRegSz,
                              std::string(c.stored) + '\0');
        if (c.denyWrites)
            registry.denyWriteAccess(kHkcu, "Software");
        const RunEntry run{registry, ours};
        EjectMemoryDialog dialog(GeneralPageLayout());
        InitStartWithWindowsBox(dialog, run);
        EXPECT_EQ(dialog.isChecked(IDC_START_WITH_WINDOWS), c.shown);
        if (c.userClicks)
            dialog.click(IDC_START_WITH_WINDOWS);
        ApplyStartWithWindowsBox(dialog, run);
        const auto value = registry.storedValue(kHkcu, runKey, "Vandrl");
        // A text value is stored with its terminating zero.
        EXPECT_EQ(value ? value->data : "(gone)",
                  c.applied ? std::string(c.applied) + '\0' : "(gone)");
        EXPECT_EQ(registry.openHandleCount(), 0u);
    }
}

// What a drive page shows when it opens on the removable drives A, D and F.
TEST(DrivePage, OpensWithTheListAndTheChoicesOfItsSettings) {
    struct Row {
        std::vector<DrivePage> pages{DrivePage::Shutdown, DrivePage::IconClick};
        DriveMask stored = kAllDrives;
        std::int32_t ejectOnShutdown = 1;
        const char* selected = "";
        const char* ticked = "EA-";
        const char* enabled = "AS-";
    };
    const Row rows[] = {
        {.stored = kD | kE, .selected = "D:\\", .ticked = "E-S", .enabled = "ASL"}, // E not present
        {}, // all ones select no item and choose all drives
        // A disabled eject disables the drive choice.
        {.pages = {DrivePage::Shutdown},
         .stored = kD,
         .ejectOnShutdown = 0,
         .selected = "D:\\",
         .ticked = "--S",
         .enabled = "---"},
    };
    for (const Row& row : rows) {
        for (const DrivePage page : row.pages) {
            SCOPED_TRACE(testing::Message()
                         << "row " << &row - rows << ", page " << static_cast<int>(page));
            EjectMemoryDialog dialog(LayoutOf(page));
            EjectSettings settings = WithPageDrives(page, row.stored);
            settings.EjectOnShutdown = row.ejectOnShutdown;
            InitDrivePage(dialog, page, settings, kDrivesADF);
            std::string items;
            for (const auto& item : dialog.listItems(IDC_DRIVE_LIST))
                items += item.text;
            EXPECT_EQ(items, "A:\\D:\\F:\\");
            EXPECT_EQ(dialog.selectedItems(IDC_DRIVE_LIST), row.selected);
            EXPECT_EQ(DriveChoicesTicked(dialog), row.ticked);
            EXPECT_EQ(DriveControlsEnabled(dialog), row.enabled);
            EXPECT_TRUE(dialog.isEnabled(IDC_ENABLE));
        }
    }
}

TEST(IconClickPage, ShowsEachClickMode) {
    struct Case {
        int ejectOnClick;
        bool enable, single, dbl;
        const char* driveControls;
        bool clickRadiosEnabled;
    };
    const Case cases[] = {
        {0, false, false, true, "---", false},
        {1, true, true, false, "AS-", true},
        {2, true, false, true, "AS-", true},
    };
    for (const auto& c : cases) {
        EjectMemoryDialog dialog(IconClickPageLayout());
        EjectSettings settings;
        settings.EjectOnClick = c.ejectOnClick;
        InitDrivePage(dialog, DrivePage::IconClick, settings, kDrivesADF);
        EXPECT_EQ(dialog.isChecked(IDC_ENABLE), c.enable) << c.ejectOnClick;
        EXPECT_EQ(dialog.isChecked(IDC_SINGLE_CLICK), c.single) << c.ejectOnClick;
        EXPECT_EQ(dialog.isChecked(IDC_DOUBLE_CLICK), c.dbl) << c.ejectOnClick;
        EXPECT_EQ(DriveControlsEnabled(dialog), c.driveControls) << c.ejectOnClick;
        EXPECT_EQ(dialog.isEnabled(IDC_SINGLE_CLICK), c.clickRadiosEnabled);
        EXPECT_EQ(dialog.isEnabled(IDC_DOUBLE_CLICK), c.clickRadiosEnabled);
    }
}

TEST(DrivePage, EnablingFollowsEveryCommand) {
    for (const DrivePage page : {DrivePage::Shutdown, DrivePage::IconClick}) {
        EjectMemoryDialog dialog(LayoutOf(page));
        InitDrivePage(dialog, page, EjectSettings{}, kDrivesADF);
        const auto userClicks = [&](int id) {
            dialog.click(id);
            DrivePageCommand(dialog, page, id);
            return DriveControlsEnabled(dialog);
        };
        EXPECT_EQ(userClicks(IDC_SELECTED_DRIVES), "ASL");
        EXPECT_EQ(userClicks(IDC_ENABLE), "---");
        if (page == DrivePage::IconClick) {
            EXPECT_FALSE(dialog.isEnabled(IDC_SINGLE_CLICK));
            EXPECT_FALSE(dialog.isEnabled(IDC_DOUBLE_CLICK));
        }
        // Ticked again, the list comes back with the selected-drives choice kept.
        EXPECT_EQ(userClicks(IDC_ENABLE), "ASL");
        EXPECT_EQ(userClicks(IDC_ALL_DRIVES), "AS-");
        EXPECT_EQ(userClicks(IDC_ENABLE), "---");
        EXPECT_EQ(userClicks(IDC_ENABLE), "AS-");
        if (page == DrivePage::IconClick) {
            EXPECT_TRUE(dialog.isEnabled(IDC_SINGLE_CLICK));
            EXPECT_EQ(userClicks(IDC_SINGLE_CLICK), "AS-");
            EXPECT_TRUE(dialog.isChecked(IDC_SINGLE_CLICK));
            EXPECT_FALSE(dialog.isChecked(IDC_DOUBLE_CLICK));
            EXPECT_TRUE(dialog.isChecked(IDC_ALL_DRIVES)); // another group
        }
        // Notifications of the list itself change nothing.
        DrivePageCommand(dialog, page, IDC_DRIVE_LIST);
        EXPECT_EQ(DriveControlsEnabled(dialog), "AS-");
    }
}

// What Apply stores after the user's clicks on a drive page that opened with the defaults but
// for its drives. The list is read back and emptied unless all drives are chosen.
TEST(DrivePage, ApplyStoresTheChoicesAndRebuildsTheListedLetters) {
    const std::vector<DrivePage> shutdown{DrivePage::Shutdown}, iconClick{DrivePage::IconClick};
    const std::vector<int> selected{IDC_SELECTED_DRIVES};
    struct Row {
        std::vector<DrivePage> pages{DrivePage::Shutdown, DrivePage::IconClick};
        DriveMask stored = kAllDrives;
        DriveMask present = kDrivesADF;
        std::vector<int> clicks = {};  // each heard by the page
        const char* toggled = nullptr; // a list item the user clicks
        DriveMask applied = kAllDrives;
        std::optional<std::int32_t> enable = {}; // the page's stored choice where it changes
    };
    const Row rows[] = {
        {.stored = kD, .clicks = {IDC_ALL_DRIVES}},
        // E is not plugged in: its choice stays.
        {.stored = kD | kE, .clicks = selected, .toggled = "F:\\", .applied = kD | kE | kF},
        {.stored = kD | kE, .clicks = selected, .toggled = "D:\\", .applied = kE},
        {.stored = kE, .present = 0, .clicks = selected, .applied = kE}, // no removable drive
        // All drives hold no letters to keep.
        {.clicks = selected, .toggled = "F:\\", .applied = kF},
        {.clicks = selected, .applied = 0},
        {.pages = shutdown, .enable = 1},
        {.pages = shutdown, .clicks = {IDC_ENABLE}, .enable = 0},
        {.pages = iconClick, .enable = 2},
        {.pages = iconClick, .clicks = {IDC_SINGLE_CLICK}, .enable = 1},
        {.pages = iconClick, .clicks = {IDC_SINGLE_CLICK, IDC_ENABLE}, .enable = 0},
        // Disabled radios ignore the click.
        {.pages = iconClick, .clicks = {IDC_ENABLE, IDC_DOUBLE_CLICK}, .enable = 0},
    };
    for (const Row& row : rows) {
        for (const DrivePage page : row.pages) {
            SCOPED_TRACE(testing::Message()
                         << "row " << &row - rows << ", page " << static_cast<int>(page));
            EjectMemoryDialog dialog(LayoutOf(page));
            EjectSettings settings = WithPageDrives(page, row.stored);
            InitDrivePage(dialog, page, settings, row.present);
            for (const int id : row.clicks) {
                dialog.click(id);
                DrivePageCommand(dialog, page, id);
            }
            if (row.toggled)
                dialog.toggleItem(IDC_DRIVE_LIST, row.toggled);
            ApplyDrivePage(dialog, page, settings);
            EjectSettings expected = WithPageDrives(page, row.applied);
            if (row.enable)
                (page == DrivePage::Shutdown ? expected.EjectOnShutdown : expected.EjectOnClick) =
                    *row.enable;
            EXPECT_EQ(settings, expected);
            EXPECT_EQ(dialog.listItems(IDC_DRIVE_LIST).size(), row.applied == kAllDrives ? 3u : 0u);
        }
    }
}

} // namespace
} // namespace vandrel
