// The configuration file and the data-file locations it names. Every file
// operation asks for the settings afresh, so an edit of the file takes effect
// at the next call.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/files.h"

namespace kalcore::services {

// The configuration file, its section and keys.
inline constexpr const char* kConfigFileName = "KalDatFl.Ini";
inline constexpr const char* kConfigSection = "KalDateSoft";
inline constexpr const char* kKeyLocation = "KalDateLocation";
inline constexpr const char* kKeyConversionFile = "KalDateFile";
inline constexpr const char* kKeyHolidayFile = "KalDateHoldy";
inline constexpr const char* kKeyYear = "KeyYearForHolidayFile";
inline constexpr const char* kKeyStamp = "KalDateDateIniChgd";
inline constexpr const char* kKeyTimeZone = "KalDateTimeZone";

// The data directory used when none is configured or the configured one is
// gone.
inline constexpr const char* kDefaultLocation = "C:\\";

// Room for a host path, terminator included.
inline constexpr std::size_t kHostPathSize = 4096;
using HostPath = char[kHostPathSize];

// The four settings every file operation starts from.
struct FileSettings {
    char directory[256];      // data directory as stored, default "C:\"
    char conversionFile[14];  // at most 13 characters, default "datcvfil.bnf"
    char holidayFile[14];     // at most 13 characters, default "holidayf.bnf"
    char keyYear[6];          // at most 5 characters, default empty
    // The configuration file is there but could not be read: the values are
    // the defaults, which may name other files than the configured ones, so
    // no data file is to be created or changed by them.
    bool unreadable = false;
};

// The settings of the configuration file; never writes. The file is read
// again only when it changed since the last reading (see the cache in
// configuration.cpp), so asking costs one fstat() of the file held open.
FileSettings ReadFileSettings();
// The same as of the change feed's look `look` (platform::ChangeFeed::Look()),
// which a caller that checks several files takes once for all.
FileSettings ReadFileSettings(std::uint64_t look);

// The host path of the data file `fileName` in the stored data directory:
// the directory mapped to the host and the name matched case-insensitively
// there (the name as given when no file matches). With `create` the default
// data directory is made when missing, for a file about to be written. When
// `state` is given it receives the state of the file found. False when the
// directory cannot be mapped or the path does not fit.
bool DataFilePath(const FileSettings& settings, const char* fileName, HostPath& path,
                  bool create = false, platform::FileState* state = nullptr);

// The host paths of the two data files, from current settings.
bool HolidayFilePath(HostPath& path);
bool ConversionFilePath(HostPath& path);

// Makes the configuration file consistent: the data directory (the
// environment variable HOLDYPATH wins over a stored one, a missing one becomes
// "C:\"), the two file names, the key year of the holiday file, the stamp of
// this start-up and the time zone. The file is read once and written at most
// once, all changes in one step; hold the home lock around it. False when the
// file cannot be read or written; it is then left as it was. `settings`, when
// given, receives the settings the file holds afterwards.
bool LoadConfiguration(FileSettings* settings = nullptr);

}  // namespace kalcore::services
