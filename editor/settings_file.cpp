#include "editor/settings_file.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <utility>

namespace marlwick {
namespace {

using Handle = FilePort::Handle;

// One call per file of any usual size; old network redirectors refuse single transfers of
// 64 MB and more.
constexpr std::size_t kTransferChunk = std::size_t{32} << 20;

// The first letters of the temporary file's name, which the system completes.
constexpr std::string_view kTemporaryPrefix = "mwk";

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

struct WriteFailure {
    ReplaceStep step;
    std::uint32_t error;
};

// The system names and creates a new empty file beside the target, so that no file of the
// user's is ever opened for writing and the name fits wherever the target fits.
std::optional<std::string> createTemporaryBeside(FilePort& files, const std::string& path) {
    // With its backslash: "E:" alone would be the drive's current folder, not its root.
    const std::size_t slash = path.rfind('\\');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    std::array<char, FilePort::kMaxPath> name{};
    if (files.getTempFileName(folder, std::string(kTemporaryPrefix), 0, name.data()) == 0)
        return std::nullopt;
    return std::string(name.data());
}

// Writes the text to a temporary file and moves it over the target. On failure the
// temporary file is gone and the target untouched.
std::optional<WriteFailure> writeAndMove(FilePort& files, const std::string& path,
                                         std::string_view text) {
    const std::optional<std::string> temporary = createTemporaryBeside(files, path);
    if (!temporary)
        return WriteFailure{ReplaceStep::CreateTemporary, files.getLastError()};
    OpenFile file(files, files.createFile(*temporary, FilePort::kGenericWrite, 0,
                                          FilePort::kCreateAlways, FilePort::kFlagWriteThrough));
    auto fail = [&](ReplaceStep step) {
        const std::uint32_t error = files.getLastError();
        if (file.valid())
            file.close();
        files.deleteFile(*temporary);
        return WriteFailure{step, error};
    };
    if (!file.valid())
        return fail(ReplaceStep::CreateTemporary);
    if (!writeAll(files, file.get(), text))
        return fail(ReplaceStep::Write);
    if (!files.flushFileBuffers(file.get()))
        return fail(ReplaceStep::Flush);
    if (!file.close())
        return fail(ReplaceStep::Close);
    if (!files.moveFileEx(*temporary, path,
                          FilePort::kMoveReplaceExisting | FilePort::kMoveWriteThrough))
        return fail(ReplaceStep::Replace);
    return std::nullopt;
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

// Compared piece by piece, without a copy of the whole file.
bool fileHolds(FilePort& files, const std::string& path, std::string_view text) {
    OpenFile file(files, files.createFile(path, FilePort::kGenericRead, FilePort::kShareRead,
                                          FilePort::kOpenExisting, 0));
    std::uint64_t size = 0;
    if (!file.valid() || !files.getFileSize(file.get(), &size) || size != text.size())
        return false;
    std::array<char, 1 << 16> piece;
    for (;;) {
        std::uint32_t read = 0;
        if (!files.readFile(file.get(), piece.data(), piece.size(), &read))
            return false;
        if (read == 0)
            return text.empty();
        if (read > text.size() || std::memcmp(piece.data(), text.data(), read) != 0)
            return false;
        text.remove_prefix(read);
    }
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

ReplaceResult replaceWholeFile(FilePort& files, const std::string& path, std::string_view newText,
                               std::string_view oldText) {
    if (isReadOnly(files, path))
        return {ReplaceOutcome::Unchanged, ReplaceStep::ReadOnly, FilePort::kErrorAccessDenied};

    if (const auto failure = writeAndMove(files, path, newText))
        return {ReplaceOutcome::Unchanged, failure->step, failure->error};

    if (fileHolds(files, path, newText))
        return {ReplaceOutcome::Replaced};

    const std::uint32_t error = files.getLastError();
    if (!writeAndMove(files, path, oldText) && fileHolds(files, path, oldText))
        return {ReplaceOutcome::RestoredOld, ReplaceStep::ReadBack, error};
    return {ReplaceOutcome::RestoreFailed, ReplaceStep::ReadBack, error};
}

NewFile writeNewFileIn(FilePort& files, const std::string& folder, std::string_view text) {
    std::array<char, FilePort::kMaxPath> name{};
    if (files.getTempFileName(folder, std::string(kTemporaryPrefix), 0, name.data()) == 0)
        return {{}, files.getLastError()};
    const std::string path = name.data();
    OpenFile file(files, files.createFile(path, FilePort::kGenericWrite, 0, FilePort::kCreateAlways,
                                          FilePort::kFlagWriteThrough));
    if (file.valid() && writeAll(files, file.get(), text) && files.flushFileBuffers(file.get()) &&
        file.close())
        return {path, 0};
    const std::uint32_t error = files.getLastError();
    if (file.valid())
        file.close();
    files.deleteFile(path);
    return {{}, error};
}

} // namespace marlwick
