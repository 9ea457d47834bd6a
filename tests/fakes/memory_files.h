// A faithful in-memory model of the editor's file calls: folders, files as bytes, handles
// with positions, sharing, read-only files, a volume that can fill up, and injected faults
// (a failing call, a power cut that stops everything at a given call, reads that come back
// damaged).
#pragma once

#include "editor/system/file_port.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace marlwick::fakes {

// Thrown when the simulated power goes: nothing after it takes effect.
struct PowerCut {};

class MemoryFiles : public FilePort {
  public:
    enum class Call {
        GetFileAttributes,
        GetFileAttributesEx,
        CreateFile,
        GetFileSize,
        ReadFile,
        WriteFile,
        FlushFileBuffers,
        CloseHandle,
        MoveFileEx,
        DeleteFile,
        CopyFile,
        GetTempPath,
        GetTempFileName,
        GetFullPathName,
        ShGetFolderPath,
        CreateDirectory,
        FindFirstFile,
        FindNextFile,
        FindClose,
        GetLongPathName,
        GetFileInformationByHandle,
    };

    MemoryFiles();

    // The world as a test lays it out.
    void addFolder(const std::string& path);
    void addFile(const std::string& path, std::string bytes, bool readOnly = false);
    // As SetFileAttributes does: the file's bytes and times stay.
    void setReadOnly(const std::string& path, bool readOnly = true);
    std::optional<std::string> contents(const std::string& path) const;
    std::vector<std::string> filesIn(const std::string& folder) const;
    // The path with the file's name as its 8.3 alias, as the system lists it beside a long
    // name; every call takes either.
    std::string shortPathOf(const std::string& path) const;
    int openHandles() const { return static_cast<int>(handles_.size() + finds_.size()); }
    void setTempFolder(std::string path) { tempFolder_ = std::move(path); }
    // The process's current folder ("C:\\" at first), which is also its drive's.
    void setCurrentFolder(std::string path) { currentFolder_ = std::move(path); }
    void setFreeBytes(std::uint64_t bytes) { freeBytes_ = bytes; }
    // Counts every call, whichever kind; a modification counter per file tells writes apart.
    int calls() const { return calls_; }
    std::uint64_t modificationsOf(const std::string& path) const;
    // Every change of a file stamps it with the model's clock, which each change moves on.
    void setLastWriteTime(const std::string& path, std::uint64_t time);

    // Faults.
    void failCall(Call call, std::uint32_t error, int occurrence = 1);
    void cutPowerAtCall(int number) { powerCutAt_ = number; }
    // The call's next use finds no memory left, as a copy of a huge file would.
    void runOutOfMemoryAtCall(Call call) { outOfMemoryAt_ = call; }
    // After the next `after` reads of the file that return bytes, the `reads` following come back
    // with one byte changed.
    void damageReadsOf(const std::string& path, int reads, int after = 0) {
        damagedReads_[key(path)] = {after, reads};
    }
    // Another program's work, done when the call is made for the occurrence-th time.
    void duringCall(Call call, std::function<void()> work, int occurrence = 1) {
        meanwhile_.push_back({call, occurrence, std::move(work)});
    }

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
    std::uint32_t getLastError() override { return lastError_; }
    std::uint32_t getTempPath(std::uint32_t bufferLength, char* buffer) override;
    std::uint32_t getTempFileName(const std::string& folder, const std::string& prefix,
                                  std::uint32_t unique, char* name) override;
    std::uint32_t getFullPathName(const std::string& path, std::uint32_t bufferLength,
                                  char* buffer) override;
    // The user's local application data lies where the system's own prefixes keep it.
    std::int32_t shGetFolderPath(std::int32_t folder, char* path) override;
    bool createDirectory(const std::string& path) override;
    Handle findFirstFile(const std::string& pattern, FindData* data) override;
    bool findNextFile(Handle find, FindData* data) override;
    bool findClose(Handle find) override;
    std::uint32_t getLongPathName(const std::string& path, std::uint32_t bufferLength,
                                  char* buffer) override;
    // A file keeps its index when moved; each drive or share is a volume of its own.
    bool getFileInformationByHandle(Handle file, FileInformation* information) override;

    static constexpr const char* kLocalAppData = "C:\\users\\Nutzer\\AppData\\Local";

  private:
    struct File {
        std::string name; // as created, for listings
        std::string bytes;
        bool readOnly = false;
        std::uint64_t modifications = 0;
        std::uint64_t lastWriteTime = 0;
        std::uint64_t index = 0;
    };
    struct Open {
        std::string key;
        std::uint32_t access;
        std::uint32_t shareMode;
        std::size_t position = 0;
    };
    struct Fault {
        Call call;
        std::uint32_t error;
        int remaining;
    };

    std::string key(const std::string& path) const;
    std::string fullPathOf(const std::string& path) const;
    std::string withAliasTaken(const std::string& key) const;
    static std::string aliasOf(const File& file);
    static std::string parentOf(const std::string& key);
    bool folderExists(const std::string& key) const;
    std::uint32_t missingError(const std::string& key) const;
    bool isOpen(const std::string& key) const;
    bool sharingAllows(const std::string& key, std::uint32_t access, std::uint32_t shareMode) const;
    Handle refuse(std::uint32_t error);
    bool enter(Call call); // counts the call, applies power cuts and injected failures
    bool failWith(std::uint32_t error);
    std::uint64_t usedBytes() const;
    void touch(File& file);

    std::map<std::string, File> files_;
    std::set<std::string> folders_;
    std::map<Handle, Open> handles_;
    std::vector<Fault> faults_;
    struct Damage {
        int after;
        int reads;
    };
    std::map<std::string, Damage> damagedReads_;
    struct Meanwhile {
        Call call;
        int remaining;
        std::function<void()> work;
    };
    std::vector<Meanwhile> meanwhile_;
    std::string tempFolder_ = "C:\\Temp\\";
    std::string currentFolder_ = "C:\\";
    std::uint64_t freeBytes_ = UINT64_MAX;
    std::uint32_t lastError_ = 0;
    Handle nextHandle_ = 0x100;
    // Starts at 1 January 2024 (100 ns units since 1601), so that times a test sets in the
    // past stay older than any change.
    std::uint64_t clock_ = 133485408000000000;
    int calls_ = 0;
    int powerCutAt_ = 0;
    std::uint32_t nextUnique_ = 0x3A7;
    std::uint64_t nextIndex_ = 0;
    bool powerIsOff_ = false;
    std::optional<Call> outOfMemoryAt_;

    // A listing's entries, handed out one by one.
    struct Find {
        std::vector<FindData> entries;
        std::size_t next = 0;
    };
    std::vector<FindData> entriesMatching(const std::string& folderKey,
                                          const std::string& namePattern) const;
    std::map<Handle, Find> finds_;
};

// The editor's backup folder below the given one, the local application data unless told;
// below an empty one, the folder's path relative to it.
std::string backupFolder(std::string_view below = MemoryFiles::kLocalAppData);

} // namespace marlwick::fakes
