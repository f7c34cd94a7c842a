#include "utils/Dates.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

uint16_t DosDate(int year, int month, int day) {
    return static_cast<uint16_t>((year - 1980) << 9 | month << 5 | day);
}

uint16_t DosTime(int hour, int minute, int second) {
    return static_cast<uint16_t>(hour << 11 | minute << 5 | second / 2);
}

} // namespace

TEST(Dates, DosFieldsGiveTheDateAndTimeToTheSecond) {
    const TDateTimeParts cases[] = {
        {1980, 1, 1, 0, 0, 0},
        {2012, 2, 26, 12, 59, 2},
        {2000, 2, 29, 23, 59, 58},
        {2107, 12, 31, 23, 59, 58},
    };
    for (const TDateTimeParts& p : cases) {
        double date = 0;
        ASSERT_TRUE(DosDateTimeToOleDate(DosDate(p.Year, p.Month, p.Day),
                                         DosTime(p.Hour, p.Minute, p.Second), date))
            << p.Year;
        EXPECT_EQ(date, EncodeOleDate(p)) << p.Year;
    }
}

TEST(Dates, FieldsThatNameNoDateAreRefused) {
    struct Case {
        uint16_t date, time;
    } cases[] = {
        {DosDate(2012, 0, 1), 0},
        {DosDate(2012, 13, 1), 0},
        {DosDate(2012, 2, 0), 0},
        {DosDate(2011, 2, 29), 0},
        {DosDate(2012, 4, 31), 0},
        {DosDate(2012, 1, 1), DosTime(24, 0, 0)},
        {DosDate(2012, 1, 1), DosTime(0, 60, 0)},
        {DosDate(2012, 1, 1), 30}, // 60 seconds
    };
    for (const Case& c : cases) {
        double date = -1;
        EXPECT_FALSE(DosDateTimeToOleDate(c.date, c.time, date)) << c.date << " " << c.time;
        EXPECT_EQ(date, -1);
    }
}

TEST(Dates, AnEvenSecondSurvivesTheRoundTripThroughDosFields) {
    // What the setup writes as a file's stamp reads back as the same date, so a file it wrote
    // is recognised as unchanged.
    for (double written : {40965 + 46742 / 86400.0, 29221.0, 40228.5, 73050 + 86398 / 86400.0}) {
        uint16_t dosDate, dosTime;
        ASSERT_TRUE(OleDateToDosDateTime(written, dosDate, dosTime)) << written;
        double read = 0;
        ASSERT_TRUE(DosDateTimeToOleDate(dosDate, dosTime, read)) << written;
        EXPECT_EQ(read, written);
    }
}

TEST(OleDate, EncodesDaysSinceTheEpochAndTheTimeAsFraction) {
    struct Case {
        TDateTimeParts parts;
        double date;
    } cases[] = {
        {{1899, 12, 30, 0, 0, 0}, 0.0},    {{1900, 1, 1, 0, 0, 0}, 2.0},
        {{2000, 1, 1, 12, 0, 0}, 36526.5}, {{2012, 2, 26, 12, 59, 2}, 40965 + 46742 / 86400.0},
        {{1899, 12, 29, 6, 0, 0}, -1.25},
    };
    for (const Case& c : cases) {
        EXPECT_DOUBLE_EQ(EncodeOleDate(c.parts), c.date) << c.date;
        TDateTimeParts back;
        ASSERT_TRUE(DecodeOleDate(c.date, back)) << c.date;
        EXPECT_EQ(back, c.parts) << c.date;
    }
}

TEST(OleDate, DecodingRoundsToTheMillisecondThenDropsIt) {
    TDateTimeParts p;
    ASSERT_TRUE(DecodeOleDate(40965 + (46742 - 0.0004) / 86400, p));
    EXPECT_EQ(p, (TDateTimeParts{2012, 2, 26, 12, 59, 2}));
    ASSERT_TRUE(DecodeOleDate(40965 + (46742 + 0.9) / 86400, p));
    EXPECT_EQ(p.Second, 2);
    // Just before midnight rounds up into the next day, also before the epoch.
    ASSERT_TRUE(DecodeOleDate(40965.9999999999, p));
    EXPECT_EQ(p, (TDateTimeParts{2012, 2, 27, 0, 0, 0}));
    ASSERT_TRUE(DecodeOleDate(-1.9999999999, p));
    EXPECT_EQ(p, (TDateTimeParts{1899, 12, 30, 0, 0, 0}));
}

TEST(OleDate, RefusesWhatIsNoDate) {
    TDateTimeParts p;
    for (double d : {std::nan(""), std::numeric_limits<double>::infinity(), -1e300, 1e300,
                     2958466.0, -657435.0})
        EXPECT_FALSE(DecodeOleDate(d, p)) << d;
    EXPECT_TRUE(DecodeOleDate(2958465.5, p));
    EXPECT_EQ(p, (TDateTimeParts{9999, 12, 31, 12, 0, 0}));
}

TEST(OleDate, ChecksCalendarDates) {
    EXPECT_TRUE(IsValidDateTime({2012, 2, 29, 23, 59, 59}));
    EXPECT_TRUE(IsValidDateTime({2000, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(IsValidDateTime({1900, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(IsValidDateTime({2011, 2, 29, 0, 0, 0}));
    EXPECT_FALSE(IsValidDateTime({2012, 4, 31, 0, 0, 0}));
    EXPECT_FALSE(IsValidDateTime({2012, 13, 1, 0, 0, 0}));
    EXPECT_FALSE(IsValidDateTime({2012, 1, 1, 24, 0, 0}));
    EXPECT_FALSE(IsValidDateTime({2012, 1, 1, 0, 60, 0}));
    EXPECT_FALSE(IsValidDateTime({2012, 1, 1, 0, 0, 60}));
}

TEST(DosDateTime, HasTwoSecondResolutionAndYears1980To2099) {
    struct Case {
        TDateTimeParts parts;
        bool ok;
        uint16_t date, time;
    } cases[] = {
        {{2012, 2, 26, 12, 59, 2}, true, 32 << 9 | 2 << 5 | 26, 12 << 11 | 59 << 5 | 1},
        {{2012, 2, 26, 12, 59, 3}, true, 32 << 9 | 2 << 5 | 26, 12 << 11 | 59 << 5 | 1},
        {{1980, 1, 1, 0, 0, 0}, true, 0 << 9 | 1 << 5 | 1, 0},
        {{2099, 12, 31, 23, 59, 59}, true, 119 << 9 | 12 << 5 | 31, 23 << 11 | 59 << 5 | 29},
        {{1979, 12, 31, 23, 59, 58}, false, 0, 0},
        {{2100, 1, 1, 0, 0, 0}, false, 0, 0},
    };
    for (const Case& c : cases) {
        uint16_t date = 0, time = 0;
        EXPECT_EQ(OleDateToDosDateTime(EncodeOleDate(c.parts), date, time), c.ok) << c.parts.Year;
        if (c.ok) {
            EXPECT_EQ(date, c.date) << c.parts.Year;
            EXPECT_EQ(time, c.time) << c.parts.Year;
        }
    }
}
