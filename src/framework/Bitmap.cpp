#include "framework/Bitmap.h"

#include "framework/Exceptions.h"

void TBitmap::SetSize(int32_t width, int32_t height) {
    if (width < 0 || height < 0)
        throw EAbort();
    FWidth = width;
    FHeight = height;
    Allocate();
}

void TBitmap::SetPixelFormat(int bitsPerPixel) {
    if (bitsPerPixel != 1 && bitsPerPixel != 4 && bitsPerPixel != 8)
        throw EAbort();
    FBitsPerPixel = bitsPerPixel;
    Allocate();
}

void TBitmap::Allocate() {
    int64_t stride = (int64_t{FWidth} * FBitsPerPixel + 31) / 32 * 4;
    int64_t bytes = stride * FHeight;
    if (bytes > INT32_MAX)
        throw EOutOfMemory();
    FRowStride = static_cast<int32_t>(stride);
    FPixels.assign(static_cast<size_t>(bytes), 0);
}

uint8_t* TBitmap::ScanLine(int32_t row) {
    return FPixels.data() + static_cast<size_t>(row) * static_cast<size_t>(FRowStride);
}

const uint8_t* TBitmap::ScanLine(int32_t row) const {
    return FPixels.data() + static_cast<size_t>(row) * static_cast<size_t>(FRowStride);
}
