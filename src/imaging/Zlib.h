// Inflating data in the zlib format: a whole block in memory at once, or a stream that
// inflates the compressed bytes of another stream on demand. Nothing here compresses.
#pragma once

#include "framework/Exceptions.h"
#include "framework/Stream.h"

#include <zlib.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

class EZlibDataError : public Exception {
public:
    EZlibDataError() : Exception("EZlibDataError", "The compressed data are damaged") {}
};

class EZlibTruncated : public Exception {
public:
    EZlibTruncated() : Exception("EZlibTruncated", "The compressed data end too soon") {}
};

class EZlibTrailingData : public Exception {
public:
    EZlibTrailingData()
        : Exception("EZlibTrailingData", "Bytes follow the end of the compressed data") {}
};

struct TFreeDeleter {
    void operator()(void* block) const noexcept { std::free(block); }
};

// A block from malloc, which InflateBuffer grows and shrinks with realloc.
using TInflatedBlock = std::unique_ptr<uint8_t[], TFreeDeleter>;

// Inflates one complete zlib stream. An estimate of 0 (or less) means no guess; the block
// then grows by steps of the input size. The block is exactly outputSize bytes, null for 0.
void InflateBuffer(const void* input, int32_t inputSize, TInflatedBlock& output,
                   int32_t& outputSize, int32_t estimate);

// zlib's inflater with its default allocators, started when made and ended when destroyed.
struct TZState : z_stream {
    TZState();
    ~TZState() { inflateEnd(this); }
    TZState(const TZState&) = delete;
    TZState& operator=(const TZState&) = delete;
};

class TCustomZStream : public TStream {
protected:
    explicit TCustomZStream(TStream& source)
        : FSource(source), FSourcePosition(source.Position()) {}

    TStream& FSource; // not owned; it outlives this stream
    int32_t FSourcePosition;
    TZState FZState;
    // Compressed bytes taken from FSource that the inflater has not consumed yet.
    static constexpr int32_t InputBufferSize = 65536;
    uint8_t FInputBuffer[InputBufferSize];
};

// A forward-only, read-only stream of the bytes inflated from its source. It rewinds only to
// 0 (restarting at the source's own position 0) and skips forward by reading.
class TZDecompressionStream : public TCustomZStream {
public:
    explicit TZDecompressionStream(TStream& source);

    int32_t Read(void* buffer, int32_t count) override;
    int32_t Write(const void*, int32_t) override { return 0; }
    int32_t Seek(int32_t offset, TSeekOrigin origin) override;

private:
    static constexpr int32_t InputLimit = INT32_MAX;

    bool Refill();
    void Rewind();
    void Skip(int64_t distance);

    int32_t FInputTaken = 0;
};
