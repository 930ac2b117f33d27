#include "services/conversion_file.h"

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
    const char text[2] = {upper, '\0'};
    if (!IsFormatCode(text)) return false;
    // Under the home lock: the file is found (or made) under one name, and
    // start-up cannot put its default in the place of this code.
    platform::HomeLock lock(kConfigFileName);
    const FileSettings settings = ReadFileSettings();
    HostPath path;
    return !settings.unreadable && DataFilePath(settings, settings.conversionFile, path, true) &&
           StoreConversionCode(path, upper);
}

bool ReadConversionCode(CodeText& code, int mode) {
    code[0] = kFallbackConversionCode;
    code[1] = '\0';
    if (mode != kConversionFileRead) return false;
    HostPath path;
    if (!ConversionFilePath(path)) return false;
    char content[4];
    if (platform::ReadFileStart(path, content, sizeof content) < 2) return false;
    const CodeText stored = {ToUpperAscii(content[1]), '\0'};
    if (!IsFormatCode(stored)) return false;
    code[0] = stored[0];
    return true;
}

}  // namespace kalcore::services
