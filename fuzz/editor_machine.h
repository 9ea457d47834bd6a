// An editor window over the in-memory machine of the tests, with the target file (and an
// import file) in place, and the properties every operation on it keeps.
#pragma once

#include "tests/fakes/memory_machine.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace fuzz {

inline const std::string kTargetPath = "E:\\Navi\\ApplicationSettings.xml";
inline const std::string kImportPath = "F:\\Alt\\ApplicationSettings.xml";

struct EditorOnMachine {
    // The target file holds targetText; the import file, when given, importText.
    EditorOnMachine(std::string targetText, std::optional<std::string> importText);

    // A stored value of the editor, as the editor itself writes them.
    void store(std::string_view name, std::string_view text);

    marlwick::MainWindowModel model;
    marlwick::MemoryMachine machine;
    marlwick::EditorContext editor = machine.contextFor(model);
};

// The medium fails: the file call that `call` names (by its place in MemoryFiles::Call)
// fails with a full disk at its `occurrence`-th use.
void failFileCall(EditorOnMachine& on, std::uint8_t call, std::uint8_t occurrence);

// The user marked the target read-only.
void makeTargetReadOnly(EditorOnMachine& on);

// No file handle and no registry key is left open.
void requireNothingLeftOpen(const EditorOnMachine& on);

// The target holds exactly these bytes and nothing else lies in its folder: a temporary
// file never outlives an operation.
void requireTargetHolds(const EditorOnMachine& on, std::string_view text);

// A box the program wrote a number into holds a plain decimal, never "inf" or "nan".
void requireComputed(std::string_view before, std::string_view after, char separator);

} // namespace fuzz
