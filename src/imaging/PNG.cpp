#include "imaging/PNG.h"

#include "framework/Exceptions.h"
#include "imaging/Zlib.h"

#include <algorithm>
#include <cstdlib>
#include <new>

namespace {

constexpr uint8_t Signature[8] = {137, 80, 78, 71, 13, 10, 26, 10};

// Deflate cannot turn one byte into more than 1032.
constexpr int64_t MaxInflateRatio = 1032;

constexpr TChunkType Type(const char (&name)[5]) {
    return {name[0], name[1], name[2], name[3]};
}

template <class T> bool IsA(const TChunk& chunk) {
    return typeid(chunk) == typeid(T);
}

uint32_t BigEndian(const uint8_t* bytes) {
    return uint32_t{bytes[0]} << 24 | uint32_t{bytes[1]} << 16 | uint32_t{bytes[2]} << 8 | bytes[3];
}

TChunkClasses RegisteredChunkClasses() {
    TChunkClasses classes;
    classes.Register(Type("IEND"), &NewChunk<TChunkIEND>);
    classes.Register(Type("IHDR"), &NewChunk<TChunkIHDR>);
    classes.Register(Type("IDAT"), &NewChunk<TChunkIDAT>);
    classes.Register(Type("PLTE"), &NewChunk<TChunkPLTE>);
    return classes;
}

// The bitmap format that holds samples of the bit depth.
int BitsPerPixel(uint8_t bitDepth) {
    switch (bitDepth) {
    case 1:
        return 1;
    case 2:
    case 4:
        return 4;
    case 8:
    case 16:
        return 8;
    default:
        throw EAbort();
    }
}

uint8_t Prediction(uint8_t filterType, uint8_t left, uint8_t above, uint8_t upperLeft) {
    switch (filterType) {
    case 1:
        return left;
    case 2:
        return above;
    case 3:
        return static_cast<uint8_t>((left + above) / 2);
    case 4:
        return PaethPredictor(left, above, upperLeft);
    default:
        return 0;
    }
}

void CopyBytes(TStream& from, TStream& to, uint32_t count) {
    std::vector<uint8_t> bytes(count);
    from.ReadExact(bytes.data(), static_cast<int32_t>(count));
    to.WriteExact(bytes.data(), static_cast<int32_t>(count));
}

} // namespace

const TChunkClasses ChunkClasses = RegisteredChunkClasses();

void TChunkClasses::Register(const TChunkType& type, TChunkClass chunkClass) {
    FEntries.push_back({type, chunkClass});
}

int TChunkClasses::IndexOfType(const TChunkType& type) const {
    auto found = std::find_if(FEntries.begin(), FEntries.end(),
                              [&](const TEntry& e) { return e.ChunkType == type; });
    return found == FEntries.end() ? -1 : static_cast<int>(found - FEntries.begin());
}

// Chunks are applied only once the first one is known to be the header.
const TChunkIHDR& TChunk::Header() const {
    return dynamic_cast<const TChunkIHDR&>(FOwner[0]);
}

// The data are 13 bytes at least, so that a short header reads as zeros.
TChunkIHDR::TChunkIHDR(TChunkList& owner, const TChunkType& type) : TChunk(owner, type) {
    Data().SetSize(13);
}

int32_t TChunkIHDR::ImageWidth() const {
    return static_cast<int32_t>(BigEndian(Data().Bytes().data()));
}

int32_t TChunkIHDR::ImageHeight() const {
    return static_cast<int32_t>(BigEndian(Data().Bytes().data() + 4));
}

std::vector<TPaletteEntry> TChunkPLTE::MakePalette() const {
    const std::vector<uint8_t>& data = Data().Bytes();
    std::vector<TPaletteEntry> palette(std::min<size_t>(data.size() / 3, 256));
    for (size_t i = 0; i < palette.size(); ++i)
        palette[i] = {data[3 * i], data[3 * i + 1], data[3 * i + 2]};
    return palette;
}

int64_t TChunkIDAT::RowBytes() const {
    return (int64_t{Header().ImageWidth()} * Header().BitDepth() + 7) / 8;
}

void TChunkIDAT::Apply() {
    const TChunkIHDR& header = Header();
    const int32_t width = header.ImageWidth();
    const int32_t height = header.ImageHeight();
    const int bitsPerPixel = BitsPerPixel(header.BitDepth());
    // Each row is its filter type and its bytes. Refuse a header whose rows the data could
    // never fill before allocating anything for them.
    const int64_t rowSize = RowBytes() + 1;
    const int64_t dataSize = static_cast<int64_t>(Data().Bytes().size());
    if (width < 0 || height < 0 || rowSize > INT32_MAX ||
        rowSize * std::max(height, 1) > MaxInflateRatio * dataSize)
        throw EAbort();

    // On the heap: the inflater holds its 64 KB input buffer.
    auto inflater = std::make_unique<TZDecompressionStream>(Data());
    inflater->SetPosition(0);
    std::vector<uint8_t> row(static_cast<size_t>(rowSize));
    std::vector<uint8_t> above(static_cast<size_t>(rowSize), 0);
    TPNGImage& image = Owner().Image();
    image.SetPixelFormat(bitsPerPixel);
    image.SetSize(width, height);
    const int palette = Owner().IndexOfClass<TChunkPLTE>();
    if (palette < 0)
        throw EAbort();
    image.SetPalette(static_cast<const TChunkPLTE&>(Owner()[palette]).MakePalette());

    for (int32_t y = 0; y < height; ++y) {
        inflater->ReadExact(row.data(), static_cast<int32_t>(rowSize));
        UnfilterRow(row[0], row.data() + 1, above.data() + 1, PixelStep,
                    static_cast<int32_t>(rowSize - 1));
        StoreRow(y, row.data() + 1);
        row.swap(above);
    }
}

