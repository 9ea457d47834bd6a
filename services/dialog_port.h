// The common dialogs the dialogs class needs, modelled on their Win32 namesakes
// (GetOpenFileNameA, GetSaveFileNameA, ChooseColorA, SHBrowseForFolderA,
// SHGetPathFromIDListA): each record carries the platform record's fields that the class
// sets, all others being 0; buffers and results follow the platform's rules.
#pragma once

#include <cstdint>

namespace marlwick {

class DialogPort {
  public:
    using Window = std::uintptr_t;
    using ItemIdList = std::uintptr_t;

    // OPENFILENAME_SIZE_VERSION_400A and sizeof(CHOOSECOLORA) of the build's platform: 76 and
    // 36 bytes in a 32-bit build.
    static constexpr std::uint32_t kOpenFileNameSize400 = sizeof(void*) == 4 ? 76 : 136;
    static constexpr std::uint32_t kChooseColorSize = sizeof(void*) == 4 ? 36 : 72;

    static constexpr std::uint32_t kCcRgbInit = 0x01;
    static constexpr std::uint32_t kCcFullOpen = 0x02;
    static constexpr std::uint32_t kCcSolidColor = 0x80;

    static constexpr std::uint32_t kBifReturnOnlyFsDirs = 0x01;
    static constexpr std::uint32_t kBifDontGoBelowDomain = 0x02;

    static constexpr std::uint32_t kMaxPath = 260;

    // OPENFILENAMEA.
    struct FileDialogRecord {
        std::uint32_t structSize = 0;
        Window owner = 0;
        // Pairs of NUL-terminated texts (description, pattern) ended by an empty text; null
        // for none.
        const char* filter = nullptr;
        std::uint32_t filterIndex = 0;
        // In: the initial file name; out after a choice: the chosen file's full path.
        char* file = nullptr;
        std::uint32_t maxFile = 0;
        char* fileTitle = nullptr;
        std::uint32_t maxFileTitle = 0;
        const char* initialDir = nullptr;
        // Null leaves the title to the system.
        const char* title = nullptr;
        std::uint32_t flags = 0;
    };

    // CHOOSECOLORA.
    struct ColorDialogRecord {
        std::uint32_t structSize = 0;
        Window owner = 0;
        // In with kCcRgbInit: the preset colour; out after OK: the chosen colour.
        std::uint32_t rgbResult = 0;
        // 16 colours, read and written back by the dialog.
        std::uint32_t* customColors = nullptr;
        std::uint32_t flags = 0;
    };

    // BROWSEINFOA; root, display-name buffer, callback and image are 0.
    struct FolderDialogRecord {
        Window owner = 0;
        const char* title = nullptr;
        std::uint32_t flags = 0;
    };

    virtual ~DialogPort() = default;

    // False after a cancel (the file buffer unchanged) or a failure.
    virtual bool getOpenFileName(FileDialogRecord& record) = 0;
    virtual bool getSaveFileName(FileDialogRecord& record) = 0;
    // False after a cancel or a failure.
    virtual bool chooseColor(ColorDialogRecord& record) = 0;
    // The chosen item, 0 after a cancel; the caller frees it with freeIdList.
    virtual ItemIdList browseForFolder(const FolderDialogRecord& info) = 0;
    // Writes the item's file-system path into a buffer of kMaxPath characters; false when
    // the item has none.
    virtual bool getPathFromIdList(ItemIdList item, char* path) = 0;
    // CoTaskMemFree of an item from browseForFolder.
    virtual void freeIdList(ItemIdList item) = 0;
};

} // namespace marlwick
