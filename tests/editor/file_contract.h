// The contract that the file port keeps, run natively against the in-memory model and under
// Wine against the real file system, so that the model the editor's fault tests lean on
// cannot drift from the platform. Included by exactly one test file per program, which
// instantiates it with its target.
#pragma once

#include "editor/system/file_port.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace marlwick {

// What a test works on: the port, a fresh empty folder of its own, and the few things the
// port cannot do itself.
class FileTarget {
  public:
    virtual ~FileTarget() = default;
    virtual FilePort& files() = 0;
    // Without a trailing backslash.
    virtual std::string folder() = 0;
    virtual void makeFolder(const std::string& path) = 0;
    virtual void setReadOnly(const std::string& path) = 0;
    // In 100 ns units since 1601, as GetFileAttributesEx reports it.
    virtual void setLastWriteTime(const std::string& path, std::uint64_t time) = 0;
    // Whether writing to or replacing a read-only file is refused, as Windows does. Wine
    // leaves the check for writing to the Unix permissions, which do not stop root, and
    // renames over read-only files whoever runs it.
    virtual bool guardsReadOnlyFiles() = 0;
    // The number of open file handles, where the target can count them.
    virtual std::optional<int> openHandles() = 0;
    // The path with the file's 8.3 alias as its last part.
    virtual std::string shortPathOf(const std::string& path) = 0;
};

struct FileTargetKind {
    std::string name;
    std::function<std::unique_ptr<FileTarget>()> make;
};

inline void PrintTo(const FileTargetKind& kind, std::ostream* out) {
    *out << kind.name;
}

