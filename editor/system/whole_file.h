// Reading a settings file whole and replacing it whole, as raw bytes: no code-page
// conversion, no line-end change, nothing added. The medium may be pulled or full at any
// moment, so a replacement never leaves the file deleted, partial or unverified.
#pragma once

#include "editor/system/file_port.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace marlwick {

// A file (not a folder) is at the path.
bool fileExists(FilePort& files, const std::string& path);

// The file's whole content, or nothing when it cannot be opened or read completely.
std::optional<std::string> readWholeFile(FilePort& files, const std::string& path);

// A text as pieces that follow each other, so that a large file is written and compared
// without joining them first.
using TextPieces = std::span<const std::string_view>;

// The pieces joined are the text.
bool sameText(TextPieces pieces, std::string_view text);

// The file holds exactly these bytes.
bool fileHolds(FilePort& files, const std::string& path, TextPieces text);
bool fileHolds(FilePort& files, const std::string& path, std::string_view text);

// The system's temporary folder, with its trailing backslash; empty when unknown.
std::string temporaryFolder(FilePort& files);

// The user marked the file read-only; the editor leaves such a file alone.
bool isReadOnly(FilePort& files, const std::string& path);

enum class ReplaceStep {
    ReadOnly,
    CreateTemporary,
    Write,
    Flush,
    Close,
    Compare,
    Replace,
    ReadBack,
    None
};

enum class ReplaceOutcome {
    Replaced,         // the file holds the new text, read back and compared
    Unchanged,        // a step before the replacement failed: the file holds its old bytes
    ChangedMeanwhile, // right before the move the file held other bytes than the old ones
    RestoredOld,      // the new text did not read back; the old bytes were put back
    RestoreFailed,    // neither the new text nor the old bytes could be confirmed
    LeftAsFound,      // the new text did not read back, and the file changed again since
};

struct ReplaceResult {
    ReplaceOutcome outcome;
    ReplaceStep failedStep = ReplaceStep::None;
    std::uint32_t error = 0; // the system's error code of the failed step, if any
};

// Writes the new text to a new file of its own beside the file, flushes it, and moves it over the
// file in one write-through step only while the file still holds the old text, then reads it
// back. When the read-back differs the old text is put back the same way, but only over the bytes
// that read-back found. The temporary file never outlives the call. A read-only file is left
// alone: the user marked it so.
ReplaceResult replaceWholeFile(FilePort& files, const std::string& path, TextPieces newText,
                               std::string_view oldText);
ReplaceResult replaceWholeFile(FilePort& files, const std::string& path, std::string_view newText,
                               std::string_view oldText);

// A file written whole under a name of the system's making: its path, or the system's error
// of the step that failed.
struct NewFile {
    std::string path;
    std::uint32_t error = 0;
};

// Writes the text into a new file of the system's naming in the folder, flushed and closed;
// on failure that file is gone.
NewFile writeNewFileIn(FilePort& files, const std::string& folder, std::string_view text);

} // namespace marlwick
