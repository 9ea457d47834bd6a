#include "editor/system/whole_file.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <utility>

namespace marlwick {
namespace {

using Handle = FilePort::Handle;

// One call per file of any usual size; old network redirectors refuse single transfers of
// 64 MB and more.
constexpr std::size_t kTransferChunk = std::size_t{32} << 20;

// The first letters of the temporary file's name, which the system completes with a number
// and the suffix.
constexpr std::string_view kTemporaryPrefix = "mwk";
constexpr std::string_view kTemporarySuffix = ".tmp";

// Closes a handle when the scope ends, whatever path leaves it.
class OpenFile {
  public:
    OpenFile(FilePort& files, Handle handle) : files_(files), handle_(handle) {}
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    ~OpenFile() {
        if (valid())
            files_.closeHandle(handle_);
    }
    bool valid() const { return handle_ != FilePort::kInvalidHandle; }
    Handle get() const { return handle_; }
    // Closing can fail (a write-back that does not reach the medium); say so.
    bool close() {
        const Handle handle = std::exchange(handle_, FilePort::kInvalidHandle);
        return files_.closeHandle(handle);
    }

  private:
    FilePort& files_;
    Handle handle_;
};

bool writeAll(FilePort& files, Handle file, std::string_view text) {
    while (!text.empty()) {
        const auto size = static_cast<std::uint32_t>(std::min(text.size(), kTransferChunk));
        std::uint32_t written = 0;
        if (!files.writeFile(file, text.data(), size, &written) || written == 0)
            return false;
        text.remove_prefix(std::min<std::size_t>(written, text.size()));
    }
    return true;
}

bool writeAll(FilePort& files, Handle file, TextPieces pieces) {
    return std::ranges::all_of(
        pieces, [&](std::string_view piece) { return writeAll(files, file, piece); });
}

std::size_t sizeOf(TextPieces pieces) {
    std::size_t size = 0;
    for (const std::string_view piece : pieces)
        size += piece.size();
    return size;
}

struct WriteFailure {
    ReplaceStep step;
    std::uint32_t error;
};

// The target's folder, with its backslash, however the path was written: "E:/Navi/x.xml",
// "E:x.xml" (the current folder of E:), a UNC path. Nothing when the system cannot say.
std::optional<std::string> folderOfTarget(FilePort& files, const std::string& path) {
    std::array<char, FilePort::kMaxPath> buffer{};
    const std::uint32_t length =
        files.getFullPathName(path, static_cast<std::uint32_t>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size())
        return std::nullopt;
    const std::string_view full(buffer.data(), length);
    return std::string(full.substr(0, full.rfind('\\') + 1));
}

// A name of the editor's own, for folders too long for the system's temporary names: the
// same pattern, created only where no file has it yet.
std::optional<std::string> createOwnTemporaryIn(FilePort& files, const std::string& folder) {
    constexpr std::uint32_t kNumbers = 0xFFFF;
    const std::string stem = folder.ends_with('\\') ? folder : folder + '\\';
    for (std::uint32_t number = 1; number <= kNumbers; ++number) {
        std::array<char, 5> digits{};
        std::snprintf(digits.data(), digits.size(), "%X", number);
        const std::string name =
            stem + std::string(kTemporaryPrefix) + digits.data() + std::string(kTemporarySuffix);
        const Handle made =
            files.createFile(name, FilePort::kGenericWrite, 0, FilePort::kCreateNew, 0);
        if (made != FilePort::kInvalidHandle) {
            files.closeHandle(made);
            return name;
        }
        if (files.getLastError() != FilePort::kErrorFileExists)
            return std::nullopt;
    }
    return std::nullopt;
}

// A new empty file in the folder, so that no file of the user's is ever opened for writing.
std::optional<std::string> createTemporaryIn(FilePort& files, const std::string& folder) {
    if (folder.size() > FilePort::kMaxTempFolder)
        return createOwnTemporaryIn(files, folder);
    std::array<char, FilePort::kMaxPath> name{};
    if (files.getTempFileName(folder, std::string(kTemporaryPrefix), 0, name.data()) == 0)
        return std::nullopt;
    return std::string(name.data());
}

struct Written {
    std::string path; // empty on failure
    WriteFailure failure{ReplaceStep::None, 0};
};

// Writes the text whole into a new file in the folder, flushed and closed. On failure that
// file is gone.
Written writeTemporaryIn(FilePort& files, const std::string& folder, TextPieces text) {
    const std::optional<std::string> temporary = createTemporaryIn(files, folder);
    if (!temporary)
        return {{}, {ReplaceStep::CreateTemporary, files.getLastError()}};
    OpenFile file(files, files.createFile(*temporary, FilePort::kGenericWrite, 0,
                                          FilePort::kCreateAlways, FilePort::kFlagWriteThrough));
    auto fail = [&](ReplaceStep step) {
        const std::uint32_t error = files.getLastError();
        if (file.valid())
            file.close();
        files.deleteFile(*temporary);
        return Written{{}, {step, error}};
    };
    if (!file.valid())
        return fail(ReplaceStep::CreateTemporary);
    if (!writeAll(files, file.get(), text))
        return fail(ReplaceStep::Write);
    if (!files.flushFileBuffers(file.get()))
        return fail(ReplaceStep::Flush);
    if (!file.close())
        return fail(ReplaceStep::Close);
    return {*temporary, {}};
}

// Writes the text to a new file in the target's own folder, so that the move never crosses
// volumes, and moves it over the target if the target still holds the expected bytes: only the
// compare and the move are left between another program's write and ours. On failure the new
// file is gone and the target untouched.
std::optional<WriteFailure> writeAndMove(FilePort& files, const std::string& path, TextPieces text,
                                         std::string_view expected) {
    const std::optional<std::string> folder = folderOfTarget(files, path);
    if (!folder)
        return WriteFailure{ReplaceStep::CreateTemporary, files.getLastError()};
    const Written written = writeTemporaryIn(files, *folder, text);
    if (written.path.empty())
        return written.failure;
    if (!fileHolds(files, path, expected)) {
        files.deleteFile(written.path);
        return WriteFailure{ReplaceStep::Compare, 0};
    }
    if (!files.moveFileEx(written.path, path,
                          FilePort::kMoveReplaceExisting | FilePort::kMoveWriteThrough)) {
        const std::uint32_t error = files.getLastError();
        files.deleteFile(written.path);
        return WriteFailure{ReplaceStep::Replace, error};
    }
    return std::nullopt;
}

ReplaceResult notReplaced(const WriteFailure& failure) {
    const ReplaceOutcome outcome = failure.step == ReplaceStep::Compare
                                       ? ReplaceOutcome::ChangedMeanwhile
                                       : ReplaceOutcome::Unchanged;
    return {outcome, failure.step, failure.error};
}

// The new text did not read back. The old bytes go back only over what the read-back found, so
// that a file another program wrote meanwhile is left as it is.
ReplaceResult restoreOld(FilePort& files, const std::string& path, std::string_view oldText,
                         std::uint32_t error) {
    const std::optional<std::string> found = readWholeFile(files, path);
    if (!found)
        return {ReplaceOutcome::RestoreFailed, ReplaceStep::ReadBack, error};
    const TextPieces old(&oldText, 1);
    const auto failure = writeAndMove(files, path, old, *found);
    if (failure && failure->step == ReplaceStep::Compare)
        return {ReplaceOutcome::LeftAsFound, ReplaceStep::ReadBack, error};
    if (!failure && fileHolds(files, path, old))
        return {ReplaceOutcome::RestoredOld, ReplaceStep::ReadBack, error};
    return {ReplaceOutcome::RestoreFailed, ReplaceStep::ReadBack, error};
}

} // namespace

bool fileExists(FilePort& files, const std::string& path) {
    const std::uint32_t attributes = files.getFileAttributes(path);
    return attributes != FilePort::kInvalidAttributes &&
           (attributes & FilePort::kAttributeDirectory) == 0;
}

std::optional<std::string> readWholeFile(FilePort& files, const std::string& path) {
    OpenFile file(files, files.createFile(path, FilePort::kGenericRead, FilePort::kShareRead,
                                          FilePort::kOpenExisting, 0));
    if (!file.valid())
        return std::nullopt;
    std::uint64_t size = 0;
    if (!files.getFileSize(file.get(), &size) || size > std::string().max_size())
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    std::size_t done = 0;
    while (done < text.size()) {
        const auto wanted =
            static_cast<std::uint32_t>(std::min(text.size() - done, kTransferChunk));
        std::uint32_t read = 0;
        if (!files.readFile(file.get(), text.data() + done, wanted, &read) || read == 0)
            return std::nullopt;
        done += std::min<std::size_t>(read, wanted);
    }
    // A file that grew while it was read is not what its size said: read it as changed.
    char extra;
    std::uint32_t read = 0;
    if (!files.readFile(file.get(), &extra, 1, &read) || read != 0)
        return std::nullopt;
    return text;
}

bool sameText(TextPieces pieces, std::string_view text) {
    if (sizeOf(pieces) != text.size())
        return false;
    return std::ranges::all_of(pieces, [&](std::string_view piece) {
        // A piece cut from the text itself, in its own place, needs no comparison.
        const bool same = piece.data() == text.data() || text.starts_with(piece);
        text.remove_prefix(piece.size());
        return same;
    });
}

// Compared as it is read, without a copy of the whole file.
bool fileHolds(FilePort& files, const std::string& path, TextPieces text) {
    OpenFile file(files, files.createFile(path, FilePort::kGenericRead, FilePort::kShareRead,
                                          FilePort::kOpenExisting, 0));
    std::uint64_t size = 0;
    if (!file.valid() || !files.getFileSize(file.get(), &size) || size != sizeOf(text))
        return false;
    std::array<char, 1 << 16> read;
    for (std::string_view piece : text) {
        while (!piece.empty()) {
            const auto wanted = static_cast<std::uint32_t>(std::min(piece.size(), read.size()));
            std::uint32_t got = 0;
            if (!files.readFile(file.get(), read.data(), wanted, &got) || got == 0 ||
                got > wanted || std::memcmp(read.data(), piece.data(), got) != 0)
                return false;
            piece.remove_prefix(got);
        }
    }
    // Nothing may follow, even in a file that grew since its size was asked.
    std::uint32_t got = 0;
    return files.readFile(file.get(), read.data(), 1, &got) && got == 0;
}

bool fileHolds(FilePort& files, const std::string& path, std::string_view text) {
    return fileHolds(files, path, TextPieces(&text, 1));
}

std::string temporaryFolder(FilePort& files) {
    std::array<char, 261> buffer{};
    std::uint32_t length =
        files.getTempPath(static_cast<std::uint32_t>(buffer.size()), buffer.data());
    if (length == 0)
        return {};
    if (length < buffer.size())
        return std::string(buffer.data(), length);
    std::string longer(length, '\0');
    length = files.getTempPath(length, longer.data());
    if (length == 0 || length >= longer.size())
        return {};
    longer.resize(length);
    return longer;
}

bool isReadOnly(FilePort& files, const std::string& path) {
    const std::uint32_t attributes = files.getFileAttributes(path);
    return attributes != FilePort::kInvalidAttributes &&
           (attributes & FilePort::kAttributeReadOnly) != 0;
}

ReplaceResult replaceWholeFile(FilePort& files, const std::string& path, TextPieces newText,
                               std::string_view oldText) {
    if (isReadOnly(files, path))
        return {ReplaceOutcome::Unchanged, ReplaceStep::ReadOnly, FilePort::kErrorAccessDenied};
    if (const auto failure = writeAndMove(files, path, newText, oldText))
        return notReplaced(*failure);
    if (fileHolds(files, path, newText))
        return {ReplaceOutcome::Replaced};
    return restoreOld(files, path, oldText, files.getLastError());
}

ReplaceResult replaceWholeFile(FilePort& files, const std::string& path, std::string_view newText,
                               std::string_view oldText) {
    return replaceWholeFile(files, path, TextPieces(&newText, 1), oldText);
}

NewFile writeNewFileIn(FilePort& files, const std::string& folder, std::string_view text) {
    const Written written = writeTemporaryIn(files, folder, TextPieces(&text, 1));
    return {written.path, written.failure.error};
}

} // namespace marlwick
