#include "services/startup.h"

#include "platform/files.h"
#include "platform/home_lock.h"
#include "platform/profile.h"
#include "services/configuration.h"
#include "services/conversion_file.h"
#include "services/holidays.h"

namespace kalcore::services {

namespace {

// Creates the date conversion file naming format M when it cannot be read;
// an existing file is left as it is. False when it was missing and could not
// be made.
bool EnsureConversionFile(const FileSettings& settings) {
    HostPath path;
    if (!DataFilePath(settings, settings.conversionFile, path, true)) return false;
    char first;
    return platform::ReadFileStart(path, &first, 1) >= 0 || StoreConversionCode(path, 'M');
}

}  // namespace

bool RunStartUp() noexcept {
    // The whole sequence holds the home lock: processes starting together
    // take turns, so none loses another's keys, each data file is made once,
    // and a conversion code stored meanwhile is never replaced by the
    // default.
    platform::HomeLock lock(kConfigFileName);
    // What writers that died before they ended left behind. Only those no
    // live writer holds go; with the lock held, no writer of this home is
    // at work anyway.
    HostPath profile;
    if (platform::ProfileFilePath(kConfigFileName, profile, sizeof profile))
        platform::RemoveStaleTemporaries(profile);
    // 1. The configuration file. When it cannot be written the later steps
    //    work from what it holds.
    FileSettings settings;
    const bool configured = LoadConfiguration(&settings);
    // A configuration file that is there but cannot be read names data files
    // start-up cannot know: it leaves them alone.
    if (settings.unreadable) return false;
    HostPath data;
    if (DataFilePath(settings, settings.conversionFile, data))
        platform::RemoveStaleTemporaries(data);
    if (DataFilePath(settings, settings.holidayFile, data)) platform::RemoveStaleTemporaries(data);
    // 2. The holidays of the key year, into the holiday file.
    const bool holidays = PrepareHolidayFile(settings) >= 0;
    // 3. The date conversion file.
    const bool converted = EnsureConversionFile(settings);
    return configured && holidays && converted;
}

}  // namespace kalcore::services
