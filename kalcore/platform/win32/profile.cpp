// The profile file is the system's private-profile file: a name without a
// directory lives in the Windows directory. The system's own functions read
// and write it, one key at a time.
#include "platform/profile.h"

#include <cstring>

#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

namespace {

bool ValidName(const char* text) {
    return text != nullptr && text[0] != '\0';
}

}  // namespace

int ReadProfileString(const char* section, const char* key, char* out, int size,
                      const char* fileName) {
    if (out == nullptr || size <= 0) return 0;
    out[0] = '\0';
    if (section == nullptr || key == nullptr || fileName == nullptr) return 0;
    const DWORD n =
        GetPrivateProfileStringA(section, key, "", out, static_cast<DWORD>(size), fileName);
    out[size - 1] = '\0';
    return static_cast<int>(n);
}

bool WriteProfileString(const char* section, const char* key, const char* value,
                        const char* fileName) {
    if (section == nullptr || key == nullptr || value == nullptr || fileName == nullptr)
        return false;
    return WritePrivateProfileStringA(section, key, value, fileName) != 0;
}

bool ProfileDirectory(char* out, std::size_t size) {
    if (out == nullptr || size == 0) return false;
    out[0] = '\0';
    char directory[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(directory, sizeof directory);
    if (n == 0 || n >= sizeof directory) return false;
    const char* separator = directory[n - 1] == '\\' ? "" : "\\";
    if (n + std::strlen(separator) + 1 > size) return false;
    std::strcpy(out, directory);
    std::strcat(out, separator);
    return true;
}

bool ProfileFilePath(const char* fileName, char* path, std::size_t size, FileState* state) {
    if (state != nullptr) *state = FileState{};
    if (path == nullptr || size == 0) return false;
    path[0] = '\0';
    char directory[MAX_PATH];
    if (!ValidName(fileName) || !ProfileDirectory(directory, sizeof directory)) return false;
    if (std::strlen(directory) + std::strlen(fileName) + 1 > size) return false;
    std::strcpy(path, directory);
    std::strcat(path, fileName);
    if (state != nullptr) *state = ReadFileState(path);
    return true;
}

// The editor hands each read and write to the system's functions; a write
// takes effect at once, and Commit() tells whether all of them succeeded.
ProfileEditor::ProfileEditor(const char* section, const char* fileName)
    : section_(section), fileName_(fileName) {
    usable_ = ValidName(section) && ValidName(fileName);
}

ProfileEditor::~ProfileEditor() = default;

bool ProfileEditor::Read(Value* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i)
        values[i].length =
            ReadProfileString(section_, values[i].key, values[i].text, values[i].size, fileName_);
    return usable_;
}

bool ProfileEditor::Set(const char* key, const char* value) {
    // After a failed write nothing more is written.
    if (!usable_ || key == nullptr || value == nullptr) return false;
    ++changeCount_;
    if (!WriteProfileString(section_, key, value, fileName_)) usable_ = false;
    return usable_;
}

bool ProfileEditor::Commit() {
    return usable_;
}

}  // namespace kalcore::platform
