// Data files on Windows: handles shared for reading and writing, with
// LockFileEx() locks over the whole file.
#include "platform/data_file.h"

#include "platform/win32/file_state.h"
#include "platform/win32/windows_headers.h"

namespace kalcore::platform {

namespace {

HANDLE AsHandle(std::intptr_t h) {
    return reinterpret_cast<HANDLE>(h);
}

OVERLAPPED At(std::int64_t offset) {
    OVERLAPPED o{};
    o.Offset = static_cast<DWORD>(offset & 0xFFFFFFFF);
    o.OffsetHigh = static_cast<DWORD>(static_cast<std::uint64_t>(offset) >> 32);
    return o;
}

}  // namespace

bool DataFile::Open(const char* path, Mode mode) {
    Close();
    created_ = false;
    if (path == nullptr) return false;
    const bool read = mode == Mode::kRead;
    HANDLE h = CreateFileA(path, read ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           read ? OPEN_EXISTING : OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    created_ = !read && GetLastError() != ERROR_ALREADY_EXISTS;
    // A device or pipe in the file's place is no data file.
    if (GetFileType(h) != FILE_TYPE_DISK) {
        CloseHandle(h);
        return false;
    }
    OVERLAPPED whole = At(0);
    LockFileEx(h, read ? 0 : LOCKFILE_EXCLUSIVE_LOCK, 0, MAXDWORD, MAXDWORD, &whole);
    handle_ = reinterpret_cast<std::intptr_t>(h);
    return true;
}

void DataFile::Close() {
    if (handle_ == kClosed) return;
    OVERLAPPED whole = At(0);
    UnlockFileEx(AsHandle(handle_), 0, MAXDWORD, MAXDWORD, &whole);
    CloseHandle(AsHandle(handle_));
    handle_ = kClosed;
}

void DataFile::CloseAndRemove(const char* path) {
    // An open file cannot be deleted here: closed first.
    const bool open = handle_ != kClosed;
    Close();
    if (open && path != nullptr) DeleteFileA(path);
}

std::int64_t DataFile::Size() const {
    LARGE_INTEGER size{};
    if (handle_ == kClosed || !GetFileSizeEx(AsHandle(handle_), &size)) return -1;
    return size.QuadPart;
}

bool DataFile::ReadAt(std::int64_t offset, void* data, std::size_t size) const {
    if (handle_ == kClosed) return false;
    OVERLAPPED o = At(offset);
    DWORD n = 0;
    return ReadFile(AsHandle(handle_), data, static_cast<DWORD>(size), &n, &o) && n == size;
}

bool DataFile::WriteAt(std::int64_t offset, const void* data, std::size_t size) {
    if (handle_ == kClosed) return false;
    OVERLAPPED o = At(offset);
    DWORD n = 0;
    return WriteFile(AsHandle(handle_), data, static_cast<DWORD>(size), &n, &o) && n == size &&
           FlushFileBuffers(AsHandle(handle_));
}

bool DataFile::Truncate(std::int64_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = size;
    return handle_ != kClosed && SetFilePointerEx(AsHandle(handle_), at, nullptr, FILE_BEGIN) &&
           SetEndOfFile(AsHandle(handle_));
}

bool DataFile::Sync() {
    return handle_ != kClosed && FlushFileBuffers(AsHandle(handle_));
}

FileState DataFile::State() const {
    return handle_ == kClosed ? FileState{} : win32::StateOfHandle(AsHandle(handle_));
}

}  // namespace kalcore::platform
