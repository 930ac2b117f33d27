// Loading the built shared library the way a foreign caller does, and
// buffers that show any write outside their bytes.
#pragma once

#include <dlfcn.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstring>

#ifndef KALCORE_LIBRARY_PATH
#error "KALCORE_LIBRARY_PATH must name the built shared library"
#endif

namespace kalcore::abi {

class Library {
  public:
    Library() : handle_(dlopen(KALCORE_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL)) {}
    ~Library() {
        if (handle_) dlclose(handle_);
    }
    void* handle() const { return handle_; }
    template <typename Fn>
    Fn Resolve(const char* name) const {
        return reinterpret_cast<Fn>(dlsym(handle_, name));
    }

  private:
    void* handle_;
};

constexpr unsigned char kGuard = 0xA5;
constexpr std::size_t kGuardSize = 16;

// A buffer of N bytes (12 by default, a date) with guard bytes on both sides.
template <std::size_t N = 12>
struct SizedGuardedBuffer {
    unsigned char bytes[kGuardSize + N + kGuardSize];

    explicit SizedGuardedBuffer(const char* initial = "") {
        std::memset(bytes, kGuard, sizeof bytes);
        std::memset(data(), 0, N);
        std::memcpy(data(), initial, strnlen(initial, N - 1));
    }
    char* data() { return reinterpret_cast<char*>(bytes + kGuardSize); }
    bool GuardsIntact() const {
        for (std::size_t i = 0; i < kGuardSize; ++i)
            if (bytes[i] != kGuard || bytes[kGuardSize + N + i] != kGuard) return false;
        return true;
    }
};
using GuardedBuffer = SizedGuardedBuffer<>;

// Places `size` bytes right before an inaccessible page, so that reading one
// byte past them faults.
class PageEdge {
  public:
    PageEdge() {
        page_ = static_cast<std::size_t>(sysconf(_SC_PAGESIZE));
        base_ = static_cast<char*>(
            mmap(nullptr, 2 * page_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
        if (base_ != MAP_FAILED) mprotect(base_ + page_, page_, PROT_NONE);
    }
    ~PageEdge() {
        if (base_ != MAP_FAILED) munmap(base_, 2 * page_);
    }
    bool ok() const { return base_ != MAP_FAILED; }
    char* Place(const char* bytes, std::size_t size) {
        char* p = base_ + page_ - size;
        std::memcpy(p, bytes, size);
        return p;
    }

  private:
    std::size_t page_;
    char* base_;
};

// A buffer of the size an export documents, with guard bytes on both sides.
template <std::size_t Size>
struct Guarded {
    unsigned char bytes[kGuardSize + Size + kGuardSize];
    // Filled with 'x' and no terminator, or with a stale text and zeros.
    Guarded() {
        std::memset(bytes, kGuard, sizeof bytes);
        std::memset(data(), 'x', Size);
    }
    explicit Guarded(const char* stale) {
        std::memset(bytes, kGuard, sizeof bytes);
        std::memset(data(), 0, Size);
        std::memcpy(data(), stale, strnlen(stale, Size - 1));
    }
    char* data() { return reinterpret_cast<char*>(bytes + kGuardSize); }
    bool Intact() const {
        for (std::size_t i = 0; i < kGuardSize; ++i)
            if (bytes[i] != kGuard || bytes[kGuardSize + Size + i] != kGuard) return false;
        return true;
    }
};

}  // namespace kalcore::abi
