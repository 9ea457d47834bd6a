#include "tests/fakes/memory_files.h"

#include "editor/operations/backups.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <functional>
#include <new>
#include <string_view>
#include <vector>

namespace marlwick::fakes {
namespace {

// A listing's wildcards: '*' any run of characters, '?' any one; both sides folded.
bool matchesWildcards(std::string_view pattern, std::string_view name) {
    if (pattern.empty())
        return name.empty();
    if (pattern.front() == '*')
        return matchesWildcards(pattern.substr(1), name) ||
               (!name.empty() && matchesWildcards(pattern, name.substr(1)));
    return !name.empty() && (pattern.front() == '?' || pattern.front() == name.front()) &&
           matchesWildcards(pattern.substr(1), name.substr(1));
}

// The ANSI calls take paths shorter than MAX_PATH only.
bool tooLong(const std::string& path) {
    return path.size() >= FilePort::kMaxPath;
}

// "." and ".." steps taken, as the system takes them, never above the root.
std::string withoutDotSteps(std::string_view root, std::string_view rest) {
    std::vector<std::string_view> steps;
    for (std::size_t from = 0; from <= rest.size();) {
        const std::size_t slash = std::min(rest.find('\\', from), rest.size());
        const std::string_view step = rest.substr(from, slash - from);
        if (step == ".." && !steps.empty())
            steps.pop_back();
        else if (!step.empty() && step != "." && step != "..")
            steps.push_back(step);
        from = slash + 1;
    }
    std::string full(root);
    for (std::size_t i = 0; i < steps.size(); ++i)
        full += (i == 0 ? "" : "\\") + std::string(steps[i]);
    if (!rest.empty() && rest.back() == '\\' && !steps.empty())
        full += '\\';
    return full;
}

std::string lowered(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// As the system's calls that fill a caller's buffer with a path: its length without the NUL
// when it fit, else the size needed.
std::uint32_t copyOut(const std::string& text, std::uint32_t bufferLength, char* buffer) {
    const auto length = static_cast<std::uint32_t>(text.size());
    if (length + 1 > bufferLength)
        return length + 1;
    std::memcpy(buffer, text.c_str(), length + 1);
    return length;
}

// A drive (c:) or a share (\\server\share) of the key is one volume.
std::uint32_t volumeOf(const std::string& key) {
    const std::size_t rootEnd =
        key.starts_with("\\\\") ? key.find('\\', key.find('\\', 2) + 1) : key.find('\\');
    return static_cast<std::uint32_t>(std::hash<std::string>{}(key.substr(0, rootEnd)));
}

} // namespace

MemoryFiles::MemoryFiles() {
    addFolder("C:\\Temp");
    addFolder(kLocalAppData);
}

std::string MemoryFiles::key(const std::string& path) const {
    std::string folded = lowered(path.empty() ? path : fullPathOf(path));
    while (folded.size() > 2 && folded.back() == '\\')
        folded.pop_back();
    return withAliasTaken(folded);
}

// A name that is no 8.3 name has an alias of its first letters, a '~' and a number (here the
// file's index, which keeps aliases apart), and the first three letters of its extension.
std::string MemoryFiles::aliasOf(const File& file) {
    const std::size_t dot = file.name.rfind('.');
    const std::string stem = file.name.substr(0, dot);
    const std::string extension = dot == std::string::npos ? "" : file.name.substr(dot + 1);
    if (stem.size() <= 8 && extension.size() <= 3 && std::ranges::count(file.name, '.') <= 1 &&
        file.name.find(' ') == std::string::npos)
        return file.name;
    std::string letters;
    std::ranges::copy_if(stem, std::back_inserter(letters),
                         [](char c) { return c != ' ' && c != '.'; });
    const std::string number = std::to_string(file.index);
    std::string alias =
        letters.substr(0, 7 - std::min<std::size_t>(number.size(), 6)) + "~" + number;
    if (!extension.empty())
        alias += "." + extension.substr(0, 3);
    std::ranges::transform(alias, alias.begin(),
                           [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return alias;
}

// The key of the file whose alias the last part of the key is, where one is.
std::string MemoryFiles::withAliasTaken(const std::string& key) const {
    const std::string parent = parentOf(key);
    if (parent.empty() || key.find('~', parent.size()) == std::string::npos || files_.contains(key))
        return key;
    const std::string name = key.substr(parent.size() + 1);
    const auto aliased = std::ranges::find_if(files_, [&](const auto& entry) {
        return parentOf(entry.first) == parent && lowered(aliasOf(entry.second)) == name;
    });
    return aliased == files_.end() ? key : aliased->first;
}

std::string MemoryFiles::parentOf(const std::string& key) {
    const auto slash = key.rfind('\\');
    return slash == std::string::npos ? std::string() : key.substr(0, slash);
}

bool MemoryFiles::folderExists(const std::string& key) const {
    // A drive's root always exists.
    if (key.size() == 2 && key[1] == ':')
        return true;
    return folders_.contains(key);
}

void MemoryFiles::addFolder(const std::string& path) {
    for (std::string folder = key(path); !folder.empty() && !folderExists(folder);
         folder = parentOf(folder))
        folders_.insert(folder);
}

void MemoryFiles::addFile(const std::string& path, std::string bytes, bool readOnly) {
    const std::string k = key(path);
    addFolder(parentOf(path));
    files_[k] =
        File{path.substr(path.rfind('\\') + 1), std::move(bytes), readOnly, 0, 0, ++nextIndex_};
    touch(files_[k]);
}

void MemoryFiles::touch(File& file) {
    ++file.modifications;
    file.lastWriteTime = ++clock_;
}

void MemoryFiles::setReadOnly(const std::string& path, bool readOnly) {
    files_.at(key(path)).readOnly = readOnly;
}

void MemoryFiles::setLastWriteTime(const std::string& path, std::uint64_t time) {
    files_.at(key(path)).lastWriteTime = time;
}

std::optional<std::string> MemoryFiles::contents(const std::string& path) const {
    const auto it = files_.find(key(path));
    if (it == files_.end())
        return std::nullopt;
    return it->second.bytes;
}

std::string MemoryFiles::shortPathOf(const std::string& path) const {
    const auto it = files_.find(key(path));
    if (it == files_.end())
        return path;
    return path.substr(0, path.rfind('\\') + 1) + aliasOf(it->second);
}

std::vector<std::string> MemoryFiles::filesIn(const std::string& folder) const {
    std::vector<std::string> names;
    const std::string k = key(folder);
    for (const auto& [fileKey, file] : files_)
        if (parentOf(fileKey) == k)
            names.push_back(file.name);
    return names;
}

std::uint64_t MemoryFiles::modificationsOf(const std::string& path) const {
    const auto it = files_.find(key(path));
    return it == files_.end() ? 0 : it->second.modifications;
}

void MemoryFiles::failCall(Call call, std::uint32_t error, int occurrence) {
    faults_.push_back({call, error, occurrence});
}

bool MemoryFiles::enter(Call call) {
    ++calls_;
    if (powerCutAt_ != 0 && calls_ >= powerCutAt_)
        powerIsOff_ = true;
    if (powerIsOff_) {
        // Handles are closed while the cut unwinds the caller: that must not throw again.
        if (call == Call::CloseHandle || call == Call::FindClose)
            return failWith(kErrorInvalidHandle);
        throw PowerCut{};
    }
    for (Meanwhile& work : meanwhile_)
        if (work.call == call && work.remaining > 0 && --work.remaining == 0)
            work.work();
    if (outOfMemoryAt_ == call) {
        outOfMemoryAt_.reset();
        throw std::bad_alloc();
    }
    for (auto& fault : faults_) {
        if (fault.call == call && fault.remaining > 0 && --fault.remaining == 0)
            return failWith(fault.error);
    }
    return true;
}

bool MemoryFiles::failWith(std::uint32_t error) {
    lastError_ = error;
    return false;
}

// What the system says of a missing file: whether its folder is missing too.
std::uint32_t MemoryFiles::missingError(const std::string& k) const {
    return folderExists(parentOf(k)) ? kErrorFileNotFound : kErrorPathNotFound;
}

bool MemoryFiles::isOpen(const std::string& k) const {
    return std::ranges::any_of(handles_, [&](const auto& entry) { return entry.second.key == k; });
}

// Each open handle must share what the new one asks for, and the new one must share what
// each open handle holds.
bool MemoryFiles::sharingAllows(const std::string& k, std::uint32_t access,
                                std::uint32_t shareMode) const {
    const auto permits = [](std::uint32_t share, std::uint32_t wanted) {
        return (!(wanted & kGenericRead) || (share & kShareRead)) &&
               (!(wanted & kGenericWrite) || (share & kShareWrite));
    };
    return std::ranges::all_of(handles_, [&](const auto& entry) {
        const Open& open = entry.second;
        return open.key != k ||
               (permits(open.shareMode, access) && permits(shareMode, open.access));
    });
}

FilePort::Handle MemoryFiles::refuse(std::uint32_t error) {
    failWith(error);
    return kInvalidHandle;
}

std::uint64_t MemoryFiles::usedBytes() const {
    std::uint64_t used = 0;
    for (const auto& entry : files_)
        used += entry.second.bytes.size();
    return used;
}

std::uint32_t MemoryFiles::getFileAttributes(const std::string& path) {
    if (!enter(Call::GetFileAttributes))
        return kInvalidAttributes;
    if (tooLong(path)) {
        failWith(kErrorFilenameExcedRange);
        return kInvalidAttributes;
    }
    const std::string k = key(path);
    if (folderExists(k))
        return kAttributeDirectory;
    const auto it = files_.find(k);
    if (it == files_.end()) {
        failWith(missingError(k));
        return kInvalidAttributes;
    }
    return it->second.readOnly ? kAttributeReadOnly : kAttributeArchive;
}

bool MemoryFiles::getFileAttributesEx(const std::string& path, FileAttributeData* data) {
    if (!enter(Call::GetFileAttributesEx))
        return false;
    if (tooLong(path))
        return failWith(kErrorFilenameExcedRange);
    const std::string k = key(path);
    if (folderExists(k)) {
        *data = {kAttributeDirectory, 0, 0};
        return true;
    }
    const auto it = files_.find(k);
    if (it == files_.end())
        return failWith(missingError(k));
    const File& file = it->second;
    *data = {file.readOnly ? kAttributeReadOnly : kAttributeArchive, file.lastWriteTime,
             file.bytes.size()};
    return true;
}

FilePort::Handle MemoryFiles::createFile(const std::string& path, std::uint32_t access,
                                         std::uint32_t shareMode, std::uint32_t disposition,
                                         std::uint32_t) {
    if (!enter(Call::CreateFile))
        return kInvalidHandle;
    if (tooLong(path))
        return refuse(kErrorFilenameExcedRange);
    const std::string k = key(path);
    if (!folderExists(parentOf(k)))
        return refuse(kErrorPathNotFound);
    if (folderExists(k))
        return refuse(kErrorAccessDenied);
    auto it = files_.find(k);
    if (disposition == kOpenExisting && it == files_.end())
        return refuse(kErrorFileNotFound);
    if (it != files_.end() && it->second.readOnly && (access & kGenericWrite))
        return refuse(kErrorAccessDenied);
    if (!sharingAllows(k, access, shareMode))
        return refuse(kErrorSharingViolation);
    if (disposition == kCreateAlways) {
        if (it == files_.end())
            it = files_
                     .emplace(
                         k, File{path.substr(path.rfind('\\') + 1), {}, false, 0, 0, ++nextIndex_})
                     .first;
        it->second.bytes.clear();
        touch(it->second);
    }
    const Handle handle = nextHandle_++;
    handles_[handle] = Open{k, access, shareMode};
    return handle;
}

bool MemoryFiles::getFileSize(Handle file, std::uint64_t* size) {
    if (!enter(Call::GetFileSize))
        return false;
    const auto it = handles_.find(file);
    if (it == handles_.end())
        return failWith(kErrorInvalidHandle);
    *size = files_.at(it->second.key).bytes.size();
    return true;
}

bool MemoryFiles::readFile(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t* read) {
    *read = 0;
    if (!enter(Call::ReadFile))
        return false;
    const auto it = handles_.find(file);
    if (it == handles_.end() || !(it->second.access & kGenericRead))
        return failWith(it == handles_.end() ? kErrorInvalidHandle : kErrorAccessDenied);
    Open& open = it->second;
    const std::string& bytes = files_.at(open.key).bytes;
    const std::size_t count =
        std::min<std::size_t>(toRead, bytes.size() - std::min(open.position, bytes.size()));
    std::memcpy(buffer, bytes.data() + open.position, count);
    if (auto damaged = damagedReads_.find(open.key); count > 0 && damaged != damagedReads_.end()) {
        Damage& damage = damaged->second;
        if (damage.after > 0) {
            --damage.after;
        } else if (damage.reads > 0) {
            --damage.reads;
            static_cast<char*>(buffer)[0] ^= 0x20;
        }
    }
    open.position += count;
    *read = static_cast<std::uint32_t>(count);
    return true;
}

bool MemoryFiles::writeFile(Handle file, const void* data, std::uint32_t toWrite,
                            std::uint32_t* written) {
    *written = 0;
    if (!enter(Call::WriteFile))
        return false;
    const auto it = handles_.find(file);
    if (it == handles_.end() || !(it->second.access & kGenericWrite))
        return failWith(it == handles_.end() ? kErrorInvalidHandle : kErrorAccessDenied);
    Open& open = it->second;
    File& target = files_.at(open.key);
    const std::uint64_t growth = open.position + toWrite > target.bytes.size()
                                     ? open.position + toWrite - target.bytes.size()
                                     : 0;
    const std::uint64_t room =
        freeBytes_ == UINT64_MAX ? UINT64_MAX : freeBytes_ - std::min(freeBytes_, usedBytes());
    const std::uint32_t count =
        growth <= room ? toWrite : static_cast<std::uint32_t>(toWrite - (growth - room));
    // Overwrites what lies at the position and appends the rest, without filling first.
    const std::size_t overwritten =
        std::min<std::size_t>(count, target.bytes.size() - open.position);
    target.bytes.replace(open.position, overwritten, static_cast<const char*>(data), count);
    open.position += count;
    touch(target);
    *written = count;
    return count == toWrite || failWith(kErrorDiskFull);
}

bool MemoryFiles::flushFileBuffers(Handle file) {
    if (!enter(Call::FlushFileBuffers))
        return false;
    return handles_.contains(file) || failWith(kErrorInvalidHandle);
}

bool MemoryFiles::closeHandle(Handle file) {
    // A failed close still releases the handle, as the system does.
    const bool entered = enter(Call::CloseHandle);
    if (handles_.erase(file) == 0)
        return failWith(kErrorInvalidHandle);
    return entered;
}

bool MemoryFiles::moveFileEx(const std::string& from, const std::string& to, std::uint32_t flags) {
    if (!enter(Call::MoveFileEx))
        return false;
    if (tooLong(from) || tooLong(to))
        return failWith(kErrorFilenameExcedRange);
    const std::string source = key(from);
    const std::string target = key(to);
    const auto it = files_.find(source);
    if (it == files_.end())
        return failWith(missingError(source));
    if (!folderExists(parentOf(target)))
        return failWith(kErrorPathNotFound);
    if (isOpen(source))
        return failWith(kErrorSharingViolation);
    const auto existing = files_.find(target);
    if (existing != files_.end()) {
        if (!(flags & kMoveReplaceExisting))
            return failWith(kErrorAlreadyExists);
        // An open target is refused like a read-only one: access denied, no sharing violation.
        if (existing->second.readOnly || isOpen(target))
            return failWith(kErrorAccessDenied);
    }
    File moved = std::move(it->second);
    files_.erase(it);
    moved.name = to.substr(to.rfind('\\') + 1);
    files_[target] = std::move(moved);
    return true;
}

bool MemoryFiles::deleteFile(const std::string& path) {
    if (!enter(Call::DeleteFile))
        return false;
    if (tooLong(path))
        return failWith(kErrorFilenameExcedRange);
    const std::string k = key(path);
    const auto it = files_.find(k);
    if (it == files_.end())
        return failWith(missingError(k));
    if (it->second.readOnly)
        return failWith(kErrorAccessDenied);
    if (isOpen(k))
        return failWith(kErrorSharingViolation);
    files_.erase(it);
    return true;
}

// The copy keeps the source's last write time, as the system's does.
bool MemoryFiles::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    if (!enter(Call::CopyFile))
        return false;
    if (tooLong(from) || tooLong(to))
        return failWith(kErrorFilenameExcedRange);
    const auto source = files_.find(key(from));
    if (source == files_.end())
        return failWith(missingError(key(from)));
    const std::string target = key(to);
    if (!folderExists(parentOf(target)))
        return failWith(kErrorPathNotFound);
    const auto existing = files_.find(target);
    if (existing != files_.end() && failIfExists)
        return failWith(kErrorFileExists);
    if (existing != files_.end() && existing->second.readOnly)
        return failWith(kErrorAccessDenied);
    if (isOpen(target))
        return failWith(kErrorSharingViolation);
    File copy = source->second;
    copy.name = to.substr(to.rfind('\\') + 1);
    copy.readOnly = false;
    copy.index = existing != files_.end() ? existing->second.index : ++nextIndex_;
    ++copy.modifications;
    files_[target] = std::move(copy);
    return true;
}

std::uint32_t MemoryFiles::getTempPath(std::uint32_t bufferLength, char* buffer) {
    if (!enter(Call::GetTempPath))
        return 0;
    return copyOut(tempFolder_, bufferLength, buffer);
}

// As the system does: numbers from a running counter, skipping names in use, the file
// created empty so that no later call hands out its name again.
std::uint32_t MemoryFiles::getTempFileName(const std::string& folder, const std::string& prefix,
                                           std::uint32_t unique, char* name) {
    if (!enter(Call::GetTempFileName))
        return 0;
    if (!folderExists(key(folder))) {
        failWith(kErrorDirectory);
        return 0;
    }
    const std::string stem = folder.ends_with('\\') ? folder : folder + '\\';
    const std::string start = stem + prefix.substr(0, 3);
    auto nameFor = [&](std::uint32_t number) {
        char digits[9];
        std::snprintf(digits, sizeof digits, "%X", number & 0xFFFF);
        return start + digits + ".tmp";
    };
    if (nameFor(0xFFFF).size() >= kMaxPath) {
        failWith(kErrorBufferOverflow);
        return 0;
    }
    std::uint32_t number = unique;
    for (int tries = 0; unique == 0; ++tries) {
        if (tries == 0xFFFF) {
            failWith(kErrorFileExists);
            return 0;
        }
        number = nextUnique_++ % 0xFFFF + 1;
        if (!files_.contains(key(nameFor(number)))) {
            addFile(nameFor(number), {});
            break;
        }
    }
    const std::string made = nameFor(number);
    std::memcpy(name, made.c_str(), made.size() + 1);
    return number;
}

// Only the current folder of the current drive is known; another drive's is its root.
std::string MemoryFiles::fullPathOf(const std::string& path) const {
    std::string given = path;
    std::ranges::replace(given, '/', '\\');
    const std::string_view current = currentFolder_;
    if (given.starts_with("\\\\")) {
        const std::size_t server = given.find('\\', 2);
        const std::size_t share =
            server == std::string::npos ? server : given.find('\\', server + 1);
        const std::size_t rootEnd = share == std::string::npos ? given.size() : share + 1;
        return withoutDotSteps(std::string_view(given).substr(0, rootEnd),
                               std::string_view(given).substr(rootEnd));
    }
    if (given.size() >= 2 && given[1] == ':') {
        const std::string_view rest = std::string_view(given).substr(2);
        if (rest.starts_with('\\'))
            return withoutDotSteps(given.substr(0, 2) + "\\", rest.substr(1));
        const bool currentDrive = std::tolower(static_cast<unsigned char>(given[0])) ==
                                  std::tolower(static_cast<unsigned char>(current[0]));
        if (!currentDrive)
            return withoutDotSteps(given.substr(0, 2) + "\\", rest);
        return withoutDotSteps(current.substr(0, 3),
                               std::string(current.substr(3)) + "\\" + std::string(rest));
    }
    if (given.starts_with('\\'))
        return withoutDotSteps(current.substr(0, 3), std::string_view(given).substr(1));
    return withoutDotSteps(current.substr(0, 3), std::string(current.substr(3)) + "\\" + given);
}

std::uint32_t MemoryFiles::getFullPathName(const std::string& path, std::uint32_t bufferLength,
                                           char* buffer) {
    if (!enter(Call::GetFullPathName))
        return 0;
    if (path.empty()) {
        failWith(kErrorInvalidName);
        return 0;
    }
    return copyOut(fullPathOf(path), bufferLength, buffer);
}

std::int32_t MemoryFiles::shGetFolderPath(std::int32_t folder, char* path) {
    constexpr std::int32_t kEInvalidArg = static_cast<std::int32_t>(0x80070057);
    if (!enter(Call::ShGetFolderPath))
        return static_cast<std::int32_t>(lastError_);
    if (folder != kCsidlLocalAppData)
        return kEInvalidArg;
    std::memcpy(path, kLocalAppData, std::strlen(kLocalAppData) + 1);
    return kSOk;
}

bool MemoryFiles::createDirectory(const std::string& path) {
    if (!enter(Call::CreateDirectory))
        return false;
    if (tooLong(path))
        return failWith(kErrorFilenameExcedRange);
    const std::string k = key(path);
    if (folderExists(k) || files_.contains(k))
        return failWith(kErrorAlreadyExists);
    if (!folderExists(parentOf(k)))
        return failWith(kErrorPathNotFound);
    folders_.insert(k);
    return true;
}

// As the system lists a folder other than a drive's root: "." and ".." first, then its
// folders and files.
std::vector<FilePort::FindData> MemoryFiles::entriesMatching(const std::string& folderKey,
                                                             const std::string& namePattern) const {
    std::vector<FindData> entries;
    const auto add = [&](const std::string& name, std::uint32_t attributes) {
        if (matchesWildcards(namePattern, key(name)))
            entries.push_back({attributes, name});
    };
    if (folderKey.size() > 2) {
        add(".", kAttributeDirectory);
        add("..", kAttributeDirectory);
    }
    for (const std::string& folder : folders_)
        if (parentOf(folder) == folderKey)
            add(folder.substr(folderKey.size() + 1), kAttributeDirectory);
    for (const auto& [fileKey, file] : files_)
        if (parentOf(fileKey) == folderKey)
            add(file.name, file.readOnly ? kAttributeReadOnly : kAttributeArchive);
    return entries;
}

FilePort::Handle MemoryFiles::findFirstFile(const std::string& pattern, FindData* data) {
    if (!enter(Call::FindFirstFile))
        return kInvalidHandle;
    if (tooLong(pattern))
        return refuse(kErrorFilenameExcedRange);
    const std::string k = key(pattern);
    if (!folderExists(parentOf(k)))
        return refuse(kErrorPathNotFound);
    Find find{entriesMatching(parentOf(k), k.substr(k.rfind('\\') + 1))};
    if (find.entries.empty())
        return refuse(kErrorFileNotFound);
    *data = find.entries[find.next++];
    const Handle handle = nextHandle_++;
    finds_[handle] = std::move(find);
    return handle;
}

bool MemoryFiles::findNextFile(Handle find, FindData* data) {
    if (!enter(Call::FindNextFile))
        return false;
    const auto it = finds_.find(find);
    if (it == finds_.end())
        return failWith(kErrorInvalidHandle);
    Find& listing = it->second;
    if (listing.next == listing.entries.size())
        return failWith(kErrorNoMoreFiles);
    *data = listing.entries[listing.next++];
    return true;
}

bool MemoryFiles::findClose(Handle find) {
    const bool entered = enter(Call::FindClose);
    if (finds_.erase(find) == 0)
        return failWith(kErrorInvalidHandle);
    return entered;
}

// The system finds each part of the path by its name or alias and gives the names as listed;
// "." and ".." stay as written. Any part missing is a missing file.
std::uint32_t MemoryFiles::getLongPathName(const std::string& path, std::uint32_t bufferLength,
                                           char* buffer) {
    if (!enter(Call::GetLongPathName))
        return 0;
    const std::string k = key(path);
    const auto file = files_.find(k);
    if (file == files_.end() && !folderExists(k)) {
        failWith(kErrorFileNotFound);
        return 0;
    }
    if (file == files_.end())
        return copyOut(path, bufferLength, buffer);
    const std::string folder = path.substr(0, path.find_last_of("\\/:") + 1);
    return copyOut(folder + file->second.name, bufferLength, buffer);
}

bool MemoryFiles::getFileInformationByHandle(Handle file, FileInformation* information) {
    if (!enter(Call::GetFileInformationByHandle))
        return false;
    const auto it = handles_.find(file);
    if (it == handles_.end())
        return failWith(kErrorInvalidHandle);
    *information = {volumeOf(it->second.key), files_.at(it->second.key).index};
    return true;
}

std::string backupFolder(std::string_view below) {
    std::string folder(below);
    for (const std::string_view level : kBackupFolderLevels)
        folder.append(folder.empty() ? "" : "\\").append(level);
    return folder;
}

} // namespace marlwick::fakes
