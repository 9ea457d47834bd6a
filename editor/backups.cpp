#include "editor/backups.h"

#include "editor/paths.h"
#include "editor/settings_file.h"
#include "editor/write_messages.h"
#include "services/system_error_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <compare>
#include <cstdio>
#include <new>
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

constexpr std::uint32_t kErrorNotEnoughMemory = 8;

struct Backup {
    std::string stamp;
    int counter = 1;
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

// Paths as the file system compares them: neither case nor the kind of slash counts.
std::string comparable(std::string_view path) {
    std::string folded(path);
    std::ranges::transform(folded, folded.begin(), [](unsigned char c) {
        return c == '/' ? '\\' : static_cast<char>(std::tolower(c));
    });
    return folded;
}

// Also after a drive letter alone, as in "E:ApplicationSettings.xml".
std::string_view fileNameOf(std::string_view path) {
    return path.substr(path.find_last_of("\\/:") + 1);
}

std::string stampOf(const EditorHost::SystemTime& time) {
    std::array<char, 48> text{}; // room for any 16-bit fields
    std::snprintf(text.data(), text.size(), "%04u-%02u-%02u %02u-%02u-%02u", unsigned{time.year},
                  unsigned{time.month}, unsigned{time.day}, unsigned{time.hour},
                  unsigned{time.minute}, unsigned{time.second});
    return text.data();
}

std::string backupName(std::string_view fileName, std::string_view stamp, int counter) {
    const std::size_t dot = fileName.rfind('.');
    const std::string_view stem = fileName.substr(0, dot);
    const std::string_view extension =
        dot == std::string_view::npos ? std::string_view() : fileName.substr(dot);
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

// The time and counter of a name that backupName made; nothing for any other name. Without
// an extension the whole name holds them, with one the part before its last dot.
std::optional<Backup> parseBackup(const std::string& name) {
    const std::string_view whole = name;
    for (const std::string_view body : {whole, whole.substr(0, whole.rfind('.'))}) {
        const auto [counter, rest] = splitCounter(body);
        const std::size_t stampAt = rest.size() - std::min(rest.size(), kStampShape.size());
        if (stampAt > 0 && rest[stampAt - 1] == ' ' && hasStampShape(rest.substr(stampAt)))
            return Backup{std::string(rest.substr(stampAt)), counter, name};
    }
    return std::nullopt;
}

// The backup folder below the user's local application data, made where missing.
Folder backupFolder(FilePort& files) {
    std::array<char, FilePort::kMaxPath> base{};
    const std::int32_t result = files.shGetFolderPath(FilePort::kCsidlLocalAppData, base.data());
    if (result != FilePort::kSOk)
        return {{}, static_cast<std::uint32_t>(result)};
    std::string path = withoutTrailingBackslash(base.data());
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
        taken.insert(comparable(entry.fileName));
    int counter = 1;
    for (int tries = 0; tries < kMostNameTries; ++tries, ++counter) {
        while (taken.contains(comparable(backupName(fileName, stamp, counter))))
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

bool isKept(const std::string& path, std::span<const std::string> keptPaths) {
    return std::ranges::any_of(
        keptPaths, [&](const std::string& kept) { return comparable(kept) == comparable(path); });
}

// The entries are the folder's before the new backup. Files only: a folder of the user's is
// never a backup, whatever its name.
void removeOldest(FilePort& files, const std::string& folder, const std::vector<FindData>& entries,
                  std::span<const std::string> keptPaths) {
    std::vector<Backup> backups;
    for (const FindData& entry : entries) {
        const auto backup = (entry.attributes & FilePort::kAttributeDirectory)
                                ? std::nullopt
                                : parseBackup(entry.fileName);
        if (backup)
            backups.push_back(*backup);
    }
    // The new backup counts among those kept.
    if (backups.size() < kBackupsKept)
        return;
    std::ranges::sort(backups, std::greater{});
    for (const Backup& old : std::span(backups).subspan(kBackupsKept - 1)) {
        const std::string path = folder + "\\" + old.name;
        if (!isKept(path, keptPaths))
            files.deleteFile(path);
    }
}

std::optional<BackupFailure> backupOf(EditorContext& editor, const std::string& path,
                                      std::string_view bytes) {
    const WindowState& state = editor.model.state;
    const std::array<std::string, 2> keptPaths = {state.targetPath, state.importPath};
    // A large file's listing and copy may not fit; the write goes on without them.
    try {
        return keepBackup(editor.files, editor.host, path, bytes, keptPaths);
    } catch (const std::bad_alloc&) {
        return BackupFailure{kErrorNotEnoughMemory};
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

std::optional<BackupFailure> keepBackup(FilePort& files, EditorHost& host, const std::string& path,
                                        std::string_view bytes,
                                        std::span<const std::string> keptPaths) {
    const Folder folder = backupFolder(files);
    if (folder.path.empty())
        return BackupFailure{folder.error};
    if (folderOf(comparable(path)) == comparable(folder.path))
        return BackupFailure{0};
    const std::vector<FindData> entries = entriesOf(files, folder.path);
    EditorHost::SystemTime now;
    host.getLocalTime(&now);
    const Made made =
        writeBackup(files, folder.path, fileNameOf(path), stampOf(now), bytes, entries);
    if (made.name.empty())
        return BackupFailure{made.error};
    removeOldest(files, folder.path, entries, keptPaths);
    return std::nullopt;
}

bool replaceKeepingBackup(EditorContext& editor, const std::string& path, TextPieces newText,
                          std::string_view oldText) {
    std::optional<BackupFailure> backupFailure;
    if (!sameText(newText, oldText))
        backupFailure = backupOf(editor, path, oldText);
    const ReplaceResult result = replaceWholeFile(editor.files, path, newText, oldText);
    if (result.outcome != ReplaceOutcome::Replaced)
        tell(editor, messages::replaceFailure(path, result));
    if (backupFailure)
        tell(editor, failureMessage(editor, path, *backupFailure));
    return result.outcome == ReplaceOutcome::Replaced;
}

bool replaceKeepingBackup(EditorContext& editor, const std::string& path, std::string_view newText,
                          std::string_view oldText) {
    return replaceKeepingBackup(editor, path, TextPieces(&newText, 1), oldText);
}

} // namespace marlwick