namespace file_contract {

using Port = FilePort;

constexpr std::uint32_t kReadWrite = Port::kGenericRead | Port::kGenericWrite;
// 1 January 2001, long before any test runs.
constexpr std::uint64_t kLongAgo = 126227808000000000;

inline std::string lowered(std::string text) {
    std::ranges::transform(text, text.begin(),
                           [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// A handle the test holds, closed when it goes out of scope.
class Held {
  public:
    Held(Port& files, Port::Handle handle) : files_(files), handle_(handle) {}
    Held(const Held&) = delete;
    Held& operator=(const Held&) = delete;
    ~Held() {
        if (valid())
            files_.closeHandle(handle_);
    }
    bool valid() const { return handle_ != Port::kInvalidHandle; }
    Port::Handle get() const { return handle_; }

  private:
    Port& files_;
    Port::Handle handle_;
};

} // namespace file_contract

class FileContract : public ::testing::TestWithParam<FileTargetKind> {
  protected:
    using Port = FilePort;
    using Held = file_contract::Held;

    void SetUp() override { target = GetParam().make(); }

    void TearDown() override {
        if (auto handles = target->openHandles()) {
            EXPECT_EQ(*handles, 0) << "a file handle was left open";
        }
        target.reset();
    }

    FilePort& files() { return target->files(); }
    std::string path(const std::string& name) { return target->folder() + "\\" + name; }

    std::unique_ptr<Held> open(const std::string& file, std::uint32_t access,
                               std::uint32_t share = 0,
                               std::uint32_t disposition = Port::kOpenExisting) {
        return std::make_unique<Held>(files(),
                                      files().createFile(file, access, share, disposition, 0));
    }

    // The error of an open that failed, 0 for one that worked (and is closed again).
    std::uint32_t openError(const std::string& file, std::uint32_t access, std::uint32_t share = 0,
                            std::uint32_t disposition = Port::kOpenExisting) {
        return open(file, access, share, disposition)->valid() ? 0 : files().getLastError();
    }

    // The error a call left when it failed, 0 when it worked.
    std::uint32_t errorOf(bool succeeded) { return succeeded ? 0 : files().getLastError(); }

    std::uint32_t attributesError(const std::string& file) {
        return errorOf(files().getFileAttributes(file) != Port::kInvalidAttributes);
    }

    // Creates the file or empties it, then writes the bytes, as the replacement does.
    void write(const std::string& file, const std::string& bytes) {
        const auto held = std::make_unique<Held>(
            files(), files().createFile(file, Port::kGenericWrite, 0, Port::kCreateAlways,
                                        Port::kFlagWriteThrough));
        ASSERT_TRUE(held->valid()) << file << ": error " << files().getLastError();
        std::uint32_t written = 0;
        ASSERT_TRUE(files().writeFile(held->get(), bytes.data(),
                                      static_cast<std::uint32_t>(bytes.size()), &written));
        ASSERT_EQ(written, bytes.size());
    }

    std::optional<std::string> read(const std::string& file) {
        const auto held = open(file, Port::kGenericRead, Port::kShareRead);
        std::uint64_t size = 0;
        if (!held->valid() || !files().getFileSize(held->get(), &size))
            return std::nullopt;
        std::string bytes(static_cast<std::size_t>(size), '\0');
        std::uint32_t done = 0;
        if (!files().readFile(held->get(), bytes.data(), static_cast<std::uint32_t>(size), &done))
            return std::nullopt;
        bytes.resize(done);
        return bytes;
    }

    Port::FileAttributeData attributeData(const std::string& file) {
        Port::FileAttributeData data;
        EXPECT_TRUE(files().getFileAttributesEx(file, &data))
            << file << ": error " << files().getLastError();
        return data;
    }

    // What tells the file apart: its volume and index, from a handle that asks for no access.
    std::optional<std::pair<std::uint32_t, std::uint64_t>> identityOf(const std::string& file) {
        const Held held(
            files(),
            files().createFile(file, 0, Port::kShareRead | Port::kShareWrite | Port::kShareDelete,
                               Port::kOpenExisting, 0));
        Port::FileInformation information;
        if (!held.valid() || !files().getFileInformationByHandle(held.get(), &information))
            return std::nullopt;
        return std::pair(information.volumeSerialNumber, information.fileIndex);
    }

    // A path of exactly this many characters in the test's folder; no part longer than
    // a file system allows.
    std::string pathOfLength(std::size_t length) {
        const std::string inner = path(std::string(150, 'd'));
        if (files().getFileAttributes(inner) == Port::kInvalidAttributes)
            target->makeFolder(inner);
        return inner + "\\" + std::string(length - inner.size() - 1, 'f');
    }

    std::unique_ptr<FileTarget> target;
};

// ---- Opening ----------------------------------------------------------------------------

TEST_P(FileContract, CreateAlwaysMakesANewFileOrEmptiesTheOldOne) {
    const std::string file = path("a.xml");
    {
        const auto made = open(file, Port::kGenericWrite, 0, Port::kCreateAlways);
        ASSERT_TRUE(made->valid());
        std::uint64_t size = 1;
        EXPECT_TRUE(files().getFileSize(made->get(), &size));
        EXPECT_EQ(size, 0u);
    }
    write(file, "old bytes");
    EXPECT_EQ(openError(file, Port::kGenericWrite, 0, Port::kCreateAlways), 0u);
    EXPECT_EQ(read(file), "");
}

TEST_P(FileContract, OpenExistingNeedsTheFileAndItsFolder) {
    target->makeFolder(path("folder"));
    const struct {
        std::string file;
        std::uint32_t access;
        std::uint32_t disposition;
        std::uint32_t error;
    } cases[] = {
        {path("missing.xml"), Port::kGenericRead, Port::kOpenExisting, Port::kErrorFileNotFound},
        {path("missing\\a.xml"), Port::kGenericRead, Port::kOpenExisting, Port::kErrorPathNotFound},
        {path("missing\\a.xml"), Port::kGenericWrite, Port::kCreateAlways,
         Port::kErrorPathNotFound},
        {path("folder"), Port::kGenericRead, Port::kOpenExisting, Port::kErrorAccessDenied},
        {path("folder"), Port::kGenericWrite, Port::kCreateAlways, Port::kErrorAccessDenied},
    };
    for (const auto& each : cases) {
        EXPECT_EQ(openError(each.file, each.access, 0, each.disposition), each.error)
            << each.file << " disposition " << each.disposition;
    }
}

TEST_P(FileContract, NamesAreComparedWithoutCase) {
    write(path("Settings.xml"), "bytes");
    EXPECT_EQ(read(path("SETTINGS.XML")), "bytes");
    write(path("settings.xml"), "new");
    EXPECT_EQ(read(path("Settings.xml")), "new");
}

// ---- Reading and writing ----------------------------------------------------------------

TEST_P(FileContract, ReadsAndWritesGoOnFromWhereTheLastStopped) {
    const std::string file = path("a.xml");
    {
        const auto held = open(file, Port::kGenericWrite, 0, Port::kCreateAlways);
        std::uint32_t written = 0;
        EXPECT_TRUE(files().writeFile(held->get(), "abc", 3, &written));
        EXPECT_TRUE(files().writeFile(held->get(), "def", 3, &written));
        EXPECT_EQ(written, 3u);
        std::uint64_t size = 0;
        EXPECT_TRUE(files().getFileSize(held->get(), &size));
        EXPECT_EQ(size, 6u);
        EXPECT_TRUE(files().flushFileBuffers(held->get()));
    }
    {
        // Opening an existing file for writing keeps its bytes and starts at the beginning.
        const auto held = open(file, Port::kGenericWrite);
        std::uint32_t written = 0;
        EXPECT_TRUE(files().writeFile(held->get(), "XY", 2, &written));
    }
    const auto held = open(file, Port::kGenericRead, Port::kShareRead);
    char buffer[8] = {};
    std::uint32_t read = 0;
    EXPECT_TRUE(files().readFile(held->get(), buffer, 4, &read));
    EXPECT_EQ(std::string(buffer, read), "XYcd");
    EXPECT_TRUE(files().readFile(held->get(), buffer, 4, &read));
    EXPECT_EQ(std::string(buffer, read), "ef");
    // At the end a read succeeds with nothing.
    EXPECT_TRUE(files().readFile(held->get(), buffer, 4, &read));
    EXPECT_EQ(read, 0u);
}

TEST_P(FileContract, HandlesDoOnlyWhatTheyWereOpenedFor) {
    const std::string file = path("a.xml");
    write(file, "bytes");
    char buffer[8];
    std::uint32_t done = 9;
    {
        const auto reader = open(file, Port::kGenericRead);
        EXPECT_EQ(errorOf(files().writeFile(reader->get(), "x", 1, &done)),
                  Port::kErrorAccessDenied);
        EXPECT_EQ(done, 0u);
    }
    {
        const auto writer = open(file, Port::kGenericWrite);
        EXPECT_EQ(errorOf(files().readFile(writer->get(), buffer, 1, &done)),
                  Port::kErrorAccessDenied);
    }
    const Port::Handle handle =
        files().createFile(file, Port::kGenericRead, 0, Port::kOpenExisting, 0);
    EXPECT_TRUE(files().closeHandle(handle));
    EXPECT_EQ(errorOf(files().closeHandle(handle)), Port::kErrorInvalidHandle);
    EXPECT_EQ(read(file), "bytes");
}

// ---- Sharing ----------------------------------------------------------------------------

TEST_P(FileContract, EachHandleMustShareWhatTheOthersAskFor) {
    const std::uint32_t r = Port::kGenericRead, w = Port::kGenericWrite,
                        shareRead = Port::kShareRead;
    const struct {
        std::uint32_t heldAccess, heldShare, access, share, disposition, error;
    } cases[] = {
        // Readers that share reading: more readers, no writer.
        {r, shareRead, r, shareRead, Port::kOpenExisting, 0},
        {r, shareRead, w, shareRead, Port::kOpenExisting, Port::kErrorSharingViolation},
        {r, shareRead, w, 0, Port::kCreateAlways, Port::kErrorSharingViolation},
        // A reader that does not share reading keeps other readers out, either way round.
        {r, 0, r, shareRead, Port::kOpenExisting, Port::kErrorSharingViolation},
        {r, shareRead, r, 0, Port::kOpenExisting, Port::kErrorSharingViolation},
        // A writer keeps readers out unless they share writing.
        {w, 0, r, shareRead, Port::kOpenExisting, Port::kErrorSharingViolation},
        {w, shareRead, r, shareRead, Port::kOpenExisting, Port::kErrorSharingViolation},
        {file_contract::kReadWrite, 0, w, 0, Port::kOpenExisting, Port::kErrorSharingViolation},
    };
    const std::string file = path("a.xml");
    write(file, "bytes");
    for (const auto& each : cases) {
        const auto held = open(file, each.heldAccess, each.heldShare);
        ASSERT_TRUE(held->valid());
        EXPECT_EQ(openError(file, each.access, each.share, each.disposition), each.error)
            << "held " << each.heldAccess << "/" << each.heldShare << ", asked " << each.access
            << "/" << each.share;
    }
    EXPECT_EQ(read(file), "bytes") << "a refused CREATE_ALWAYS must not empty the file";
}

// ---- Moving -----------------------------------------------------------------------------

TEST_P(FileContract, MoveReplacesAnExistingFileOnlyWhenAsked) {
    const std::string from = path("from.tmp"), to = path("to.xml");
    write(from, "new");
    EXPECT_EQ(errorOf(files().moveFileEx(from, to, 0)), 0u);
    EXPECT_EQ(attributesError(from), Port::kErrorFileNotFound);
    EXPECT_EQ(read(to), "new");

    write(from, "newer");
    EXPECT_EQ(errorOf(files().moveFileEx(from, to, Port::kMoveWriteThrough)),
              Port::kErrorAlreadyExists);
    EXPECT_EQ(read(to), "new");
    EXPECT_EQ(read(from), "newer");
    EXPECT_EQ(
        errorOf(files().moveFileEx(from, to, Port::kMoveReplaceExisting | Port::kMoveWriteThrough)),
        0u);
    EXPECT_EQ(read(to), "newer");
    EXPECT_EQ(attributesError(from), Port::kErrorFileNotFound);
}

TEST_P(FileContract, MoveNeedsTheSourceAndTheTargetsFolder) {
    write(path("a.xml"), "bytes");
    const auto move = [&](const std::string& from, const std::string& to) {
        return errorOf(files().moveFileEx(path(from), path(to), Port::kMoveReplaceExisting));
    };
    EXPECT_EQ(move("missing.xml", "b.xml"), Port::kErrorFileNotFound);
    EXPECT_EQ(move("missing\\a.xml", "b.xml"), Port::kErrorPathNotFound);
    EXPECT_EQ(move("a.xml", "missing\\b.xml"), Port::kErrorPathNotFound);
    EXPECT_EQ(read(path("a.xml")), "bytes");
}

TEST_P(FileContract, MoveRefusesAnOpenSourceOrTarget) {
    const std::string from = path("from.tmp"), to = path("to.xml");
    write(from, "new");
    write(to, "old");
    {
        // A file in use is not replaced: access denied, not a sharing violation.
        const auto reader = open(to, Port::kGenericRead, Port::kShareRead);
        EXPECT_EQ(errorOf(files().moveFileEx(from, to, Port::kMoveReplaceExisting)),
                  Port::kErrorAccessDenied);
    }
    {
        const auto reader = open(from, Port::kGenericRead, Port::kShareRead);
        EXPECT_EQ(errorOf(files().moveFileEx(from, to, Port::kMoveReplaceExisting)),
                  Port::kErrorSharingViolation);
    }
    EXPECT_EQ(read(to), "old");
    EXPECT_EQ(read(from), "new");
}

// ---- Deleting and copying ---------------------------------------------------------------

TEST_P(FileContract, DeleteRefusesOpenFiles) {
    const std::string file = path("a.xml");
    write(file, "bytes");
    {
        const auto reader = open(file, Port::kGenericRead, Port::kShareRead);
        EXPECT_EQ(errorOf(files().deleteFile(file)), Port::kErrorSharingViolation);
    }
    EXPECT_EQ(errorOf(files().deleteFile(file)), 0u);
    EXPECT_EQ(errorOf(files().deleteFile(file)), Port::kErrorFileNotFound);
    EXPECT_EQ(errorOf(files().deleteFile(path("missing\\a.xml"))), Port::kErrorPathNotFound);
}

TEST_P(FileContract, CopyKeepsTheBytesAndTheLastWriteTime) {
    const std::string from = path("from.exe"), to = path("to.exe");
    write(from, "program");
    target->setLastWriteTime(from, file_contract::kLongAgo);
    EXPECT_EQ(errorOf(files().copyFile(from, to, true)), 0u);
    EXPECT_EQ(read(to), "program");
    EXPECT_EQ(attributeData(to).lastWriteTime, file_contract::kLongAgo);

    write(from, "newer program");
    EXPECT_EQ(errorOf(files().copyFile(from, to, true)), Port::kErrorFileExists);
    EXPECT_EQ(errorOf(files().copyFile(from, to, false)), 0u);
    EXPECT_EQ(read(to), "newer program");
    EXPECT_EQ(errorOf(files().copyFile(path("missing.exe"), to, false)), Port::kErrorFileNotFound);
    EXPECT_EQ(errorOf(files().copyFile(from, path("missing\\to.exe"), false)),
              Port::kErrorPathNotFound);
}

TEST_P(FileContract, ReadOnlyFilesAreReadButNotDeletedWrittenOrReplaced) {
    const std::string source = path("new.tmp");
    const struct {
        std::string name;
        std::function<std::uint32_t(const std::string&)> attempt;
    } attempts[] = {
        {"open for writing",
         [&](const std::string& file) { return openError(file, Port::kGenericWrite); }},
        {"create always",
         [&](const std::string& file) {
             return openError(file, Port::kGenericWrite, 0, Port::kCreateAlways);
         }},
        {"copy over",
         [&](const std::string& file) { return errorOf(files().copyFile(source, file, false)); }},
        {"move over",
         [&](const std::string& file) {
             return errorOf(files().moveFileEx(source, file, Port::kMoveReplaceExisting));
         }},
    };
    const std::string readOnly = path("read-only.xml");
    write(readOnly, "old");
    target->setReadOnly(readOnly);
    EXPECT_EQ(read(readOnly), "old");
    EXPECT_EQ(errorOf(files().deleteFile(readOnly)), Port::kErrorAccessDenied);

    const bool guarded = target->guardsReadOnlyFiles();
    for (const auto& each : attempts) {
        const std::string file = path(each.name + ".xml");
        write(file, "old");
        target->setReadOnly(file);
        write(source, "new");
        const std::uint32_t error = each.attempt(file);
        if (guarded) {
            EXPECT_EQ(error, Port::kErrorAccessDenied) << each.name;
            EXPECT_EQ(read(file), "old") << each.name;
        } else {
            EXPECT_TRUE(error == 0 || error == Port::kErrorAccessDenied) << each.name << error;
        }
    }
}

// ---- Attributes -------------------------------------------------------------------------

TEST_P(FileContract, AttributesTellFoldersReadOnlyFilesAndWhatIsMissing) {
    constexpr std::uint32_t kKinds = Port::kAttributeDirectory | Port::kAttributeReadOnly;
    const std::string file = path("a.xml"), readOnly = path("b.xml");
    write(file, "bytes");
    write(readOnly, "bytes");
    target->setReadOnly(readOnly);
    EXPECT_EQ(files().getFileAttributes(file) & kKinds, 0u);
    EXPECT_EQ(files().getFileAttributes(readOnly) & kKinds, Port::kAttributeReadOnly);
    EXPECT_EQ(files().getFileAttributes(target->folder()) & kKinds, Port::kAttributeDirectory);
    EXPECT_EQ(files().getFileAttributes(target->folder() + "\\") & kKinds,
              Port::kAttributeDirectory);
    EXPECT_EQ(attributesError(path("missing.xml")), Port::kErrorFileNotFound);
    EXPECT_EQ(attributesError(path("missing\\a.xml")), Port::kErrorPathNotFound);

    Port::FileAttributeData data;
    EXPECT_EQ(errorOf(files().getFileAttributesEx(path("missing.xml"), &data)),
              Port::kErrorFileNotFound);
    EXPECT_EQ(errorOf(files().getFileAttributesEx(path("missing\\a.xml"), &data)),
              Port::kErrorPathNotFound);
    EXPECT_EQ(attributeData(readOnly).attributes & kKinds, Port::kAttributeReadOnly);
    EXPECT_EQ(attributeData(target->folder()).attributes & kKinds, Port::kAttributeDirectory);
}

TEST_P(FileContract, AttributesGiveTheSizeAndAWriteTimeThatWritesMoveOn) {
    const std::string file = path("a.xml");
    write(file, "12345");
    target->setLastWriteTime(file, file_contract::kLongAgo);
    EXPECT_EQ(attributeData(file).size, 5u);
    EXPECT_EQ(attributeData(file).lastWriteTime, file_contract::kLongAgo);

    EXPECT_EQ(read(file), "12345");
    EXPECT_EQ(attributeData(file).lastWriteTime, file_contract::kLongAgo) << "moved by a read";
    {
        const auto held = open(file, Port::kGenericWrite);
        std::uint32_t written = 0;
        EXPECT_TRUE(files().writeFile(held->get(), "abcdefgh", 8, &written));
    }
    const Port::FileAttributeData written = attributeData(file);
    EXPECT_EQ(written.size, 8u);
    EXPECT_GT(written.lastWriteTime, file_contract::kLongAgo);

    // A move takes the time along.
    target->setLastWriteTime(file, file_contract::kLongAgo);
    ASSERT_TRUE(files().moveFileEx(file, path("b.xml"), 0));
    EXPECT_EQ(attributeData(path("b.xml")).lastWriteTime, file_contract::kLongAgo);
}

// ---- Temporary files --------------------------------------------------------------------

TEST_P(FileContract, TemporaryPathIsAFolderEndingInABackslash) {
    char buffer[Port::kMaxPath + 1] = {};
    const std::uint32_t length = files().getTempPath(sizeof buffer, buffer);
    ASSERT_GT(length, 0u);
    ASSERT_LT(length, sizeof buffer);
    const std::string folder(buffer, length);
    EXPECT_EQ(folder.back(), '\\');
    EXPECT_EQ(files().getFileAttributes(folder) & Port::kAttributeDirectory,
              Port::kAttributeDirectory);
    // Too small a buffer, even by the NUL only: the size needed, with the NUL.
    EXPECT_EQ(files().getTempPath(length, buffer), length + 1);
    EXPECT_EQ(files().getTempPath(1, buffer), length + 1);
    EXPECT_EQ(files().getTempPath(length + 1, buffer), length);
}

TEST_P(FileContract, TemporaryFileNamesAreNewEmptyFilesInTheFolder) {
    char first[Port::kMaxPath] = {}, second[Port::kMaxPath] = {};
    // The folder with and without its backslash, as callers pass either.
    const std::uint32_t one = files().getTempFileName(target->folder() + "\\", "mwkx", 0, first);
    const std::uint32_t two = files().getTempFileName(target->folder(), "mwkx", 0, second);
    ASSERT_NE(one, 0u);
    ASSERT_NE(two, 0u);
    EXPECT_NE(one, two);
    for (const auto& [number, name] : {std::pair{one, first}, std::pair{two, second}}) {
        char expected[16];
        std::snprintf(expected, sizeof expected, "mwk%X.tmp", number);
        // The case of the hex digits varies; names are compared without case anyway.
        EXPECT_EQ(file_contract::lowered(name), file_contract::lowered(path(expected)));
        EXPECT_EQ(read(name), "");
        EXPECT_EQ(openError(name, Port::kGenericWrite, 0, Port::kCreateAlways), 0u) << "left open";
    }
}

TEST_P(FileContract, TemporaryFileNameNeverTakesAnExistingFile) {
    char name[Port::kMaxPath] = {};
    const std::uint32_t first = files().getTempFileName(target->folder(), "mwk", 0, name);
    ASSERT_NE(first, 0u);
    // The names that come next, as far as a running counter or clock would reach soon.
    std::vector<std::string> taken;
    for (std::uint32_t number = first + 1; number <= first + 64; ++number) {
        char file[16];
        std::snprintf(file, sizeof file, "mwk%X.tmp", number & 0xFFFF);
        taken.push_back(path(file));
        write(taken.back(), "taken");
    }
    const std::uint32_t next = files().getTempFileName(target->folder(), "mwk", 0, name);
    ASSERT_NE(next, 0u);
    EXPECT_EQ(read(name), "");
    for (const std::string& file : taken)
        EXPECT_EQ(read(file), "taken") << file;
}

TEST_P(FileContract, TemporaryFileNameNeedsAnExistingFolder) {
    char name[Port::kMaxPath] = {};
    EXPECT_EQ(files().getTempFileName(path("missing"), "mwk", 0, name), 0u);
    EXPECT_EQ(files().getLastError(), Port::kErrorDirectory);
}

// ---- Path lengths -----------------------------------------------------------------------

TEST_P(FileContract, PathsEndBelowTwoHundredAndSixtyCharacters) {
    const std::string longest = pathOfLength(Port::kMaxPath - 1);
    const std::string other = longest.substr(0, longest.size() - 1) + "g";
    write(longest, "bytes");
    EXPECT_EQ(read(longest), "bytes");
    EXPECT_EQ(attributesError(longest), 0u);
    EXPECT_EQ(errorOf(files().copyFile(longest, other, true)), 0u);
    EXPECT_EQ(errorOf(files().moveFileEx(other, longest, Port::kMoveReplaceExisting)), 0u);

    for (const std::size_t length : {std::size_t{Port::kMaxPath} + 1, std::size_t{300}}) {
        SCOPED_TRACE(length);
        const std::string tooLong = pathOfLength(length);
        constexpr std::uint32_t kTooLong = Port::kErrorFilenameExcedRange;
        EXPECT_EQ(openError(tooLong, Port::kGenericWrite, 0, Port::kCreateAlways), kTooLong);
        EXPECT_EQ(attributesError(tooLong), kTooLong);
        EXPECT_EQ(errorOf(files().moveFileEx(tooLong, other, 0)), kTooLong);
        EXPECT_EQ(errorOf(files().copyFile(tooLong, other, false)), kTooLong);
        EXPECT_EQ(errorOf(files().deleteFile(tooLong)), kTooLong);
    }
    // Wine converts the second path of a copy or move without that limit, so these go
    // through there; Windows and the model refuse them.
    EXPECT_EQ(errorOf(files().deleteFile(longest)), 0u);

    // Windows counts the NUL within MAX_PATH, so 260 characters are too many; Wine takes
    // them, its limit is the 260 characters its conversion from ANSI has room for.
    const std::uint32_t error =
        openError(pathOfLength(Port::kMaxPath), Port::kGenericWrite, 0, Port::kCreateAlways);
    EXPECT_TRUE(error == 0 || error == Port::kErrorFilenameExcedRange) << error;
}

// ---- Folders and listings --------------------------------------------------------------

TEST_P(FileContract, LocalApplicationDataIsAFolderAndNewFoldersNeedAParentAndAFreeName) {
    std::array<char, Port::kMaxPath> local{};
    ASSERT_EQ(files().shGetFolderPath(Port::kCsidlLocalAppData, local.data()), Port::kSOk);
    EXPECT_EQ(files().getFileAttributes(local.data()), Port::kAttributeDirectory);
    write(path("a.xml"), "");
    EXPECT_EQ(errorOf(files().createDirectory(path("new"))), 0u);
    EXPECT_EQ(errorOf(files().createDirectory(path("new"))), Port::kErrorAlreadyExists);
    EXPECT_EQ(errorOf(files().createDirectory(path("a.xml"))), Port::kErrorAlreadyExists);
    EXPECT_EQ(errorOf(files().createDirectory(path("missing\\new"))), Port::kErrorPathNotFound);
}

TEST_P(FileContract, ListingsGiveTheDotsFoldersAndFilesThenNoMore) {
    target->makeFolder(path("sub"));
    write(path("Backup 1.xml"), "");
    Port::FindData found;
    const Port::Handle find = files().findFirstFile(path("*"), &found);
    ASSERT_NE(find, Port::kInvalidHandle);
    std::vector<std::pair<std::string, std::uint32_t>> entries;
    do
        entries.emplace_back(file_contract::lowered(found.fileName),
                             found.attributes & Port::kAttributeDirectory);
    while (files().findNextFile(find, &found));
    EXPECT_EQ(files().getLastError(), Port::kErrorNoMoreFiles);
    EXPECT_TRUE(files().findClose(find));
    std::ranges::sort(entries);
    const decltype(entries) expected = {{".", Port::kAttributeDirectory},
                                        {"..", Port::kAttributeDirectory},
                                        {"backup 1.xml", 0},
                                        {"sub", Port::kAttributeDirectory}};
    EXPECT_EQ(entries, expected);
    const auto findError = [&](const std::string& pattern) {
        return errorOf(files().findFirstFile(pattern, &found) != Port::kInvalidHandle);
    };
    EXPECT_EQ(findError(path("*.txt")), Port::kErrorFileNotFound);
    EXPECT_EQ(findError(path("missing\\*")), Port::kErrorPathNotFound);
}

// ---- Telling files apart ---------------------------------------------------------------

TEST_P(FileContract, OneFileHasOneIdentityHoweverItsPathIsWrittenAndWhereverItMoves) {
    target->makeFolder(path("sub"));
    const std::string file = path("Settings of the PC.xml");
    write(file, "bytes");
    write(path("other.xml"), "bytes");
    const auto identity = identityOf(file);
    ASSERT_TRUE(identity);
    const std::string sameFile[] = {path("sub\\..\\Settings of the PC.xml"),
                                    file_contract::lowered(file), target->shortPathOf(file)};
    for (const std::string& written : sameFile)
        EXPECT_EQ(identityOf(written), identity) << written;
    EXPECT_NE(identityOf(path("other.xml")), identity);
    {
        const auto held = open(file, file_contract::kReadWrite);
        EXPECT_EQ(identityOf(file), identity) << "held without sharing";
    }
    ASSERT_TRUE(files().moveFileEx(file, path("sub\\moved.xml"), 0));
    EXPECT_EQ(identityOf(path("sub\\moved.xml")), identity);
    ASSERT_TRUE(files().copyFile(path("sub\\moved.xml"), file, true));
    EXPECT_NE(identityOf(file), identity);

    const Port::Handle handle =
        files().createFile(file, Port::kGenericRead, 0, Port::kOpenExisting, 0);
    files().closeHandle(handle);
    Port::FileInformation information;
    EXPECT_EQ(errorOf(files().getFileInformationByHandle(handle, &information)),
              Port::kErrorInvalidHandle);
}

TEST_P(FileContract, LongPathNamesMakeShortNamesLongAndNeedTheFile) {
    const std::string file = path("Settings of the PC.xml");
    write(file, "");
    const std::string shortPath = target->shortPathOf(file);
    EXPECT_NE(file_contract::lowered(shortPath), file_contract::lowered(file));
    char buffer[Port::kMaxPath] = {};
    for (const std::string& written : {shortPath, file}) {
        const std::uint32_t length = files().getLongPathName(written, sizeof buffer, buffer);
        ASSERT_GT(length, 0u) << written << ": error " << files().getLastError();
        EXPECT_EQ(file_contract::lowered(std::string(buffer, length)),
                  file_contract::lowered(file));
        // Too small a buffer, even by the NUL only: the size needed, with the NUL.
        EXPECT_EQ(files().getLongPathName(written, length, buffer), length + 1);
    }
    EXPECT_EQ(files().getLongPathName(path("missing.xml"), sizeof buffer, buffer), 0u);
    EXPECT_EQ(files().getLastError(), Port::kErrorFileNotFound);
}

} // namespace marlwick
