// The German messages with which a write or an import refuses or reports a failure. Each
// says what happened to the file.
#pragma once

#include "editor/document/grid_map.h"
#include "editor/system/whole_file.h"

#include <string>
#include <string_view>

namespace marlwick::messages {

// How a NUL byte of the file shows in a message.
inline constexpr std::string_view kNulMark = "[NUL]";
// The confirmation shows this many characters of the changed part and says how many follow.
inline constexpr std::size_t kExcerptShown = 4000;

// The question before a write: the header, then the changed part as the file will hold it.
std::string confirmation(std::string_view header, std::string_view excerpt);

// A value box as the user finds it on screen: its row caption and column heading, such as
// „Geschw. City“ / „Autobahn“.
std::string boxName(int box);

std::string fileUnreadable(std::string_view path);
// A file that the load finds but cannot read.
std::string fileLocked(std::string_view path);
std::string noProfileName(std::string_view caption);
// A search for one of the profile's lists failed: names the tag that is missing.
std::string groupNotFound(std::string_view profileName, const ValueGroup& group,
                          const ZerlegeResult& failed);
// The profile's own record lacks the tag: the search found it only in another profile.
std::string profileLacks(std::string_view profileName, std::string_view tag);
std::string profileMissing(std::string_view profileName);
// A list would take a box text whose origin is not the shown profile's last load (left from
// another profile or an interrupted load, or found in another profile's record).
std::string notLoadedFor(ProfileKind kind, std::string_view caption, std::string_view boxName);
// The list in the file or the new one holds a "<", which could pass for a tag of the file.
std::string holdsTag(std::string_view boxName);
// The file no longer holds the bytes the confirmed write was planned from.
std::string changedMeanwhile(std::string_view path);
// The target's list no longer is what the load showed, so typed values would undo a newer one.
std::string changedSinceLoad(ProfileKind kind, std::string_view caption, std::string_view path);
// A box typed into shows no value of its list at its own place: the list has another count.
std::string notOneValue(std::string_view boxName, std::size_t valuesInFile, int valuesShown);
// A list that would change holds a box text that is no number.
std::string notANumber(std::string_view boxName, std::string_view text);
std::string excerptTagMissing(std::string_view profileName, std::string_view tag);
// The file is too large for the memory left.
std::string outOfMemory(std::string_view path);
std::string routingTagMissing(std::string_view path, std::string_view tag);
// Empty for a replacement that succeeded.
std::string replaceFailure(std::string_view path, const ReplaceResult& result);
// No backup of the file could be made before it was written; the system's text of the error
// may be empty.
std::string backupFailed(std::string_view path, std::uint32_t error, std::string_view systemText);
// The file lies in the backup folder itself, where no backup of it may go.
std::string backupOfBackupFolder(std::string_view path);

// There is no target file whose backup could come back.
std::string noTargetToRestore();
// No backup of the file's name lies in the backup folder (empty when the system did not say
// where it is).
std::string noBackupsOf(std::string_view fileName, std::string_view folder);
// The file chosen to come back is no backup of the target's name from the backup folder.
std::string notABackupOf(std::string_view chosen, std::string_view fileName,
                         std::string_view folder);
// The question before a backup replaces the file; time as the backup's name holds it,
// "2026-12-07 23-59-59".
std::string restoreQuestion(std::string_view backupPath, std::string_view time,
                            std::string_view path);

} // namespace marlwick::messages
