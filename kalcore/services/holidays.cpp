#include "services/holidays.h"

#include <cstdio>
#include <cstring>

#include "format/date_reader.h"
#include "platform/change_feed.h"
#include "platform/clock.h"
#include "platform/directories.h"
#include "platform/home_lock.h"
#include "services/holiday_index.h"

namespace kalcore::services {

using platform::DataFile;

namespace {

void PutInt32(unsigned char* out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::int32_t GetInt32(const unsigned char* in) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{in[i]} << (8 * i);
    return static_cast<std::int32_t>(v);
}

// The year of today's date; 1970 when the clock's year lies outside the
// years a date text holds.
int CurrentYear() {
    const int year = platform::ReadClock().date.year;
    return IsReadableYear(year) ? year : 1970;
}

// The date of a rule in `year`.
CivilDate RuleDate(const HolidayRule& rule, int year) {
    if (rule.kind == HolidayRule::Kind::kFixed) return CivilDate{year, rule.month, rule.day};
    return CivilDate{year, rule.month,
                     NthWeekdayOfMonth(year, rule.month, rule.weekday, rule.ordinal)};
}

// A record for `date`; false when the date lies outside the years 1-9999.
bool MakeRecord(const CivilDate& date, const char* name, bool observed, int dayOff, int holidayYear,
                HolidayRecord& record) {
    if (date.year < 1 || date.year > 9999) return false;
    record = HolidayRecord{};
    record.month = date.month;
    record.day = date.day;
    record.century = date.year / 100;
    record.twoDigitYear = date.year % 100;
    record.dayOff = dayOff;
    std::snprintf(record.name, sizeof record.name, "%s%s", name, observed ? kObservedSuffix : "");
    record.holidayYear = holidayYear;
    return true;
}

}  // namespace

namespace {

using Kind = HolidayRule::Kind;

// The n-th weekday that stands for the last one of the month.
constexpr int kLast = 5;

}  // namespace

// Rule table, in the order its records are written.
const HolidayRule kHolidayRules[kHolidayRuleCount] = {
    {Kind::kFixed, 1, 1, {}, 0, true, true, "New_Years_Day"},
    {Kind::kWeekday, 2, 0, Weekday::kMonday, 3, true, false, "Presidents_Day"},
    {Kind::kWeekday, 5, 0, Weekday::kMonday, kLast, true, false, "Memorial_Day"},
    {Kind::kFixed, 7, 4, {}, 0, true, true, "Independence_Day"},
    {Kind::kWeekday, 9, 0, Weekday::kMonday, 1, true, false, "Labor_Day"},
    {Kind::kFixed, 11, 11, {}, 0, true, true, "Veterans_Day"},
    {Kind::kWeekday, 11, 0, Weekday::kThursday, 4, true, false, "Thanksgiving_Day"},
    {Kind::kFixed, 12, 25, {}, 0, true, true, "Christmas_Day"},
    // Columbus Day is kept on its date, not moved to a Monday.
    {Kind::kFixed, 10, 12, {}, 0, true, true, "Columbus_Day"},
    {Kind::kFixed, 12, 24, {}, 0, false, false, "Christmas Eve"},
    {Kind::kFixed, 12, 31, {}, 0, false, false, "New Years Eve"},
    // The first Tuesday of November: days 1-7.
    {Kind::kWeekday, 11, 0, Weekday::kTuesday, 1, false, false, "Election_Day"},
};

bool HolidayRecord::SameIdentity(const HolidayRecord& other) const {
    return month == other.month && day == other.day && century == other.century &&
           twoDigitYear == other.twoDigitYear && holidayYear == other.holidayYear;
}

void EncodeHolidayRecord(const HolidayRecord& record, HolidayRecordBytes& bytes) {
    std::memset(bytes, 0, sizeof bytes);
    PutInt32(bytes + 0, record.month);
    PutInt32(bytes + 4, record.day);
    PutInt32(bytes + 8, record.century);
    PutInt32(bytes + 12, record.twoDigitYear);
    PutInt32(bytes + 16, record.dayOff);
    const std::size_t length = strnlen(record.name, kMaxHolidayNameChars);
    PutInt32(bytes + 20, static_cast<std::int32_t>(length));
    std::memcpy(bytes + 24, record.name, length);
    PutInt32(bytes + 68, record.holidayYear);
}

void DecodeHolidayRecord(const HolidayRecordBytes& bytes, HolidayRecord& record) {
    record.month = GetInt32(bytes + 0);
    record.day = GetInt32(bytes + 4);
    record.century = GetInt32(bytes + 8);
    record.twoDigitYear = GetInt32(bytes + 12);
    record.dayOff = GetInt32(bytes + 16);
    // The name ends at its terminator, or after 43 characters when it has
    // none; the stored length is not trusted.
    const char* name = reinterpret_cast<const char*>(bytes + 24);
    const std::size_t length = strnlen(name, kMaxHolidayNameChars);
    std::memcpy(record.name, name, length);
    std::memset(record.name + length, 0, sizeof record.name - length);
    record.holidayYear = GetInt32(bytes + 68);
}

int HolidayNameNumber(const char* name) {
    const std::size_t suffix = sizeof kObservedSuffix - 1;
    for (std::size_t i = 0; i < kHolidayRuleCount; ++i) {
        const char* rule = kHolidayRules[i].name;
        const std::size_t n = std::strlen(rule);
        if (std::strncmp(name, rule, n) != 0) continue;
        if (name[n] == '\0') return static_cast<int>(2 * i);
        if (std::strncmp(name + n, kObservedSuffix, suffix) == 0 && name[n + suffix] == '\0')
            return static_cast<int>(2 * i + 1);
    }
    return -1;
}

const char* HolidayRuleName(int number) {
    return kHolidayRules[static_cast<std::size_t>(number) / 2].name;
}

bool HolidayNameObserved(int number) {
    return number % 2 == 1;
}

namespace {

// True when the `n` characters at `text` begin one of the holiday names of
// `length` characters.
bool BeginsHolidayName(const char* text, std::size_t n, std::size_t length) {
    char name[kHolidayNameField];
    for (int number = 0; number < 2 * static_cast<int>(kHolidayRuleCount); ++number) {
        std::snprintf(name, sizeof name, "%s%s", HolidayRuleName(number),
                      HolidayNameObserved(number) ? kObservedSuffix : "");
        if (std::strlen(name) == length && length >= n && std::memcmp(name, text, n) == 0)
            return true;
    }
    return false;
}

}  // namespace

bool PlausibleHolidayRecord(const unsigned char* bytes, std::size_t size) {
    if (size > kHolidayRecordSize) size = kHolidayRecordSize;
    // Each field is judged when the bytes hold it whole.
    const auto has = [&](std::size_t offset) { return offset + 4 <= size; };
    const std::int32_t month = has(0) ? GetInt32(bytes + 0) : 1;
    const std::int32_t day = has(4) ? GetInt32(bytes + 4) : 1;
    const std::int32_t century = has(8) ? GetInt32(bytes + 8) : 0;
    const std::int32_t twoDigitYear = has(12) ? GetInt32(bytes + 12) : 1;
    if (month < 1 || month > 12 || day < 1 || day > 31 || century < 0 || century > 99 ||
        twoDigitYear < 0 || twoDigitYear > 99)
        return false;
    const int year = century * 100 + twoDigitYear;
    if (has(12) && (year < 1 || day > DaysInMonth(year, month))) return false;
    if (has(16)) {
        const std::int32_t dayOff = GetInt32(bytes + 16);
        if (dayOff != 0 && dayOff != 1) return false;
    }
    if (has(20)) {
        // The length of one of the names, and the name's bytes as far as they go.
        const std::int32_t length = GetInt32(bytes + 20);
        if (length < 1 || length > static_cast<std::int32_t>(kMaxHolidayNameChars)) return false;
        const char* name = reinterpret_cast<const char*>(bytes + 24);
        const std::size_t present = size > 24 ? (size < 68 ? size : 68) - 24 : 0;
        const std::size_t n = strnlen(name, present);
        if (n < present ? static_cast<std::size_t>(length) != n || HolidayNameNumber(name) < 0
                        : !BeginsHolidayName(name, n, static_cast<std::size_t>(length)))
            return false;
    }
    if (has(68)) {
        const std::int32_t holidayYear = GetInt32(bytes + 68);
        if (holidayYear < 1 || holidayYear > 9999 || holidayYear - year > 1 ||
            year - holidayYear > 1)
            return false;
    }
    return true;
}

bool HolidayFile::Open(const char* path, DataFile::Mode mode) {
    count_ = 0;
    if (!file_.Open(path, mode)) return false;
    const std::int64_t size = file_.Size();
    count_ = size > 0 ? size / static_cast<std::int64_t>(kHolidayRecordSize) : 0;
    return true;
}

bool HolidayFile::ReadChunk(std::int64_t first, std::size_t count,
                            HolidayRecordBytes* bytes) const {
    return file_.ReadAt(first * static_cast<std::int64_t>(kHolidayRecordSize), bytes,
                        count * kHolidayRecordSize);
}

HolidayContent HolidayFile::Check() const {
    const std::int64_t size = file_.Size();
    if (size < 0) return HolidayContent::kUnreadable;
    const std::int64_t end = count_ * static_cast<std::int64_t>(kHolidayRecordSize);
    // A file that has grown or shrunk since it was opened is read as opened.
    if (size > end) {
        HolidayRecordBytes tail;
        const std::size_t n = static_cast<std::size_t>(size - end) < kHolidayRecordSize
                                  ? static_cast<std::size_t>(size - end)
                                  : kHolidayRecordSize;
        if (!file_.ReadAt(end, tail, n)) return HolidayContent::kUnreadable;
        if (n < kHolidayRecordSize && !PlausibleHolidayRecord(tail, n))
            return HolidayContent::kForeign;
    }
    HolidayRecordBytes chunk[kChunkRecords];
    for (std::int64_t first = 0; first < count_; first += kChunkRecords) {
        const std::size_t n = static_cast<std::size_t>(
            count_ - first < std::int64_t{kChunkRecords} ? count_ - first : kChunkRecords);
        if (!ReadChunk(first, n, chunk)) return HolidayContent::kUnreadable;
        for (std::size_t i = 0; i < n; ++i)
            if (!PlausibleHolidayRecord(chunk[i], kHolidayRecordSize))
                return HolidayContent::kForeign;
    }
    return HolidayContent::kRecords;
}

bool HolidayFile::Append(const HolidayRecord* records, std::size_t count) {
    if (count == 0) return true;
    HolidayRecordBytes bytes[kMaxHolidayRecordsPerYear];
    if (count > kMaxHolidayRecordsPerYear) return false;
    for (std::size_t i = 0; i < count; ++i) EncodeHolidayRecord(records[i], bytes[i]);
    const std::int64_t end = count_ * static_cast<std::int64_t>(kHolidayRecordSize);
    // A torn record left at the end by an interrupted writer is cut off, so
    // the records stay aligned; it is kept aside until the new ones are in.
    const std::int64_t size = file_.Size();
    HolidayRecordBytes tail;
    const std::size_t tailSize = size > end ? static_cast<std::size_t>(size - end) : 0;
    if (size < 0 || tailSize >= kHolidayRecordSize) return false;
    if (tailSize > 0 && (!file_.ReadAt(end, tail, tailSize) || !file_.Truncate(end))) return false;
    if (!file_.WriteAt(end, bytes, count * kHolidayRecordSize) || !file_.Sync()) {
        // Part of the records may have reached the file: the file goes back
        // to what it held.
        file_.Truncate(end);
        if (tailSize > 0) file_.WriteAt(end, tail, tailSize);
        file_.Sync();
        return false;
    }
    count_ += static_cast<std::int64_t>(count);
    return true;
}

std::size_t HolidayRecordsOfYear(int year, HolidayRecord (&records)[kMaxHolidayRecordsPerYear]) {
    std::size_t n = 0;
    for (const HolidayRule& rule : kHolidayRules) {
        const CivilDate date = RuleDate(rule, year);
        const Weekday weekday = WeekdayOf(date);
        CivilDate observed{};
        if (rule.weekendRule && weekday == Weekday::kSunday && AddDays(date, 1, observed)) {
            // The Sunday itself, then the Monday off.
            n += MakeRecord(date, rule.name, false, 0, year, records[n]) ? 1 : 0;
            n += MakeRecord(observed, rule.name, true, 1, year, records[n]) ? 1 : 0;
        } else if (rule.weekendRule && weekday == Weekday::kSaturday &&
                   AddDays(date, -1, observed)) {
            // The Friday off, then the Saturday itself.
            n += MakeRecord(observed, rule.name, true, 1, year, records[n]) ? 1 : 0;
            n += MakeRecord(date, rule.name, false, 0, year, records[n]) ? 1 : 0;
        } else {
            n += MakeRecord(date, rule.name, false, rule.dayOff ? 1 : 0, year, records[n]) ? 1 : 0;
        }
    }
    return n;
}

namespace {

// The records of a year that a build writes: each whose identity is not
// `present` in the file and that no earlier row of the year gave. Returns
// how many went to `out`.
std::size_t RecordsToWrite(const HolidayRecord* records, std::size_t n, const bool* present,
                           HolidayRecord (&out)[kMaxHolidayRecordsPerYear]) {
    std::size_t count = 0;
    for (std::size_t i = 0; i < n; ++i) {
        bool taken = present[i];
        for (std::size_t j = 0; j < count && !taken; ++j) taken = out[j].SameIdentity(records[i]);
        if (!taken) out[count++] = records[i];
    }
    return count;
}

// A missing holiday file is made whole with the year's records in one step,
// so that a build killed on the way leaves no empty or partial file behind.
// kBuildFailed, or -3 when another made the file meanwhile.
constexpr int kMadeMeanwhile = -3;
int CreateHolidayFile(const char* path, int year) {
    HolidayRecord records[kMaxHolidayRecordsPerYear];
    const std::size_t n = HolidayRecordsOfYear(year, records);
    const bool present[kMaxHolidayRecordsPerYear] = {};
    HolidayRecord chosen[kMaxHolidayRecordsPerYear];
    const std::size_t count = RecordsToWrite(records, n, present, chosen);
    HolidayRecordBytes bytes[kMaxHolidayRecordsPerYear];
    for (std::size_t i = 0; i < count; ++i) EncodeHolidayRecord(chosen[i], bytes[i]);
    switch (platform::CreateWholeFile(path, bytes, count * kHolidayRecordSize)) {
        case platform::CreateResult::kCreated:
            return static_cast<int>(count);
        case platform::CreateResult::kExists:
            return kMadeMeanwhile;
        case platform::CreateResult::kFailed:
            break;
    }
    return kBuildFailed;
}

}  // namespace

int BuildHolidayYear(const char* path, int year) {
    if (path == nullptr) return kBuildFailed;
    if (platform::ReadFileState(path).kind == platform::FileState::Kind::kMissing) {
        const int made = CreateHolidayFile(path, year);
        if (made != kMadeMeanwhile) return made;
    }
    // The file is opened for reading and writing (and made when it is
    // missing again); nothing is ever truncated but a torn last record or
    // records that did not all reach the file.
    HolidayFile file;
    if (!file.Open(path, DataFile::Mode::kUpdate)) return kBuildFailed;
    switch (file.Check()) {
        case HolidayContent::kRecords:
            break;
        case HolidayContent::kForeign:
            return kBuildForeignFile;
        case HolidayContent::kUnreadable:
            return kBuildFailed;
    }
    HolidayRecord records[kMaxHolidayRecordsPerYear];
    const std::size_t n = HolidayRecordsOfYear(year, records);
    // A record is written when no record of its identity is in the file and
    // no earlier row of the year gave one.
    bool present[kMaxHolidayRecordsPerYear] = {};
    const bool read = file.ForEach([&](const HolidayRecord& r) {
        for (std::size_t i = 0; i < n; ++i) present[i] = present[i] || records[i].SameIdentity(r);
        return true;
    });
    if (!read) return kBuildFailed;
    HolidayRecord missing[kMaxHolidayRecordsPerYear];
    const std::size_t count = RecordsToWrite(records, n, present, missing);
    // A file this build made counts once its directory holds it on the
    // disk too; until then a power cut could take it away.
    if (!file.Append(missing, count) || (file.Created() && !platform::SyncFileEntry(path))) {
        // A file this build made would be left empty or unsure: it goes, as
        // it was.
        if (file.Created()) file.Remove(path);
        return kBuildFailed;
    }
    return static_cast<int>(count);
}

int PrepareHolidayFile(const char* path, const char* keyYear) {
    int year = 0;
    if (!ReadYearText(keyYear, year)) year = CurrentYear();
    return BuildHolidayYear(path, year);
}

int PrepareHolidayFile(const FileSettings& settings) {
    HostPath path;
    if (!DataFilePath(settings, settings.holidayFile, path, true)) return kBuildFailed;
    return PrepareHolidayFile(path, settings.keyYear);
}

int AddHolidayYear(int year, HostPath& path) {
    path[0] = '\0';
    platform::HomeLock lock(kConfigFileName);
    const FileSettings settings = ReadFileSettings();
    if (settings.unreadable || !DataFilePath(settings, settings.holidayFile, path, true))
        return kBuildFailed;
    return BuildHolidayYear(path, year);
}

std::uint64_t LookAt(std::uint64_t look) {
    return look != kLookNow ? look : platform::ChangeFeed::Instance().Look();
}

bool LookUpHoliday(const char* directory, const char* fileName, const CivilDate& date,
                   HolidayLookup& found, std::uint64_t look) {
    found = HolidayLookup{};
    // No file makes no date a holiday.
    if (directory == nullptr || fileName == nullptr) return true;
    CachedHolidayIndex holidays(directory, fileName, LookAt(look));
    switch (holidays.content()) {
        case HolidayIndex::Content::kNoHolidays:
            return true;
        case HolidayIndex::Content::kDates:
            break;
        // Neither an empty nor an unreadable file gives a first record to read.
        case HolidayIndex::Content::kEmpty:
        case HolidayIndex::Content::kUnreadable:
            return false;
    }
    const std::int32_t serial = SerialDay(date);
    const HolidayIndex& index = holidays.From(serial);
    const HolidayDate* at = index.From(serial);
    if (at == index.end() || at->serial != serial) return true;
    found.isHoliday = true;
    std::snprintf(found.name, sizeof found.name, "%s%s", HolidayRuleName(at->name),
                  HolidayNameObserved(at->name) ? kObservedSuffix : "");
    found.dayOff = at->dayOff == 1;
    return true;
}

bool LookUpHoliday(const CivilDate& date, HolidayLookup& found) {
    // One look at the change feed for both files.
    const std::uint64_t look = platform::ChangeFeed::Instance().Look();
    const FileSettings settings = ReadFileSettings(look);
    HostPath directory;
    const bool mapped =
        platform::HostDataDirectory(settings.directory, directory, sizeof directory);
    return LookUpHoliday(mapped ? directory : nullptr, settings.holidayFile, date, found, look);
}

}  // namespace kalcore::services
