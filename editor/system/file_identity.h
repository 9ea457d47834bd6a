// Whether two paths name one file, however each is written: relative, with "..\", in another
// case, with short names, or through another drive that shows the same folder.
#pragma once

#include "editor/system/file_port.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace marlwick {

// A path or name as the file system compares it: neither case nor the kind of slash counts.
std::string comparablePath(std::string_view path);

// The path made absolute, its short names made long; only absolute where the file is missing,
// as given where the system cannot say even that.
std::string fullLongPath(FilePort& files, const std::string& path);

struct FileIdentity {
    struct Index {
        std::uint32_t volumeSerialNumber = 0;
        std::uint64_t fileIndex = 0;
        bool operator==(const Index&) const = default;
    };
    // Where the file could be opened.
    std::optional<Index> index;
    std::string fullLongPath;
};

FileIdentity identify(FilePort& files, const std::string& path);

// Whether the candidate may be one of the files: by the index where both have one, else by
// the full long path. A candidate that could not be opened cannot be told apart from any.
bool mayBeOneOf(const FileIdentity& candidate, std::span<const FileIdentity> files);

} // namespace marlwick
