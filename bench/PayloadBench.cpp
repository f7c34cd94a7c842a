// The payload reader's start-up work, inflating the payload and indexing its entries, against
// zlib's own one-call uncompress of the same stream. The payload is the sample product packed
// as payload-builder packs it (zlib level 9); its "cwp.exe" is the file given as the argument,
// or this program. Every run inflates into fresh pages, as the setup's one inflate at start-up
// does. The runs alternate, so that other work on the machine slows both alike, and the
// medians are printed.
#include "Timing.h"
#include "imaging/Zlib.h"
#include "payload/Archive.h"
#include "utils/Dates.h"
#include "sample-product/SampleProduct.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <malloc.h>
#include <vector>

namespace {

std::string ReadFile(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TBytes SampleArchive(const std::string& cwp) {
    TArchiveWriter writer;
    std::string archive;
    const double date = EncodeOleDate({2012, 2, 26, 12, 59, 2});
    writer.AddName("cwp.exe");
    archive += writer.Header(date, int64_t(cwp.size())) + cwp;
    for (const TSampleFile& file : SampleFiles()) {
        std::string content = SampleContent(file);
        writer.AddName(file.Name);
        archive += writer.Header(date, int64_t(content.size())) + content;
    }
    return {archive.begin(), archive.end()};
}

} // namespace

int main(int argc, char** argv) {
    // Without a fixed threshold glibc keeps blocks of the size last freed in its heap, so runs
    // after the first would reuse pages that are already mapped, unlike the setup's one run.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    const char* cwpPath = argc > 1 ? argv[1] : argv[0];
    const std::string cwp = ReadFile(cwpPath);
    const TBytes archive = SampleArchive(cwp);
    const TBytes packed = Compress(archive);
    const auto packedSize = static_cast<int32_t>(packed.size());
    std::printf("sample payload (cwp.exe from %s): %zu bytes inflated, %d compressed\n", cwpPath,
                archive.size(), packedSize);

    TInflatedBlock result;
    int32_t resultSize = 0;
    std::vector<TAttachedFile> entries;
    const std::function<void()> readPayload = [&] {
        InflateBuffer(packed.data(), packedSize, result, resultSize, InflateEstimate(packedSize));
        entries = IndexArchive(result.get(), resultSize);
    };
    const std::function<void()> uncompress = [&] {
        uLongf size = archive.size();
        result.reset(static_cast<uint8_t*>(std::malloc(size)));
        ::uncompress(result.get(), &size, packed.data(), static_cast<uLong>(packed.size()));
        resultSize = static_cast<int32_t>(size);
    };
    for (const auto& run : {readPayload, uncompress}) {
        run();
        if (resultSize != static_cast<int32_t>(archive.size()) ||
            std::memcmp(result.get(), archive.data(), archive.size()) != 0) {
            std::fprintf(stderr, "payload_bench: the result differs from the archive\n");
            return 1;
        }
    }
    std::printf("%zu entries\n", entries.size());

    std::vector<double> ours, zlibs;
    for (int round = 0; round < 21; ++round) {
        ours.push_back(Milliseconds(readPayload));
        zlibs.push_back(Milliseconds(uncompress));
    }
    const double a = Median(ours), b = Median(zlibs);
    std::printf("InflateBuffer + IndexArchive: %7.2f ms (median of %zu)\n", a, ours.size());
    std::printf("zlib's uncompress:            %7.2f ms (median of %zu)\n", b, zlibs.size());
    std::printf("inflating and indexing take %+.1f%% of uncompress's time\n", (a / b - 1) * 100);
    return 0;
}
