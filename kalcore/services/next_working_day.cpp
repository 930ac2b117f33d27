#include "services/next_working_day.h"

#include <cstring>

#include "calendar/components.h"
#include "calendar/serial_days.h"

namespace kalcore::services {

using platform::DataFile;

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

// The serial day number of a record's date when a date lookup can find it:
// a real date whose year is the record's holiday year.
bool SerialOfRecord(const HolidayRecord& r, std::int64_t& serial) {
    if (r.century < 0 || r.century > 99 || r.twoDigitYear < 0 || r.twoDigitYear > 99 ||
        r.month < 1 || r.month > 12 || r.day < 1)
        return false;
    const int year = r.century * 100 + r.twoDigitYear;
    if (year < 1 || r.holidayYear != year ||
        r.day > kDaysInMonth[IsLeapYear(year) ? 1 : 0][r.month])
        return false;
    serial = SerialFromCivil(CivilDate{year, r.month, r.day});
    return true;
}

// The holiday dates after a point, in date order, a window at a time: one
// pass over the file keeps the earliest kSize distinct dates, each with the
// day-off flag of its first record in file order (the record a lookup of
// that date finds).
class HolidayWindow {
  public:
    static constexpr std::size_t kSize = 256;
    struct Entry {
        std::int64_t serial;
        bool dayOff;
    };

    // Fills the window with the dates after `after`; false on a read error.
    bool Fill(const HolidayFile& file, std::int64_t after) {
        count_ = 0;
        return file.ForEach([&](const HolidayRecord& record) {
            std::int64_t serial;
            if (SerialOfRecord(record, serial) && serial > after)
                Insert(Entry{serial, record.dayOff == 1});
            return true;
        });
    }
    std::size_t Count() const { return count_; }
    bool Full() const { return count_ == kSize; }
    const Entry& operator[](std::size_t i) const { return entries_[i]; }

  private:
    void Insert(const Entry& entry) {
        std::size_t at = 0, end = count_;
        while (at < end) {  // first position whose date is not earlier
            const std::size_t mid = (at + end) / 2;
            if (entries_[mid].serial < entry.serial)
                at = mid + 1;
            else
                end = mid;
        }
        // An earlier record of the same date stands; once full, only dates
        // earlier than the latest one get in, and the latest one goes.
        if (at < count_ && entries_[at].serial == entry.serial) return;
        if (Full() && at == kSize) return;
        const std::size_t last = Full() ? kSize - 1 : count_++;
        std::memmove(&entries_[at + 1], &entries_[at], (last - at) * sizeof(Entry));
        entries_[at] = entry;
    }

    Entry entries_[kSize];
    std::size_t count_ = 0;
};

// Moves `target` one weekday further for every day-off holiday on a weekday
// after `start` up to it. Each such day had been counted as a working day;
// the days past the old target are checked in turn as the target grows.
bool SkipHolidays(const HolidayFile& file, std::int64_t start, std::int64_t& target) {
    HolidayWindow window;
    for (std::int64_t after = start;;) {
        if (!window.Fill(file, after)) return false;
        for (std::size_t i = 0; i < window.Count(); ++i) {
            if (window[i].serial > target) return true;
            if (window[i].dayOff && !IsWeekend(window[i].serial)) target = AddWeekdays(target, 1);
        }
        if (!window.Full()) return true;
        after = window[window.Count() - 1].serial;
    }
}

}  // namespace

bool HolidayTest(const char* path, const DateText& date, HolidayAnswer& answer) {
    answer = HolidayAnswer{};
    HolidayFile file;
    if (path == nullptr || !file.Open(path, DataFile::Mode::kRead)) {
        answer.fileMissing = true;
        return true;
    }
    DatePieces pieces;
    if (!DateParts(date, pieces)) return false;
    if (file.RecordCount() == 0) return false;  // not even a first record to read
    const int year = pieces.FullYear();
    return file.ForEach([&](const HolidayRecord& r) {
        if (r.month != pieces.month || r.day != pieces.day || r.century != pieces.century ||
            r.twoDigitYear != pieces.twoDigitYear || r.holidayYear != year)
            return true;
        answer.isHoliday = true;
        std::memcpy(answer.name, r.name, sizeof answer.name);
        answer.dayOff = r.dayOff;
        return false;
    });
}

bool NextWorkingDay(const char* path, const DateText& date, std::int64_t count, int useHolidays,
                    DateText& result) {
    std::memset(result, 0, sizeof result);
    CivilDate start{};
    if (!ReadCivilDate(date, start)) return false;
    const std::int64_t n = count == 0 ? 1 : (count < 0 ? -count : count);
    const std::int64_t first = SerialFromCivil(start);
    std::int64_t target = AddWeekdays(first, n);
    if (useHolidays == kUseHolidays) {
        HolidayFile file;
        if (path != nullptr && file.Open(path, DataFile::Mode::kRead)) {
            // Every call checks at least one weekday, and a file without a
            // record fails that check.
            if (file.RecordCount() == 0 || !SkipHolidays(file, first, target)) return false;
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

}  // namespace kalcore::services
