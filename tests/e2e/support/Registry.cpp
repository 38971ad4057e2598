#include <vector>

#include "support/E2E.h"

namespace e2e {

using vfe::win32::RegistryKey;

std::optional<std::string> ReadRegistryString(const std::string& key, const std::string& value) {
    HKEY raw = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &raw) != ERROR_SUCCESS) return std::nullopt;
    const RegistryKey opened(raw);
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(opened.get(), value.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return std::nullopt;
    std::vector<char> text(size + 1, '\0');
    if (RegQueryValueExA(opened.get(), value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) !=
        ERROR_SUCCESS)
        return std::nullopt;
    return std::string(text.data());
}

bool WriteRegistryString(const std::string& key, const std::string& value, const std::string& text) {
    HKEY raw = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &raw, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const RegistryKey created(raw);
    return RegSetValueExA(created.get(), value.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>(text.size() + 1)) == ERROR_SUCCESS;
}

void DeleteRegistryTree(const std::string& key) { RegDeleteTreeA(HKEY_CURRENT_USER, key.c_str()); }

}  // namespace e2e
