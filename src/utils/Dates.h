// OLE Automation dates (days since 30 December 1899, the fraction being the time of day,
// local wall-clock time) and the DOS date and time that file stamps are set at.
#pragma once

#include <cstdint>

struct TDateTimeParts {
    int Year = 0, Month = 0, Day = 0;
    int Hour = 0, Minute = 0, Second = 0;
    bool operator==(const TDateTimeParts&) const = default;
};

// True for a real calendar date (years 100 to 9999) and time of day.
bool IsValidDateTime(const TDateTimeParts& parts);

// The parts must be valid.
double EncodeOleDate(const TDateTimeParts& parts);

// Splits a date into whole seconds, milliseconds rounded away first. False for NaN, infinities
// and dates outside the years 100 to 9999.
bool DecodeOleDate(double date, TDateTimeParts& parts);

// The DOS date and time of a date: two-second resolution (odd seconds round down), years 1980
// to 2099. False when the date has none.
bool OleDateToDosDateTime(double date, uint16_t& dosDate, uint16_t& dosTime);

// The date of DOS date and time fields (two-second resolution, years 1980 to 2107). False for
// fields that name no real date or time.
bool DosDateTimeToOleDate(uint16_t dosDate, uint16_t dosTime, double& date);
