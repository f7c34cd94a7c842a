// File stamps read back from the system: DOS date and time fields as OLE Automation dates.
// The other direction, and the OLE dates themselves, are in payload/OleDate.h.
#pragma once

#include <cstdint>

// The date of DOS date and time fields (two-second resolution, years 1980 to 2107). False for
// fields that name no real date or time.
bool DosDateTimeToOleDate(uint16_t dosDate, uint16_t dosTime, double& date);
