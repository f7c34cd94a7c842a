// A registry key opened under a root key, with the few reads and writes the setup needs.
// Nothing fails loudly: a key that cannot be opened reads as empty and drops every write.
#pragma once

#include "utils/Handles.h"

#include <windows.h>

#include <cstdint>
#include <string>

class TRegistry {
public:
    // Closes the open key when root differs from the current root.
    void SetRootKey(HKEY root);
    // Opens path, creating it when missing, and closes the key open before. A path that starts
    // with a backslash starts at the root key; any other is relative to the open key, or to
    // the root when none is open.
    void OpenKey(const std::string& path);

    bool ValueExists(const std::string& name) const;
    // The text up to its first zero byte; empty when absent or not text.
    std::string ReadString(const std::string& name) const;
    // 0 when absent or not a 4-byte number.
    int32_t ReadInteger(const std::string& name) const;
    bool ReadBool(const std::string& name) const { return ReadInteger(name) != 0; }

    void WriteString(const std::string& name, const std::string& text);
    void WriteInteger(const std::string& name, int32_t number);
    void WriteBool(const std::string& name, bool flag) { WriteInteger(name, flag ? 1 : 0); }

private:
    HKEY FRootKey = HKEY_CURRENT_USER;
    TRegKey FKey;
};
