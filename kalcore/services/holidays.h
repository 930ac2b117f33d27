// The holiday file: the library's twelve holiday rules, computed for one key
// year at a time and appended to a file of fixed-size binary records, and the
// lookup of a date in it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "civil/civil_date.h"
#include "platform/data_file.h"
#include "services/configuration.h"

namespace kalcore::services {

// One record of the file: 72 bytes, every number a 32-bit little-endian
// signed integer.
//   0 month, 4 day, 8 century, 12 two-digit year, 16 day-off flag,
//   20 name length, 24 name (44 bytes, zero-terminated and zero-padded),
//   68 holiday year (the year the record was built for).
inline constexpr std::size_t kHolidayRecordSize = 72;
inline constexpr std::size_t kHolidayNameField = 44;
inline constexpr std::size_t kMaxHolidayNameChars = kHolidayNameField - 1;
using HolidayRecordBytes = unsigned char[kHolidayRecordSize];

inline constexpr char kObservedSuffix[] = " - Observed.";

struct HolidayRecord {
    std::int32_t month;
    std::int32_t day;
    std::int32_t century;
    std::int32_t twoDigitYear;
    std::int32_t dayOff;           // 1: work stops that day
    char name[kHolidayNameField];  // terminated, at most 43 characters
    std::int32_t holidayYear;

    // Records with the same month, day, century, two-digit year and holiday
    // year are the same record; the name does not count.
    bool SameIdentity(const HolidayRecord& other) const;
};

void EncodeHolidayRecord(const HolidayRecord& record, HolidayRecordBytes& bytes);
// Any 72 bytes decode: the name ends at its terminator and is cut to 43
// characters whatever the length field says.
void DecodeHolidayRecord(const HolidayRecordBytes& bytes, HolidayRecord& record);

// Whether the 72 bytes of a record, or the first `size` of them for the torn
// last record of a file, are what the library writes: month, day and year
// of a real date, a day-off flag of 0 or 1, one of the library's holiday
// names with its length, and a holiday year in 1-9999 within a year of the
// date's.
bool PlausibleHolidayRecord(const unsigned char* bytes, std::size_t size);

// The names a record can carry, numbered 0-23: rule i's name is 2i, the same
// followed by " - Observed." 2i + 1. -1 for any other name.
int HolidayNameNumber(const char* name);
const char* HolidayRuleName(int number);  // the rule's name without the suffix
bool HolidayNameObserved(int number);

// One holiday rule.
struct HolidayRule {
    enum class Kind { kFixed, kWeekday };
    Kind kind;
    int month;
    int day;           // kFixed: the day of the month
    Weekday weekday;   // kWeekday: the weekday
    int ordinal;       // kWeekday: the n-th such weekday, 1-4; 5 the last of the month
    bool dayOff;       // work stops that day
    bool weekendRule;  // a Saturday is observed on the Friday before, a Sunday on the Monday after
    const char* name;
};

inline constexpr std::size_t kHolidayRuleCount = 12;
extern const HolidayRule kHolidayRules[kHolidayRuleCount];

// What a holiday file holds.
enum class HolidayContent {
    kRecords,     // holiday records only (perhaps none, perhaps a torn last one)
    kForeign,     // something else: never changed, and no date is a holiday in it
    kUnreadable,  // a read failed
};

// The holiday file, open for one operation: for reading under a shared lock,
// or for update under an exclusive one. Only whole records count: a torn
// last record is neither read nor built upon.
class HolidayFile {
  public:
    // False when the file cannot be opened (for reading: when it is missing),
    // or when a pipe, device or directory stands in its place.
    bool Open(const char* path, platform::DataFile::Mode mode);
    std::int64_t RecordCount() const { return count_; }
    // The state of the open file, as its lock holder reads it.
    platform::FileState State() const { return file_.State(); }
    // True when opening it for update made it.
    bool Created() const { return file_.Created(); }
    // Removes the open file, which is at `path`, and closes it.
    void Remove(const char* path) { file_.CloseAndRemove(path); }
    // Reads the whole file and tells whether it holds holiday records.
    HolidayContent Check() const;
    // Calls visit(record) for the records in file order until it returns
    // false. False when the file could not be read.
    template <typename Visit>
    bool ForEach(Visit&& visit) const;
    // Writes the records after the last whole record as one unit (open for
    // update only): a torn last record is cut off first, and when the records
    // cannot all be written and flushed to the disk the file is put back as
    // it was (its torn record too). False in that case.
    bool Append(const HolidayRecord* records, std::size_t count);

