// Whether a date is a holiday, and the working day a number of working days
// after a date, with weekends and (on request) days-off holidays skipped.
#pragma once

#include <cstdint>

#include "format/catalogue.h"
#include "services/holidays.h"

namespace kalcore::services {

struct HolidayAnswer {
    bool isHoliday;    // the holiday file holds a record for the date
    bool fileMissing;  // no holiday file (missing, unopenable or foreign): no date is a holiday
    char name[kHolidayNameField];
    std::int32_t dayOff;  // the record's day-off flag; 0 when no holiday
};

// Looks the date (any input format or keyword) up in the holiday file at
// `path` (nullptr: no file): among the records of its month, day, century
// and two-digit year, whatever their holiday year, the first with the day-off
// flag 1, else the first. Returns false
// (the error flag "Y") for a date that does not decompose while the file
// exists, and for a file that holds no whole record or cannot be read. A file
// that holds anything but holiday records counts as missing. The dates come
// from the library's cache (holiday_index.h). The file is named by a host
// directory and a name, by a path, or by the configuration.
bool HolidayTest(const char* directory, const char* fileName, const DateText& date,
                 HolidayAnswer& answer);
bool HolidayTest(const char* path, const DateText& date, HolidayAnswer& answer);
bool HolidayTest(const DateText& date, HolidayAnswer& answer);

// The date `count` working days after `date` (|count|; 0 counts as 1; the
// start date is never counted), as MM-DD-CCYY. Saturdays and Sundays are
// skipped; with `useHolidays` 1 so are days that any record of the holiday
// file at `path` marks with the day-off flag 1, while a missing file (or a
// null path, or a file of anything but holiday records) makes no day a
// holiday. False for an invalid date, a holiday file without a whole record
// or that cannot be read, or a result beyond the year 9999. The file is
// named as for HolidayTest.
bool NextWorkingDay(const char* directory, const char* fileName, const DateText& date,
                    std::int64_t count, int useHolidays, DateText& result);
bool NextWorkingDay(const char* path, const DateText& date, std::int64_t count, int useHolidays,
                    DateText& result);
bool NextWorkingDay(const DateText& date, std::int64_t count, int useHolidays, DateText& result);

}  // namespace kalcore::services
