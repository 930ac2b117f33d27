#include "services/next_working_day.h"

#include "format/date_reader.h"
#include "platform/change_feed.h"
#include "platform/directories.h"
#include "services/configuration.h"
#include "services/holiday_index.h"

namespace kalcore::services {

namespace {

bool IsWeekend(std::int64_t serial) {
    const Weekday day = WeekdayOfSerial(serial);
    return day == Weekday::kSunday || day == Weekday::kSaturday;
}

// The `k`-th weekday after `serial` (k >= 1), by whole weeks and a rest.
std::int64_t AddWeekdays(std::int64_t serial, std::int64_t k) {
    int monday0 = (static_cast<int>(WeekdayOfSerial(serial)) + 5) % 7;  // Monday 0 .. Sunday 6
    if (monday0 > 4) {
        // From a weekend the count goes on as from the Friday before.
        serial -= monday0 - 4;
        monday0 = 4;
    }
    const std::int64_t rest = k % 5;
    return serial + 7 * (k / 5) + rest + (monday0 + rest > 4 ? 2 : 0);
}

// Moves `target` one weekday further for every day-off holiday on a weekday
// after `start` up to it. Each such day had been counted as a working day;
// the days past the old target are checked in turn as the target grows.
void SkipHolidays(CachedHolidayIndex& holidays, std::int64_t start, std::int64_t& target) {
    for (std::int64_t from = start + 1;;) {
        const HolidayIndex& index = holidays.From(static_cast<std::int32_t>(from));
        const HolidayDate* date = index.From(static_cast<std::int32_t>(from));
        for (; date != index.end(); ++date) {
            if (date->serial > target) return;
            if (date->dayOff == 1 && !IsWeekend(date->serial)) target = AddWeekdays(target, 1);
        }
        // Past the last date the index holds: read on when the file has more.
        if (!index.Truncated()) return;
        from = index.end()[-1].serial + std::int64_t{1};
    }
}

}  // namespace

bool NextWorkingDay(const char* directory, const char* fileName, const CivilDate& start,
                    std::int64_t count, bool useHolidays, CivilDate& result, std::uint64_t look) {
    const std::int64_t n = count == 0 ? 1 : (count < 0 ? -count : count);
    const std::int64_t first = SerialDay(start);
    std::int64_t target = AddWeekdays(first, n);
    if (useHolidays && directory != nullptr && fileName != nullptr) {
        CachedHolidayIndex holidays(directory, fileName, LookAt(look));
        switch (holidays.content()) {
            case HolidayIndex::Content::kNoHolidays:
                break;
            case HolidayIndex::Content::kDates:
                SkipHolidays(holidays, first, target);
                break;
            // Every call checks at least one weekday, and a file without a
            // record fails that check.
            case HolidayIndex::Content::kEmpty:
            case HolidayIndex::Content::kUnreadable:
                return false;
        }
    }
    CivilDate end{};
    if (!DateOfSerial(target, end) || !IsReadableYear(end.year)) return false;
    result = end;
    return true;
}

bool NextWorkingDay(const CivilDate& start, std::int64_t count, bool useHolidays,
                    CivilDate& result) {
    if (!useHolidays) return NextWorkingDay(nullptr, nullptr, start, count, false, result);
    // One look at the change feed for both files.
    const std::uint64_t look = platform::ChangeFeed::Instance().Look();
    const FileSettings settings = ReadFileSettings(look);
    HostPath directory;
    const bool mapped =
        platform::HostDataDirectory(settings.directory, directory, sizeof directory);
    return NextWorkingDay(mapped ? directory : nullptr, settings.holidayFile, start, count, true,
                          result, look);
}

}  // namespace kalcore::services