  private:
    static constexpr std::size_t kChunkRecords = 56;
    bool ReadChunk(std::int64_t first, std::size_t count, HolidayRecordBytes* bytes) const;

    platform::DataFile file_;
    std::int64_t count_ = 0;
};

template <typename Visit>
bool HolidayFile::ForEach(Visit&& visit) const {
    HolidayRecordBytes chunk[kChunkRecords];
    for (std::int64_t first = 0; first < count_; first += kChunkRecords) {
        const std::size_t n = static_cast<std::size_t>(
            count_ - first < std::int64_t{kChunkRecords} ? count_ - first : kChunkRecords);
        if (!ReadChunk(first, n, chunk)) return false;
        for (std::size_t i = 0; i < n; ++i) {
            HolidayRecord record;
            DecodeHolidayRecord(chunk[i], record);
            if (!visit(record)) return true;
        }
    }
    return true;
}

// The records of the twelve rules for a year, in the order they are
// written: each rule gives one record, or two when the weekend rule moves
// its day off (the Sunday and the observed Monday, or the observed Friday
// and the Saturday). Returns how many were written into `records`.
inline constexpr std::size_t kMaxHolidayRecordsPerYear = 17;
std::size_t HolidayRecordsOfYear(int year, HolidayRecord (&records)[kMaxHolidayRecordsPerYear]);

// What BuildHolidayYear returns when it writes nothing: the file cannot be
// opened, read or written; or it holds something other than holiday records.
inline constexpr int kBuildFailed = -1;
inline constexpr int kBuildForeignFile = -2;

// Appends the holidays of `year` to the holiday file at `path` (made when
// missing), each record only when no record of the same identity is
// in the file yet, all of them in one write. The whole build holds the
// file's exclusive lock, so builds by several processes at once never write
// a record twice. A torn last record is cut off first. A file that holds
// anything but holiday records is left as it is. Returns the number of
// records written, kBuildFailed when the file cannot be opened or read or
// the records did not all reach it (the file is then as it was; one this
// build made is removed again), or kBuildForeignFile.
int BuildHolidayYear(const char* path, int year);

// Start-up's step: decides the holiday year from the key year text (the
// current year when it is empty or no year) and builds it into the file at
// `path`. Returns what BuildHolidayYear returned.
int PrepareHolidayFile(const char* path, const char* keyYear);

// The same with the data directory, file name and key year of `settings`.
// The caller holds the home lock.
int PrepareHolidayFile(const FileSettings& settings);

// Adds the holidays of `year` to the configured holiday file under the home
// lock, as a caller outside start-up does. Returns what BuildHolidayYear
// returned, and the file's path in `path`.
int AddHolidayYear(int year, HostPath& path);

// A change feed's look (platform::ChangeFeed::Look()) passed on by a caller
// that reads several files in one call, or kLookNow: take one.
inline constexpr std::uint64_t kLookNow = UINT64_MAX;
std::uint64_t LookAt(std::uint64_t look);

// A date looked up in the holiday file.
struct HolidayLookup {
    bool isHoliday;  // a record of the file holds the date
    char name[kHolidayNameField];
    bool dayOff;  // the record's day-off flag
};

// Looks a date up in the holiday file `fileName` of the host directory
// `directory` (nullptr: no file): among the records of the date, whatever
// their holiday year, the first with the day-off flag, else the first. A
// missing file, or one that holds anything but holiday records, makes no
// date a holiday. False for a file that holds no whole record or cannot be
// read. The dates come from the library's cache (holiday_index.h).
bool LookUpHoliday(const char* directory, const char* fileName, const CivilDate& date,
                   HolidayLookup& found, std::uint64_t look = kLookNow);
// The same in the holiday file the configuration names.
bool LookUpHoliday(const CivilDate& date, HolidayLookup& found);

}  // namespace kalcore::services
