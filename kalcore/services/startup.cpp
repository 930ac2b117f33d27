#include "services/startup.h"

#include "platform/files.h"
#include "services/configuration.h"
#include "services/conversion_file.h"

namespace kalcore::services {

namespace {

// Creates the date conversion file naming format M when it cannot be read;
// an existing file is left as it is.
void EnsureConversionFile() {
    HostPath path;
    char first;
    if (ConversionFilePath(path) && platform::ReadFileStart(path, &first, 1) >= 0) return;
    WriteConversionCode("M");
}

}  // namespace

void RunStartUp() noexcept {
    // 1. The configuration file. When it cannot be written the later steps
    //    work from the defaults of the settings.
    LoadConfiguration();
    // 2. The holidays of the key year go into the holiday file here.
    // 3. The date conversion file.
    EnsureConversionFile();
}

}  // namespace kalcore::services
