#include "services/configuration.h"

#include <cstdlib>
#include <cstring>
#include <mutex>

#include "format/date_reader.h"
#include "format/date_writer.h"
#include "platform/change_feed.h"
#include "platform/clock.h"
#include "platform/directories.h"
#include "platform/mutex.h"
#include "platform/profile.h"
#include "services/daylight_saving.h"
#include "services/named_file_watch.h"

namespace kalcore::services {

namespace {

// Every read of a profile value goes through a buffer of this many
// characters, terminator included.
constexpr int kProfileValueSize = 255;

using ProfileValue = char[kProfileValueSize];

// Copies at most `limit` characters of `text` (or `fallback` when `text` is
// empty) into `out`.
template <std::size_t N>
void TakeSetting(const char* text, std::size_t limit, const char* fallback, char (&out)[N]) {
    static_assert(N > 0);
    const char* source = text[0] != '\0' ? text : fallback;
    std::size_t n = 0;
    for (; n < limit && n < N - 1 && source[n] != '\0'; ++n) out[n] = source[n];
    out[n] = '\0';
}

// A directory that exists, in the form it is stored in: a drive path or a
// full host path, ending in a separator. Too long to be stored and read back
// whole counts as not existing.
bool ExistingDirectory(const char* path, ProfileValue& full) {
    return path[0] != '\0' && platform::ResolveDirectory(path, full, sizeof full);
}

// The settings from the values of the four keys; an empty value gives the
// default.
FileSettings SettingsOf(const char* location, const char* conversionFile, const char* holidayFile,
                        const char* keyYear) {
    FileSettings settings;
    TakeSetting(location, sizeof settings.directory - 1, kDefaultLocation, settings.directory);
    TakeSetting(conversionFile, 13, "datcvfil.bnf", settings.conversionFile);
    TakeSetting(holidayFile, 13, "holidayf.bnf", settings.holidayFile);
    TakeSetting(keyYear, 5, "", settings.keyYear);
    return settings;
}

// The values of the four keys, read in one pass.
struct StoredValues {
    ProfileValue location = "", conversionFile = "", holidayFile = "", keyYear = "";
    bool present[4] = {};
    bool readable = false;

