// An in-memory model of the common dialogs behind DialogPort. Each dialog shown is recorded
// as the system would have received it, and answered as the user was told to answer it: a
// file or folder chosen, a colour picked, or a cancel. A dialog without an answer is
// cancelled.
#pragma once

#include "services/dialog_port.h"

#include <array>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace marlwick {

class MemoryDialogs final : public DialogPort {
  public:
    struct FileDialogShown {
        bool save = false;
        std::uint32_t structSize = 0;
        Window owner = 0;
        // The filter's bytes up to the empty text that ends it, its NUL included; nothing
        // for a null filter.
        std::optional<std::string> filter;
        std::uint32_t filterIndex = 0;
        // The file buffer's text (up to its NUL) and its size.
        std::string file;
        std::uint32_t maxFile = 0;
        bool separateFileTitle = false;
        std::uint32_t maxFileTitle = 0;
        std::optional<std::string> initialDir;
        std::optional<std::string> title;
        std::uint32_t flags = 0;
    };

    struct ColorDialogShown {
        std::uint32_t structSize = 0;
        Window owner = 0;
        std::uint32_t rgbResult = 0;
        std::array<std::uint32_t, 16> customColors{};
        std::uint32_t flags = 0;
    };

    struct FolderDialogShown {
        Window owner = 0;
        std::string title;
        std::uint32_t flags = 0;
    };

    bool getOpenFileName(FileDialogRecord& record) override;
    bool getSaveFileName(FileDialogRecord& record) override;
    bool chooseColor(ColorDialogRecord& record) override;
    ItemIdList browseForFolder(const FolderDialogRecord& info) override;
    bool getPathFromIdList(ItemIdList item, char* path) override;
    void freeIdList(ItemIdList item) override;

    // The next file dialog's answer: the chosen file's full path, or nothing for a cancel. A
    // path too long for the buffer fails the dialog as the system does, with the size needed
    // in the buffer's first two bytes.
    void answerFileDialog(std::optional<std::string> path);
    // The next colour dialog's answer: the colour chosen, or nothing for a cancel; the custom
    // colours the user defined in it (slot 0 to 15) are written back either way.
    void answerColorDialog(std::optional<std::uint32_t> colour,
                           std::map<std::size_t, std::uint32_t> customColors = {});
    // The next folder dialog's answer: a folder's path, an empty text for an item without a
    // file-system path, or nothing for a cancel.
    void answerFolderDialog(std::optional<std::string> path);

    const std::vector<FileDialogShown>& fileDialogs() const { return fileDialogs_; }
    const std::vector<ColorDialogShown>& colorDialogs() const { return colorDialogs_; }
    const std::vector<FolderDialogShown>& folderDialogs() const { return folderDialogs_; }
    // Items from browseForFolder not yet freed.
    std::size_t liveItems() const { return items_.size(); }

  private:
    struct ColorAnswer {
        std::optional<std::uint32_t> colour;
        std::map<std::size_t, std::uint32_t> customColors;
    };

    bool showFileDialog(bool save, FileDialogRecord& record);

    std::deque<std::optional<std::string>> fileAnswers_;
    std::deque<ColorAnswer> colorAnswers_;
    std::deque<std::optional<std::string>> folderAnswers_;
    std::vector<FileDialogShown> fileDialogs_;
    std::vector<ColorDialogShown> colorDialogs_;
    std::vector<FolderDialogShown> folderDialogs_;
    std::map<ItemIdList, std::string> items_;
    ItemIdList nextItem_ = 0x1000;
};

} // namespace marlwick