void TChunkIDAT::StoreRow(int32_t y, const uint8_t* row) const {
    TPNGImage& image = Owner().Image();
    uint8_t* pixels = image.ScanLine(y);
    switch (Header().BitDepth()) {
    case 2:
        ExpandTwoBitRow(row, pixels, image.Width());
        break;
    case 16:
        // The most significant byte of each sample.
        for (int32_t x = 0; x < image.Width(); ++x)
            pixels[x] = row[2 * x];
        break;
    default:
        std::copy_n(row, RowBytes(), pixels);
    }
}

bool TChunkList::ReadChunk(TStream& stream) {
    uint8_t length[4];
    TChunkType type;
    stream.ReadExact(length, 4);
    stream.ReadExact(type.data(), 4);
    // The data and the CRC must lie inside the stream.
    const uint32_t dataLength = BigEndian(length);
    if (int64_t{dataLength} + 4 > int64_t{stream.Size()} - stream.Position())
        throw EAbort();

    const int index = ChunkClasses.IndexOfType(type);
    if (index < 0) {
        stream.Seek(static_cast<int32_t>(dataLength + 4), soCurrent);
        return true;
    }
    std::unique_ptr<TChunk> chunk = ChunkClasses[index].ChunkClass(*this, type);
    CopyBytes(stream, chunk->Data(), dataLength);
    stream.Seek(4, soCurrent); // the CRC, never checked

    // All image data go to the first IDAT chunk, whatever stands between them.
    const int firstData = IndexOfClass<TChunkIDAT>();
    if (IsA<TChunkIDAT>(*chunk) && firstData >= 0) {
        TMemoryStream& data = (*this)[firstData].Data();
        data.Seek(0, soEnd);
        data.WriteExact(chunk->Data().Bytes().data(), static_cast<int32_t>(dataLength));
        return true;
    }
    const bool more = !IsA<TChunkIEND>(*chunk);
    Add(std::move(chunk));
    return more;
}

void TPNGImage::LoadFromStream(TStream& stream) {
    try {
        TChunkList chunks(*this);
        uint8_t signature[8];
        stream.ReadExact(signature, 8);
        if (!std::equal(signature, signature + 8, Signature))
            throw EAbort();
        // At least one chunk, then on to IEND or the end of the stream.
        while (chunks.ReadChunk(stream) && stream.Position() < stream.Size()) {
        }
        if (chunks.Count() == 0 || !IsA<TChunkIHDR>(chunks[0]) ||
            chunks.IndexOfClass<TChunkIDAT>() < 0)
            throw EAbort();
        for (int i = 0; i < chunks.Count(); ++i)
            chunks[i].Apply();
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory();
    }
}

uint8_t PaethPredictor(uint8_t left, uint8_t above, uint8_t upperLeft) {
    const int p = left + above - upperLeft;
    const int pa = std::abs(p - left);
    const int pb = std::abs(p - above);
    const int pc = std::abs(p - upperLeft);
    if (pa <= pb && pa <= pc)
        return left;
    return pb <= pc ? above : upperLeft;
}

void UnfilterRow(uint8_t filterType, uint8_t* row, const uint8_t* above, int32_t pixelStep,
                 int32_t rowBytes) {
    if (filterType > 4)
        throw EAbort();
    for (int32_t i = 0; i < rowBytes; ++i) {
        // Left and upper left of the first pixel count as 0.
        const uint8_t left = i < pixelStep ? 0 : row[i - pixelStep];
        const uint8_t upperLeft = i < pixelStep ? 0 : above[i - pixelStep];
        row[i] = static_cast<uint8_t>(row[i] + Prediction(filterType, left, above[i], upperLeft));
    }
}

void ExpandTwoBitRow(const uint8_t* source, uint8_t* pixels, int32_t width) {
    for (int32_t i = 0; i < width; ++i) {
        const int sample = source[i / 4] >> (6 - 2 * (i % 4)) & 3;
        uint8_t& pixel = pixels[i / 2];
        pixel = static_cast<uint8_t>(i % 2 == 0 ? (pixel & 0x0F) | sample << 4
                                                : (pixel & 0xF0) | sample);
    }
}
