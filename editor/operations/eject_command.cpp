#include "editor/operations/eject_command.h"

#include "editor/system/paths.h"
#include "editor/system/whole_file.h"

namespace marlwick {
namespace {

std::string programIn(std::string_view folder) {
    return withoutTrailingBackslash(folder) + "\\" + std::string(kEjectProgramName);
}

bool olderThan(FilePort& files, const std::string& path, const std::string& other) {
    FilePort::FileAttributeData mine;
    FilePort::FileAttributeData theirs;
    if (!files.getFileAttributesEx(path, &mine))
        return true;
    return files.getFileAttributesEx(other, &theirs) && mine.lastWriteTime < theirs.lastWriteTime;
}

// Puts the editor's own copy of the eject tool into the temporary folder when the one
// there is missing or older. A copy that fails (the tool may be running from there) leaves
// the one in place.
void provideEjectProgram(EditorContext& editor, const std::string& inTemporaryFolder) {
    const std::string own = programIn(folderOf(editor.host.moduleFileName()));
    if (!fileExists(editor.files, own) || own == inTemporaryFolder)
        return;
    if (olderThan(editor.files, inTemporaryFolder, own))
        editor.files.copyFile(own, inTemporaryFolder, false);
}

} // namespace

std::string ejectCommandLine(std::string_view temporaryFolder, std::string_view targetPath) {
    return "\"" + programIn(temporaryFolder) + "\" " + std::string(targetPath.substr(0, 2));
}

void EjectButtonClick(EditorContext& editor) {
    editor.host.sleep(kEjectDelayMilliseconds);
    const WindowState& state = editor.model.state;
    const std::string program = programIn(state.temporaryFolderPath);
    provideEjectProgram(editor, program);
    if (fileExists(editor.files, program) &&
        editor.host.createProcess(ejectCommandLine(state.temporaryFolderPath, state.targetPath),
                                  EditorHost::kSwShowMaximized))
        return;
    tell(editor, "Das Auswurfprogramm \"" + program +
                     "\" konnte nicht gestartet werden. Es muss im selben Ordner wie "
                     "Marlwick.exe liegen.");
}

} // namespace marlwick
