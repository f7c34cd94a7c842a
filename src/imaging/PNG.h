// Reading PNG files into palette bitmaps: as much of the format as the program's logos need.
// The header gives width, height and bit depth; every pixel is one sample of that depth,
// rows top to bottom, no interlacing; a palette is required; ancillary chunks are skipped.
#pragma once

#include "framework/Bitmap.h"
#include "framework/Stream.h"

#include <array>
#include <cstdint>
#include <memory>
#include <typeinfo>
#include <vector>

class TChunkIHDR;
class TChunkList;

// Compared byte for byte, so case matters.
using TChunkType = std::array<char, 4>;

class TChunk {
public:
    TChunk(TChunkList& owner, const TChunkType& type) : FOwner(owner), FChunkType(type) {}
    TChunk(const TChunk&) = delete;
    TChunk& operator=(const TChunk&) = delete;
    virtual ~TChunk() = default;

    // Runs on every chunk once all are read.
    virtual void Apply() {}

    TChunkList& Owner() const { return FOwner; }
    TMemoryStream& Data() { return FData; }
    const TMemoryStream& Data() const { return FData; }
    const TChunkType& ChunkType() const { return FChunkType; }
    const TChunkIHDR& Header() const;

private:
    TChunkList& FOwner;
    TMemoryStream FData;
    TChunkType FChunkType;
};

class TChunkIEND final : public TChunk {
public:
    using TChunk::TChunk;
};

class TChunkIHDR final : public TChunk {
public:
    TChunkIHDR(TChunkList& owner, const TChunkType& type);

    int32_t ImageWidth() const;
    int32_t ImageHeight() const;
    uint8_t BitDepth() const { return Data().Bytes()[8]; }
};

class TChunkPLTE final : public TChunk {
public:
    using TChunk::TChunk;

    // The colours in file order, at most 256; a trailing partial entry is ignored.
    std::vector<TPaletteEntry> MakePalette() const;
};

class TChunkIDAT final : public TChunk {
public:
    using TChunk::TChunk;

    // Decodes the image data collected in this chunk into the image.
    void Apply() override;

private:
    static constexpr int32_t PixelStep = 1;

    int64_t RowBytes() const;
    void StoreRow(int32_t y, const uint8_t* row) const;
};

// Makes a chunk of a registered class.
using TChunkClass = std::unique_ptr<TChunk> (*)(TChunkList& owner, const TChunkType& type);

template <class T> std::unique_ptr<TChunk> NewChunk(TChunkList& owner, const TChunkType& type) {
    return std::make_unique<T>(owner, type);
}

// The chunk types the reader knows and the classes that read them.
class TChunkClasses {
public:
    struct TEntry {
        TChunkType ChunkType;
        TChunkClass ChunkClass;
    };

    void Register(const TChunkType& type, TChunkClass chunkClass);
    // The first entry of the type, or -1.
    int IndexOfType(const TChunkType& type) const;
    const TEntry& operator[](int index) const { return FEntries[static_cast<size_t>(index)]; }

private:
    std::vector<TEntry> FEntries;
};

// IEND, IHDR, IDAT and PLTE, registered when the program starts.
extern const TChunkClasses ChunkClasses;

class TPNGImage : public TBitmap {
public:
    // Replaces size, pixel format, palette and pixels with the image at the stream's
    // position. Raises EAbort for what it cannot read.
    void LoadFromStream(TStream& stream);
    // The reader writes nothing.
    void SaveToStream(TStream&) {}
};

// The chunks of one load.
class TChunkList {
public:
    explicit TChunkList(TPNGImage& image) : FImage(image) {}

    TPNGImage& Image() const { return FImage; }
    int Count() const { return static_cast<int>(FItems.size()); }
    TChunk& operator[](int index) const { return *FItems[static_cast<size_t>(index)]; }
    void Add(std::unique_ptr<TChunk> chunk) { FItems.push_back(std::move(chunk)); }

    // The index of the latest chunk of exactly class T, or -1.
    template <class T> int IndexOfClass() const {
        for (int i = Count() - 1; i >= 0; --i) {
            const TChunk& item = (*this)[i];
            if (typeid(item) == typeid(T))
                return i;
        }
        return -1;
    }

    // Reads one chunk; false after IEND. Raises EAbort when the chunk does not fit in the
    // stream.
    bool ReadChunk(TStream& stream);

private:
    TPNGImage& FImage;
    std::vector<std::unique_ptr<TChunk>> FItems;
};

// The predictor of filter 4: the neighbour nearest to left + above - upper left, ties going
// to the left byte, then to the byte above.
uint8_t PaethPredictor(uint8_t left, uint8_t above, uint8_t upperLeft);

// Reconstructs a filtered row in place, given the reconstructed row above it. Raises EAbort
// for a filter type above 4.
void UnfilterRow(uint8_t filterType, uint8_t* row, const uint8_t* above, int32_t pixelStep,
                 int32_t rowBytes);

// Widens width 2-bit samples to 4-bit pixels: sample v becomes palette index v. The half byte
// beyond an odd width keeps its value.
void ExpandTwoBitRow(const uint8_t* source, uint8_t* pixels, int32_t width);
