// The dialog port on the real common dialogs: each call fills the platform's record and
// forwards to its Win32 namesake.
#pragma once

#include "services/dialog_port.h"

namespace marlwick {

class Win32Dialogs final : public DialogPort {
  public:
    bool getOpenFileName(FileDialogRecord& record) override;
    bool getSaveFileName(FileDialogRecord& record) override;
    bool chooseColor(ColorDialogRecord& record) override;
    ItemIdList browseForFolder(const FolderDialogRecord& info) override;
    bool getPathFromIdList(ItemIdList item, char* path) override;
    void freeIdList(ItemIdList item) override;
};

} // namespace marlwick
