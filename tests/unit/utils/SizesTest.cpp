#include "utils/Sizes.h"

#include <gtest/gtest.h>

TEST(Sizes, RoundToClustersRoundsUpToWholeClusters) {
    struct Case {
        int64_t size;
        int32_t cluster;
        int64_t rounded;
    } cases[] = {
        {0, 4096, 0},       {1, 4096, 4096},
        {4096, 4096, 4096}, {4097, 4096, 8192},
        {-1, 4096, 4096}, // a file that could not be opened counts as one cluster
        {5, 512, 512},      {3000000000, 4096, 3000000512}, // past 2 GiB without wrapping
        {4097, 0, 4097},    {4097, -512, 4097},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RoundToClusters(c.size, c.cluster), c.rounded) << c.size << " " << c.cluster;
}

TEST(Sizes, GroupDigitsSeparatesThousandsWithBlanks) {
    struct Case {
        int64_t n;
        const char* text;
    } cases[] = {
        {0, "0"},
        {123, "123"},
        {1234, "1 234"},
        {123456, "123 456"},
        {1234567, "1 234 567"},
        {102400, "102 400"},
        {9007199254740993, "9 007 199 254 740 993"},
        {-1234, "-1 234"},
        {-123, "-123"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GroupDigits(c.n), c.text) << c.n;
}

TEST(Sizes, FormatSizeShowsKilobytesOrMegabytes) {
    struct Case {
        int64_t size;
        const char* text;
    } cases[] = {
        {0, "0 KB"},
        {1023, "0 KB"},
        {1024, "1 KB"},
        {1048576, "1 MB"},
        {1048577, "1 024 KB"},
        {5489432, "5 360 KB"},
        {16777214, "16 383 KB"},
        {16777215, "16 MB"},
        {18350080, "18 MB"}, // 17.5 MiB: the half goes to the even neighbour
        {19398656, "18 MB"}, // 18.5 MiB
        {19398657, "19 MB"},
        {1073741824, "1 024 MB"},
        {107374182400, "102 400 MB"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FormatSize(c.size), c.text) << c.size;
}
