#include "utils/Dates.h"
#include "payload/OleDate.h"

#include <gtest/gtest.h>

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
