#include "fuzz/editor_machine.h"

#include "editor/system/stored_settings.h"
#include "fuzz/fuzz_support.h"

namespace fuzz {

EditorOnMachine::EditorOnMachine(std::string targetText, std::optional<std::string> importText) {
    machine.files.addFile(kTargetPath, std::move(targetText));
    if (importText)
        machine.files.addFile(kImportPath, std::move(*importText));
    model.state.targetPath = kTargetPath;
    model.state.importPath = kImportPath;
}

void EditorOnMachine::store(std::string_view name, std::string_view text) {
    machine.registryPort.putValue(marlwick::stored::kRoot, marlwick::stored::kKey, name,
                                  marlwick::RegistryPort::kRegExpandSz, std::string(text) + '\0');
}

void failFileCall(EditorOnMachine& on, std::uint8_t call, std::uint8_t occurrence) {
    using Call = marlwick::fakes::MemoryFiles::Call;
    constexpr int kCalls = static_cast<int>(Call::GetTempFileName) + 1;
    on.machine.files.failCall(static_cast<Call>(call % kCalls), marlwick::FilePort::kErrorDiskFull,
                              occurrence % 8 + 1);
}

void makeTargetReadOnly(EditorOnMachine& on) {
    on.machine.files.addFile(kTargetPath, on.machine.files.contents(kTargetPath).value_or(""),
                             true);
}

void requireNothingLeftOpen(const EditorOnMachine& on) {
    require(on.machine.files.openHandles() == 0, "no file handle stays open");
    require(on.machine.registryPort.openHandleCount() == 0, "no registry key stays open");
}

void requireTargetHolds(const EditorOnMachine& on, std::string_view text) {
    require(on.machine.files.contents(kTargetPath) == std::string(text),
            "the target holds the expected bytes");
    require(on.machine.files.filesIn("E:\\Navi").size() == 1,
            "no temporary file is left beside the target");
}

void requireComputed(std::string_view before, std::string_view after, char separator) {
    require(after == before || isPlainDecimal(after, separator),
            "a computed box holds a plain decimal");
}

} // namespace fuzz
