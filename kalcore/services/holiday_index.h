// The holiday dates of a holiday file in date order, as the holiday lookup and
// the next working day look them up, and the library's cache of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>

#include "platform/files.h"
#include "platform/mutex.h"
#include "services/holidays.h"

namespace kalcore::services {

// A date a lookup can find: the date of any record, whatever its holiday year
// (the observed New Year on Friday 31 December belongs to the next one). Of
// several records of one date the first day-off record counts, and without
// one the first record.
struct HolidayDate {
    std::int32_t serial;  // serial day number of the date
    std::uint8_t name;    // HolidayNameNumber of the record's name
    std::uint8_t dayOff;  // the record's day-off flag
};

// The dates of a holiday file after a given day, in date order: all of them,
// or the earliest kCapacity when there are more.
class HolidayIndex {
  public:
    // Room for the dates of 120 key years and more.
    static constexpr std::size_t kCapacity = 2048;

    enum class Content {
        kNoHolidays,  // no file, or one that holds no holiday records: no date is a holiday
        kEmpty,       // a holiday file without a whole record
        kDates,       // dates (perhaps none after the day asked for)
        kUnreadable,  // the file could not be read
    };

    // Reads the dates after `after` from the holiday file at `path`.
    Content Load(const char* path, std::int32_t after);

    Content content() const { return content_; }
    // True when the dates hold every date of the file from `serial` on up to
    // the last one they hold (or the file's last).
    bool Covers(std::int32_t serial) const;
    // True when the file has dates after the last one held.
    bool Truncated() const { return truncated_; }
    // The first date on or after `serial`, and the end of the dates.
    const HolidayDate* From(std::int32_t serial) const;
    const HolidayDate* end() const { return dates_ + count_; }

  private:
    void Insert(const HolidayDate& date);

    HolidayDate dates_[kCapacity];
    std::size_t count_ = 0;
    std::int32_t after_ = INT32_MIN;
    bool truncated_ = false;
    Content content_ = Content::kNoHolidays;
};

// The index of the holiday file `fileName` in the host directory
// `directory` (the name matched without regard to case), from the library's
// cache, held (and the cache locked against other threads) while this object
// lives. The cache holds the file open and reads it again only when the
// directory or name differ from the last ones, or when the file is no longer
// the one at that path as it was (written, renamed, replaced or removed; see
// platform::FileWatch) or had not settled when it was read; so any change
// shows at the next call, at the cost of one fstat(). This and the settings
// of configuration.cpp are the library's only caches: holiday lookups would
// otherwise read the whole file at every call.
class CachedHolidayIndex {
  public:
    // `look`: the change feed's look of the caller's call
    // (platform::ChangeFeed::Look()), which confirms the cached dates without
    // a system call while the feed reports no change.
    CachedHolidayIndex(const char* directory, const char* fileName, std::uint64_t look);
    // What the file holds.
    HolidayIndex::Content content() const;
    // The index holding the dates from `serial` on; the file is read again
    // when the cached dates do not reach there (a file of more dates than one
    // index holds).
    const HolidayIndex& From(std::int32_t serial);

  private:
    std::unique_lock<platform::Mutex> hold_;
};

}  // namespace kalcore::services
