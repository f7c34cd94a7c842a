#include "utils/Dates.h"

#include <cmath>

namespace {

constexpr int64_t kMsPerDay = 86400000;

// Days since 1 January 1970 of a date of the proleptic Gregorian calendar.
constexpr int64_t DaysFromCivil(int64_t y, int64_t m, int64_t d) {
    y -= m <= 2;
    int64_t era = (y >= 0 ? y : y - 399) / 400;
    int64_t yoe = y - era * 400;
    int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void CivilFromDays(int64_t z, TDateTimeParts& parts) {
    z += 719468;
    int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    int64_t doe = z - era * 146097;
    int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    int64_t mp = (5 * doy + 2) / 153;
    parts.Day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    parts.Month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    parts.Year = static_cast<int>(yoe + era * 400 + (parts.Month <= 2));
}

constexpr int64_t kOleEpoch = DaysFromCivil(1899, 12, 30);

int DaysInMonth(int year, int month) {
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[month - 1];
}

} // namespace

bool IsValidDateTime(const TDateTimeParts& p) {
    return p.Year >= 100 && p.Year <= 9999 && p.Month >= 1 && p.Month <= 12 && p.Day >= 1 &&
           p.Day <= DaysInMonth(p.Year, p.Month) && p.Hour >= 0 && p.Hour < 24 && p.Minute >= 0 &&
           p.Minute < 60 && p.Second >= 0 && p.Second < 60;
}

double EncodeOleDate(const TDateTimeParts& p) {
    int64_t days = DaysFromCivil(p.Year, p.Month, p.Day) - kOleEpoch;
    double time = (p.Hour * 3600 + p.Minute * 60 + p.Second) / 86400.0;
    // Before the epoch the fraction still counts forward from midnight: -1.25 is
    // 29 December 1899 06:00.
    return days >= 0 ? static_cast<double>(days) + time : static_cast<double>(days) - time;
}

bool DecodeOleDate(double date, TDateTimeParts& parts) {
    // The range of the years 100 to 9999.
    if (!(date > -657435.0 && date < 2958466.0))
        return false;
    double whole = std::trunc(date);
    int64_t days = static_cast<int64_t>(whole);
    int64_t ms = std::llround(std::fabs(date - whole) * kMsPerDay);
    if (ms >= kMsPerDay) {
        // Rounded up to midnight: the next calendar day, also before the epoch.
        ms -= kMsPerDay;
        days += 1;
    }
    CivilFromDays(days + kOleEpoch, parts);
    int64_t seconds = ms / 1000;
    parts.Hour = static_cast<int>(seconds / 3600);
    parts.Minute = static_cast<int>(seconds / 60 % 60);
    parts.Second = static_cast<int>(seconds % 60);
    return IsValidDateTime(parts);
}

bool OleDateToDosDateTime(double date, uint16_t& dosDate, uint16_t& dosTime) {
    TDateTimeParts p;
    if (!DecodeOleDate(date, p) || p.Year < 1980 || p.Year > 2099)
        return false;
    dosDate = static_cast<uint16_t>((p.Year - 1980) << 9 | p.Month << 5 | p.Day);
    dosTime = static_cast<uint16_t>(p.Hour << 11 | p.Minute << 5 | p.Second / 2);
    return true;
}

bool DosDateTimeToOleDate(uint16_t dosDate, uint16_t dosTime, double& date) {
    TDateTimeParts parts;
    parts.Year = 1980 + (dosDate >> 9);
    parts.Month = dosDate >> 5 & 15;
    parts.Day = dosDate & 31;
    parts.Hour = dosTime >> 11;
    parts.Minute = dosTime >> 5 & 63;
    parts.Second = (dosTime & 31) * 2;
    if (!IsValidDateTime(parts))
        return false;
    date = EncodeOleDate(parts);
    return true;
}
