#include "imaging/Zlib.h"
#include "logos/PngWriter.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// Bytes that compress to about a fifth, so a step of the input size is well short of them.
TBytes SampleData(size_t size) {
    TBytes data(size);
    uint32_t state = 12345;
    for (size_t i = 0; i < size; ++i) {
        state = state * 1103515245 + 12345;
        data[i] =
            i % 7 == 0 ? static_cast<uint8_t>(state >> 24) : static_cast<uint8_t>('a' + i % 5);
    }
    return data;
}

TBytes Inflate(const TBytes& packed, int32_t estimate) {
    TInflatedBlock block;
    int32_t size = -1;
    InflateBuffer(packed.data(), static_cast<int32_t>(packed.size()), block, size, estimate);
    return TBytes(block.get(), block.get() + size);
}

TBytes ReadAll(TStream& stream, int32_t count) {
    TBytes bytes(static_cast<size_t>(count));
    bytes.resize(static_cast<size_t>(stream.Read(bytes.data(), count)));
    return bytes;
}

TBytes Slice(const TBytes& bytes, size_t from, size_t count) {
    return TBytes(bytes.begin() + static_cast<ptrdiff_t>(from),
                  bytes.begin() + static_cast<ptrdiff_t>(from + count));
}

} // namespace

TEST(InflateBuffer, GivesTheSameBytesWhateverTheEstimate) {
    const TBytes data = SampleData(20000);
    const TBytes packed = Deflate(data);
    ASSERT_LT(packed.size() * 3, data.size());
    struct Case {
        const char* what;
        int32_t estimate;
    } cases[] = {
        {"no guess: grows one step at a time", 0},
        {"too small", 1},
        {"negative, taken as no guess", -7},
        {"exact", static_cast<int32_t>(data.size())},
        {"too large: shrunk to the result", static_cast<int32_t>(data.size() * 5)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(Inflate(packed, c.estimate), data);
    }
}

TEST(InflateBuffer, AStreamOfNothingGivesANullBlock) {
    const TBytes packed = Deflate({});
    for (int32_t estimate : {0, 100}) {
        TInflatedBlock block(static_cast<uint8_t*>(std::malloc(1)));
        int32_t size = -1;
        InflateBuffer(packed.data(), static_cast<int32_t>(packed.size()), block, size, estimate);
        EXPECT_EQ(size, 0);
        EXPECT_EQ(block.get(), nullptr);
    }
}

TEST(InflateBuffer, RefusesBadDataAndLeavesTheOutputAlone) {
    const TBytes good = Deflate(SampleData(3000));
    TBytes badHeader = good;
    badHeader[0] ^= 0xFF;
    TBytes badCheck = good;
    badCheck.back() ^= 1;
    TBytes trailing = good;
    trailing.push_back(0);
    struct Case {
        const char* what;
        TBytes input;
        const char* className;
    } cases[] = {
        {"empty", {}, "EZlibTruncated"},
        {"cut short", Slice(good, 0, good.size() - 9), "EZlibTruncated"},
        {"header only", Slice(good, 0, 2), "EZlibTruncated"},
        {"damaged header", badHeader, "EZlibDataError"},
        {"wrong check value", badCheck, "EZlibDataError"},
        {"bytes after the end", trailing, "EZlibTrailingData"},
    };
    for (const Case& c : cases) {
        for (int32_t estimate : {0, 100000}) {
            SCOPED_TRACE(std::string(c.what) + ", estimate " + std::to_string(estimate));
            TInflatedBlock block;
            int32_t size = -1;
            try {
                InflateBuffer(c.input.data(), static_cast<int32_t>(c.input.size()), block, size,
                              estimate);
                ADD_FAILURE() << "accepted";
            } catch (const Exception& e) {
                EXPECT_STREQ(e.ClassName(), c.className);
            }
            EXPECT_EQ(block.get(), nullptr);
            EXPECT_EQ(size, -1);
        }
    }
}

TEST(ZDecompressionStream, ReadsInPiecesAndSurvivesMovesOfTheSource) {
    const TBytes data = SampleData(600000);
    TMemoryStream source(Deflate(data));
    ASSERT_GT(source.Size(), 65536) << "the source must take more than one refill";
    TZDecompressionStream z(source);
    EXPECT_EQ(ReadAll(z, 0), TBytes{});
    EXPECT_EQ(ReadAll(z, 70000), Slice(data, 0, 70000));
    // Other code moves the source between reads.
    source.SetPosition(3);
    EXPECT_EQ(ReadAll(z, 500000), Slice(data, 70000, 500000));
    // A read of nothing only puts the source back where the inflater left it.
    const int32_t left = source.Position();
    source.SetPosition(5);
    EXPECT_EQ(z.Read(nullptr, 0), 0);
    EXPECT_EQ(source.Position(), left);
    EXPECT_EQ(z.Position(), 570000);
    // A read past the end gives what there is, then nothing.
    EXPECT_EQ(ReadAll(z, 100000), Slice(data, 570000, 30000));
    EXPECT_EQ(ReadAll(z, 10), TBytes{});
}

TEST(ZDecompressionStream, StartsAtTheSourcesPositionWhenMade) {
    const TBytes data = SampleData(1000);
    TBytes bytes = {'j', 'u', 'n', 'k'};
    const TBytes packed = Deflate(data);
    bytes.insert(bytes.end(), packed.begin(), packed.end());
    TMemoryStream source(bytes);
    source.SetPosition(4);
    TZDecompressionStream z(source);
    EXPECT_EQ(ReadAll(z, 2000), data);
}

TEST(ZDecompressionStream, StopsAtBadDataWithWhatItHas) {
    const TBytes data = SampleData(50000);
    const TBytes packed = Deflate(data);
    TBytes badHeader = packed;
    badHeader[0] ^= 0xFF;
    TBytes badCheck = packed;
    badCheck.back() ^= 1;
    TBytes trailing = packed;
    trailing.insert(trailing.end(), 100000, 0);
    struct Case {
        const char* what;
        TBytes input;
        bool whole;
    } cases[] = {
        {"empty", {}, false},
        {"cut short", Slice(packed, 0, packed.size() / 2), false},
        {"damaged header", badHeader, false},
        {"wrong check value", badCheck, true},
        {"bytes after the end", trailing, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMemoryStream source(c.input);
        TZDecompressionStream z(source);
        const TBytes got = ReadAll(z, 60000);
        EXPECT_EQ(got.size() == data.size(), c.whole);
        EXPECT_EQ(got, Slice(data, 0, got.size()));
        EXPECT_EQ(ReadAll(z, 10), TBytes{});
    }
}

TEST(ZDecompressionStream, SeeksForwardAndRewindsOnly) {
    const TBytes data = SampleData(20000);
    const TBytes packed = Deflate(data);
    struct Case {
        const char* what;
        int32_t offset;
        TSeekOrigin origin;
        int32_t expected;
    } cases[] = {
        {"to 100 from the beginning skips 60", 100, soBeginning, 100},
        {"to 20 from the beginning changes nothing", 20, soBeginning, 40},
        {"to the current position changes nothing", 40, soBeginning, 40},
        {"by -5 from the current position changes nothing", -5, soCurrent, 40},
        {"by 0 from the current position reports it", 0, soCurrent, 40},
        {"by 0 from the end reports the position", 0, soEnd, 40},
        {"by -10 from the end changes nothing", -10, soEnd, 40},
        {"by 10000 from the current position skips whole blocks and a part", 10000, soCurrent,
         10040},
        {"by exactly one block", 4096, soCurrent, 4136},
        {"to 0 rewinds", 0, soBeginning, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TMemoryStream source(packed);
        TZDecompressionStream z(source);
        ASSERT_EQ(ReadAll(z, 40), Slice(data, 0, 40));
        EXPECT_EQ(z.Seek(c.offset, c.origin), c.expected);
        EXPECT_EQ(ReadAll(z, 10), Slice(data, static_cast<size_t>(c.expected), 10));
    }
}

TEST(ZDecompressionStream, RewindRestartsAtTheSourcesStart) {
    const TBytes data = SampleData(100000);
    TMemoryStream source(Deflate(data));
    TZDecompressionStream z(source);
    ASSERT_EQ(ReadAll(z, 90000), Slice(data, 0, 90000));
    source.SetPosition(7);
    z.SetPosition(0);
    EXPECT_EQ(source.Position(), 0);
    EXPECT_EQ(ReadAll(z, 100001), data);
}

TEST(ZDecompressionStream, SkippingPastTheEndAborts) {
    const TBytes data = SampleData(5000);
    TMemoryStream source(Deflate(data));
    for (int32_t target : {5001, 9000}) {
        SCOPED_TRACE(target);
        TZDecompressionStream z(source);
        z.SetPosition(0);
        EXPECT_THROW(z.Seek(target, soBeginning), EAbort);
        EXPECT_EQ(z.Position(), 5000);
    }
}

TEST(ZDecompressionStream, WriteStoresNothing) {
    TMemoryStream source(Deflate(SampleData(10)));
    TZDecompressionStream z(source);
    EXPECT_EQ(z.Write("abc", 3), 0);
    EXPECT_EQ(ReadAll(z, 20), SampleData(10));
}
