// The program's own resources: their bytes, and a read-only stream over them.
#pragma once

#include "framework/Exceptions.h"
#include "framework/Stream.h"

#include <string>
#include <string_view>

class EResNotFound : public Exception {
public:
    explicit EResNotFound(const std::string& name)
        : Exception("EResNotFound", "Resource " + name + " not found") {}
};

// The bytes of a resource of the running program, which live as long as the program. Raises
// EResNotFound when there is no such resource. The type is a name ("PNG") or "#10" style.
std::string_view ProgramResource(const std::string& name, const char* type);

class TResourceStream : public TReadOnlyMemoryStream {
public:
    TResourceStream(const std::string& name, const char* type)
        : TResourceStream(ProgramResource(name, type)) {}

private:
    explicit TResourceStream(std::string_view bytes)
        : TReadOnlyMemoryStream(bytes.data(), static_cast<int32_t>(bytes.size())) {}
};
