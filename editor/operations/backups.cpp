#include "editor/operations/backups.h"

#include "editor/operations/write_messages.h"
#include "editor/system/file_identity.h"
#include "editor/system/paths.h"
#include "editor/system/whole_file.h"
#include "services/system_codes.h"
#include "services/system_error_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <compare>
#include <cstdio>
#include <iterator>
#include <new>
#include <optional>
#include <set>
#include <utility>
#include <vector>

namespace marlwick {
namespace {

using FindData = FilePort::FindData;

// The local time in a backup's name: a digit wherever '#' stands.
constexpr std::string_view kStampShape = "####-##-## ##-##-##";

// Names tried after the listing's taken ones, for backups made meanwhile by another editor.
constexpr int kMostNameTries = 16;

struct Backup {
    BackupStamp stamp;
    std::string name;

    // Older first: by the time in the name, then by its counter.
    auto operator<=>(const Backup&) const = default;
};

struct Folder {
    std::string path;
    std::uint32_t error = 0;
};

struct Made {
    std::string name;
    std::uint32_t error = 0;
};

std::string stampOf(const EditorHost::SystemTime& time) {
    std::array<char, 48> text{}; // room for any 16-bit fields
    std::snprintf(text.data(), text.size(), "%04u-%02u-%02u %02u-%02u-%02u", unsigned{time.year},
                  unsigned{time.month}, unsigned{time.day}, unsigned{time.hour},
                  unsigned{time.minute}, unsigned{time.second});
    return text.data();
}

// A file name's stem and its extension from the last dot on, empty without a dot.
std::pair<std::string_view, std::string_view> stemAndExtension(std::string_view fileName) {
    const std::size_t dot = std::min(fileName.rfind('.'), fileName.size());
    return {fileName.substr(0, dot), fileName.substr(dot)};
}

std::string backupName(std::string_view fileName, std::string_view stamp, int counter) {
    const auto [stem, extension] = stemAndExtension(fileName);
    std::string name = std::string(stem) + " " + std::string(stamp);
    if (counter > 1)
        name += " (" + std::to_string(counter) + ")";
    return name + std::string(extension);
}

bool hasStampShape(std::string_view text) {
    return std::ranges::equal(text, kStampShape, [](char c, char shape) {
        return shape == '#' ? std::isdigit(static_cast<unsigned char>(c)) != 0 : c == shape;
    });
}

// A counter " (2)" or higher at the end, without leading zeros, and the text before it; 1
// and the whole text without one.
std::pair<int, std::string_view> splitCounter(std::string_view text) {
    const std::size_t open = text.rfind(" (");
    if (!text.ends_with(')') || open == std::string_view::npos)
        return {1, text};
    const std::string_view digits = text.substr(open + 2, text.size() - open - 3);
    int counter = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), counter);
    if (error != std::errc() || end != digits.data() + digits.size() || digits.starts_with('0') ||
        counter < 2)
        return {1, text};
    return {counter, text.substr(0, open)};
}

// The user's local application data, or the system's failing HRESULT.
Folder localAppData(FilePort& files) {
    std::array<char, FilePort::kMaxPath> base{};
    const std::int32_t result = files.shGetFolderPath(FilePort::kCsidlLocalAppData, base.data());
    if (result != FilePort::kSOk)
        return {{}, static_cast<std::uint32_t>(result)};
    return {withoutTrailingBackslash(base.data()), 0};
}

// The backup folder below the user's local application data, made where missing.
Folder backupFolder(FilePort& files) {
    Folder base = localAppData(files);
    if (base.path.empty())
        return base;
    std::string path = std::move(base.path);
    for (const std::string_view level : kBackupFolderLevels) {
        path += "\\" + std::string(level);
        if (!files.createDirectory(path)) {
            const std::uint32_t error = files.getLastError();
            if (error != FilePort::kErrorAlreadyExists)
                return {{}, error};
        }
    }
    return {path, 0};
}

