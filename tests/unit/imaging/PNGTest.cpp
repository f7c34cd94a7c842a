#include "imaging/PNG.h"
#include "framework/Exceptions.h"
#include "logos/PngWriter.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TBytes Chunk(std::string_view type, const TBytes& data) {
    TBytes chunk;
    AppendChunk(chunk, type, data);
    return chunk;
}

TBytes Png(std::initializer_list<TBytes> chunks) {
    TBytes file = PngSignature();
    for (const TBytes& chunk : chunks)
        file.insert(file.end(), chunk.begin(), chunk.end());
    return file;
}

TBytes Ihdr(int32_t width, int32_t height, uint8_t bitDepth = 8) {
    return Chunk("IHDR", HeaderData(width, height, bitDepth, 3));
}

std::vector<TPaletteEntry> Colours(size_t count, uint8_t seed = 0) {
    std::vector<TPaletteEntry> colours(count);
    for (size_t i = 0; i < count; ++i)
        colours[i] = {static_cast<uint8_t>(i + seed), static_cast<uint8_t>(255 - i),
                      static_cast<uint8_t>(i * 3)};
    return colours;
}

TBytes Plte(size_t count, uint8_t seed = 0) {
    return Chunk("PLTE", PaletteData(Colours(count, seed)));
}

TBytes Iend() {
    return Chunk("IEND", {});
}

// A 3 x 4 image whose rows use the filters Sub, Up, Average and Paeth in turn.
const TBytes FilteredRows = {1, 10, 10, 10, 2, 5, 5, 5, 3, 33, 254, 244, 4, 10, 5, 30};
const TBytes FilteredPixels = {10, 20, 30, 15, 25, 35, 40, 30, 20, 50, 45, 60};

TBytes FilteredPng(std::initializer_list<TBytes> between = {},
                   std::initializer_list<TBytes> after = {Iend()}) {
    TBytes file = Png({Ihdr(3, 4), Plte(4)});
    for (const TBytes& chunk : between)
        file.insert(file.end(), chunk.begin(), chunk.end());
    const TBytes data = Chunk("IDAT", Deflate(FilteredRows));
    file.insert(file.end(), data.begin(), data.end());
    for (const TBytes& chunk : after)
        file.insert(file.end(), chunk.begin(), chunk.end());
    return file;
}

void Load(TPNGImage& image, const TBytes& file) {
    TReadOnlyMemoryStream stream(file.data(), static_cast<int32_t>(file.size()));
    image.LoadFromStream(stream);
}

TPNGImage Loaded(const TBytes& file) {
    TPNGImage image;
    Load(image, file);
    return image;
}

std::string RefusalOf(const TBytes& file) {
    try {
        Loaded(file);
        return "accepted";
    } catch (const Exception& e) {
        return e.ClassName();
    }
}

// The first rowBytes bytes of every row.
TBytes PixelsOf(const TBitmap& image, int32_t rowBytes) {
    TBytes pixels;
    for (int32_t y = 0; y < image.Height(); ++y)
        pixels.insert(pixels.end(), image.ScanLine(y), image.ScanLine(y) + rowBytes);
    return pixels;
}

} // namespace

TEST(PaethPredictor, PicksTheNearestNeighbourWithTiesToLeftThenAbove) {
    struct Case {
        uint8_t left, above, upperLeft, expected;
    } cases[] = {
        {8, 11, 10, 8},   // pa = pc: the left byte
        {11, 8, 10, 8},   // pb = pc: the byte above
        {10, 20, 15, 15}, // pc smallest: upper left
        {30, 20, 10, 30}, // pa smallest
        {7, 7, 7, 7},     // all equal
        {0, 255, 0, 255}, // pb smallest
    };
    for (const Case& c : cases)
        EXPECT_EQ(PaethPredictor(c.left, c.above, c.upperLeft), c.expected)
            << int{c.left} << ", " << int{c.above} << ", " << int{c.upperLeft};
}

