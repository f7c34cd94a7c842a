// Functions looked up at run time.
#pragma once

#include <windows.h>

// The address of an exported function as the given function pointer type, or nullptr.
template <typename F> F ProcAddress(HMODULE module, const char* name) {
    // Through the generic function type, which converts to any other without a warning.
    return module ? reinterpret_cast<F>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)))
                  : nullptr;
}
