#include "framework/ResourceStream.h"

#include <windows.h>

std::string_view ProgramResource(const std::string& name, const char* type) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, name.c_str(), type);
    HGLOBAL data = info ? LoadResource(module, info) : nullptr;
    const char* bytes = data ? static_cast<const char*>(LockResource(data)) : nullptr;
    if (!bytes)
        throw EResNotFound(name);
    return {bytes, SizeofResource(module, info)};
}
