// The rules of the property sheet's pages: what they show from the settings, which controls
// are enabled, and what applying them writes back.
#pragma once

#include "ejector/dialog_items_port.h"
#include "ejector/eject_settings.h"

namespace vandrel {

// The Shutdown and Icon Click pages work alike, each on its own pair of settings.
enum class DrivePage { Shutdown, IconClick };

void InitGeneralPage(DialogItemsPort& items, const EjectSettings& settings);
void ApplyGeneralPage(DialogItemsPort& items, EjectSettings& settings);

// Lists the drives of removableDrives as "E:\" items.
void InitDrivePage(DialogItemsPort& items, DrivePage page, const EjectSettings& settings,
                   DriveMask removableDrives);
void DrivePageCommand(DialogItemsPort& items, DrivePage page, int controlId);
// Empties the drive list while reading it back into the page's mask; the letters the list did
// not show (drives not plugged in) keep their choice.
void ApplyDrivePage(DialogItemsPort& items, DrivePage page, EjectSettings& settings);

} // namespace vandrel
