#include "editor/win32/win32_file_port.h"

#include <windows.h>

#include <shlobj.h>

namespace marlwick {
namespace {

// The port restates the platform's numbers so that portable code needs no <windows.h>.
static_assert(FilePort::kInvalidAttributes == INVALID_FILE_ATTRIBUTES);
static_assert(FilePort::kAttributeReadOnly == FILE_ATTRIBUTE_READONLY);
static_assert(FilePort::kAttributeDirectory == FILE_ATTRIBUTE_DIRECTORY);
static_assert(FilePort::kAttributeArchive == FILE_ATTRIBUTE_ARCHIVE);
static_assert(FilePort::kGenericRead == GENERIC_READ);
static_assert(FilePort::kGenericWrite == GENERIC_WRITE);
static_assert(FilePort::kShareRead == FILE_SHARE_READ);
static_assert(FilePort::kShareWrite == FILE_SHARE_WRITE);
static_assert(FilePort::kShareDelete == FILE_SHARE_DELETE);
static_assert(FilePort::kCreateNew == CREATE_NEW);
static_assert(FilePort::kCreateAlways == CREATE_ALWAYS);
static_assert(FilePort::kOpenExisting == OPEN_EXISTING);
static_assert(FilePort::kFlagWriteThrough == FILE_FLAG_WRITE_THROUGH);
static_assert(FilePort::kMoveReplaceExisting == MOVEFILE_REPLACE_EXISTING);
static_assert(FilePort::kMoveWriteThrough == MOVEFILE_WRITE_THROUGH);
static_assert(FilePort::kErrorFileNotFound == ERROR_FILE_NOT_FOUND);
static_assert(FilePort::kErrorPathNotFound == ERROR_PATH_NOT_FOUND);
static_assert(FilePort::kErrorAccessDenied == ERROR_ACCESS_DENIED);
static_assert(FilePort::kErrorInvalidHandle == ERROR_INVALID_HANDLE);
static_assert(FilePort::kErrorSharingViolation == ERROR_SHARING_VIOLATION);
// The backups report a failed allocation with it.
static_assert(system_codes::kErrorNotEnoughMemory == ERROR_NOT_ENOUGH_MEMORY);
static_assert(FilePort::kErrorFileExists == ERROR_FILE_EXISTS);
static_assert(FilePort::kErrorBufferOverflow == ERROR_BUFFER_OVERFLOW);
static_assert(FilePort::kErrorDiskFull == ERROR_DISK_FULL);
static_assert(FilePort::kErrorInvalidName == ERROR_INVALID_NAME);
static_assert(FilePort::kErrorAlreadyExists == ERROR_ALREADY_EXISTS);
static_assert(FilePort::kErrorFilenameExcedRange == ERROR_FILENAME_EXCED_RANGE);
static_assert(FilePort::kErrorDirectory == ERROR_DIRECTORY);
static_assert(FilePort::kMaxPath == MAX_PATH);

HANDLE toSystem(FilePort::Handle file) {
    return reinterpret_cast<HANDLE>(file);
}

} // namespace

std::uint32_t Win32FilePort::getFileAttributes(const std::string& path) {
    return GetFileAttributesA(path.c_str());
}

bool Win32FilePort::getFileAttributesEx(const std::string& path, FileAttributeData* data) {
    WIN32_FILE_ATTRIBUTE_DATA found;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &found))
        return false;
    data->attributes = found.dwFileAttributes;
    data->lastWriteTime = (std::uint64_t{found.ftLastWriteTime.dwHighDateTime} << 32) |
                          found.ftLastWriteTime.dwLowDateTime;
    data->size = (std::uint64_t{found.nFileSizeHigh} << 32) | found.nFileSizeLow;
    return true;
}

FilePort::Handle Win32FilePort::createFile(const std::string& path, std::uint32_t access,
                                           std::uint32_t shareMode, std::uint32_t disposition,
                                           std::uint32_t flags) {
    HANDLE file = CreateFileA(path.c_str(), access, shareMode, nullptr, disposition,
                              flags | FILE_ATTRIBUTE_NORMAL, nullptr);
    return file == INVALID_HANDLE_VALUE ? kInvalidHandle : reinterpret_cast<Handle>(file);
}

