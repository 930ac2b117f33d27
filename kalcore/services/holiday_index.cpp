#include "services/holiday_index.h"

#include <cstring>

#include "civil/civil_date.h"
#include "services/named_file_watch.h"

namespace kalcore::services {

using platform::DataFile;

HolidayIndex::Content HolidayIndex::Load(const char* path, std::int32_t after) {
    count_ = 0;
    after_ = after;
    truncated_ = false;
    HolidayFile file;
    if (path == nullptr || path[0] == '\0' || !file.Open(path, DataFile::Mode::kRead))
        return content_ = Content::kNoHolidays;
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
        // Checked records: a real date, a known name.
        const int year = r.century * 100 + r.twoDigitYear;
        const std::int32_t serial = SerialDay(CivilDate{year, r.month, r.day});
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
    // An earlier record of the same date stands, unless it is a working day
    // and this one a day off. Once full, only a date earlier than the latest
    // one gets in, and the latest one goes.
    if (at < count_ && dates_[at].serial == date.serial) {
        if (dates_[at].dayOff != 1 && date.dayOff == 1) dates_[at] = date;
        return;
    }
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

// The cache: the index of the one holiday file last looked at, where it was
// looked for, and the file itself, held open.
struct IndexCache {
    platform::Mutex mutex;
    bool valid = false;
    HostPath directory = "";
    char fileName[kHostPathSize] = "";
    NamedFileWatch file;
    HolidayIndex index;
};

IndexCache& TheIndexCache() {
    static IndexCache cache;
    return cache;
}

bool Copy(const char* text, char (&out)[kHostPathSize]) {
    const std::size_t n = std::strlen(text);
    if (n >= sizeof out) return false;
    std::memcpy(out, text, n + 1);
    return true;
}

}  // namespace

CachedHolidayIndex::CachedHolidayIndex(const char* directory, const char* fileName,
                                       std::uint64_t look)
    : hold_(TheIndexCache().mutex) {
    IndexCache& cache = TheIndexCache();
    if (directory == nullptr || fileName == nullptr) directory = fileName = "";
    if (cache.valid && std::strcmp(directory, cache.directory) == 0 &&
        std::strcmp(fileName, cache.fileName) == 0 && cache.file.Unchanged(look))
        return;
    // Watched from before it is read: a change while it is read shows at the
    // next call.
    cache.valid = Copy(directory, cache.directory) && Copy(fileName, cache.fileName) &&
                  cache.file.Open(directory, fileName, look);
    if (!cache.valid) cache.file.Close();
    // A failed reading is tried again at the next call.
    if (cache.index.Load(cache.file.path(), INT32_MIN) == HolidayIndex::Content::kUnreadable)
        cache.valid = false;
}

HolidayIndex::Content CachedHolidayIndex::content() const {
    return TheIndexCache().index.content();
}

const HolidayIndex& CachedHolidayIndex::From(std::int32_t serial) {
    IndexCache& cache = TheIndexCache();
    if (cache.index.content() == HolidayIndex::Content::kDates && !cache.index.Covers(serial) &&
        cache.index.Load(cache.file.path(), serial - 1) == HolidayIndex::Content::kUnreadable)
        cache.valid = false;
    return cache.index;
}

}  // namespace kalcore::services
