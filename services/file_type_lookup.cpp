// The file-type operations of clsSysRegistry: registrations under HKEY_CLASSES_ROOT.
#include "services/cls_sys_registry.h"

namespace marlwick {

namespace {

constexpr std::uint32_t kClassesRoot = RegistryPort::kHkeyClassesRoot;
constexpr std::int32_t kErrorNotFound = RegistryPort::kErrorFileNotFound;

struct IconSource {
    std::string file;
    std::int32_t index = 0;
};

// "path,index": the text before the first "," and the number after it.
IconSource splitAtComma(const std::string& text) {
    const std::size_t comma = text.find(',');
    return IconSource{text.substr(0, comma), toLong(text.substr(comma + 1))};
}

std::string extensionOf(const std::string& strFile) {
    const std::size_t dot = strFile.rfind('.');
    return dot == std::string::npos ? strFile : strFile.substr(dot + 1);
}

bool holdsComma(const std::string& text) {
    return text.find(',') != std::string::npos;
}

} // namespace

std::string clsSysRegistry::ExtensionToContentType(const std::string& strExtension) {
    return passingErrorsOn("cSysRegistry:ExtensionToContentType", [&] {
        const std::string key = "." + strExtension;
        if (HasKey(kClassesRoot, key, "Content Type"))
            return toText(GetRegistryValue(kClassesRoot, key, "Content Type"));
        return std::string("application/octet-stream");
    });
}

RegistryVariant clsSysRegistry::ExtensionToFileType(const std::string& strExtension) {
    return passingErrorsOn("cSysRegistry:ExtensionToFileType", [&]() -> RegistryVariant {
        const std::string fileType = defaultText("." + strExtension);
        if (fileType.empty())
            return {};
        return GetRegistryValue(kClassesRoot, fileType, "");
    });
}

SystemPort::IconHandle clsSysRegistry::FileToIconHandle(const std::string& strFile,
                                                        std::int32_t iIcon) {
    try {
        return iconOf(strFile, iIcon);
    } catch (ServiceError& error) {
        if (error.number == kErrorNotFound)
            error.description = extensionOf(strFile) + " ist ein unbekannter Dateityp.";
        if (error.source.find(':') == std::string::npos)
            error.source = "cSysRegistry:ExtensionToIconHandle";
        throw;
    }
}

// The chain of registrations from the file's type to an icon source and index.
SystemPort::IconHandle clsSysRegistry::iconOf(const std::string& strFile, std::int32_t iIcon) {
    const std::string fileType = defaultText("." + extensionOf(strFile));
    const std::string iconKey = fileType + "\\DefaultIcon";
    const std::string classIdKey = fileType + "\\CLSID";
    IconSource source;
    if (HasKey(kClassesRoot, iconKey)) {
        const std::string icon = defaultText(iconKey);
        const std::string classId = holdsComma(icon) ? "" : defaultText(classIdKey);
        if (holdsComma(icon)) {
            source = splitAtComma(icon);
        } else if (classId.empty()) {
            // The file holds its own icon.
            source = IconSource{strFile, isWholeNumber(icon) ? toLong(icon) : 0};
        } else {
            const std::string classKey = "CLSID\\" + classId;
            const std::string server = HasKey(kClassesRoot, classKey + "\\DefaultIcon")
                                           ? defaultText(classKey + "\\DefaultIcon")
                                           : defaultText(classKey + "\\InProcServer32");
            source = holdsComma(server) ? splitAtComma(server) : IconSource{server, iIcon};
        }
    } else if (HasKey(kClassesRoot, classIdKey)) {
        const std::string classKey = "CLSID\\" + defaultText(classIdKey);
        std::string server;
        if (HasKey(kClassesRoot, classKey + "\\LocalServer32"))
            server = defaultText(classKey + "\\LocalServer32");
        else if (HasKey(kClassesRoot, classKey + "\\InProcServer32"))
            server = defaultText(classKey + "\\InProcServer32");
        source = IconSource{server, iIcon};
    } else {
        return 0;
    }
    const SystemPort::IconHandle icon =
        system_.extractIcon(source.file.c_str(), static_cast<std::uint32_t>(source.index));
    // The platform's 1 says "no icon source", it is no icon.
    return icon == 1 ? 0 : icon;
}

std::string clsSysRegistry::defaultText(const std::string& strKey) {
    return toText(GetRegistryValue(kClassesRoot, strKey, ""));
}

} // namespace marlwick
