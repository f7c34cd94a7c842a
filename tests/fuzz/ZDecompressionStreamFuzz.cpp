// TZDecompressionStream under a script of reads and seeks, checked against a model: the bytes
// are those zlib inflates from the source up to its end or first error, the position moves
// forward only or back to 0, and a skip past the end raises EAbort at the end.
#include "imaging/Zlib.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// Everything zlib inflates from the input before it stops, whatever stops it.
std::vector<uint8_t> Reference(const uint8_t* input, size_t size) {
    // Deflate turns one byte into 1032 at most.
    std::vector<uint8_t> out(1032 * size + 1);
    TZState z;
    z.next_in = input;
    z.avail_in = static_cast<uInt>(size);
    z.next_out = out.data();
    z.avail_out = static_cast<uInt>(out.size());
    while (inflate(&z, Z_NO_FLUSH) == Z_OK) {
    }
    out.resize(z.total_out);
    return out;
}

struct TModel {
    std::vector<uint8_t> Bytes;
    int64_t Position = 0;
};

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

void CheckRead(TZDecompressionStream& z, TModel& model, int32_t count) {
    std::vector<uint8_t> buffer(static_cast<size_t>(count));
    const int32_t got = z.Read(buffer.data(), count);
    const int64_t left = static_cast<int64_t>(model.Bytes.size()) - model.Position;
    Check(got == std::min<int64_t>(count, left));
    Check(std::equal(buffer.begin(), buffer.begin() + got, model.Bytes.begin() + model.Position));
    model.Position += got;
}

void CheckSeek(TZDecompressionStream& z, TModel& model, int32_t offset, TSeekOrigin origin) {
    int64_t target = model.Position;
    if (origin == soBeginning && offset == 0)
        target = 0;
    else if (origin == soCurrent && offset >= 0)
        target = model.Position + offset;
    else if (origin == soBeginning && offset > model.Position)
        target = offset;
    const auto size = static_cast<int64_t>(model.Bytes.size());
    try {
        Check(z.Seek(offset, origin) == target);
        Check(target <= size);
        model.Position = target;
    } catch (const EAbort&) {
        Check(target > size);
        model.Position = size;
        Check(z.Position() == size);
    }
}

} // namespace

// The input: a count of operations (up to 15), two bytes for each (kind and amount), then
// the compressed bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const size_t operations = std::min<size_t>(data[0] % 16, (size - 1) / 2);
    const uint8_t* script = data + 1;
    const uint8_t* compressed = script + 2 * operations;
    const size_t compressedSize = size - 1 - 2 * operations;

    TModel model{Reference(compressed, compressedSize)};
    TReadOnlyMemoryStream source(compressed, static_cast<int32_t>(compressedSize));
    TZDecompressionStream z(source);
    for (size_t i = 0; i < operations; ++i) {
        const uint8_t kind = script[2 * i] % 4;
        const uint8_t amount = script[2 * i + 1];
        const int32_t offset = (amount - 64) * 53;
        if (kind == 0)
            CheckRead(z, model, amount * 97);
        else
            CheckSeek(z, model, offset, static_cast<TSeekOrigin>(kind - 1));
    }
    CheckRead(z, model, 1 << 16);
    return 0;
}
