// Decodes a PNG file with the setup's own reader and describes what it got: size, bits per
// pixel and colour count, and on request the palette and the decoded rows in hex. With
// --expect it fails unless the image decodes at that size with that many colours; the build
// checks the logos this way.
//
//     pnginfo [--palette] [--rows] [--expect WIDTHxHEIGHTxCOLOURS] file.png
#include "framework/Exceptions.h"
#include "imaging/PNG.h"

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

struct TOptions {
    bool Palette = false;
    bool Rows = false;
    std::string Expected; // "WxHxC", or empty
    const char* Path = nullptr;
};

bool ParseOptions(int argc, char** argv, TOptions& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--palette")
            options.Palette = true;
        else if (arg == "--rows")
            options.Rows = true;
        else if (arg == "--expect" && i + 1 < argc)
            options.Expected = argv[++i];
        else if (!options.Path && !arg.starts_with("-"))
            options.Path = argv[i];
        else
            return false;
    }
    return options.Path != nullptr;
}

std::string Describe(const TPNGImage& image) {
    return std::to_string(image.Width()) + "x" + std::to_string(image.Height()) + "x" +
           std::to_string(image.Palette().size());
}

void PrintPalette(const TPNGImage& image) {
    for (size_t i = 0; i < image.Palette().size(); ++i) {
        const TPaletteEntry& e = image.Palette()[i];
        std::printf("  colour %3zu: #%02X%02X%02X\n", i, e.Red, e.Green, e.Blue);
    }
}

void PrintRows(const TPNGImage& image) {
    const int64_t rowBytes = (int64_t{image.Width()} * image.BitsPerPixel() + 7) / 8;
    for (int32_t y = 0; y < image.Height(); ++y) {
        std::printf("  row %3d:", y);
        for (int64_t x = 0; x < rowBytes; ++x)
            std::printf(" %02X", image.ScanLine(y)[x]);
        std::printf("\n");
    }
}

} // namespace

int main(int argc, char** argv) {
    TOptions options;
    if (!ParseOptions(argc, argv, options)) {
        std::fprintf(
            stderr,
            "usage: pnginfo [--palette] [--rows] [--expect WIDTHxHEIGHTxCOLOURS] file.png\n");
        return 2;
    }
    std::ifstream file(options.Path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    if (!file.is_open() || bytes.size() > INT32_MAX) {
        std::fprintf(stderr, "pnginfo: cannot read %s\n", options.Path);
        return 1;
    }
    TPNGImage image;
    try {
        TReadOnlyMemoryStream stream(bytes.data(), static_cast<int32_t>(bytes.size()));
        image.LoadFromStream(stream);
    } catch (const Exception& e) {
        std::fprintf(stderr, "pnginfo: %s does not decode: %s (%s)\n", options.Path, e.ClassName(),
                     e.what());
        return 1;
    }
    std::printf("%s: %d x %d, %d bits per pixel, %zu colours\n", options.Path, image.Width(),
                image.Height(), image.BitsPerPixel(), image.Palette().size());
    if (options.Palette)
        PrintPalette(image);
    if (options.Rows)
        PrintRows(image);
    if (!options.Expected.empty() && Describe(image) != options.Expected) {
        std::fprintf(stderr, "pnginfo: %s decodes as %s (width x height x colours), not %s\n",
                     options.Path, Describe(image).c_str(), options.Expected.c_str());
        return 1;
    }
    return 0;
}
