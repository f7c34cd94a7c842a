// A device-independent palette bitmap: size, bits per pixel, colour table and pixel rows.
// Rows are kept top-down, each padded to whole 32-bit words, so that the system can draw
// them as they are.
#pragma once

#include <cstdint>
#include <vector>

struct TPaletteEntry {
    uint8_t Red, Green, Blue;
    bool operator==(const TPaletteEntry&) const = default;
};

class TBitmap {
public:
    int32_t Width() const { return FWidth; }
    int32_t Height() const { return FHeight; }
    int BitsPerPixel() const { return FBitsPerPixel; }
    int32_t RowStride() const { return FRowStride; }
    const std::vector<TPaletteEntry>& Palette() const { return FPalette; }

    // Both clear the pixels. Sizes must not be negative; bits per pixel is 1, 4 or 8.
    void SetSize(int32_t width, int32_t height);
    void SetPixelFormat(int bitsPerPixel);
    void SetPalette(std::vector<TPaletteEntry> palette) { FPalette = std::move(palette); }

    // Row 0 is the top row of the picture.
    uint8_t* ScanLine(int32_t row);
    const uint8_t* ScanLine(int32_t row) const;
    const std::vector<uint8_t>& Pixels() const { return FPixels; }

private:
    void Allocate();

    int32_t FWidth = 0;
    int32_t FHeight = 0;
    int FBitsPerPixel = 8;
    int32_t FRowStride = 0;
    std::vector<TPaletteEntry> FPalette;
    std::vector<uint8_t> FPixels;
};
