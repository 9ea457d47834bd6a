// The file calls the editor needs, modelled on their Win32 namesakes: the same arguments,
// the same failure signals (invalid handle, FALSE, an error code from getLastError).
#pragma once

#include "services/system_codes.h"

#include <cstdint>
#include <string>

namespace marlwick {

class FilePort {
  public:
    using Handle = system_codes::Handle;

    static constexpr Handle kInvalidHandle = system_codes::kInvalidHandle;
    static constexpr std::uint32_t kInvalidAttributes = 0xFFFFFFFF;
    static constexpr std::uint32_t kAttributeReadOnly = 0x01;
    static constexpr std::uint32_t kAttributeDirectory = 0x10;
    static constexpr std::uint32_t kAttributeArchive = 0x20;

    static constexpr std::uint32_t kGenericRead = system_codes::kGenericRead;
    static constexpr std::uint32_t kGenericWrite = 0x40000000;
    static constexpr std::uint32_t kShareRead = 1;
    static constexpr std::uint32_t kShareWrite = 2;
    static constexpr std::uint32_t kShareDelete = 4;

    static constexpr std::uint32_t kCreateNew = 1;
    static constexpr std::uint32_t kCreateAlways = 2;
    static constexpr std::uint32_t kOpenExisting = system_codes::kOpenExisting;

    static constexpr std::uint32_t kFlagWriteThrough = 0x80000000;

    static constexpr std::uint32_t kMoveReplaceExisting = 1;
    static constexpr std::uint32_t kMoveWriteThrough = 8;

    static constexpr std::uint32_t kErrorFileNotFound = system_codes::kErrorFileNotFound;
    static constexpr std::uint32_t kErrorPathNotFound = system_codes::kErrorPathNotFound;
    static constexpr std::uint32_t kErrorAccessDenied = system_codes::kErrorAccessDenied;
    static constexpr std::uint32_t kErrorInvalidHandle = system_codes::kErrorInvalidHandle;
    static constexpr std::uint32_t kErrorSharingViolation = system_codes::kErrorSharingViolation;
    static constexpr std::uint32_t kErrorFileExists = 80;
    static constexpr std::uint32_t kErrorBufferOverflow = 111;
    static constexpr std::uint32_t kErrorDiskFull = 112;
    static constexpr std::uint32_t kErrorInvalidName = 123;
    static constexpr std::uint32_t kErrorAlreadyExists = 183;
    static constexpr std::uint32_t kErrorFilenameExcedRange = 206;
    static constexpr std::uint32_t kErrorDirectory = 267;

    // GetTempFileNameA writes at most this many characters with the NUL.
    static constexpr std::uint32_t kMaxPath = 260;
    // GetTempFileNameA takes folders of at most this many characters.
    static constexpr std::uint32_t kMaxTempFolder = kMaxPath - 14;

    // GetFileAttributesExA's answer: attributes, last write time (100 ns units), size.
    struct FileAttributeData {
        std::uint32_t attributes = 0;
        std::uint64_t lastWriteTime = 0;
        std::uint64_t size = 0;
    };

    virtual ~FilePort() = default;

    virtual std::uint32_t getFileAttributes(const std::string& path) = 0;
    virtual bool getFileAttributesEx(const std::string& path, FileAttributeData* data) = 0;
    virtual Handle createFile(const std::string& path, std::uint32_t access,
                              std::uint32_t shareMode, std::uint32_t disposition,
                              std::uint32_t flags) = 0;
    virtual bool getFileSize(Handle file, std::uint64_t* size) = 0;
    virtual bool readFile(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t* read) = 0;
    virtual bool writeFile(Handle file, const void* data, std::uint32_t toWrite,
                           std::uint32_t* written) = 0;
    virtual bool flushFileBuffers(Handle file) = 0;
    virtual bool closeHandle(Handle file) = 0;
    virtual bool moveFileEx(const std::string& from, const std::string& to,
                            std::uint32_t flags) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    virtual bool copyFile(const std::string& from, const std::string& to, bool failIfExists) = 0;
    virtual std::uint32_t getLastError() = 0;
    // Length of the path without its NUL when it fit, else the size needed; 0 on failure.
    virtual std::uint32_t getTempPath(std::uint32_t bufferLength, char* buffer) = 0;
    // With unique 0: creates an empty file of a new name in the folder (the prefix's first
    // three characters, a number, ".tmp") and writes its path to a buffer of kMaxPath
    // characters. The number used, 0 on failure.
    virtual std::uint32_t getTempFileName(const std::string& folder, const std::string& prefix,
                                          std::uint32_t unique, char* name) = 0;
    // The path made absolute as the system resolves it (the current folder of its drive,
    // "/" as "\"): its length without the NUL when it fit, else the size needed; 0 on failure.
    virtual std::uint32_t getFullPathName(const std::string& path, std::uint32_t bufferLength,
                                          char* buffer) = 0;

    // The backups' calls: the user's own folder, new folders, and a folder's listing.
    static constexpr std::int32_t kCsidlLocalAppData = 0x1C;
    static constexpr std::int32_t kSOk = 0;
    static constexpr std::uint32_t kErrorNoMoreFiles = 18;

    // One entry of a listing, as WIN32_FIND_DATAA names it.
    struct FindData {
        std::uint32_t attributes = 0;
        std::string fileName;
    };

    // SHGetFolderPathA for the current user, the folder's current path: kSOk and the path in
    // a buffer of kMaxPath characters, or a failing HRESULT.
    virtual std::int32_t shGetFolderPath(std::int32_t folder, char* path) = 0;
    // CreateDirectoryA without security attributes.
    virtual bool createDirectory(const std::string& path) = 0;
    // FindFirstFileA, FindNextFileA (kErrorNoMoreFiles after the last entry) and FindClose.
    virtual Handle findFirstFile(const std::string& pattern, FindData* data) = 0;
    virtual bool findNextFile(Handle find, FindData* data) = 0;
    virtual bool findClose(Handle find) = 0;

    // The calls that tell whether two paths name one file.

    // BY_HANDLE_FILE_INFORMATION's fields that tell a file apart from every other.
    struct FileInformation {
        std::uint32_t volumeSerialNumber = 0;
        std::uint64_t fileIndex = 0; // nFileIndexHigh, nFileIndexLow
    };

    // GetLongPathNameA: the path with its short names made long; the file must exist. Its
    // length without the NUL when it fit, else the size needed; 0 on failure.
    virtual std::uint32_t getLongPathName(const std::string& path, std::uint32_t bufferLength,
                                          char* buffer) = 0;
    // GetFileInformationByHandle, for a handle opened with any access, also none.
    virtual bool getFileInformationByHandle(Handle file, FileInformation* information) = 0;
};

} // namespace marlwick
