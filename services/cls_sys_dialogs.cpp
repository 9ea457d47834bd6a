#include "services/cls_sys_dialogs.h"

#include "services/dialog_texts.h"

namespace marlwick {

namespace {

constexpr std::int32_t kErrorInvalidArgument = 5;
constexpr std::int32_t kErrorSubscriptOutOfRange = 9;
constexpr std::uint32_t kFileBufferSize = DialogPort::kMaxPath - 1;
// 0x80040000 read as a signed number.
constexpr std::int64_t kObjectErrorBase = -2147221504;

} // namespace

clsSysDialogs::clsSysDialogs(DialogPort& dialogs, RegistryPort& registry, SystemPort& system)
    : dialogs_(dialogs), registryPort_(registry), system_(system) {}

clsSysRegistry& clsSysDialogs::registry() {
    if (!registry_)
        registry_.emplace(registryPort_, system_);
    return *registry_;
}

std::string clsSysDialogs::GetOpenFileName(const std::string& InitialPath,
                                           const std::string& FileName,
                                           const std::string& FileTypes, const std::string& Title,
                                           DialogPort::Window hWndOwner) {
    return ShowFileDialog(kOpenDialog, InitialPath, FileName, FileTypes, Title, hWndOwner);
}

std::string clsSysDialogs::GetSaveFileName(const std::string& InitialPath,
                                           const std::string& FileName,
                                           const std::string& FileTypes, const std::string& Title,
                                           DialogPort::Window hWndOwner) {
    return ShowFileDialog(kSaveDialog, InitialPath, FileName, FileTypes, Title, hWndOwner);
}

std::string clsSysDialogs::ShowFileDialog(int kind, const std::string& InitialPath,
                                          const std::string& FileName, const std::string& FileTypes,
                                          const std::string& Title, DialogPort::Window hWndOwner) {
    return passingErrorsOn("cSysDialogs:GetOpenFileName", [&] {
        if (FileName.size() > DialogPort::kMaxPath)
            throw ServiceError(kErrorInvalidArgument, "",
                               "Ungültiger Prozeduraufruf oder ungültiges Argument");
        const std::string filter = ComposeFileFilter(registry(), FileTypes);
        // The 260 characters the dialog gets, and a NUL behind them, so that a name of the
        // full length still ends inside the buffer.
        std::string file = FileName + std::string(DialogPort::kMaxPath + 1 - FileName.size(), '\0');
        std::string fileTitle = file;
        DialogPort::FileDialogRecord record;
        record.structSize = DialogPort::kOpenFileNameSize400;
        record.owner = hWndOwner;
        // An empty text is no filter list; null shows the dialog without file types.
        record.filter = filter.empty() ? nullptr : filter.c_str();
        record.filterIndex = 1;
        record.file = file.data();
        record.maxFile = kFileBufferSize;
        record.fileTitle = fileTitle.data();
        record.maxFileTitle = kFileBufferSize;
        record.initialDir = InitialPath.c_str();
        record.title = Title.empty() ? nullptr : Title.c_str();
        const bool chosen = kind == kOpenDialog ? dialogs_.getOpenFileName(record)
                                                : dialogs_.getSaveFileName(record);
        // Only a choice leaves a path; a failed dialog may leave anything in the buffer (a
        // path too long for it leaves its length), so it counts as a cancel.
        return ClearAPIString(chosen ? file : FileName);
    });
}

// No call of the port raises; an error that reaches here all the same is passed on as an
// object-defined error number.
std::string clsSysDialogs::GetPath(DialogPort::Window hWndOwner) {
    try {
        return choosePath(hWndOwner);
    } catch (ServiceError& error) {
        error.number = static_cast<std::int32_t>(error.number + kObjectErrorBase);
        error.source = "clsRegistry:GetPath";
        throw;
    }
}

std::string clsSysDialogs::choosePath(DialogPort::Window hWndOwner) {
    DialogPort::FolderDialogRecord info;
    info.owner = hWndOwner;
    info.title = "Bitte wählen Sie ein Verzeichnis aus";
    info.flags = DialogPort::kBifReturnOnlyFsDirs | DialogPort::kBifDontGoBelowDomain;
    const DialogPort::ItemIdList item = dialogs_.browseForFolder(info);
    if (item == 0)
        return {};
    std::string path(DialogPort::kMaxPath, ' ');
    const bool hasPath = dialogs_.getPathFromIdList(item, path.data());
    dialogs_.freeIdList(item);
    // An item without a file-system path would otherwise come back as 260 blanks.
    return hasPath ? ClearAPIString(path) : std::string();
}

std::size_t clsSysDialogs::slotOf(std::int32_t Index) {
    if (Index < 1 || Index > 16)
        throw ServiceError(kErrorSubscriptOutOfRange, "",
                           "Der Index muss zwischen 1 und 16 liegen.");
    return static_cast<std::size_t>(Index - 1);
}

void clsSysDialogs::CustomizedColor(std::int32_t Index, std::int32_t NewColor) {
    customColors_[slotOf(Index)] = static_cast<std::uint32_t>(NewColor);
}

std::int32_t clsSysDialogs::CustomizedColor(std::int32_t Index) const {
    return static_cast<std::int32_t>(customColors_[slotOf(Index)]);
}

std::int32_t clsSysDialogs::GetColor(std::int32_t InitColor, DialogPort::Window hWndOwner) {
    return passingErrorsOn("cSysDialogs:GetColor",
                           [&] { return chooseColor(InitColor, hWndOwner); });
}

std::int32_t clsSysDialogs::chooseColor(std::int32_t InitColor, DialogPort::Window hWndOwner) {
    DialogPort::ColorDialogRecord record;
    record.structSize = DialogPort::kChooseColorSize;
    record.owner = hWndOwner;
    record.customColors = customColors_.data();
    record.flags = DialogPort::kCcFullOpen | DialogPort::kCcSolidColor;
    if (InitColor != -1) {
        record.rgbResult = static_cast<std::uint32_t>(InitColor);
        record.flags |= DialogPort::kCcRgbInit;
    }
    return dialogs_.chooseColor(record) ? static_cast<std::int32_t>(record.rgbResult) : -1;
}

} // namespace marlwick
