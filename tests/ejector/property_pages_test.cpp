#include "ejector/property_pages.h"
#include "ejector/resource.h"
#include "tests/fakes/eject_memory_dialog.h"
#include "tests/fakes/memory_registry.h"

#include <gtest/gtest.h>

namespace vandrel {
namespace {

constexpr DriveMask kDrivesADF = (1u << 0) | (1u << 3) | (1u << 5);
constexpr DriveMask kE = 1u << 4;
constexpr DriveMask kD = 1u << 3;
constexpr DriveMask kF = 1u << 5;

struct PageCase {
    DrivePage page;
    const PageLayout& (*layout)();
};

const PageCase kDrivePages[] = {{DrivePage::Shutdown, ShutdownPageLayout},
                                {DrivePage::IconClick, IconClickPageLayout}};

void SetPageMask(EjectSettings& settings, DrivePage page, DriveMask mask) {
    (page == DrivePage::Shutdown ? settings.ShutdownDrives : settings.IconClickDrives) = mask;
}

DriveMask PageMask(const EjectSettings& settings, DrivePage page) {
    return page == DrivePage::Shutdown ? settings.ShutdownDrives : settings.IconClickDrives;
}

// Enabled state of the two drive radios and the list, as "AS L" letters where enabled.
std::string DriveControlsEnabled(const EjectMemoryDialog& dialog) {
    std::string state;
    state += dialog.isEnabled(IDC_ALL_DRIVES) ? 'A' : '-';
    state += dialog.isEnabled(IDC_SELECTED_DRIVES) ? 'S' : '-';
    state += dialog.isEnabled(IDC_DRIVE_LIST) ? 'L' : '-';
    return state;
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

TEST(DrivePage, ListsRemovableDrivesAndSelectsThoseOfAPartialMask) {
    for (const auto& c : kDrivePages) {
        EjectMemoryDialog dialog(c.layout());
        EjectSettings settings;
        SetPageMask(settings, c.page, kD | kE); // E is not present
        InitDrivePage(dialog, c.page, settings, kDrivesADF);
        const auto items = dialog.listItems(IDC_DRIVE_LIST);
        ASSERT_EQ(items.size(), 3u);
        EXPECT_EQ(items[0].text, "A:\\");
        EXPECT_EQ(items[1].text, "D:\\");
        EXPECT_EQ(items[2].text, "F:\\");
        EXPECT_EQ(dialog.selectedItems(IDC_DRIVE_LIST), "D:\\");
        EXPECT_TRUE(dialog.isChecked(IDC_SELECTED_DRIVES));
        EXPECT_FALSE(dialog.isChecked(IDC_ALL_DRIVES));
        EXPECT_EQ(DriveControlsEnabled(dialog), "ASL");
    }
}

TEST(DrivePage, AllOnesSelectsNoItemAndChoosesAllDrives) {
    for (const auto& c : kDrivePages) {
        EjectMemoryDialog dialog(c.layout());
        InitDrivePage(dialog, c.page, EjectSettings{}, kDrivesADF);
        EXPECT_EQ(dialog.listItems(IDC_DRIVE_LIST).size(), 3u);
        EXPECT_EQ(dialog.selectedItems(IDC_DRIVE_LIST), "");
        EXPECT_TRUE(dialog.isChecked(IDC_ALL_DRIVES));
        EXPECT_FALSE(dialog.isChecked(IDC_SELECTED_DRIVES));
        EXPECT_TRUE(dialog.isChecked(IDC_ENABLE));
        EXPECT_EQ(DriveControlsEnabled(dialog), "AS-");
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

TEST(ShutdownPage, DisabledEjectDisablesTheDriveChoice) {
    EjectMemoryDialog dialog(ShutdownPageLayout());
    EjectSettings settings;
    settings.EjectOnShutdown = 0;
    settings.ShutdownDrives = kD;
    InitDrivePage(dialog, DrivePage::Shutdown, settings, kDrivesADF);
    EXPECT_FALSE(dialog.isChecked(IDC_ENABLE));
    EXPECT_TRUE(dialog.isChecked(IDC_SELECTED_DRIVES));
    EXPECT_EQ(DriveControlsEnabled(dialog), "---");
    EXPECT_TRUE(dialog.isEnabled(IDC_ENABLE));
}

TEST(DrivePage, EnablingFollowsEveryCommand) {
    for (const auto& c : kDrivePages) {
        EjectMemoryDialog dialog(c.layout());
        InitDrivePage(dialog, c.page, EjectSettings{}, kDrivesADF);
        const auto userClicks = [&](int id) {
            dialog.click(id);
            DrivePageCommand(dialog, c.page, id);
            return DriveControlsEnabled(dialog);
        };
        EXPECT_EQ(userClicks(IDC_SELECTED_DRIVES), "ASL");
        EXPECT_EQ(userClicks(IDC_ENABLE), "---");
        if (c.page == DrivePage::IconClick) {
            EXPECT_FALSE(dialog.isEnabled(IDC_SINGLE_CLICK));
            EXPECT_FALSE(dialog.isEnabled(IDC_DOUBLE_CLICK));
        }
        // Ticked again, the list comes back with the selected-drives choice kept.
        EXPECT_EQ(userClicks(IDC_ENABLE), "ASL");
        EXPECT_EQ(userClicks(IDC_ALL_DRIVES), "AS-");
        EXPECT_EQ(userClicks(IDC_ENABLE), "---");
        EXPECT_EQ(userClicks(IDC_ENABLE), "AS-");
        if (c.page == DrivePage::IconClick) {
            EXPECT_TRUE(dialog.isEnabled(IDC_SINGLE_CLICK));
            EXPECT_EQ(userClicks(IDC_SINGLE_CLICK), "AS-");
            EXPECT_TRUE(dialog.isChecked(IDC_SINGLE_CLICK));
            EXPECT_FALSE(dialog.isChecked(IDC_DOUBLE_CLICK));
            EXPECT_TRUE(dialog.isChecked(IDC_ALL_DRIVES)); // another group
        }
        // Notifications of the list itself change nothing.
        DrivePageCommand(dialog, c.page, IDC_DRIVE_LIST);
        EXPECT_EQ(DriveControlsEnabled(dialog), "AS-");
    }
}

TEST(DrivePage, ApplyWithAllDrivesStoresAllOnesAndKeepsTheList) {
    for (const auto& c : kDrivePages) {
        EjectMemoryDialog dialog(c.layout());
        EjectSettings settings;
        SetPageMask(settings, c.page, kD);
        InitDrivePage(dialog, c.page, settings, kDrivesADF);
        dialog.click(IDC_ALL_DRIVES);
        ApplyDrivePage(dialog, c.page, settings);
        EXPECT_EQ(PageMask(settings, c.page), kAllDrives);
        EXPECT_EQ(dialog.listItems(IDC_DRIVE_LIST).size(), 3u);
    }
}

TEST(DrivePage, ApplyRebuildsTheListedLettersAndKeepsTheOthers) {
    struct Case {
        DriveMask stored, present;
        const char* toggled; // an item the user clicks, or null
        DriveMask applied;
    };
    const Case cases[] = {
        {kD | kE, kDrivesADF, "F:\\", kD | kE | kF}, // E is not plugged in: its choice stays
        {kD | kE, kDrivesADF, "D:\\", kE},
        {kE, 0, nullptr, kE},                 // no removable drive at all
        {kAllDrives, kDrivesADF, "F:\\", kF}, // all drives hold no letters to keep
    };
    for (const auto& c : cases) {
        for (const auto& page : kDrivePages) {
            EjectMemoryDialog dialog(page.layout());
            EjectSettings settings;
            SetPageMask(settings, page.page, c.stored);
            InitDrivePage(dialog, page.page, settings, c.present);
            dialog.click(IDC_SELECTED_DRIVES);
            DrivePageCommand(dialog, page.page, IDC_SELECTED_DRIVES);
            if (c.toggled)
                dialog.toggleItem(IDC_DRIVE_LIST, c.toggled);
            ApplyDrivePage(dialog, page.page, settings);
            EXPECT_EQ(PageMask(settings, page.page), c.applied) << std::hex << c.stored;
            EXPECT_TRUE(dialog.listItems(IDC_DRIVE_LIST).empty());
        }
    }
}

TEST(DrivePage, ApplyWithNoDriveSelectedStoresMaskZero) {
    for (const auto& c : kDrivePages) {
        EjectMemoryDialog dialog(c.layout());
        EjectSettings settings;
        InitDrivePage(dialog, c.page, settings, kDrivesADF);
        dialog.click(IDC_SELECTED_DRIVES);
        ApplyDrivePage(dialog, c.page, settings);
        EXPECT_EQ(PageMask(settings, c.page), 0u);
    }
}

TEST(DrivePage, ApplyStoresTheEnableAndClickChoices) {
    struct Case {
        DrivePage page;
        int clicks[2];
        int stored;
    };
    const Case cases[] = {
        {DrivePage::Shutdown, {0, 0}, 1},
        {DrivePage::Shutdown, {IDC_ENABLE, 0}, 0},
        {DrivePage::IconClick, {0, 0}, 2},
        {DrivePage::IconClick, {IDC_SINGLE_CLICK, 0}, 1},
        {DrivePage::IconClick, {IDC_SINGLE_CLICK, IDC_ENABLE}, 0},
        {DrivePage::IconClick, {IDC_ENABLE, IDC_DOUBLE_CLICK}, 0}, // disabled radios ignore it
    };
    for (const auto& c : cases) {
        EjectMemoryDialog dialog(c.page == DrivePage::Shutdown ? ShutdownPageLayout()
                                                               : IconClickPageLayout());
        EjectSettings settings;
        InitDrivePage(dialog, c.page, settings, kDrivesADF);
        for (const int id : c.clicks) {
            if (id) {
                dialog.click(id);
                DrivePageCommand(dialog, c.page, id);
            }
        }
        ApplyDrivePage(dialog, c.page, settings);
        const int stored =
            c.page == DrivePage::Shutdown ? settings.EjectOnShutdown : settings.EjectOnClick;
        EXPECT_EQ(stored, c.stored) << c.clicks[0] << " " << c.clicks[1];
        // The other page's settings stay as they were.
        if (c.page == DrivePage::Shutdown)
            EXPECT_EQ(settings.EjectOnClick, 2);
        else
            EXPECT_EQ(settings.EjectOnShutdown, 1);
    }
}

} // namespace
} // namespace vandrel
