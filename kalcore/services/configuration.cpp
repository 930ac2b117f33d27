#include "services/configuration.h"

#include <cstdlib>
#include <cstring>

#include "calendar/components.h"
#include "platform/directories.h"
#include "platform/profile.h"
#include "services/current_time.h"
#include "services/daylight_saving.h"

namespace kalcore::services {

namespace {

// Every read of a profile value goes through a buffer of this many
// characters, terminator included.
constexpr int kProfileValueSize = 255;

using ProfileValue = char[kProfileValueSize];

// Reads one key; 0 characters means the key is missing or empty.
int ReadKey(const char* key, ProfileValue& value) {
    return platform::ReadProfileString(kConfigSection, key, value, kProfileValueSize,
                                       kConfigFileName);
}

bool WriteKey(const char* key, const char* value) {
    return platform::WriteProfileString(kConfigSection, key, value, kConfigFileName);
}

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

// The settings that name one data file: the directory and that file's name.
// Each key is a read of the configuration file, so a path reads only these.
void ReadDirectory(FileSettings& settings) {
    ProfileValue value;
    ReadKey(kKeyLocation, value);
    TakeSetting(value, sizeof settings.directory - 1, kDefaultLocation, settings.directory);
}

void ReadConversionFileName(FileSettings& settings) {
    ProfileValue value;
    ReadKey(kKeyConversionFile, value);
    TakeSetting(value, 13, "datcvfil.bnf", settings.conversionFile);
}

void ReadHolidayFileName(FileSettings& settings) {
    ProfileValue value;
    ReadKey(kKeyHolidayFile, value);
    TakeSetting(value, 13, "holidayf.bnf", settings.holidayFile);
}

}  // namespace

FileSettings ReadFileSettings() {
    FileSettings settings;
    ReadDirectory(settings);
    ReadConversionFileName(settings);
    ReadHolidayFileName(settings);
    ProfileValue value;
    ReadKey(kKeyYear, value);
    TakeSetting(value, 5, "", settings.keyYear);
    return settings;
}

bool DataFilePath(const FileSettings& settings, const char* fileName, HostPath& path) {
    HostPath directory;
    return platform::HostDataDirectory(settings.directory, directory, sizeof directory) &&
           platform::JoinDataFile(directory, fileName, path, sizeof path);
}

bool HolidayFilePath(HostPath& path) {
    FileSettings settings;
    ReadDirectory(settings);
    ReadHolidayFileName(settings);
    return DataFilePath(settings, settings.holidayFile, path);
}

bool ConversionFilePath(HostPath& path) {
    FileSettings settings;
    ReadDirectory(settings);
    ReadConversionFileName(settings);
    return DataFilePath(settings, settings.conversionFile, path);
}

bool LoadConfiguration() {
    // The preferred data directory from the environment, when it exists.
    ProfileValue candidate = "";
    if (const char* preferred = std::getenv("HOLDYPATH")) {
        if (!ExistingDirectory(preferred, candidate)) candidate[0] = '\0';
    }

    ProfileValue stored;
    if (ReadKey(kKeyLocation, stored) == 0) {
        // A new configuration: the one location to check is the one written.
        const char* location = candidate[0] != '\0' ? candidate : kDefaultLocation;
        if (!WriteKey(kKeyLocation, location)) return false;
        ProfileValue full;
        if (!ExistingDirectory(location, full)) WriteKey(kKeyLocation, kDefaultLocation);
    } else {
        // The environment wins over a stored location; a stored location that
        // is gone falls back on the default.
        ProfileValue storedFull;
        const bool storedExists = ExistingDirectory(stored, storedFull);
        ProfileValue candidateFull;
        if (ExistingDirectory(candidate, candidateFull)) {
            WriteKey(kKeyLocation, candidateFull);
        } else {
            WriteKey(kKeyLocation, storedExists ? storedFull : kDefaultLocation);
        }
    }

    ProfileValue keyYearText;
    const bool keyYearPresent = ReadKey(kKeyYear, keyYearText) > 0;

    ProfileValue value;
    if (ReadKey(kKeyConversionFile, value) == 0) WriteKey(kKeyConversionFile, "DatCvFil.Bnf");
    if (ReadKey(kKeyHolidayFile, value) == 0) WriteKey(kKeyHolidayFile, "Holidayf.Bnf");

    // The stamp: "<Mmm/DD/CCYY, HH:MM:SS AM>" on the 12-hour clock.
    DateText today;
    TimeOfDayText time;
    CurrentDateTimeText(today, time, 0, "K", 0);
    char stamp[64] = "<";
    std::strcat(stamp, today);
    std::strcat(stamp, ", ");
    std::strcat(stamp, time.time);
    std::strcat(stamp, " ");
    std::strcat(stamp, time.amPm);
    std::strcat(stamp, ">");

    // The key year: a stored year that makes a date is kept, anything else
    // gives way to the current year.
    DatePieces pieces;
    const int currentYear = DateParts(today, pieces) ? pieces.FullYear() : 0;
    char keyYear[5];
    int storedYear;
    if (keyYearPresent && YearOfFirstJanuary('/', keyYearText, storedYear)) {
        TakeSetting(keyYearText, 4, "", keyYear);
    } else {
        keyYear[0] = static_cast<char>('0' + currentYear / 1000 % 10);
        keyYear[1] = static_cast<char>('0' + currentYear / 100 % 10);
        keyYear[2] = static_cast<char>('0' + currentYear / 10 % 10);
        keyYear[3] = static_cast<char>('0' + currentYear % 10);
        keyYear[4] = '\0';
    }
    WriteKey(kKeyYear, keyYear);
    WriteKey(kKeyStamp, stamp);

    // The machine's time zone in the key year, for the record.
    ZoneText zone;
    ZoneTextOfYear(keyYear, zone);
    char zoneValue[kZoneTextSize + 2] = "<";
    std::strcat(zoneValue, zone);
    std::strcat(zoneValue, ">");
    WriteKey(kKeyTimeZone, zoneValue);
    return true;
}

}  // namespace kalcore::services
