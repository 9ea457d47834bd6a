// The editor's host on the real system: message boxes owned by the main window, pauses,
// process starts, the program's own path and the clock.
#pragma once

#include "editor/system/editor_host.h"

#include <windows.h>

namespace marlwick {

class Win32EditorHost : public EditorHost {
  public:
    void setOwner(HWND owner) { owner_ = owner; }

    int messageBox(const std::string& text, const std::string& caption,
                   std::uint32_t type) override;
    void sleep(std::uint32_t milliseconds) override;
    bool createProcess(const std::string& commandLine, std::uint16_t showWindow) override;
    std::string moduleFileName() override;
    void getLocalTime(SystemTime* time) override;

  private:
    HWND owner_ = nullptr;
};

} // namespace marlwick