TEST(UnfilterRow, ReconstructsEachFilterType) {
    struct Case {
        const char* what;
        uint8_t filterType;
        int32_t pixelStep;
        TBytes row, above, expected;
    } cases[] = {
        {"None", 0, 1, {1, 2, 3}, {9, 9, 9}, {1, 2, 3}},
        {"Sub", 1, 1, {1, 2, 3}, {9, 9, 9}, {1, 3, 6}},
        {"Sub modulo 256", 1, 1, {200, 100}, {0, 0}, {200, 44}},
        {"Sub with a step of 2", 1, 2, {1, 2, 3, 4}, {0, 0, 0, 0}, {1, 2, 4, 6}},
        {"Sub with RowBytes 1", 1, 1, {7}, {0}, {7}},
        {"Up", 2, 1, {1, 2, 3}, {10, 20, 30}, {11, 22, 33}},
        {"Up in the first row", 2, 1, {1, 2, 3}, {0, 0, 0}, {1, 2, 3}},
        {"Average", 3, 1, {1, 2, 3}, {10, 20, 30}, {6, 15, 25}},
        {"Average in the first row", 3, 1, {4, 2, 3}, {0, 0, 0}, {4, 4, 5}},
        {"Average with a step of 2", 3, 2, {1, 2, 3, 4}, {0, 0, 0, 0}, {1, 2, 3, 5}},
        {"Paeth", 4, 1, {1, 2, 3}, {10, 11, 12}, {11, 13, 16}},
        {"Paeth in the first row", 4, 1, {5, 6, 7}, {0, 0, 0}, {5, 11, 18}},
        {"Paeth with a step of 2", 4, 2, {1, 2, 3, 4}, {10, 20, 10, 20}, {11, 22, 14, 26}},
    };
    for (Case& c : cases) {
        SCOPED_TRACE(c.what);
        UnfilterRow(c.filterType, c.row.data(), c.above.data(), c.pixelStep,
                    static_cast<int32_t>(c.row.size()));
        EXPECT_EQ(c.row, c.expected);
    }
}

TEST(UnfilterRow, RefusesFilterTypesAbove4) {
    for (uint8_t filterType : {5, 255}) {
        uint8_t row[2] = {}, above[2] = {};
        EXPECT_THROW(UnfilterRow(filterType, row, above, 1, 2), EAbort) << int{filterType};
    }
}

TEST(ExpandTwoBitRow, StoresEachSampleAsItsPaletteIndex) {
    const uint8_t samples[] = {0b00011011, 0b11000000};
    uint8_t pixels[] = {0xAA, 0xAA, 0xAA, 0xAA};
    ExpandTwoBitRow(samples, pixels, 5);
    EXPECT_EQ(TBytes(pixels, pixels + 4), (TBytes{0x01, 0x23, 0x3A, 0xAA}));
}

TEST(ChunkClasses, KnowsTheFourTypesInOrderCaseSensitively) {
    const char* types[] = {"IEND", "IHDR", "IDAT", "PLTE", "idat", "tEXt"};
    const int expected[] = {0, 1, 2, 3, -1, -1};
    for (int i = 0; i < 6; ++i) {
        const TChunkType type = {types[i][0], types[i][1], types[i][2], types[i][3]};
        EXPECT_EQ(ChunkClasses.IndexOfType(type), expected[i]) << types[i];
    }
}

