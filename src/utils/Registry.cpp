#include "utils/Registry.h"

#include <vector>

void TRegistry::SetRootKey(HKEY root) {
    if (root == FRootKey)
        return;
    FKey.Reset();
    FRootKey = root;
}

void TRegistry::OpenKey(const std::string& path) {
    bool fromRoot = !path.empty() && path[0] == '\\';
    HKEY parent = fromRoot || !FKey.Valid() ? FRootKey : FKey.Get();
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, path.c_str() + (fromRoot ? 1 : 0), 0, nullptr,
                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        key = nullptr;
    FKey.Reset(key);
}

bool TRegistry::ValueExists(const std::string& name) const {
    DWORD size = 0;
    return FKey.Valid() && RegQueryValueExA(FKey.Get(), name.c_str(), nullptr, nullptr, nullptr,
                                            &size) == ERROR_SUCCESS;
}

std::string TRegistry::ReadString(const std::string& name) const {
    DWORD type = 0, size = 0;
    if (!FKey.Valid() ||
        RegQueryValueExA(FKey.Get(), name.c_str(), nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS ||
        size == 0 || (type != REG_SZ && type != REG_EXPAND_SZ))
        return "";
    // One spare zero byte, for data stored without its own.
    std::vector<char> data(size + 1, '\0');
    if (RegQueryValueExA(FKey.Get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(data.data()), &size) != ERROR_SUCCESS)
        return "";
    return data.data();
}

int32_t TRegistry::ReadInteger(const std::string& name) const {
    DWORD type = 0, size = sizeof(DWORD), number = 0;
    if (!FKey.Valid() ||
        RegQueryValueExA(FKey.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(DWORD))
        return 0;
    return static_cast<int32_t>(number);
}

void TRegistry::WriteString(const std::string& name, const std::string& text) {
    if (FKey.Valid())
        RegSetValueExA(FKey.Get(), name.c_str(), 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>(text.size() + 1));
}

void TRegistry::WriteInteger(const std::string& name, int32_t number) {
    DWORD data = static_cast<DWORD>(number);
    if (FKey.Valid())
        RegSetValueExA(FKey.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                       sizeof data);
}
