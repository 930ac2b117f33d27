#include "services/holidays.h"

#include <cstdio>
#include <cstring>

#include "calendar/components.h"
#include "calendar/serial_days.h"
#include "calendar/weekday.h"
#include "services/configuration.h"

namespace kalcore::services {

using platform::DataFile;

namespace {

constexpr int kSunday = 1, kMonday = 2, kTuesday = 3, kThursday = 5, kSaturday = 7;

void PutInt32(unsigned char* out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<unsigned char>(v >> (8 * i));
}

std::int32_t GetInt32(const unsigned char* in) {
    std::uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= std::uint32_t{in[i]} << (8 * i);
    return static_cast<std::int32_t>(v);
}

int CurrentYear() {
    DateText today = "TODAY";
    DatePieces pieces;
    return DateParts(today, pieces) ? pieces.FullYear() : 1970;
}

int DayNumber(const CivilDate& d) {
    return WeekdayNumber(d.month, d.day, d.year % 100, d.year / 100);
}

// The date of a rule in `year`.
CivilDate RuleDate(const HolidayRule& rule, int year) {
    if (rule.kind == HolidayRule::Kind::kFixed)
        return CivilDate{year, rule.month, rule.dayOrWeekday};
    const int length = kDaysInMonth[IsLeapYear(year) ? 1 : 0][rule.month];
    int first = 1;
    while (WeekdayNumber(rule.month, first, year % 100, year / 100) != rule.dayOrWeekday) ++first;
    int ordinal = rule.ordinal;
    if (rule.last) {
        ordinal = 1;
        for (int d = first; d + 7 <= length; d += 7) ++ordinal;
    }
    return CivilDate{year, rule.month, first + 7 * (ordinal - 1)};
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

bool Moved(const CivilDate& date, int days, CivilDate& moved) {
    return CivilFromSerial(std::int64_t{SerialFromCivil(date)} + days, moved);
}

}  // namespace

// Rule table, in the order its records are written.
const HolidayRule kHolidayRules[kHolidayRuleCount] = {
    {HolidayRule::Kind::kFixed, 1, 1, 0, false, 1, true, "New_Years_Day"},
    {HolidayRule::Kind::kWeekday, 2, kMonday, 3, false, 1, false, "Presidents_Day"},
    {HolidayRule::Kind::kWeekday, 5, kMonday, 0, true, 1, false, "Memorial_Day"},
    {HolidayRule::Kind::kFixed, 7, 4, 0, false, 1, true, "Independence_Day"},
    {HolidayRule::Kind::kWeekday, 9, kMonday, 1, false, 1, false, "Labor_Day"},
    {HolidayRule::Kind::kFixed, 11, 11, 0, false, 1, true, "Veterans_Day"},
    {HolidayRule::Kind::kWeekday, 11, kThursday, 4, false, 1, false, "Thanksgiving_Day"},
    {HolidayRule::Kind::kFixed, 12, 25, 0, false, 1, true, "Christmas_Day"},
    // Columbus Day is kept on its date, not moved to a Monday.
    {HolidayRule::Kind::kFixed, 10, 12, 0, false, 1, true, "Columbus_Day"},
    {HolidayRule::Kind::kFixed, 12, 24, 0, false, 0, false, "Christmas Eve"},
    {HolidayRule::Kind::kFixed, 12, 31, 0, false, 0, false, "New Years Eve"},
    // The first Tuesday of November: days 1-7.
    {HolidayRule::Kind::kWeekday, 11, kTuesday, 1, false, 0, false, "Election_Day"},
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

bool HolidayFile::Contains(const HolidayRecord& record) const {
    bool found = false;
    ForEach([&](const HolidayRecord& r) {
        found = r.SameIdentity(record);
        return !found;
    });
    return found;
}

bool HolidayFile::Append(const HolidayRecord& record) {
    HolidayRecordBytes bytes;
    EncodeHolidayRecord(record, bytes);
    const std::int64_t end = count_ * static_cast<std::int64_t>(kHolidayRecordSize);
    // A torn record left at the end by an interrupted writer is overwritten,
    // so the records stay aligned.
    if (file_.Size() != end && !file_.Truncate(end)) return false;
    if (!file_.WriteAt(end, bytes, sizeof bytes)) return false;
    ++count_;
    return true;
}

std::size_t HolidayRecordsOfYear(int year, HolidayRecord (&records)[kMaxHolidayRecordsPerYear]) {
    std::size_t n = 0;
    for (const HolidayRule& rule : kHolidayRules) {
        const CivilDate date = RuleDate(rule, year);
        const int weekday = DayNumber(date);
        CivilDate observed{};
        if (rule.weekendRule && weekday == kSunday && Moved(date, 1, observed)) {
            // The Sunday itself, then the Monday off.
            n += MakeRecord(date, rule.name, false, 0, year, records[n]) ? 1 : 0;
            n += MakeRecord(observed, rule.name, true, 1, year, records[n]) ? 1 : 0;
        } else if (rule.weekendRule && weekday == kSaturday && Moved(date, -1, observed)) {
            // The Friday off, then the Saturday itself.
            n += MakeRecord(observed, rule.name, true, 1, year, records[n]) ? 1 : 0;
            n += MakeRecord(date, rule.name, false, 0, year, records[n]) ? 1 : 0;
        } else {
            n += MakeRecord(date, rule.name, false, rule.dayOff, year, records[n]) ? 1 : 0;
        }
    }
    return n;
}

int BuildHolidayYear(const char* path, const char* yearText, BuildMode /*mode*/) {
    // Update and create mode both open the file for reading and writing and
    // create it when it is missing; nothing is ever truncated but a torn
    // last record.
    HolidayFile file;
    if (!file.Open(path, DataFile::Mode::kUpdate)) return -1;
    int year = 0;
    if (!YearOfFirstJanuary('-', yearText, year)) year = CurrentYear();
    HolidayRecord records[kMaxHolidayRecordsPerYear];
    const std::size_t n = HolidayRecordsOfYear(year, records);
    int written = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (!file.Contains(records[i]) && file.Append(records[i])) ++written;
    return written;
}

void PrepareHolidayFile(const char* path, const char* keyYear) {
    bool exists;
    {
        DataFile probe;
        exists = probe.Open(path, DataFile::Mode::kRead);
    }
    int year = 0;
    const bool useKeyYear = exists || (keyYear != nullptr && keyYear[0] != '\0');
    if (!useKeyYear || !YearOfFirstJanuary('/', keyYear, year)) year = CurrentYear();
    char yearText[8];
    std::snprintf(yearText, sizeof yearText, "%04d", year);
    BuildHolidayYear(path, yearText, exists ? BuildMode::kUpdate : BuildMode::kCreate);
}

void PrepareHolidayFile() {
    const FileSettings settings = ReadFileSettings();
    HostPath path;
    if (!DataFilePath(settings, settings.holidayFile, path)) return;
    PrepareHolidayFile(path, settings.keyYear);
}

}  // namespace kalcore::services
