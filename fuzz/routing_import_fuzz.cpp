// The routing import on arbitrary files. Fields: target text, import text, options (bits of
// the first byte: a read-only target, a missing import file, a failing file call; then that
// call and its occurrence).
// The plan must be the target's head, the import's section and the target's tail exactly when
// both texts hold "<Routing>" and a "</Routing>" after it; nothing is written after a refusal;
// after any failure the target holds its old bytes or the new ones and the user was told.
#include "editor/operations/routing_import.h"
#include "fuzz/editor_machine.h"
#include "fuzz/fuzz_support.h"

namespace {

using namespace marlwick;

void requirePlanAsRules(std::string_view target, std::string_view imported) {
    const PlannedImport plan =
        planRoutingImport(target, fuzz::kTargetPath, imported, fuzz::kImportPath);
    const auto targetParts = fuzz::routingParts(target);
    const auto importParts = fuzz::routingParts(imported);
    fuzz::require(plan.refusal.empty() == (targetParts && importParts),
                  "the import refuses exactly when a routing tag is missing");
    if (!plan.refusal.empty()) {
        fuzz::require(plan.newText.empty(), "a refused import plans no text");
        return;
    }
    fuzz::require(plan.newText == std::string(targetParts->head) +
                                      std::string(importParts->section) +
                                      std::string(targetParts->tail),
                  "only the target's routing section changes");
}

void requireImportOnMachine(const fuzz::Fields& fields) {
    const std::string oldText(fields[0]);
    const std::uint8_t flags = fields.option(2, 0);
    const bool importMissing = flags & 2;
    fuzz::EditorOnMachine on{oldText,
                             importMissing ? std::nullopt : std::optional<std::string>(fields[1])};
    if (flags & 4)
        fuzz::failFileCall(on, fields.option(2, 1), fields.option(2, 2));
    if (flags & 1)
        fuzz::makeTargetReadOnly(on);
    const std::uint64_t modifications = on.machine.files.modificationsOf(fuzz::kTargetPath);
    const PlannedImport plan =
        planRoutingImport(oldText, fuzz::kTargetPath, fields[1], fuzz::kImportPath);

    const bool imported = ImportRouting(on.editor);

    fuzz::requireNothingLeftOpen(on);
    const std::string now = on.machine.files.contents(fuzz::kTargetPath).value_or("(gone)");
    fuzz::requireTargetHolds(on, now);
    if (imported) {
        fuzz::require(plan.refusal.empty() && now == plan.newText, "a done import holds the plan");
        return;
    }
    fuzz::require(now == oldText, "a failed import leaves the old bytes");
    fuzz::require(!on.machine.host.boxes().empty() &&
                      on.machine.host.boxes().front().type == EditorHost::kMbOk,
                  "a failed import is told");
    if (!plan.refusal.empty() || importMissing)
        fuzz::require(on.machine.files.modificationsOf(fuzz::kTargetPath) == modifications,
                      "nothing is written after a refusal");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    requirePlanAsRules(fields[0], fields[1]);
    requireImportOnMachine(fields);
    return 0;
}
