#include "logos/PngWriter.h"

#include <zlib.h>

#include <stdexcept>

namespace {

void AppendBigEndian(TBytes& bytes, uint32_t value) {
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.push_back(static_cast<uint8_t>(value >> shift));
}

} // namespace

TBytes Deflate(const TBytes& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    TBytes packed(size);
    if (compress2(packed.data(), &size, data.data(), static_cast<uLong>(data.size()), 9) != Z_OK)
        throw std::runtime_error("compress2 failed");
    packed.resize(size);
    return packed;
}

TBytes PngSignature() {
    return {137, 80, 78, 71, 13, 10, 26, 10};
}

void AppendChunk(TBytes& file, std::string_view type, const TBytes& data) {
    AppendBigEndian(file, static_cast<uint32_t>(data.size()));
    const size_t typeStart = file.size();
    file.insert(file.end(), type.begin(), type.end());
    file.insert(file.end(), data.begin(), data.end());
    // The CRC covers the type and the data.
    const uLong crc = crc32(0, file.data() + typeStart, static_cast<uInt>(file.size() - typeStart));
    AppendBigEndian(file, static_cast<uint32_t>(crc));
}

TBytes HeaderData(int32_t width, int32_t height, uint8_t bitDepth, uint8_t colourType) {
    TBytes data;
    AppendBigEndian(data, static_cast<uint32_t>(width));
    AppendBigEndian(data, static_cast<uint32_t>(height));
    // Compression, filter and interlace methods 0.
    data.insert(data.end(), {bitDepth, colourType, 0, 0, 0});
    return data;
}

TBytes PaletteData(const std::vector<TPaletteEntry>& palette) {
    TBytes data;
    for (const TPaletteEntry& e : palette)
        data.insert(data.end(), {e.Red, e.Green, e.Blue});
    return data;
}

TBytes PalettePng(int32_t width, int32_t height, const std::vector<TPaletteEntry>& palette,
                  const TBytes& pixels) {
    TBytes rows;
    for (int32_t y = 0; y < height; ++y) {
        rows.push_back(0);
        auto row = pixels.begin() + static_cast<ptrdiff_t>(y) * width;
        rows.insert(rows.end(), row, row + width);
    }
    TBytes file = PngSignature();
    AppendChunk(file, "IHDR", HeaderData(width, height, 8, 3));
    AppendChunk(file, "PLTE", PaletteData(palette));
    AppendChunk(file, "IDAT", Deflate(rows));
    AppendChunk(file, "IEND", {});
    return file;
}
