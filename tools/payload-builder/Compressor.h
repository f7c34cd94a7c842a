// The two ways of compressing the archive into its one zlib stream.
#pragma once

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

class TCompressor {
public:
    virtual ~TCompressor() = default;
    virtual void Write(std::string_view bytes) = 0;
    // Ends the stream and returns it whole.
    virtual std::vector<uint8_t> Finish() = 0;
};

// zlib at level 9: the stream begins 0x78 0xDA, as the shipped payload does.
std::unique_ptr<TCompressor> NewZlibCompressor();

// Zopfli: the same format and header with a smaller stream, many times slower. It holds the
// whole archive in memory until Finish.
std::unique_ptr<TCompressor> NewZopfliCompressor(int iterations);
