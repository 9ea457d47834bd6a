// The rules of the property sheet's pages: what they show from the settings, which controls
// are enabled, and what applying them writes back.
#pragma once

#include "ejector/dialog_items_port.h"
#include "ejector/eject_settings.h"
#include "ejector/start_with_windows.h"

namespace vandrel {

// The Shutdown and Icon Click pages work alike, each on its own pair of settings.
enum class DrivePage { Shutdown, IconClick };

void InitGeneralPage(DialogItemsPort& items, const EjectSettings& settings);
void ApplyGeneralPage(DialogItemsPort& items, EjectSettings& settings);
// The General page's box for the Run value, which lives beside the six settings: it is read
// when the page opens and written by the page's Apply.
void InitStartWithWindowsBox(DialogItemsPort& items, const RunEntry& run);
void ApplyStartWithWindowsBox(DialogItemsPort& items, const RunEntry& run);

// Lists the drives of removableDrives as "E:\" items.
void InitDrivePage(DialogItemsPort& items, DrivePage page, const EjectSettings& settings,
                   DriveMask removableDrives);
void DrivePageCommand(DialogItemsPort& items, DrivePage page, int controlId);
// Empties the drive list while reading it back into the page's mask; the letters the list did
// not show (drives not plugged in) keep their choice.
void ApplyDrivePage(DialogItemsPort& items, DrivePage page, EjectSettings& settings);

} // namespace vandrel
