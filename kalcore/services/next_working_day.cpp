#include "services/next_working_day.h"

#include <cstdio>
#include <cstring>

#include "calendar/components.h"
#include "calendar/serial_days.h"
#include "platform/directories.h"
#include "services/configuration.h"
#include "services/holiday_index.h"

namespace kalcore::services {

namespace {

constexpr int kUseHolidays = 1;

// Serial day number of 1 January 2000, a Saturday.
constexpr std::int64_t kSaturdaySerial = 730500;

// 1 = Sunday .. 7 = Saturday.
int DayNumberOfSerial(std::int64_t serial) {
    const std::int64_t r = (serial - kSaturdaySerial + 6) % 7;
    return static_cast<int>(r < 0 ? r + 7 : r) + 1;
}

bool IsWeekend(std::int64_t serial) {
    const int day = DayNumberOfSerial(serial);
    return day == 1 || day == 7;
}

// The `k`-th weekday after `serial` (k >= 1), by whole weeks and a rest.
std::int64_t AddWeekdays(std::int64_t serial, std::int64_t k) {
    int monday0 = (DayNumberOfSerial(serial) + 5) % 7;  // Monday 0 .. Sunday 6
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

// The directory part of `path` (up to its last separator) and the name.
struct SplitPath {
    HostPath directory = "";
    const char* name = nullptr;
    explicit SplitPath(const char* path) {
        if (path == nullptr) return;
        const char* slash = std::strrchr(path, '/');
        const char* backslash = std::strrchr(path, '\\');
        if (backslash > slash) slash = backslash;
        name = slash != nullptr ? slash + 1 : path;
        const std::size_t n = static_cast<std::size_t>(name - path);
        if (n >= sizeof directory) {
            name = nullptr;
            return;
        }
        std::memcpy(directory, path, n);
        directory[n] = '\0';
    }
};

}  // namespace

bool HolidayTest(const char* directory, const char* fileName, const DateText& date,
                 HolidayAnswer& answer) {
    answer = HolidayAnswer{};
    DatePieces pieces;
    const bool valid = DateParts(date, pieces);
    if (directory == nullptr || fileName == nullptr) {
        answer.fileMissing = true;
        return true;
    }
    CachedHolidayIndex holidays(directory, fileName);
    // A missing file makes no date a holiday, whatever the date.
    if (holidays.content() == HolidayIndex::Content::kNoHolidays) {
        answer.fileMissing = true;
        return true;
    }
    // Neither an empty nor an unreadable file gives a first record to read.
    if (!valid || holidays.content() != HolidayIndex::Content::kDates) return false;
    const std::int32_t serial =
        SerialFromCivil(CivilDate{pieces.FullYear(), pieces.month, pieces.day});
    const HolidayIndex& index = holidays.From(serial);
    const HolidayDate* found = index.From(serial);
    if (found == index.end() || found->serial != serial) return true;
    answer.isHoliday = true;
    std::snprintf(answer.name, sizeof answer.name, "%s%s", HolidayRuleName(found->name),
                  HolidayNameObserved(found->name) ? kObservedSuffix : "");
    answer.dayOff = found->dayOff;
    return true;
}

bool HolidayTest(const char* path, const DateText& date, HolidayAnswer& answer) {
    const SplitPath split(path);
    return HolidayTest(split.name != nullptr ? split.directory : nullptr, split.name, date, answer);
}

bool HolidayTest(const DateText& date, HolidayAnswer& answer) {
    const FileSettings settings = ReadFileSettings();
    HostPath directory;
    const bool mapped =
        platform::HostDataDirectory(settings.directory, directory, sizeof directory);
    return HolidayTest(mapped ? directory : nullptr, settings.holidayFile, date, answer);
}

bool NextWorkingDay(const char* directory, const char* fileName, const DateText& date,
                    std::int64_t count, int useHolidays, DateText& result) {
    std::memset(result, 0, sizeof result);
    CivilDate start{};
    if (!ReadCivilDate(date, start)) return false;
    const std::int64_t n = count == 0 ? 1 : (count < 0 ? -count : count);
    const std::int64_t first = SerialFromCivil(start);
    std::int64_t target = AddWeekdays(first, n);
    if (useHolidays == kUseHolidays && directory != nullptr && fileName != nullptr) {
        CachedHolidayIndex holidays(directory, fileName);
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
    if (!CivilFromSerial(target, end)) return false;
    WriteCalendarText(end, result);
    // The date reached must read back as a date.
    CivilDate check{};
    if (!ReadCivilDate(result, check)) {
        std::memset(result, 0, sizeof result);
        return false;
    }
    return true;
}

bool NextWorkingDay(const char* path, const DateText& date, std::int64_t count, int useHolidays,
                    DateText& result) {
    const SplitPath split(path);
    return NextWorkingDay(split.name != nullptr ? split.directory : nullptr, split.name, date,
                          count, useHolidays, result);
}

bool NextWorkingDay(const DateText& date, std::int64_t count, int useHolidays, DateText& result) {
    if (useHolidays != kUseHolidays)
        return NextWorkingDay(nullptr, nullptr, date, count, 0, result);
    const FileSettings settings = ReadFileSettings();
    HostPath directory;
    const bool mapped =
        platform::HostDataDirectory(settings.directory, directory, sizeof directory);
    return NextWorkingDay(mapped ? directory : nullptr, settings.holidayFile, date, count,
                          useHolidays, result);
}

}  // namespace kalcore::services
