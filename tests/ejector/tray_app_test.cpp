#include "ejector/resource.h"
#include "ejector/tray_app.h"
#include "tests/fakes/eject_memory_devices.h"
#include "tests/fakes/eject_tray_shell.h"
#include "tests/fakes/memory_registry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vandrel {
namespace {

using marlwick::MemoryRegistry;
using marlwick::RegistryPort;
using Log = std::vector<std::string>;

constexpr DriveMask kE = 1u << 4, kF = 1u << 5, kG = 1u << 6;

class TrayApp : public ::testing::Test {
  protected:
    TrayApp() {
        // E and F hold a medium, G is empty.
        devices.addDrive('E', EjectDevicePort::kDriveCdrom, true);
        devices.addDrive('F', EjectDevicePort::kDriveRemovable, true);
        devices.addDrive('G', EjectDevicePort::kDriveCdrom, false);
        shell.onDestroy = [this] { OnDestroy(tray); };
    }

    void Store(const char* name, std::uint32_t value) {
        const std::string data{static_cast<char>(value), static_cast<char>(value >> 8),
                               static_cast<char>(value >> 16), static_cast<char>(value >> 24)};
        registry.putValue(RegistryPort::kHkeyCurrentUser, kSettingsKey, name,
                          RegistryPort::kRegDword, data);
    }

    // The settings as the registry holds them now.
    EjectSettings Saved() {
        EjectSettings saved;
        LoadSettings(registry, saved);
        return saved;
    }

    void Created() {
        OnCreate(tray);
        shell.clearLog();
    }