// Closes a listing however the scope is left.
class Listing {
  public:
    Listing(FilePort& files, FilePort::Handle find) : files_(files), find_(find) {}
    Listing(const Listing&) = delete;
    Listing& operator=(const Listing&) = delete;
    ~Listing() {
        if (find_ != FilePort::kInvalidHandle)
            files_.findClose(find_);
    }
    FilePort::Handle get() const { return find_; }

  private:
    FilePort& files_;
    FilePort::Handle find_;
};

// Every entry of the folder, files and folders alike; none when it cannot be listed.
std::vector<FindData> entriesOf(FilePort& files, const std::string& folder) {
    std::vector<FindData> entries(1);
    const Listing find(files, files.findFirstFile(folder + "\\*", &entries.back()));
    if (find.get() == FilePort::kInvalidHandle)
        return {};
    do
        entries.emplace_back();
    while (files.findNextFile(find.get(), &entries.back()));
    entries.pop_back();
    return entries;
}

// The bytes go into a file of the system's naming first, so that no backup's name ever holds
// a part of the bytes; the move then takes the first name that is free.
Made writeBackup(FilePort& files, const std::string& folder, std::string_view fileName,
                 std::string_view stamp, std::string_view bytes,
                 const std::vector<FindData>& entries) {
    const NewFile written = writeNewFileIn(files, folder, bytes);
    if (written.path.empty())
        return {{}, written.error};
    std::set<std::string> taken;
    for (const FindData& entry : entries)
        taken.insert(comparablePath(entry.fileName));
    int counter = 1;
    for (int tries = 0; tries < kMostNameTries; ++tries, ++counter) {
        while (taken.contains(comparablePath(backupName(fileName, stamp, counter))))
            ++counter;
        const std::string name = backupName(fileName, stamp, counter);
        if (files.moveFileEx(written.path, folder + "\\" + name, FilePort::kMoveWriteThrough))
            return {name, 0};
        if (files.getLastError() != FilePort::kErrorAlreadyExists)
            break;
    }
    const std::uint32_t error = files.getLastError();
    files.deleteFile(written.path);
    return {{}, error};
}

// The file's earlier backups in the listing, oldest first. Files only: a folder of the user's
// is never a backup, whatever its name.
std::vector<std::string> earlierBackups(const std::vector<FindData>& entries,
                                        std::string_view fileName) {
    std::vector<Backup> backups;
    for (const FindData& entry : entries) {
        const auto stamp = (entry.attributes & FilePort::kAttributeDirectory)
                               ? std::nullopt
                               : backupStampOf(fileName, entry.fileName);
        if (stamp)
            backups.push_back({*stamp, entry.fileName});
    }
    std::ranges::sort(backups);
    std::vector<std::string> names;
    std::ranges::transform(backups, std::back_inserter(names), &Backup::name);
    return names;
}

std::variant<MadeBackup, BackupFailure> backupOf(EditorContext& editor, const std::string& path,
                                                 std::string_view bytes) {
    // A large file's listing and copy may not fit; the write goes on without them.
    try {
        return keepBackup(editor.files, editor.host, path, bytes);
    } catch (const std::bad_alloc&) {
        return BackupFailure{system_codes::kErrorNotEnoughMemory};
    }
}

void makeRoomAfter(EditorContext& editor, const MadeBackup& made) {
    const WindowState& state = editor.model.state;
    const std::array<std::string, 2> keptPaths = {state.targetPath, state.importPath};
    // Without memory to tell the files apart, none is removed.
    try {
        removeOldestBackups(editor.files, made, keptPaths);
    } catch (const std::bad_alloc&) {
    }
}

std::string failureMessage(EditorContext& editor, const std::string& path,
                           const BackupFailure& failure) {
    if (failure.error == 0)
        return messages::backupOfBackupFolder(path);
    return messages::backupFailed(path, failure.error,
                                  systemErrorText(editor.system, failure.error));
}

} // namespace

