// The file-type look-ups of clsSysRegistry on arbitrary registrations under
// HKEY_CLASSES_ROOT. Fields: the extension, the icon index asked for (its first byte), then
// type and data (0x01 for a NUL) for ".ext" (default), ".ext" "Content Type",
// "<type>\DefaultIcon", "<type>\CLSID", "CLSID\<id>\DefaultIcon", "CLSID\<id>\InProcServer32"
// and "CLSID\<id>\LocalServer32", where <type> and <id> are the texts stored before them.
// Every answer is a text, a variant or an icon the system extracted; a registration that
// cannot be used fails only with the class's error; no key stays open.
#include "fuzz/fuzz_support.h"
#include "fuzz/registry_reading.h"
#include "services/cls_sys_registry.h"
#include "tests/fakes/memory_registry.h"
#include "tests/fakes/memory_system.h"

#include <array>

namespace {

using namespace marlwick;
using Port = RegistryPort;

constexpr std::uint32_t kRoot = Port::kHkeyClassesRoot;
constexpr std::size_t kFirstValueField = 2;

struct Machine {
    Machine() {
        system.addIconSource("C:\\Programme\\Navi\\navi.exe", 3);
        system.addIconSource("C:\\Daten\\karte.mwk", 1);
        system.addFileWithoutIcons("C:\\Windows\\plain.dll");
    }
    MemoryRegistry port;
    MemorySystem system;
    clsSysRegistry registry{port, system};
};

// The text a stored value reads as, when it reads as text; else empty.
std::string textOf(const std::optional<MemoryRegistry::StoredValue>& stored) {
    if (!stored)
        return {};
    const auto read = fuzz::expectedRead(*stored);
    const auto* text = read ? std::get_if<std::string>(&*read) : nullptr;
    return text ? *text : std::string();
}

void store(Machine& on, const fuzz::Fields& fields, std::size_t index, const std::string& key,
           const char* name) {
    const std::size_t field = kFirstValueField + 2 * index;
    if (!fields[field].empty() && !key.empty())
        on.port.putValue(kRoot, key, name, fields.option(field, 0),
                         fuzz::withNuls(fields[field + 1]));
}

template <typename Call> void attempt(Machine& on, Call&& call) {
    try {
        call();
    } catch (const ServiceError& error) {
        fuzz::require(error.source.starts_with("cSysRegistry:"), "an error names the operation");
    }
    fuzz::require(on.port.openHandleCount() == 0, "no key stays open");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fuzz::Fields fields(data, size);
    Machine on;
    const std::string extension(fields[0]);
    const std::string extensionKey = "." + extension;
    store(on, fields, 0, extensionKey, "");
    store(on, fields, 1, extensionKey, "Content Type");
    const std::string fileType = textOf(on.port.storedValue(kRoot, extensionKey, ""));
    if (!fileType.starts_with('\\')) {
        store(on, fields, 2, fileType + "\\DefaultIcon", "");
        store(on, fields, 3, fileType + "\\CLSID", "");
    }
    const std::string classId = textOf(on.port.storedValue(kRoot, fileType + "\\CLSID", ""));
    if (!classId.empty()) {
        store(on, fields, 4, "CLSID\\" + classId + "\\DefaultIcon", "");
        store(on, fields, 5, "CLSID\\" + classId + "\\InProcServer32", "");
        store(on, fields, 6, "CLSID\\" + classId + "\\LocalServer32", "");
    }

    attempt(on, [&] {
        const std::string contentType = on.registry.ExtensionToContentType(extension);
        if (!on.port.storedValue(kRoot, extensionKey, "Content Type"))
            fuzz::require(contentType == "application/octet-stream", "an unknown type is octets");
    });
    attempt(on, [&] { on.registry.ExtensionToFileType(extension); });
    attempt(on, [&] {
        const auto icon =
            on.registry.FileToIconHandle("C:\\Daten\\karte." + extension, fields.option(1, 0));
        const auto& extracted = on.system.extractions();
        fuzz::require(icon == 0 || (!extracted.empty() && extracted.back().icon == icon),
                      "an icon comes from the system");
    });
    return 0;
}
