#include "utils/Dates.h"

#include "payload/OleDate.h"

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
