#include "framework/Stream.h"

#include "framework/Exceptions.h"

#include <algorithm>
#include <cstring>

int32_t TStream::Size() {
    int32_t position = Position();
    int32_t size = Seek(0, soEnd);
    Seek(position, soBeginning);
    return size;
}

void TStream::ReadExact(void* buffer, int32_t count) {
    if (count > 0 && Read(buffer, count) != count)
        throw EAbort();
}

void TStream::WriteExact(const void* buffer, int32_t count) {
    if (count > 0 && Write(buffer, count) != count)
        throw EStreamError("Stream write error");
}

namespace {

// The position a seek asks for, clamped to [0, size] so that no later read leaves the data.
int32_t SeekTarget(int32_t position, int32_t size, int32_t offset, TSeekOrigin origin) {
    int64_t base = origin == soBeginning ? 0 : origin == soCurrent ? position : size;
    return static_cast<int32_t>(std::clamp<int64_t>(base + offset, 0, size));
}

int32_t CopyOut(const uint8_t* data, int32_t size, int32_t& position, void* buffer, int32_t count) {
    int32_t n = std::clamp(size - position, 0, std::max(count, 0));
    if (n > 0)
        std::memcpy(buffer, data + position, static_cast<size_t>(n));
    position += n;
    return n;
}

} // namespace

void TMemoryStream::SetSize(int32_t size) {
    FBytes.resize(static_cast<size_t>(std::max(size, 0)));
    FPosition = std::min(FPosition, size);
}

int32_t TMemoryStream::Read(void* buffer, int32_t count) {
    return CopyOut(FBytes.data(), static_cast<int32_t>(FBytes.size()), FPosition, buffer, count);
}

int32_t TMemoryStream::Write(const void* buffer, int32_t count) {
    if (count <= 0)
        return 0;
    int64_t end = int64_t{FPosition} + count;
    // Positions and sizes are 32-bit: a stream never grows past what they can address.
    if (end > INT32_MAX)
        throw EOutOfMemory();
    if (static_cast<size_t>(end) > FBytes.size())
        FBytes.resize(static_cast<size_t>(end));
    std::memcpy(FBytes.data() + FPosition, buffer, static_cast<size_t>(count));
    FPosition = static_cast<int32_t>(end);
    return count;
}

int32_t TMemoryStream::Seek(int32_t offset, TSeekOrigin origin) {
    FPosition = SeekTarget(FPosition, static_cast<int32_t>(FBytes.size()), offset, origin);
    return FPosition;
}

int32_t TReadOnlyMemoryStream::Read(void* buffer, int32_t count) {
    return CopyOut(FData, FSize, FPosition, buffer, count);
}

int32_t TReadOnlyMemoryStream::Seek(int32_t offset, TSeekOrigin origin) {
    FPosition = SeekTarget(FPosition, FSize, offset, origin);
    return FPosition;
}
