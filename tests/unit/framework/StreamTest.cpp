#include "framework/Stream.h"
#include "framework/Exceptions.h"

#include <gtest/gtest.h>

TEST(MemoryStream, WritesReadsAndSeeksWithinItsBytes) {
    TMemoryStream s;
    EXPECT_EQ(s.Write("abcdef", 6), 6);
    EXPECT_EQ(s.Size(), 6);
    EXPECT_EQ(s.Seek(2, soBeginning), 2);
    char buf[8] = {};
    EXPECT_EQ(s.Read(buf, 8), 4);
    EXPECT_STREQ(buf, "cdef");
    // Seeks outside the data are clamped, so no later read leaves it.
    EXPECT_EQ(s.Seek(-100, soCurrent), 0);
    EXPECT_EQ(s.Seek(100, soEnd), 6);
    EXPECT_EQ(s.Read(buf, 8), 0);
}

TEST(MemoryStream, NeverGrowsPastA32BitPosition) {
    TMemoryStream s;
    s.Write("ab", 2);
    s.SetPosition(1);
    EXPECT_THROW(s.Write("x", INT32_MAX), EOutOfMemory);
    EXPECT_EQ(s.Size(), 2);
}

TEST(MemoryStream, ReadExactRefusesAShortRead) {
    TReadOnlyMemoryStream s("xyz", 3);
    char buf[4];
    s.ReadExact(buf, 2);
    EXPECT_THROW(s.ReadExact(buf, 2), EAbort);
    EXPECT_EQ(s.Position(), 3);
}
