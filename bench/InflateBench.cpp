// InflateBuffer against zlib's own one-call uncompress on a payload-sized stream: about 5.5 MB
// of synthetic data that deflate packs to about 2.85 MB. Both allocate their output block
// each time, as the setup does once at start-up. The runs alternate, so that other work on
// the machine slows both alike, and the medians are printed.
#include "Timing.h"
#include "imaging/Zlib.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
#include <malloc.h>
#include <vector>

namespace {

// Runs of word-like text between runs of noise, from a fixed seed.
TBytes SyntheticPayload() {
    constexpr size_t size = 5489432;
    static const char* const words[] = {
        "the ",     "corvella ",  "word ",  "processor ", "template ", "clip ",
        "library ", "spelling ",  "of ",    "and ",       "document ", "page ",
        "\r\n",     "paragraph ", "style ", "Heading ",   "image ",    "table ",
        "font ",    "margin ",    "a ",     "to ",        "in ",       "1998 "};
    uint32_t state = 2463534242u;
    const auto next = [&state] {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    };
    TBytes data;
    while (data.size() < size) {
        if (next() % 100 < 44) {
            for (uint32_t n = 64 + next() % 1024; n > 0; --n)
                data.push_back(static_cast<uint8_t>(next()));
        } else {
            for (uint32_t n = 20 + next() % 200; n > 0; --n) {
                const char* word = words[next() % std::size(words)];
                data.insert(data.end(), word, word + std::strlen(word));
            }
        }
    }
    data.resize(size);
    return data;
}

} // namespace

int main() {
    // Blocks this large always come fresh from the system, as at the setup's start-up;
    // otherwise glibc would keep the smaller of the two blocks warm for the next round.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    const TBytes data = SyntheticPayload();
    const TBytes packed = Compress(data);
    const auto packedSize = static_cast<int32_t>(packed.size());
    std::printf("payload: %zu bytes inflated, %d compressed\n", data.size(), packedSize);

    TInflatedBlock result;
    int32_t resultSize = 0;
    const std::function<void()> inflateBuffer = [&] {
        // The payload reader's estimate: five times the compressed size.
        InflateBuffer(packed.data(), packedSize, result, resultSize, 5 * packedSize);
    };
    const std::function<void()> uncompress = [&] {
        uLongf size = data.size();
        result.reset(static_cast<uint8_t*>(std::malloc(size)));
        ::uncompress(result.get(), &size, packed.data(), static_cast<uLong>(packed.size()));
        resultSize = static_cast<int32_t>(size);
    };
    for (const auto& run : {inflateBuffer, uncompress}) {
        run();
        if (resultSize != static_cast<int32_t>(data.size()) ||
            std::memcmp(result.get(), data.data(), data.size()) != 0) {
            std::fprintf(stderr, "inflate_bench: the result differs from the data\n");
            return 1;
        }
    }

    std::vector<double> ours, zlibs;
    for (int round = 0; round < 21; ++round) {
        ours.push_back(Milliseconds(inflateBuffer));
        zlibs.push_back(Milliseconds(uncompress));
    }
    const double a = Median(ours), b = Median(zlibs);
    std::printf("InflateBuffer:     %7.2f ms (median of %zu)\n", a, ours.size());
    std::printf("zlib's uncompress: %7.2f ms (median of %zu)\n", b, zlibs.size());
    std::printf("InflateBuffer takes %+.1f%% of uncompress's time\n", (a / b - 1) * 100);
    return 0;
}
