#include "services/holiday_index.h"

#include <cstring>

#include "calendar/serial_days.h"
#include "services/configuration.h"

namespace kalcore::services {

using platform::DataFile;
using platform::FileState;

HolidayIndex::Content HolidayIndex::Load(const char* path, std::int32_t after, FileState& state) {
    count_ = 0;
    after_ = after;
    truncated_ = false;
    HolidayFile file;
    if (path == nullptr || !file.Open(path, DataFile::Mode::kRead))
        return content_ = Content::kNoHolidays;
    state = file.State();
    switch (file.Check()) {
        case HolidayContent::kRecords:
            break;
        case HolidayContent::kForeign:
            return content_ = Content::kNoHolidays;
        case HolidayContent::kUnreadable:
            return content_ = Content::kUnreadable;
    }
    if (file.RecordCount() == 0) return content_ = Content::kEmpty;
    const bool read = file.ForEach([&](const HolidayRecord& r) {
        // Checked records: a real date, a known name. Only a date in the
        // record's own holiday year can be found.
        const int year = r.century * 100 + r.twoDigitYear;
        if (year != r.holidayYear) return true;
        const std::int32_t serial = SerialFromCivil(CivilDate{year, r.month, r.day});
        if (serial > after)
            Insert(HolidayDate{serial, static_cast<std::uint8_t>(HolidayNameNumber(r.name)),
                               static_cast<std::uint8_t>(r.dayOff)});
        return true;
    });
    return content_ = read ? Content::kDates : Content::kUnreadable;
}

void HolidayIndex::Insert(const HolidayDate& date) {
    std::size_t at = 0, end = count_;
    while (at < end) {  // the first position whose date is not earlier
        const std::size_t mid = (at + end) / 2;
        if (dates_[mid].serial < date.serial)
            at = mid + 1;
        else
            end = mid;
    }
    // An earlier record of the same date stands. Once full, only a date
    // earlier than the latest one gets in, and the latest one goes.
    if (at < count_ && dates_[at].serial == date.serial) return;
    if (count_ == kCapacity) {
        truncated_ = true;
        if (at == kCapacity) return;
    }
    const std::size_t last = count_ == kCapacity ? kCapacity - 1 : count_++;
    std::memmove(&dates_[at + 1], &dates_[at], (last - at) * sizeof(HolidayDate));
    dates_[at] = date;
}

bool HolidayIndex::Covers(std::int32_t serial) const {
    return serial > after_ && (!truncated_ || serial <= dates_[count_ - 1].serial);
}

const HolidayDate* HolidayIndex::From(std::int32_t serial) const {
    std::size_t at = 0, end = count_;
    while (at < end) {
        const std::size_t mid = (at + end) / 2;
        if (dates_[mid].serial < serial)
            at = mid + 1;
        else
            end = mid;
    }
    return dates_ + at;
}

namespace {

// The cache: the index of the one holiday file last looked at, the path it
// was read from and the file's state at that reading.
struct IndexCache {
    platform::Mutex mutex;
    bool valid = false;
    HostPath path = "";
    FileState state;
    HolidayIndex index;
};

IndexCache& TheIndexCache() {
    static IndexCache cache;
    return cache;
}

// Reads the dates after `after` into the cache.
void Reload(IndexCache& cache, const char* path, const FileState& state, std::int32_t after) {
    FileState read = state;
    const HolidayIndex::Content content = cache.index.Load(path, after, read);
    // A failed reading is tried again at the next call.
    cache.valid = content != HolidayIndex::Content::kUnreadable;
    std::strncpy(cache.path, path, sizeof cache.path - 1);
    cache.path[sizeof cache.path - 1] = '\0';
    cache.state = read;
}

}  // namespace

CachedHolidayIndex::CachedHolidayIndex(const char* path, const FileState& state)
    : hold_(TheIndexCache().mutex), path_(path != nullptr ? path : "") {
    IndexCache& cache = TheIndexCache();
    if (!cache.valid || !cache.state.settled || !platform::SameFileState(state, cache.state) ||
        std::strcmp(path_, cache.path) != 0)
        Reload(cache, path_, state, INT32_MIN);
}

HolidayIndex::Content CachedHolidayIndex::content() const {
    return TheIndexCache().index.content();
}

const HolidayIndex& CachedHolidayIndex::From(std::int32_t serial) {
    IndexCache& cache = TheIndexCache();
    if (cache.index.content() == HolidayIndex::Content::kDates && !cache.index.Covers(serial))
        Reload(cache, path_, cache.state, serial - 1);
    return cache.index;
}

}  // namespace kalcore::services