bool Win32FilePort::getFileSize(Handle file, std::uint64_t* size) {
    LARGE_INTEGER value;
    if (!GetFileSizeEx(toSystem(file), &value))
        return false;
    *size = static_cast<std::uint64_t>(value.QuadPart);
    return true;
}

bool Win32FilePort::readFile(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t* read) {
    DWORD done = 0;
    const BOOL ok = ReadFile(toSystem(file), buffer, toRead, &done, nullptr);
    *read = done;
    return ok != FALSE;
}

bool Win32FilePort::writeFile(Handle file, const void* data, std::uint32_t toWrite,
                              std::uint32_t* written) {
    DWORD done = 0;
    const BOOL ok = WriteFile(toSystem(file), data, toWrite, &done, nullptr);
    *written = done;
    return ok != FALSE;
}

bool Win32FilePort::flushFileBuffers(Handle file) {
    return FlushFileBuffers(toSystem(file)) != FALSE;
}

bool Win32FilePort::closeHandle(Handle file) {
    return CloseHandle(toSystem(file)) != FALSE;
}

bool Win32FilePort::moveFileEx(const std::string& from, const std::string& to,
                               std::uint32_t flags) {
    return MoveFileExA(from.c_str(), to.c_str(), flags) != FALSE;
}

bool Win32FilePort::deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

bool Win32FilePort::copyFile(const std::string& from, const std::string& to, bool failIfExists) {
    return CopyFileA(from.c_str(), to.c_str(), failIfExists) != FALSE;
}

std::uint32_t Win32FilePort::getLastError() {
    return GetLastError();
}

std::uint32_t Win32FilePort::getTempPath(std::uint32_t bufferLength, char* buffer) {
    return GetTempPathA(bufferLength, buffer);
}

std::uint32_t Win32FilePort::getTempFileName(const std::string& folder, const std::string& prefix,
                                             std::uint32_t unique, char* name) {
    return GetTempFileNameA(folder.c_str(), prefix.c_str(), unique, name);
}

std::uint32_t Win32FilePort::getFullPathName(const std::string& path, std::uint32_t bufferLength,
                                             char* buffer) {
    return GetFullPathNameA(path.c_str(), bufferLength, buffer, nullptr);
}

std::int32_t Win32FilePort::shGetFolderPath(std::int32_t folder, char* path) {
    return SHGetFolderPathA(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path);
}

bool Win32FilePort::createDirectory(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

FilePort::Handle Win32FilePort::findFirstFile(const std::string& pattern, FindData* data) {
    WIN32_FIND_DATAA found;
    HANDLE find = FindFirstFileA(pattern.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return kInvalidHandle;
    *data = {found.dwFileAttributes, found.cFileName};
    return reinterpret_cast<Handle>(find);
}

bool Win32FilePort::findNextFile(Handle find, FindData* data) {
    WIN32_FIND_DATAA found;
    if (!FindNextFileA(toSystem(find), &found))
        return false;
    *data = {found.dwFileAttributes, found.cFileName};
    return true;
}

bool Win32FilePort::findClose(Handle find) {
    return FindClose(toSystem(find)) != FALSE;
}

std::uint32_t Win32FilePort::getLongPathName(const std::string& path, std::uint32_t bufferLength,
                                             char* buffer) {
    return GetLongPathNameA(path.c_str(), buffer, bufferLength);
}

bool Win32FilePort::getFileInformationByHandle(Handle file, FileInformation* information) {
    BY_HANDLE_FILE_INFORMATION found;
    if (!GetFileInformationByHandle(toSystem(file), &found))
        return false;
    information->volumeSerialNumber = found.dwVolumeSerialNumber;
    information->fileIndex = (std::uint64_t{found.nFileIndexHigh} << 32) | found.nFileIndexLow;
    return true;
}

} // namespace marlwick
