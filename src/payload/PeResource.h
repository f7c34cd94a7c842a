// Finding a resource in a Windows executable held in memory, so that the tools can inspect the
// payload of a built setup without running it.
#pragma once

#include "framework/Exceptions.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

class EPeFormat : public Exception {
public:
    explicit EPeFormat(std::string message) : Exception("EPeFormat", std::move(message)) {}
};

// The bytes of the resource whose type and name are the given names (not numbers), compared
// without regard to ASCII letter case, in the first language it has. Empty when the image has
// no such resource. Raises EPeFormat for bytes that are not a PE image or whose resource
// tables point outside the file; nothing outside the image is read.
std::optional<std::span<const uint8_t>>
FindPeResource(std::span<const uint8_t> image, std::string_view type, std::string_view name);
