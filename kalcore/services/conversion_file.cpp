#include "services/conversion_file.h"

#include "format/ascii.h"
#include "format/convert.h"
#include "platform/files.h"
#include "platform/home_lock.h"
#include "services/configuration.h"

namespace kalcore::services {

bool StoreConversionCode(const char* path, char code) {
    const char content[4] = {'F', code, 'X', 'T'};
    return path != nullptr && platform::ReplaceFile(path, content, sizeof content);
}

bool WriteConversionCode(const char* code) {
    if (code == nullptr) return false;
    const char upper = ToUpperAscii(code[0]);
    if (FormatIndex(upper) == 0) return false;
    // Under the home lock: the file is found (or made) under one name, and
    // start-up cannot put its default in the place of this code.
    platform::HomeLock lock(kConfigFileName);
    const FileSettings settings = ReadFileSettings();
    HostPath path;
    return !settings.unreadable && DataFilePath(settings, settings.conversionFile, path, true) &&
           StoreConversionCode(path, upper);
}

bool ReadConversionCode(char& code) {
    HostPath path;
    if (!ConversionFilePath(path)) return false;
    char content[4];
    if (platform::ReadFileStart(path, content, sizeof content) < 2) return false;
    const char stored = ToUpperAscii(content[1]);
    if (FormatIndex(stored) == 0) return false;
    code = stored;
    return true;
}

char OutputCode(char requested, bool usePreferredFormat) {
    char stored = requested;
    if (usePreferredFormat) ReadConversionCode(stored);
    return stored;
}

bool ConvertWithPreferredFormat(const DateText& input, char code, bool usePreferredFormat,
                                int centurySelector, DateText& out) {
    return ConvertDate(input, OutputCode(code, usePreferredFormat), centurySelector, out);
}

}  // namespace kalcore::services
