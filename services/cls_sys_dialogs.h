// The system's common dialogs behind plain operations: a file to open, a file name to save
// under, a folder, a colour. Failures are raised as ServiceError naming the operation.
// <commdlg.h> turns GetOpenFileName into a macro: a file that includes it must not include
// this header.
#pragma once

#include "services/cls_sys_registry.h"
#include "services/dialog_port.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace marlwick {

class clsSysDialogs {
  public:
    // The registry ports serve the file-type names of the filters.
    clsSysDialogs(DialogPort& dialogs, RegistryPort& registry, SystemPort& system);

    // The chosen file's full path; FileName as given (up to a NUL) when the user cancels.
    std::string GetOpenFileName(const std::string& InitialPath, const std::string& FileName,
                                const std::string& FileTypes, const std::string& Title = "",
                                DialogPort::Window hWndOwner = 0);
    std::string GetSaveFileName(const std::string& InitialPath, const std::string& FileName,
                                const std::string& FileTypes, const std::string& Title = "",
                                DialogPort::Window hWndOwner = 0);
    // The chosen folder's path; empty text when the user cancels.
    std::string GetPath(DialogPort::Window hWndOwner = 0);

    // The custom colours 1 to 16 that the colour dialog offers and keeps.
    void CustomizedColor(std::int32_t Index, std::int32_t NewColor);
    std::int32_t CustomizedColor(std::int32_t Index) const;

    // The chosen colour, -1 after a cancel; InitColor -1 presets none.
    std::int32_t GetColor(std::int32_t InitColor = -1, DialogPort::Window hWndOwner = 0);

  private:
    static constexpr int kOpenDialog = 1;
    static constexpr int kSaveDialog = 2;

    std::string ShowFileDialog(int kind, const std::string& InitialPath,
                               const std::string& FileName, const std::string& FileTypes,
                               const std::string& Title, DialogPort::Window hWndOwner);
    std::string choosePath(DialogPort::Window hWndOwner);
    std::int32_t chooseColor(std::int32_t InitColor, DialogPort::Window hWndOwner);
    clsSysRegistry& registry();
    static std::size_t slotOf(std::int32_t Index);

    DialogPort& dialogs_;
    RegistryPort& registryPort_;
    SystemPort& system_;
    std::optional<clsSysRegistry> registry_;
    std::array<std::uint32_t, 16> customColors_{};
};

} // namespace marlwick