    MemoryRegistry registry;
    EjectMemoryDevices devices;
    EjectTrayShell shell;
    EjectSettings settings;
    TrayContext tray{shell, devices, registry, settings};
};

TEST_F(TrayApp, CreationLoadsTheSettingsAndAddsTheIcon) {
    Store("EjectOnClick", 1);
    OnCreate(tray);
    EXPECT_EQ(settings.EjectOnClick, 1);
    EXPECT_EQ(settings.ShowIcon, 1);
    EXPECT_TRUE(shell.iconShown());
    EXPECT_EQ(shell.log(), (Log{"add"}));
}

TEST_F(TrayApp, WithShowIconZeroThereIsNoIcon) {
    Store("ShowIcon", 0);
    OnCreate(tray);
    EXPECT_FALSE(shell.iconShown());
    EXPECT_TRUE(shell.log().empty());
}

TEST_F(TrayApp, DestroyRemovesTheIconAndEndsTheLoop) {
    Created();
    OnDestroy(tray);
    EXPECT_FALSE(shell.iconShown());
    EXPECT_EQ(shell.quitCode(), 0);
}

TEST_F(TrayApp, ClickModesDecideWhichMouseMessageEjects) {
    struct Case {
        int mode;
        unsigned message;
        bool ejects;
    };
    const Case cases[] = {
        {0, kLeftButtonDown, false}, {0, kLeftButtonDoubleClick, false},
        {1, kLeftButtonDown, true},  {1, kLeftButtonDoubleClick, false},
        {2, kLeftButtonDown, false}, {2, kLeftButtonDoubleClick, true},
        {1, 0x0202, false},          {2, 0x0200, false},
    };
    for (const auto& c : cases) {
        EjectMemoryDevices fresh;
        fresh.addDrive('E', EjectDevicePort::kDriveCdrom, true);
        EjectTrayShell freshShell;
        EjectSettings clickSettings;
        clickSettings.EjectOnClick = c.mode;
        clickSettings.IconClickDrives = kE;
        TrayContext context{freshShell, fresh, registry, clickSettings};
        OnTrayCallback(context, c.message);
        EXPECT_EQ(fresh.ejected(), c.ejects ? "E" : "") << c.mode << " " << c.message;
        EXPECT_TRUE(freshShell.log().empty()) << "no trim after a click";
    }
}

TEST_F(TrayApp, IconClickUsesTheIconClickDrivesAndTheMediaCheck) {
    Created();
    settings.EjectOnClick = 2;
    settings.IconClickDrives = kE | kG;
    settings.ShutdownDrives = kF;
    OnTrayCallback(tray, kLeftButtonDoubleClick);
    EXPECT_EQ(devices.testedLetters(), "EG");
    EXPECT_EQ(devices.requestedLetters(), "E");
}

TEST_F(TrayApp, RightButtonShowsTheMenuThenTrims) {
    Created();
    OnTrayCallback(tray, kRightButtonUp);
    EXPECT_EQ(shell.log(), (Log{"menu", "trim"}));
    EXPECT_EQ(devices.requestedLetters(), "");
}

TEST_F(TrayApp, EjectNowEjectsTheIconClickDrivesThenTrims) {
    Created();
    settings.IconClickDrives = kF | kG;
    settings.CheckForMedia = 0;
    EXPECT_TRUE(OnCommand(tray, ID_EJECT_NOW));
    EXPECT_EQ(devices.testedLetters(), "");
    EXPECT_EQ(devices.requestedLetters(), "FG");
    EXPECT_EQ(shell.log(), (Log{"trim"}));
}

TEST_F(TrayApp, PropertiesShowsTheSheetSavesAndTrims) {
    Created();
    shell.whileSheetOpen = [this] { settings.EjectOnClick = 1; };
    EXPECT_TRUE(OnCommand(tray, ID_PROPERTIES));
    EXPECT_EQ(shell.log(), (Log{"sheet", "trim"}));
    EXPECT_EQ(Saved().EjectOnClick, 1);
    EXPECT_TRUE(shell.iconShown());
}

TEST_F(TrayApp, PropertiesFollowsTheShowIconChange) {
    Created();
    shell.whileSheetOpen = [this] { settings.ShowIcon = 0; };
    OnCommand(tray, ID_PROPERTIES);
    EXPECT_EQ(shell.log(), (Log{"sheet", "delete", "trim"}));
    EXPECT_FALSE(shell.iconShown());
    EXPECT_EQ(Saved().ShowIcon, 0);

    shell.clearLog();
    shell.whileSheetOpen = [this] { settings.ShowIcon = 1; };
    OnCommand(tray, ID_PROPERTIES);
    EXPECT_EQ(shell.log(), (Log{"sheet", "add", "trim"}));
    EXPECT_TRUE(shell.iconShown());
}

TEST_F(TrayApp, WhileTheSheetIsOpenFurtherRequestsOnlyBringItForward) {
    Created();
    settings.EjectOnClick = 1;
    settings.IconClickDrives = kE;
    shell.whileSheetOpen = [this] {
        OnCommand(tray, ID_PROPERTIES);
        OnShowProperties(tray);
        OnTrayCallback(tray, kLeftButtonDown); // the main window still ejects
    };
    OnCommand(tray, ID_PROPERTIES);
    EXPECT_EQ(shell.log(), (Log{"sheet", "forward", "forward", "trim"}));
    EXPECT_EQ(devices.requestedLetters(), "E");
}

TEST_F(TrayApp, SecondCopysMessageOpensTheSheetWhenClosed) {
    Created();
    OnShowProperties(tray);
    EXPECT_EQ(shell.log(), (Log{"sheet", "trim"}));
    EXPECT_TRUE(registry.keyExists(RegistryPort::kHkeyCurrentUser, kSettingsKey));
}

TEST_F(TrayApp, CloseAnsweredYesEndsTheToolAndSaves) {
    Created();
    shell.answerYes = true;
    settings.EjectOnShutdown = 0;
    EXPECT_TRUE(OnCommand(tray, ID_CLOSE));
    EXPECT_EQ(shell.lastQuestion(),
              "This will unload Vandrel and prevent it from ejecting on shutdown. Are you sure "
              "you wish to quit? | Close Vandrel");
    EXPECT_EQ(shell.log(), (Log{"ask", "destroy", "delete", "quit"}));
    EXPECT_FALSE(shell.windowAlive());
    EXPECT_FALSE(shell.iconShown());
    EXPECT_EQ(shell.quitCode(), 0);
    EXPECT_EQ(Saved().EjectOnShutdown, 0);
}

TEST_F(TrayApp, CloseAnsweredNoKeepsRunningAndSavesAllTheSame) {
    Created();
    settings.CheckForMedia = 0;
    OnCommand(tray, ID_CLOSE);
    EXPECT_EQ(shell.log(), (Log{"ask"}));
    EXPECT_TRUE(shell.windowAlive());
    EXPECT_TRUE(shell.iconShown());
    EXPECT_EQ(Saved().CheckForMedia, 0);
}

TEST_F(TrayApp, ShutdownEjectsTheShutdownDrivesOnlyWhenEnabled) {
    Created();
    settings.ShutdownDrives = kF | kG;
    settings.IconClickDrives = kE;
    settings.EjectOnShutdown = 0;
    EXPECT_TRUE(OnQueryEndSession(tray));
    EXPECT_EQ(devices.requestedLetters(), "");

    settings.EjectOnShutdown = 1;
    EXPECT_TRUE(OnQueryEndSession(tray));
    EXPECT_EQ(devices.testedLetters(), "FG");
    EXPECT_EQ(devices.requestedLetters(), "F");
    EXPECT_TRUE(shell.log().empty());
}

TEST_F(TrayApp, OtherCommandsAreLeftToTheDefaultHandling) {
    Created();
    EXPECT_FALSE(OnCommand(tray, 2));
    EXPECT_FALSE(OnCommand(tray, ID_EJECT_NOW + 3));
    EXPECT_TRUE(shell.log().empty());
}

} // namespace
} // namespace vandrel
