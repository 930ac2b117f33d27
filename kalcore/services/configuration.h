// The configuration file and the data-file locations it names. Every file
// operation reads the settings afresh, so an edit of the file takes effect at
// the next call.
#pragma once

#include <cstddef>

namespace kalcore::services {

// Room for a host path, terminator included.
inline constexpr std::size_t kHostPathSize = 4096;
using HostPath = char[kHostPathSize];

// The four settings every file operation starts from.
struct FileSettings {
    char directory[256];      // data directory as stored, default "C:\"
    char conversionFile[14];  // at most 13 characters, default "datcvfil.bnf"
    char holidayFile[14];     // at most 13 characters, default "holidayf.bnf"
    char keyYear[6];          // at most 5 characters, default empty
};

// Reads the settings from the configuration file; never writes.
FileSettings ReadFileSettings();

// The host path of the data file `fileName` in the stored data directory:
// the directory mapped to the host and the name matched case-insensitively
// there (the name as given when no file matches). False when the directory
// cannot be mapped or the path does not fit.
bool DataFilePath(const FileSettings& settings, const char* fileName, HostPath& path);

// The host paths of the two data files, from fresh settings.
bool HolidayFilePath(HostPath& path);
bool ConversionFilePath(HostPath& path);

}  // namespace kalcore::services
