#include "registry_win.h"

#include <cstdint>

namespace velmora::platform {
namespace {

std::string valueText(DWORD type, const std::string& data)
{
    if (type == REG_SZ) {
        return data.substr(0, data.find('\0'));
    }
    if (type == REG_BINARY && (data.size() == 1 || data.size() == 2)) {
        // Read into a 16-bit integer that starts at 0: a single byte is its low byte.
        const auto low = static_cast<unsigned char>(data[0]);
        const auto high = data.size() == 2 ? static_cast<unsigned char>(data[1]) : 0U;
        const auto number = static_cast<std::int16_t>(static_cast<std::uint16_t>(low | high << 8));
        return std::to_string(number);
    }
    return {};
}

std::string readView(HKEY root, const std::string& path, const std::string& name, REGSAM view)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(root, path.c_str(), 0, KEY_QUERY_VALUE | view, &key) != ERROR_SUCCESS) {
        return {};
    }
    std::string text = QueryRegistryValue(key, name);
    RegCloseKey(key);
    return text;
}

} // namespace

std::string QueryRegistryValue(HKEY key, const std::string& name)
{
    if (key == nullptr) {
        return {};
    }
    DWORD type = 0;
    DWORD size = 0;
    if (RegQueryValueExA(key, name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) {
        return {};
    }
    std::string data(size, '\0');
    if (size > 0 &&
        RegQueryValueExA(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(data.data()),
                         &size) != ERROR_SUCCESS) {
        return {};
    }
    data.resize(size);
    return valueText(type, data);
}

std::string ReadRegistryString(HKEY root, const std::string& path, const std::string& name)
{
    std::string text = readView(root, path, name, KEY_WOW64_64KEY);
    if (text.empty()) {
        text = readView(root, path, name, KEY_WOW64_32KEY);
    }
    return text;
}

} // namespace velmora::platform
