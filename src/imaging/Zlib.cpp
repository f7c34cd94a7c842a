#include "imaging/Zlib.h"

#include <algorithm>

namespace {

// Resizes the block to size bytes (size > 0), keeping it owned if realloc fails.
void Reallocate(TInflatedBlock& block, int64_t size) {
    if (size > INT32_MAX)
        throw EOutOfMemory();
    void* grown = std::realloc(block.get(), static_cast<size_t>(size));
    if (!grown)
        throw EOutOfMemory();
    block.release();
    block.reset(static_cast<uint8_t*>(grown));
}

// Raises the failures of inflate; what is left is progress, a full output or no way on.
void CheckInflateResult(int result) {
    if (result == Z_MEM_ERROR)
        throw EOutOfMemory();
    if (result == Z_DATA_ERROR || result == Z_NEED_DICT || result == Z_STREAM_ERROR)
        throw EZlibDataError();
}

} // namespace

TZState::TZState() : z_stream{} {
    // inflateInit fails only when it cannot allocate its state.
    if (inflateInit(this) != Z_OK)
        throw EOutOfMemory();
}

void InflateBuffer(const void* input, int32_t inputSize, TInflatedBlock& output,
                   int32_t& outputSize, int32_t estimate) {
    if (inputSize <= 0)
        throw EZlibTruncated();
    // The block grows by the input size rounded up to a multiple of 256.
    const int64_t step = (int64_t{inputSize} + 255) & ~int64_t{255};
    int64_t size = estimate > 0 ? estimate : step;
    TInflatedBlock block;
    Reallocate(block, size);

    TZState z;
    z.next_in = static_cast<const Bytef*>(input);
    z.avail_in = static_cast<uInt>(inputSize);
    z.next_out = block.get();
    z.avail_out = static_cast<uInt>(size);
    for (int result = inflate(&z, Z_NO_FLUSH); result != Z_STREAM_END;
         result = inflate(&z, Z_NO_FLUSH)) {
        CheckInflateResult(result);
        // inflate stops only when the input is used up or the output is full.
        if (z.avail_out > 0)
            throw EZlibTruncated();
        size += step;
        Reallocate(block, size);
        z.next_out = block.get() + z.total_out;
        z.avail_out = static_cast<uInt>(step);
    }
    if (z.avail_in > 0)
        throw EZlibTrailingData();

    outputSize = static_cast<int32_t>(z.total_out);
    if (outputSize == 0)
        block.reset();
    else
        Reallocate(block, outputSize);
    output = std::move(block);
}

TZDecompressionStream::TZDecompressionStream(TStream& source) : TCustomZStream(source) {
    FZState.next_in = FInputBuffer;
    FZState.avail_in = 0;
}

int32_t TZDecompressionStream::Read(void* buffer, int32_t count) {
    const int32_t wanted = std::max(count, 0);
    FZState.next_out = static_cast<Bytef*>(buffer);
    FZState.avail_out = static_cast<uInt>(wanted);
    // Other code may have moved the source since the last read.
    if (FSource.Position() != FSourcePosition)
        FSource.SetPosition(FSourcePosition);
    while (FZState.avail_out > 0) {
        if (FZState.avail_in == 0 && !Refill())
            break;
        // Anything but progress is the end of the data, damaged data, or no way on.
        if (inflate(&FZState, Z_NO_FLUSH) != Z_OK)
            break;
    }
    return wanted - static_cast<int32_t>(FZState.avail_out);
}

// Takes the next compressed bytes from the source; false when it has none left.
bool TZDecompressionStream::Refill() {
    const int32_t wanted = std::min(InputBufferSize, InputLimit - FInputTaken);
    const int32_t taken = std::max(FSource.Read(FInputBuffer, wanted), 0);
    FZState.avail_in = static_cast<uInt>(taken);
    FInputTaken += taken;
    if (taken == 0)
        return false;
    FZState.next_in = FInputBuffer;
    FSourcePosition = FSource.Position();
    return true;
}

int32_t TZDecompressionStream::Seek(int32_t offset, TSeekOrigin origin) {
    const int64_t position = FZState.total_out;
    if (origin == soBeginning && offset == 0)
        Rewind();
    else if (origin == soCurrent && offset >= 0)
        Skip(offset);
    else if (origin == soBeginning && offset > position)
        Skip(offset - position);
    // The length is unknown, so a seek from the end reports the position too.
    return static_cast<int32_t>(FZState.total_out);
}

void TZDecompressionStream::Rewind() {
    inflateReset(&FZState);
    FZState.next_in = FInputBuffer;
    FZState.avail_in = 0;
    FSource.SetPosition(0);
    FSourcePosition = 0;
}

// Reads and drops distance bytes; raises EAbort if the data end first.
void TZDecompressionStream::Skip(int64_t distance) {
    constexpr int32_t blockSize = 4096;
    uint8_t scratch[blockSize];
    for (; distance >= blockSize; distance -= blockSize)
        ReadExact(scratch, blockSize);
    ReadExact(scratch, static_cast<int32_t>(distance));
}
