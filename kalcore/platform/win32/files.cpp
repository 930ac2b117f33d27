#include "platform/files.h"

#include <cstdio>
#include <cstring>

#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

long ReadFileStart(const char* path, void* buffer, std::size_t size) {
    if (path == nullptr || buffer == nullptr) return -1;
    // Readers let others read, write and replace the file meanwhile.
    const HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    std::size_t done = 0;
    bool ok = true;
    while (ok && done < size) {
        DWORD n = 0;
        const DWORD want = static_cast<DWORD>(size - done > 0x10000 ? 0x10000 : size - done);
        ok = ReadFile(file, static_cast<char*>(buffer) + done, want, &n, nullptr) != 0;
        if (ok && n == 0) break;
        done += n;
    }
    CloseHandle(file);
    return ok ? static_cast<long>(done) : -1;
}

bool ReplaceFile(const char* path, const void* data, std::size_t size) {
    if (path == nullptr || data == nullptr || size > 0x10000000) return false;
    char temporary[MAX_PATH];
    const int n = std::snprintf(temporary, sizeof temporary, "%s.%lu.tmp", path,
                                static_cast<unsigned long>(GetCurrentProcessId()));
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof temporary) return false;
    const HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) != 0 &&
              written == size && FlushFileBuffers(file) != 0;
    ok = CloseHandle(file) != 0 && ok;
    // The new content replaces the old file in one step.
    ok =
        ok && MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    if (!ok) DeleteFileA(temporary);
    return ok;
}

}  // namespace kalcore::platform
