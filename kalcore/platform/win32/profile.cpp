// The profile file is the system's private-profile file: a name without a
// directory lives in the Windows directory.
#include "platform/profile.h"

#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

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

}  // namespace kalcore::platform
