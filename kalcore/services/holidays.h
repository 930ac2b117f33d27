// The holiday file: the library's twelve holiday rules, computed for one key
// year at a time and appended to a file of fixed-size binary records, which
// the holiday test then looks dates up in.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/data_file.h"

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

// One holiday rule.
struct HolidayRule {
    enum class Kind { kFixed, kWeekday };
    Kind kind;
    int month;
    int dayOrWeekday;  // kFixed: day of the month; kWeekday: 1 = Sunday .. 7 = Saturday
    int ordinal;       // kWeekday: the n-th such weekday, 1-4
    bool last;         // kWeekday: the last such weekday of the month instead
    int dayOff;
    bool weekendRule;  // a Saturday is observed on the Friday before, a Sunday on the Monday after
    const char* name;
};

inline constexpr std::size_t kHolidayRuleCount = 12;
extern const HolidayRule kHolidayRules[kHolidayRuleCount];

// The holiday file, open for one operation: for reading under a shared lock,
// or for update under an exclusive one. Only whole records count: a torn
// last record is neither read nor built upon.
class HolidayFile {
  public:
    // False when the file cannot be opened (for reading: when it is missing).
    bool Open(const char* path, platform::DataFile::Mode mode);
    std::int64_t RecordCount() const { return count_; }
    // Calls visit(record) for the records in file order until it returns
    // false. False when the file could not be read.
    template <typename Visit>
    bool ForEach(Visit&& visit) const;
    // True when a record of the same identity is in the file.
    bool Contains(const HolidayRecord& record) const;
    // Writes the record after the last whole record (open for update only).
    bool Append(const HolidayRecord& record);

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

enum class BuildMode { kUpdate, kCreate };

// Appends the holidays of the year that `yearText` names (the full year of
// "01-01-" + text; the current year when that is no date) to the holiday
// file at `path`, each record only when no record of the same identity is
// in the file yet. The whole build holds the file's exclusive lock, so
// builds by several processes at once never write a record twice. A torn
// last record is cut off first. Returns the number of records written, or
// -1 when the file cannot be opened for writing.
int BuildHolidayYear(const char* path, const char* yearText, BuildMode mode);

// Start-up's step: decides the holiday year from the key year (the current
// year when it is empty or no year) and builds it into the file at `path`,
// in update mode when the file exists and create mode when it does not.
void PrepareHolidayFile(const char* path, const char* keyYear);

// The same with the path and key year from the configuration file.
void PrepareHolidayFile();

}  // namespace kalcore::services
