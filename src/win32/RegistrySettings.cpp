#include "win32/RegistrySettings.h"

#include <windows.h>

#include <vector>

#include "win32/Handles.h"

namespace vfe::win32 {

namespace {

std::string KeyPath(const std::string& appName, const std::string& section) {
    return "Software\\VB and VBA Program Settings\\" + appName + "\\" + section;
}

}  // namespace

std::optional<std::string> RegistrySettings::GetSetting(const std::string& appName, const std::string& section,
                                                        const std::string& key) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, KeyPath(appName, section).c_str(), 0, KEY_QUERY_VALUE, &raw) !=
        ERROR_SUCCESS)
        return std::nullopt;
    RegistryKey opened(raw);

    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(opened.get(), key.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::vector<char> buffer(size + 1, '\0');
    if (RegQueryValueExA(opened.get(), key.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()),
                         &size) != ERROR_SUCCESS)
        return std::nullopt;
    buffer.resize(size + 1);
    buffer.back() = '\0';
    return std::string(buffer.data());
}

bool RegistrySettings::SaveSetting(const std::string& appName, const std::string& section, const std::string& key,
                                   const std::string& value) {
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, KeyPath(appName, section).c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &raw, nullptr) != ERROR_SUCCESS)
        return false;
    RegistryKey created(raw);
    return RegSetValueExA(created.get(), key.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

}  // namespace vfe::win32
