// The working day a number of working days after a date, with weekends and
// (on request) the days off of the holiday file skipped.
#pragma once

#include <cstdint>

#include "civil/civil_date.h"

namespace kalcore::services {

// The date `count` working days after `start` (|count|; 0 counts as 1; the
// start date is never counted). Saturdays and Sundays are skipped; with
// `useHolidays` so are days that any record of the holiday file
// `fileName` in the host directory `directory` marks as a day off, while a
// missing file (or a null directory or name, or a file of anything but
// holiday records) makes no day a holiday. False for a holiday file without
// a whole record or that cannot be read, or a result outside the years
// 1000-9999, whose dates the library's texts hold. `look`: as for
// LookUpHoliday (holidays.h).
bool NextWorkingDay(const char* directory, const char* fileName, const CivilDate& start,
                    std::int64_t count, bool useHolidays, CivilDate& result,
                    std::uint64_t look = UINT64_MAX);
// The same with the holiday file the configuration names.
bool NextWorkingDay(const CivilDate& start, std::int64_t count, bool useHolidays,
                    CivilDate& result);

}  // namespace kalcore::services
