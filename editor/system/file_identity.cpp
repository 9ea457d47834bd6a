#include "editor/system/file_identity.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace marlwick {
namespace {

// Folds as the file system's case table does for Windows-1252: ASCII, the Latin-1 letters,
// and the few letters with their capitals elsewhere (Š, Œ, Ž, Ÿ).
char folded(unsigned char c) {
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || c == 0x8A || c == 0x8C || c == 0x8E)
        return static_cast<char>(c + (c >= 0xC0 ? 0x20 : 0x10));
    if (c == 0x9F)
        return static_cast<char>(0xFF);
    return c == '/' ? '\\' : static_cast<char>(std::tolower(c));
}

// A path from one of the calls that fill a buffer of kMaxPath characters, when it fit.
template <typename Call> std::optional<std::string> pathFrom(Call call) {
    std::array<char, FilePort::kMaxPath> buffer{};
    const std::uint32_t length = call(static_cast<std::uint32_t>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size())
        return std::nullopt;
    return std::string(buffer.data(), length);
}

} // namespace

std::string comparablePath(std::string_view path) {
    std::string result(path.size(), '\0');
    std::ranges::transform(path, result.begin(), [](unsigned char c) { return folded(c); });
    return result;
}

std::string fullLongPath(FilePort& files, const std::string& path) {
    const auto full = pathFrom([&](std::uint32_t length, char* buffer) {
        return files.getFullPathName(path, length, buffer);
    });
    if (!full)
        return path;
    const auto longPath = pathFrom([&](std::uint32_t length, char* buffer) {
        return files.getLongPathName(*full, length, buffer);
    });
    return longPath.value_or(*full);
}

// Opened for no access and sharing everything, so that a file held by another program still
// tells its index.
FileIdentity identify(FilePort& files, const std::string& path) {
    FileIdentity identity{std::nullopt, fullLongPath(files, path)};
    const FilePort::Handle file = files.createFile(
        path, 0, FilePort::kShareRead | FilePort::kShareWrite | FilePort::kShareDelete,
        FilePort::kOpenExisting, 0);
    if (file == FilePort::kInvalidHandle)
        return identity;
    FilePort::FileInformation information;
    if (files.getFileInformationByHandle(file, &information))
        identity.index = {information.volumeSerialNumber, information.fileIndex};
    files.closeHandle(file);
    return identity;
}

bool mayBeOneOf(const FileIdentity& candidate, std::span<const FileIdentity> files) {
    if (!candidate.index)
        return true;
    return std::ranges::any_of(files, [&](const FileIdentity& file) {
        return file.index
                   ? file.index == candidate.index
                   : comparablePath(file.fullLongPath) == comparablePath(candidate.fullLongPath);
    });
}

} // namespace marlwick
