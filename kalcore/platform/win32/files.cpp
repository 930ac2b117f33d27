#include "platform/files.h"

#include <cstdio>
#include <cstring>

#include "platform/win32/file_state.h"
#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

namespace {

// 100-nanosecond intervals from 1601 to 1970.
constexpr std::int64_t kEpochDifference = 116444736000000000LL;

std::int64_t UnixNs(const FILETIME& time) {
    const std::int64_t ticks = static_cast<std::int64_t>(
        (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
    return (ticks - kEpochDifference) * 100;
}

// How long after its last change a file counts as settled: longer than the
// granularity of its file system's write times (two seconds on FAT, which
// keeps only even seconds).
constexpr std::int64_t kSettleNs = 20'000'000;
constexpr std::int64_t kSettleWholeSecondsNs = 2'000'000'000;

}  // namespace

namespace win32 {

FileState StateOfHandle(HANDLE file) {
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file, &info)) return FileState{};
    FileState state;
    state.kind = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 ||
                         GetFileType(file) != FILE_TYPE_DISK
                     ? FileState::Kind::kOther
                     : FileState::Kind::kRegular;
    state.device = info.dwVolumeSerialNumber;
    state.inode = (static_cast<std::uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    state.size = static_cast<std::int64_t>((static_cast<std::uint64_t>(info.nFileSizeHigh) << 32) |
                                           info.nFileSizeLow);
    state.modifiedNs = UnixNs(info.ftLastWriteTime);
    state.links = info.nNumberOfLinks;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    const bool wholeSeconds = state.modifiedNs % 1'000'000'000 == 0;
    state.settled =
        UnixNs(now) - state.modifiedNs >= (wholeSeconds ? kSettleWholeSecondsNs : kSettleNs);
    return state;
}

}  // namespace win32

FileState ReadFileState(const char* path) {
    if (path == nullptr) return FileState{};
    // Attributes only: neither reads nor writes are kept from others.
    const HANDLE file = CreateFileA(path, FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) return FileState{};
    const FileState state = win32::StateOfHandle(file);
    CloseHandle(file);
    return state;
}

// Files held open could not be renamed or removed by others here: the path
// is looked at each time.
FileState FileWatch::Open(const char* path) {
    Close();
    if (path == nullptr || std::strlen(path) >= sizeof path_) return state_;
    std::strcpy(path_, path);
    state_ = ReadFileState(path);
    return state_;
}

void FileWatch::Close() {
    state_ = FileState{};
    path_[0] = '\0';
}

bool FileWatch::Unchanged() const {
    return state_.settled && SameFileState(ReadFileState(path_), state_);
}

long ReadFileStart(const char* path, void* buffer, std::size_t size) {
    if (path == nullptr || buffer == nullptr) return -1;
    // Readers let others read, write and replace the file meanwhile.
    const HANDLE file =
        CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return -1;
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        return -1;
    }
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
    // A directory or device in the file's place is not replaced.
    if (ReadFileState(path).kind == FileState::Kind::kOther) return false;
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

CreateResult CreateWholeFile(const char* path, const void* data, std::size_t size) {
    if (path == nullptr || (data == nullptr && size > 0) || size > 0x10000000)
        return CreateResult::kFailed;
    char temporary[MAX_PATH];
    const int n = std::snprintf(temporary, sizeof temporary, "%s.%lu.tmp", path,
                                static_cast<unsigned long>(GetCurrentProcessId()));
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof temporary) return CreateResult::kFailed;
    const HANDLE file = CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return CreateResult::kFailed;
    DWORD written = 0;
    bool ok =
        (size == 0 || WriteFile(file, data, static_cast<DWORD>(size), &written, nullptr) != 0) &&
        written == size && FlushFileBuffers(file) != 0;
    ok = CloseHandle(file) != 0 && ok;
    // Without MOVEFILE_REPLACE_EXISTING the move fails on a file that is there.
    CreateResult result = CreateResult::kFailed;
    if (ok && MoveFileExA(temporary, path, MOVEFILE_WRITE_THROUGH) != 0)
        result = CreateResult::kCreated;
    else if (ok && (GetLastError() == ERROR_ALREADY_EXISTS || GetLastError() == ERROR_FILE_EXISTS))
        result = CreateResult::kExists;
    if (result != CreateResult::kCreated) DeleteFileA(temporary);
    return result;
}

bool SyncFileEntry(const char* path) {
    // NTFS journals its directories; a rename is written through
    // (MOVEFILE_WRITE_THROUGH).
    return path != nullptr;
}

int RemoveStaleTemporaries(const char* path) {
    // A replacement's temporary file is `path`.PID.tmp, held open without
    // sharing until it is moved: one that can be deleted was left by a
    // writer that died.
    if (path == nullptr) return 0;
    char pattern[MAX_PATH];
    const int n = std::snprintf(pattern, sizeof pattern, "%s.*.tmp", path);
    if (n < 0 || static_cast<std::size_t>(n) >= sizeof pattern) return 0;
    const char* slash = std::strrchr(path, '\\');
    const char* other = std::strrchr(path, '/');
    if (other != nullptr && (slash == nullptr || other > slash)) slash = other;
    const std::size_t directoryLength =
        slash != nullptr ? static_cast<std::size_t>(slash - path + 1) : 0;
    const char* name = path + directoryLength;
    const std::size_t nameLength = std::strlen(name);
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA(pattern, &found);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int removed = 0;
    do {
        const char* entry = found.cFileName;
        const std::size_t length = std::strlen(entry);
        // The name, a dot, the writer's process number and ".tmp".
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 || length < nameLength + 6 ||
            _strnicmp(entry, name, nameLength) != 0 || entry[nameLength] != '.' ||
            _stricmp(entry + length - 4, ".tmp") != 0)
            continue;
        bool digits = true;
        for (std::size_t i = nameLength + 1; i < length - 4; ++i)
            digits = digits && entry[i] >= '0' && entry[i] <= '9';
        char full[MAX_PATH];
        if (!digits || directoryLength + length >= sizeof full) continue;
        std::memcpy(full, path, directoryLength);
        std::memcpy(full + directoryLength, entry, length + 1);
        if (DeleteFileA(full) != 0) ++removed;
    } while (FindNextFileA(search, &found) != 0);
    FindClose(search);
    return removed;
}

}  // namespace kalcore::platform
