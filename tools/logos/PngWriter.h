// Writing PNG files: the logo generator writes the logos with it, and the tests build their
// images from its parts.
#pragma once

#include "framework/Bitmap.h"

#include <cstdint>
#include <string_view>
#include <vector>

using TBytes = std::vector<uint8_t>;

// The zlib format at the best compression.
TBytes Deflate(const TBytes& data);

TBytes PngSignature();
// Appends one chunk: length, type, data and CRC.
void AppendChunk(TBytes& file, std::string_view type, const TBytes& data);
TBytes HeaderData(int32_t width, int32_t height, uint8_t bitDepth, uint8_t colourType);
TBytes PaletteData(const std::vector<TPaletteEntry>& palette);

// An 8-bit palette image without interlacing: one IDAT chunk, filter 0 on every row.
// pixels holds width x height palette indices, top row first.
TBytes PalettePng(int32_t width, int32_t height, const std::vector<TPaletteEntry>& palette,
                  const TBytes& pixels);