    void Read(platform::ProfileEditor& editor) {
        platform::ProfileEditor::Value values[] = {
            {kKeyLocation, location, kProfileValueSize, 0},
            {kKeyConversionFile, conversionFile, kProfileValueSize, 0},
            {kKeyHolidayFile, holidayFile, kProfileValueSize, 0},
            {kKeyYear, keyYear, kProfileValueSize, 0},
        };
        readable = editor.Read(values, 4);
        for (int i = 0; i < 4; ++i) present[i] = values[i].length > 0;
    }
    FileSettings Settings() const {
        FileSettings settings = SettingsOf(location, conversionFile, holidayFile, keyYear);
        settings.unreadable = !readable;
        return settings;
    }
};

// The library's cache of the settings (one of its two caches; the other keeps
// the holiday dates). Every file operation asks for the settings, and reading
// the configuration file each time would cost more than the operation
// itself. The file is held open and the cached values are used while it is
// still the file at its path, unchanged and settled (see platform::FileWatch),
// and the environment names the same directory; so an edit, a replacement
// or a removal still takes effect at the next call. Where the change feed
// watches the file and its directory, its look alone confirms that nothing
// changed (see NamedFileWatch). One mutex guards it:
// threads may call the library at the same time.
struct SettingsCache {
    platform::Mutex mutex;
    bool valid = false;
    HostPath directory = "";  // the profile directory the file was looked for in
    NamedFileWatch file;
    FileSettings settings;
};

SettingsCache& TheSettingsCache() {
    static SettingsCache cache;
    return cache;
}

}  // namespace

FileSettings ReadFileSettings() {
    return ReadFileSettings(platform::ChangeFeed::Instance().Look());
}

FileSettings ReadFileSettings(std::uint64_t look) {
    HostPath directory;
    if (!platform::ProfileDirectory(directory, sizeof directory)) return SettingsOf("", "", "", "");
    SettingsCache& cache = TheSettingsCache();
    std::lock_guard<platform::Mutex> hold(cache.mutex);
    if (cache.valid && std::strcmp(directory, cache.directory) == 0 && cache.file.Unchanged(look))
        return cache.settings;
    // The file is watched from before it is read: should it change while it
    // is read, the next call sees the change and reads it again.
    cache.file.Open(directory, kConfigFileName, look);
    platform::ProfileEditor editor(kConfigSection, kConfigFileName);
    StoredValues stored;
    stored.Read(editor);
    cache.settings = stored.Settings();
    // A file that could not be read is tried again at the next call.
    cache.valid = stored.readable;
    std::memcpy(cache.directory, directory, sizeof directory);
    return cache.settings;
}

bool DataFilePath(const FileSettings& settings, const char* fileName, HostPath& path, bool create,
                  platform::FileState* state) {
    HostPath directory;
    return platform::HostDataDirectory(settings.directory, directory, sizeof directory, create) &&
           platform::JoinDataFile(directory, fileName, path, sizeof path, state);
}

bool HolidayFilePath(HostPath& path) {
    const FileSettings settings = ReadFileSettings();
    return DataFilePath(settings, settings.holidayFile, path);
}

bool ConversionFilePath(HostPath& path) {
    const FileSettings settings = ReadFileSettings();
    return DataFilePath(settings, settings.conversionFile, path);
}

bool LoadConfiguration(FileSettings* settingsOut) {
    // The preferred data directory from the environment, when it exists.
    ProfileValue candidate = "";
    if (const char* preferred = std::getenv("HOLDYPATH")) {
        if (!ExistingDirectory(preferred, candidate)) candidate[0] = '\0';
    }

    platform::ProfileEditor editor(kConfigSection, kConfigFileName);
    StoredValues stored;
    stored.Read(editor);
    if (settingsOut != nullptr) *settingsOut = stored.Settings();

    // The data directory. A new configuration stores the environment's
    // directory or the default; on a found one the environment wins over the
    // stored location, and a stored location that is gone falls back on the
    // default.
    ProfileValue location, full;
    const char* chosen = kDefaultLocation;
    if (!stored.present[0]) {
        if (candidate[0] != '\0') chosen = candidate;
        // The default location is made here when missing.
        if (!ExistingDirectory(chosen, full)) chosen = kDefaultLocation;
    } else if (ExistingDirectory(candidate, full)) {
        chosen = candidate;
    } else if (ExistingDirectory(stored.location, full)) {
        chosen = full;
    }
    TakeSetting(chosen, sizeof location - 1, "", location);
    editor.Set(kKeyLocation, location);

    if (!stored.present[1]) editor.Set(kKeyConversionFile, "DatCvFil.Bnf");
    if (!stored.present[2]) editor.Set(kKeyHolidayFile, "Holidayf.Bnf");
    // The stamp: "<Mmm/DD/CCYY, HH:MM:SS AM>" on the 12-hour clock, without
    // the date when the clock's year lies outside the years a date text holds.
    const platform::ClockReading now = platform::ReadClock();
    const int currentYear = IsReadableYear(now.date.year) ? now.date.year : 0;
    DateText today = "";
    if (currentYear != 0) WriteDate(LayoutOf<'K'>(), now.date, today);
    TimeOfDayText time;
    WriteTimeOfDay(now.hour, now.minute, now.second, false, time);
    char stamp[64] = "<";
    std::strcat(stamp, today);
    std::strcat(stamp, ", ");
    std::strcat(stamp, time.time);
    std::strcat(stamp, " ");
    std::strcat(stamp, time.amPm);
    std::strcat(stamp, ">");

    // The key year: a stored year is kept as it stands, anything else gives
    // way to the current year.
    char keyYear[5];
    int year = currentYear;
    const bool storedYear = stored.present[3] && ReadYearText(stored.keyYear, year);
    if (storedYear) {
        TakeSetting(stored.keyYear, 4, "", keyYear);
    } else {
        keyYear[0] = static_cast<char>('0' + currentYear / 1000 % 10);
        keyYear[1] = static_cast<char>('0' + currentYear / 100 % 10);
        keyYear[2] = static_cast<char>('0' + currentYear / 10 % 10);
        keyYear[3] = static_cast<char>('0' + currentYear % 10);
        keyYear[4] = '\0';
    }
    editor.Set(kKeyYear, keyYear);
    editor.Set(kKeyStamp, stamp);

    // The machine's time zone in the key year, for the record.
    ZoneText zone = "";
    if (storedYear || year != 0) ZoneTextOfYear(year, zone);
    char zoneValue[kZoneTextSize + 2] = "<";
    std::strcat(zoneValue, zone);
    std::strcat(zoneValue, ">");
    editor.Set(kKeyTimeZone, zoneValue);

    // Every change in one write; a file that cannot be read or written is
    // left as it was, and start-up goes on with what it holds.
    if (!editor.Commit()) return false;
    if (settingsOut != nullptr)
        *settingsOut =
            SettingsOf(location, stored.present[1] ? stored.conversionFile : "DatCvFil.Bnf",
                       stored.present[2] ? stored.holidayFile : "Holidayf.Bnf", keyYear);
    return true;
}

}  // namespace kalcore::services