std::optional<std::string> backupFolderPath(FilePort& files) {
    std::string path = localAppData(files).path;
    if (path.empty())
        return std::nullopt;
    for (const std::string_view level : kBackupFolderLevels)
        path += "\\" + std::string(level);
    return path;
}

std::vector<std::string> backupsIn(FilePort& files, const std::string& folder,
                                   std::string_view fileName) {
    return earlierBackups(entriesOf(files, folder), fileName);
}

std::optional<BackupStamp> backupStampOf(std::string_view fileName, std::string_view name) {
    const auto [stem, extension] = stemAndExtension(fileName);
    const std::string head = comparablePath(stem) + " ";
    const std::string folded = comparablePath(name);
    if (folded.size() < head.size() + extension.size() || !folded.starts_with(head) ||
        !folded.ends_with(comparablePath(extension)))
        return std::nullopt;
    const std::string_view middle =
        name.substr(head.size(), name.size() - head.size() - extension.size());
    const auto [counter, stamp] = splitCounter(middle);
    if (!hasStampShape(stamp))
        return std::nullopt;
    return BackupStamp{std::string(stamp), counter};
}

std::variant<MadeBackup, BackupFailure>
keepBackup(FilePort& files, EditorHost& host, const std::string& path, std::string_view bytes) {
    const Folder folder = backupFolder(files);
    if (folder.path.empty())
        return BackupFailure{folder.error};
    const std::string longPath = fullLongPath(files, path);
    if (comparablePath(folderOf(longPath)) == comparablePath(fullLongPath(files, folder.path)))
        return BackupFailure{0};
    const std::vector<FindData> entries = entriesOf(files, folder.path);
    EditorHost::SystemTime now;
    host.getLocalTime(&now);
    const std::string_view fileName = fileNameOf(longPath);
    const Made made = writeBackup(files, folder.path, fileName, stampOf(now), bytes, entries);
    if (made.name.empty())
        return BackupFailure{made.error};
    return MadeBackup{folder.path, earlierBackups(entries, fileName)};
}

void removeOldestBackups(FilePort& files, const MadeBackup& made,
                         std::span<const std::string> keptPaths) {
    // The new backup counts among those kept.
    const std::size_t room = kBackupsKept - 1;
    if (made.earlierOldestFirst.size() <= room)
        return;
    std::vector<FileIdentity> kept;
    for (const std::string& path : keptPaths)
        if (!path.empty())
            kept.push_back(identify(files, path));
    const auto oldest =
        std::span(made.earlierOldestFirst).first(made.earlierOldestFirst.size() - room);
    for (const std::string& name : oldest) {
        const std::string path = made.folder + "\\" + name;
        if (!mayBeOneOf(identify(files, path), kept))
            files.deleteFile(path);
    }
}

bool replaceKeepingBackup(EditorContext& editor, const std::string& path, TextPieces newText,
                          std::string_view oldText) {
    std::optional<std::variant<MadeBackup, BackupFailure>> backup;
    if (!sameText(newText, oldText))
        backup = backupOf(editor, path, oldText);
    const ReplaceResult result = replaceWholeFile(editor.files, path, newText, oldText);
    const bool replaced = result.outcome == ReplaceOutcome::Replaced;
    if (!replaced)
        tell(editor, messages::replaceFailure(path, result));
    if (!backup)
        return replaced;
    if (const auto* failure = std::get_if<BackupFailure>(&*backup))
        tell(editor, failureMessage(editor, path, *failure));
    else if (replaced)
        makeRoomAfter(editor, std::get<MadeBackup>(*backup));
    return replaced;
}

bool replaceKeepingBackup(EditorContext& editor, const std::string& path, std::string_view newText,
                          std::string_view oldText) {
    return replaceKeepingBackup(editor, path, TextPieces(&newText, 1), oldText);
}

} // namespace marlwick
