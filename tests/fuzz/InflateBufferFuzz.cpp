// InflateBuffer on any bytes: it inflates exactly what zlib's own one-call inflater accepts
// whole, to the same bytes, and refuses the rest with its exception.
#include "imaging/Zlib.h"

#include <cstring>
#include <optional>
#include <vector>

namespace {

// zlib's own result, or nothing when the input is not exactly one complete zlib stream.
std::optional<std::vector<uint8_t>> ZlibsOwn(const uint8_t* input, uLong size) {
    // Deflate turns one byte into 1032 at most.
    uLongf capacity = 1032 * size + 1;
    TInflatedBlock out(static_cast<uint8_t*>(std::malloc(capacity)));
    uLong consumed = size;
    if (uncompress2(out.get(), &capacity, input, &consumed) != Z_OK || consumed != size)
        return std::nullopt;
    return std::vector<uint8_t>(out.get(), out.get() + capacity);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    // The first byte picks the estimate: none, too small, negative, exact-ish or generous.
    const uint8_t* input = data + 1;
    const auto inputSize = static_cast<int32_t>(size - 1);
    const int32_t estimates[] = {0, 1, -1, inputSize * 2, inputSize * 5};
    const int32_t estimate = estimates[data[0] % 5];

    const std::optional<std::vector<uint8_t>> expected = ZlibsOwn(input, uLong(inputSize));
    TInflatedBlock block;
    int32_t outputSize = -1;
    try {
        InflateBuffer(input, inputSize, block, outputSize, estimate);
    } catch (const Exception&) {
        if (expected || block || outputSize != -1)
            __builtin_trap();
        return 0;
    }
    if (!expected || size_t(outputSize) != expected->size() || (outputSize == 0) != !block ||
        (outputSize > 0 && std::memcmp(block.get(), expected->data(), expected->size()) != 0))
        __builtin_trap();
    return 0;
}
