// The settings layer of clsSysRegistry: one application's values under the current user.
#include "services/cls_sys_registry.h"

namespace marlwick {

std::string clsSysRegistry::settingsKey() const {
    return "Software\\" + appName_ + "\\" + section_;
}

void clsSysRegistry::SaveSetting(const std::string& ValueName, const RegistryVariant& Value) {
    if (dataType_ == 0)
        return;
    SetRegistryValue(RegistryPort::kHkeyCurrentUser, settingsKey(), ValueName, dataType_, Value);
}

RegistryVariant clsSysRegistry::GetSetting(const std::string& ValueName,
                                           const RegistryVariant& DefaultValue) {
    return passingErrorsOn("cSysRegistry:GetSetting", [&] {
        RegistryVariant value =
            GetRegistryValue(RegistryPort::kHkeyCurrentUser, settingsKey(), ValueName);
        if (isEmpty(value) && !isEmpty(DefaultValue))
            return DefaultValue;
        return value;
    });
}

RegistryVariant clsSysRegistry::DeleteSetting(const std::string& ValueName) {
    DeleteRegistryValue(RegistryPort::kHkeyCurrentUser, settingsKey(), ValueName);
    return {};
}

} // namespace marlwick
