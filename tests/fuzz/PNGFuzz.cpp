// TPNGImage::LoadFromStream on any bytes: it decodes or refuses with an exception, and a second
// load of the same bytes into the same image gives the same result.
#include "imaging/PNG.h"

#include "framework/Exceptions.h"

namespace {

bool Load(TPNGImage& image, const uint8_t* data, size_t size) {
    TReadOnlyMemoryStream stream(data, static_cast<int32_t>(size));
    try {
        image.LoadFromStream(stream);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TPNGImage image;
    if (!Load(image, data, size))
        return 0;
    const TPNGImage first = image;
    if (!Load(image, data, size) || image.Width() != first.Width() ||
        image.Height() != first.Height() || image.BitsPerPixel() != first.BitsPerPixel() ||
        image.Palette() != first.Palette() || image.Pixels() != first.Pixels())
        __builtin_trap();
    return 0;
}
