// The editor's file calls, straight to the system.
#pragma once

#include "editor/system/file_port.h"

namespace marlwick {

class Win32FilePort : public FilePort {
  public:
    std::uint32_t getFileAttributes(const std::string& path) override;
    bool getFileAttributesEx(const std::string& path, FileAttributeData* data) override;
    Handle createFile(const std::string& path, std::uint32_t access, std::uint32_t shareMode,
                      std::uint32_t disposition, std::uint32_t flags) override;
    bool getFileSize(Handle file, std::uint64_t* size) override;
    bool readFile(Handle file, void* buffer, std::uint32_t toRead, std::uint32_t* read) override;
    bool writeFile(Handle file, const void* data, std::uint32_t toWrite,
                   std::uint32_t* written) override;
    bool flushFileBuffers(Handle file) override;
    bool closeHandle(Handle file) override;
    bool moveFileEx(const std::string& from, const std::string& to, std::uint32_t flags) override;
    bool deleteFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to, bool failIfExists) override;
    std::uint32_t getLastError() override;
    std::uint32_t getTempPath(std::uint32_t bufferLength, char* buffer) override;
    std::uint32_t getTempFileName(const std::string& folder, const std::string& prefix,
                                  std::uint32_t unique, char* name) override;
    std::uint32_t getFullPathName(const std::string& path, std::uint32_t bufferLength,
                                  char* buffer) override;
    std::int32_t shGetFolderPath(std::int32_t folder, char* path) override;
    bool createDirectory(const std::string& path) override;
    Handle findFirstFile(const std::string& pattern, FindData* data) override;
    bool findNextFile(Handle find, FindData* data) override;
    bool findClose(Handle find) override;
    std::uint32_t getLongPathName(const std::string& path, std::uint32_t bufferLength,
                                  char* buffer) override;
    bool getFileInformationByHandle(Handle file, FileInformation* information) override;
};

} // namespace marlwick
