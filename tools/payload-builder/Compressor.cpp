#include "Compressor.h"

#include "framework/Exceptions.h"

#include <zlib.h>
#include <zopfli/zopfli.h>

#include <cstdlib>

namespace {

class TZlibCompressor : public TCompressor {
public:
    TZlibCompressor() {
        if (deflateInit(&FStream, Z_BEST_COMPRESSION) != Z_OK)
            throw EOutOfMemory();
    }
    ~TZlibCompressor() override { deflateEnd(&FStream); }
    TZlibCompressor(const TZlibCompressor&) = delete;
    TZlibCompressor& operator=(const TZlibCompressor&) = delete;

    void Write(std::string_view bytes) override {
        FStream.next_in = reinterpret_cast<const Bytef*>(bytes.data());
        FStream.avail_in = static_cast<uInt>(bytes.size());
        Deflate(Z_NO_FLUSH);
    }

    std::vector<uint8_t> Finish() override {
        Deflate(Z_FINISH);
        return std::move(FOutput);
    }

private:
    // Runs the deflater until it has taken all input (and, to finish, written the end).
    void Deflate(int flush) {
        int result;
        do {
            uint8_t chunk[1 << 16];
            FStream.next_out = chunk;
            FStream.avail_out = sizeof chunk;
            result = deflate(&FStream, flush);
            if (result == Z_STREAM_ERROR)
                throw EStreamError("zlib refused to compress");
            FOutput.insert(FOutput.end(), chunk, chunk + (sizeof chunk - FStream.avail_out));
        } while (flush == Z_FINISH ? result != Z_STREAM_END : FStream.avail_out == 0);
    }

    z_stream FStream{};
    std::vector<uint8_t> FOutput;
};

class TZopfliCompressor : public TCompressor {
public:
    explicit TZopfliCompressor(int iterations) : FIterations(iterations) {}

    void Write(std::string_view bytes) override {
        FArchive.insert(FArchive.end(), bytes.begin(), bytes.end());
    }

    std::vector<uint8_t> Finish() override {
        ZopfliOptions options;
        ZopfliInitOptions(&options);
        options.numiterations = FIterations;
        unsigned char* out = nullptr;
        size_t outSize = 0;
        ZopfliCompress(&options, ZOPFLI_FORMAT_ZLIB,
                       reinterpret_cast<const unsigned char*>(FArchive.data()), FArchive.size(),
                       &out, &outSize);
        std::vector<uint8_t> stream(out, out + outSize);
        std::free(out);
        return stream;
    }

private:
    int FIterations;
    std::vector<char> FArchive;
};

} // namespace

std::unique_ptr<TCompressor> NewZlibCompressor() {
    return std::make_unique<TZlibCompressor>();
}

std::unique_ptr<TCompressor> NewZopfliCompressor(int iterations) {
    return std::make_unique<TZopfliCompressor>(iterations);
}
