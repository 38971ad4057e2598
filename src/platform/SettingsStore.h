#pragma once
#include <optional>
#include <string>

namespace vfe {

// Per-user text settings addressed by application name, section and key.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> GetSetting(const std::string& appName, const std::string& section,
                                                  const std::string& key) = 0;
    // False when the value could not be stored.
    virtual bool SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                             const std::string& value) = 0;
};

}  // namespace vfe
