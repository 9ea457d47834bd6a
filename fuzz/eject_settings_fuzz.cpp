// The eject tool's settings read from arbitrary stored values, and what the tool does with
// them. Fields: options (0x01: no key at all; 0x02: the Windows 95 family; the mouse message
// of an icon click in the second byte), the drives (see drivesOf), then for ShowIcon,
// CheckForMedia, EjectOnShutdown, EjectOnClick, ShutdownDrives and IconClickDrives in turn
// the type (the first byte; an empty field stores nothing) and the data (0x01 for a NUL).
// Each setting takes at most 4 stored bytes over its default and keeps the default for a
// missing or longer value; saved settings load the same; the icon, a shut-down and a click
// eject exactly the drives the settings name; the pages show and apply them unchanged.
#include "ejector/eject_settings.h"
#include "ejector/property_pages.h"
#include "ejector/tray_app.h"
#include "fuzz/eject_machine.h"
#include "fuzz/fuzz_support.h"
#include "tests/fakes/eject_memory_dialog.h"
#include "tests/fakes/eject_page_layout.h"
#include "tests/fakes/eject_tray_shell.h"
#include "tests/fakes/memory_registry.h"

#include <array>
#include <cstring>

namespace {

using namespace vandrel;
using marlwick::MemoryRegistry;
using marlwick::RegistryPort;

constexpr std::array<const char*, 6> kNames{"ShowIcon",     "CheckForMedia",  "EjectOnShutdown",
                                            "EjectOnClick", "ShutdownDrives", "IconClickDrives"};
constexpr std::size_t kFirstValueField = 2;
constexpr std::array<unsigned, 4> kMouseMessages{kLeftButtonDown, kLeftButtonDoubleClick,
                                                 kRightButtonUp, 0x0202};

std::array<std::uint32_t*, 6> fieldsOf(EjectSettings& settings) {
    return {reinterpret_cast<std::uint32_t*>(&settings.ShowIcon),
            reinterpret_cast<std::uint32_t*>(&settings.CheckForMedia),
            reinterpret_cast<std::uint32_t*>(&settings.EjectOnShutdown),
            reinterpret_cast<std::uint32_t*>(&settings.EjectOnClick),
            &settings.ShutdownDrives,
            &settings.IconClickDrives};
}

EjectSettings expectedSettings(const MemoryRegistry& registry, bool keyExists) {
    EjectSettings settings;
    if (!keyExists)
        return settings;
    const auto fields = fieldsOf(settings);
    for (std::size_t i = 0; i < kNames.size(); ++i) {
        const auto stored =
            registry.storedValue(RegistryPort::kHkeyCurrentUser, kSettingsKey, kNames[i]);
        if (stored && stored->data.size() <= 4)
            std::memcpy(fields[i], stored->data.data(), stored->data.size());
    }
    return settings;
}

std::vector<fuzz::Ejection> maskEjections(DriveMask mask, bool checkMedia) {
    std::vector<fuzz::Ejection> ejections;
    for (int bit = 0; bit < 26; ++bit)
        if (mask & (DriveMask{1} << bit))
            ejections.push_back({bit + 1, checkMedia});
    return ejections;
}

DriveMask removableMask(const fuzz::Drives& drives) {
    DriveMask mask = 0;
    for (std::size_t n = 0; n < drives.size(); ++n)
        if (drives[n].type == EjectDevicePort::kDriveRemovable ||
            drives[n].type == EjectDevicePort::kDriveCdrom)
            mask |= DriveMask{1} << n;
    return mask;
}

// A shut-down and then an icon click on a fresh machine eject what the settings name.
void requireEjections(const fuzz::Fields& fields, const EjectSettings& loaded,
                      MemoryRegistry& registry) {
    const bool nt = !(fields.option(0, 0) & 2);
    const fuzz::Drives drives = fuzz::drivesOf(fields[1]);
    EjectMemoryDevices devices(nt ? EjectDevicePort::kPlatformWin32Nt
                                  : EjectDevicePort::kPlatformWin32Windows);
    fuzz::addDrives(devices, drives);
    EjectTrayShell shell;
    EjectSettings settings;
    TrayContext tray{shell, devices, registry, settings};
    OnCreate(tray);
    fuzz::require(settings == loaded, "the window loads the settings");
    fuzz::require(shell.iconShown() == (loaded.ShowIcon != 0), "the icon shows as ShowIcon says");
    fuzz::require(OnQueryEndSession(tray), "a shut-down is never held up");
    const unsigned mouse = kMouseMessages[fields.option(0, 1) % kMouseMessages.size()];
    OnTrayCallback(tray, mouse);

    const bool check = loaded.CheckForMedia != 0;
    std::vector<fuzz::Ejection> expected;
    if (loaded.EjectOnShutdown != 0)
        expected = maskEjections(loaded.ShutdownDrives, check);
    if ((mouse == kLeftButtonDown && loaded.EjectOnClick == 1) ||
        (mouse == kLeftButtonDoubleClick && loaded.EjectOnClick == 2)) {
        const auto click = maskEjections(loaded.IconClickDrives, check);
        expected.insert(expected.end(), click.begin(), click.end());
    }
    fuzz::requireLogged(devices, fuzz::expectedLog(expected, drives, nt));
}

// Showing a page and applying it untouched keeps its settings, as far as the page can show
// them: switches become 0 or 1, a mask keeps the bits of its letters, listed or not.
void requirePagesKeepSettings(const EjectSettings& loaded, DriveMask removable) {
    EjectSettings applied = loaded;
    EjectMemoryDialog general(GeneralPageLayout());
    InitGeneralPage(general, loaded);
    ApplyGeneralPage(general, applied);
    for (DrivePage page : {DrivePage::Shutdown, DrivePage::IconClick}) {
        EjectMemoryDialog dialog(page == DrivePage::Shutdown ? ShutdownPageLayout()
                                                             : IconClickPageLayout());
        InitDrivePage(dialog, page, loaded, removable);
        ApplyDrivePage(dialog, page, applied);
    }
    const auto kept = [](DriveMask mask) {
        return mask == kAllDrives ? mask : mask & ((DriveMask{1} << kDriveCount) - 1);
    };
    fuzz::require(applied.ShowIcon == (loaded.ShowIcon != 0) &&
                      applied.CheckForMedia == (loaded.CheckForMedia != 0) &&
                      applied.EjectOnShutdown == (loaded.EjectOnShutdown != 0),
                  "the switches apply as shown");
    fuzz::require(applied.EjectOnClick == (loaded.EjectOnClick == 0   ? 0
                                           : loaded.EjectOnClick == 1 ? 1
                                                                      : 2),
                  "the click mode applies as shown");
    fuzz::require(applied.ShutdownDrives == kept(loaded.ShutdownDrives) &&
                      applied.IconClickDrives == kept(loaded.IconClickDrives),
                  "the masks apply as shown");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    MemoryRegistry registry;
    const bool keyExists = !(fields.option(0, 0) & 1);
    if (keyExists) {
        registry.putValue(RegistryPort::kHkeyCurrentUser, kSettingsKey, "Other",
                          RegistryPort::kRegSz, "");
        for (std::size_t i = 0; i < kNames.size(); ++i) {
            const std::size_t field = kFirstValueField + 2 * i;
            if (!fields[field].empty())
                registry.putValue(RegistryPort::kHkeyCurrentUser, kSettingsKey, kNames[i],
                                  fields.option(field, 0), fuzz::withNuls(fields[field + 1]));
        }
    }

    EjectSettings loaded;
    LoadSettings(registry, loaded);
    fuzz::require(loaded == expectedSettings(registry, keyExists),
                  "each setting takes its stored bytes");
    fuzz::require(registry.openHandleCount() == 0, "no key stays open");

    SaveSettings(registry, loaded);
    EjectSettings again;
    LoadSettings(registry, again);
    fuzz::require(again == loaded, "saved settings load the same");
    for (const char* name : kNames) {
        const auto stored =
            registry.storedValue(RegistryPort::kHkeyCurrentUser, kSettingsKey, name);
        fuzz::require(stored && stored->type == RegistryPort::kRegDword && stored->data.size() == 4,
                      "each setting is saved as a 4-byte DWORD");
    }

    requireEjections(fields, loaded, registry);
    requirePagesKeepSettings(loaded, removableMask(fuzz::drivesOf(fields[1])));
    return 0;
}
