#pragma once
#include "platform/SettingsStore.h"

namespace vfe::win32 {

// Keeps settings where the platform's classic per-application settings functions
// keep them, so values saved by earlier versions are read back:
// HKEY_CURRENT_USER\Software\VB and VBA Program Settings\<app>\<section>, value <key> (REG_SZ).
class RegistrySettings final : public SettingsStore {
public:
    std::optional<std::string> GetSetting(const std::string& appName, const std::string& section,
                                          const std::string& key) override;
    bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                     const std::string& value) override;
};

}  // namespace vfe::win32