TEST(PNGImage, DecodesEachBitDepthIntoItsPixelFormat) {
    struct Case {
        uint8_t bitDepth;
        int32_t width;
        TBytes rows;
        int bitsPerPixel;
        int32_t pixelBytes;
        TBytes pixels;
    } cases[] = {
        {1, 10, {0, 0xB3, 0x40, 0, 0x0F, 0xC0}, 1, 2, {0xB3, 0x40, 0x0F, 0xC0}},
        {2, 5, {0, 0x1B, 0xC0, 0, 0xE4, 0x40}, 4, 3, {0x01, 0x23, 0x30, 0x32, 0x10, 0x10}},
        {4, 3, {0, 0x12, 0x30, 0, 0xAB, 0xC0}, 4, 2, {0x12, 0x30, 0xAB, 0xC0}},
        {8, 3, {0, 1, 2, 3, 0, 4, 5, 6}, 8, 3, {1, 2, 3, 4, 5, 6}},
        {16,
         2,
         {0, 0x12, 0x34, 0x56, 0x78, 0, 0x9A, 0xBC, 0xDE, 0xF0},
         8,
         2,
         {0x12, 0x56, 0x9A, 0xDE}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("bit depth " + std::to_string(c.bitDepth));
        const TPNGImage image = Loaded(
            Png({Ihdr(c.width, 2, c.bitDepth), Plte(4), Chunk("IDAT", Deflate(c.rows)), Iend()}));
        EXPECT_EQ(image.Width(), c.width);
        EXPECT_EQ(image.Height(), 2);
        EXPECT_EQ(image.BitsPerPixel(), c.bitsPerPixel);
        EXPECT_EQ(image.Palette(), Colours(4));
        EXPECT_EQ(PixelsOf(image, c.pixelBytes), c.pixels);
    }
}

TEST(PNGImage, UnfiltersEachRowFromTheRowAbove) {
    const TPNGImage image = Loaded(FilteredPng());
    EXPECT_EQ(PixelsOf(image, 3), FilteredPixels);
}

TEST(PNGImage, ArrangementsOfChunksThatDecodeAlike) {
    const TBytes packed = Deflate(FilteredRows);
    const auto part = [&](size_t from, size_t to) {
        return Chunk("IDAT", TBytes(packed.begin() + static_cast<ptrdiff_t>(from),
                                    packed.begin() + static_cast<ptrdiff_t>(to)));
    };
    const size_t third = packed.size() / 3;
    TBytes badCrc = FilteredPng();
    badCrc[badCrc.size() - 13] ^= 0xFF; // in the CRC of IDAT
    const TBytes text = Chunk("tEXt", {'C', 'o', 'm', 'm', 'e', 'n', 't', 0, 'h', 'i'});
    const TBytes tail = Chunk("tIME", TBytes(7, 1));
    struct Case {
        const char* what;
        TBytes file;
    } cases[] = {
        {"image data split, with other chunks between",
         Png({Ihdr(3, 4), Plte(4), part(0, third), text, part(third, 2 * third), Plte(4),
              part(2 * third, packed.size()), Iend()})},
        {"unregistered chunks, also in front of the header",
         Png({text, Chunk("gAMA", {0, 0, 177, 143}), Ihdr(3, 4), Chunk("tRNS", {0, 255}), Plte(4),
              Chunk("IDAT", packed), tail, Iend()})},
        {"a wrong CRC", badCrc},
        {"no IEND", FilteredPng({}, {})},
        {"no IEND, a skipped chunk last", FilteredPng({}, {tail})},
        {"bytes after IEND, even a cut chunk", FilteredPng({}, {Iend(), {0, 0, 0}})},
        {"a chunk after IEND", FilteredPng({}, {Iend(), Plte(4, 100)})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const TPNGImage image = Loaded(c.file);
        EXPECT_EQ(image.Width(), 3);
        EXPECT_EQ(image.Palette(), Colours(4));
        EXPECT_EQ(PixelsOf(image, 3), FilteredPixels);
    }
}

TEST(PNGImage, TakesTheLastPaletteAndAtMost256Colours) {
    struct Case {
        const char* what;
        TBytes palettes;
        std::vector<TPaletteEntry> expected;
    } cases[] = {
        {"two palettes: the later one", Png({Plte(4, 1), Plte(5, 2)}), Colours(5, 2)},
        {"300 colours: the first 256", Png({Plte(300)}), Colours(256)},
        {"a partial entry at the end is ignored",
         Png({Chunk("PLTE", {1, 2, 3, 4, 5, 6, 7, 8})}),
         {{1, 2, 3}, {4, 5, 6}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // Without the signature, the palette chunks go in front of the image data.
        const TBytes chunks(c.palettes.begin() + 8, c.palettes.end());
        EXPECT_EQ(Loaded(FilteredPng({chunks})).Palette(), c.expected);
    }
}

TEST(PNGImage, ALoadReplacesEverythingOfTheLastOne) {
    const auto pixels = [](int32_t width, int32_t height, int step) {
        TBytes bytes(static_cast<size_t>(width * height));
        for (size_t i = 0; i < bytes.size(); ++i)
            bytes[i] = static_cast<uint8_t>(i * step % 199);
        return bytes;
    };
    const TBytes small = pixels(32, 32, 7);
    const TBytes big = pixels(120, 260, 3);
    TPNGImage image;
    Load(image, PalettePng(32, 32, Colours(204, 9), small));
    EXPECT_EQ(PixelsOf(image, 32), small);
    Load(image, PalettePng(120, 260, Colours(256), big));
    EXPECT_EQ(image.Width(), 120);
    EXPECT_EQ(image.Height(), 260);
    EXPECT_EQ(image.BitsPerPixel(), 8);
    EXPECT_EQ(image.Palette(), Colours(256));
    EXPECT_EQ(PixelsOf(image, 120), big);
    // And a 1-bit image after an 8-bit one.
    Load(image, Png({Ihdr(9, 1, 1), Plte(2), Chunk("IDAT", Deflate({0, 0xFF, 0x80})), Iend()}));
    EXPECT_EQ(image.BitsPerPixel(), 1);
    EXPECT_EQ(image.Palette(), Colours(2));
    EXPECT_EQ(image.Pixels(), (TBytes{0xFF, 0x80, 0, 0}));
}

TEST(PNGImage, RefusesWhatItCannotRead) {
    const TBytes file = FilteredPng();
    const auto cut = [&](size_t size) {
        return TBytes(file.begin(), file.begin() + static_cast<ptrdiff_t>(size));
    };
    TBytes badSignature = file;
    badSignature[1] = 'p';
    TBytes longLength = Png({Ihdr(3, 4)});
    longLength[11] = 14; // the header's length, one more than its bytes and CRC hold
    TBytes hugeLength = Png({Ihdr(3, 4)});
    hugeLength[8] = 0xFF;
    TBytes damagedData = Chunk("IDAT", Deflate(FilteredRows));
    damagedData[8] ^= 0xFF;
    const TBytes rows = Deflate(FilteredRows);
    struct Case {
        const char* what;
        TBytes file;
    } cases[] = {
        {"empty", {}},
        {"a wrong signature", badSignature},
        {"the signature cut", cut(5)},
        {"the signature alone", cut(8)},
        {"cut in a chunk's length", cut(10)},
        {"cut in a chunk's type", cut(14)},
        {"cut in a chunk's data", cut(20)},
        {"cut in a chunk's CRC", cut(31)},
        {"a length past the end", longLength},
        {"a length of 4 GiB - 1", hugeLength},
        {"no registered chunk", Png({Chunk("tEXt", {'a', 0, 'b'})})},
        {"a palette before the header", Png({Plte(4), Ihdr(3, 4), Chunk("IDAT", rows)})},
        {"no image data", Png({Ihdr(3, 4), Plte(4), Iend()})},
        {"no palette", Png({Ihdr(3, 4), Chunk("IDAT", rows), Iend()})},
        {"a filter type of 5", Png({Ihdr(3, 1), Plte(4), Chunk("IDAT", Deflate({5, 1, 2, 3}))})},
        {"data that end before the last row", Png({Ihdr(3, 5), Plte(4), Chunk("IDAT", rows)})},
        {"damaged image data", Png({Ihdr(3, 4), Plte(4), damagedData})},
        {"empty image data", Png({Ihdr(3, 4), Plte(4), Chunk("IDAT", {})})},
        {"a bit depth of 3", Png({Ihdr(3, 4, 3), Plte(4), Chunk("IDAT", rows)})},
        {"a negative width", Png({Ihdr(-3, 4), Plte(4), Chunk("IDAT", rows)})},
        {"a negative height", Png({Ihdr(3, -4), Plte(4), Chunk("IDAT", rows)})},
        {"a huge size", Png({Ihdr(INT32_MAX, INT32_MAX), Plte(4), Chunk("IDAT", rows)})},
        {"a huge width of no height", Png({Ihdr(INT32_MAX, 0), Plte(4), Chunk("IDAT", rows)})},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RefusalOf(c.file), "EAbort") << c.what;
}
