// Preloaded into a demo test under the leak checker, this widens a race at
// process exit so that it happens every time: each thread Qt ends as the
// application and the test run end (the painting pool, the test watchdog)
// lingers 200 ms on its way out, and a thread-data key deleted by an
// unloading library waits after the deletion until those threads have ended,
// so that they end without that key's thread-exit hook. A test main that waits
// for them keeps the leak checker quiet; one that does not leaks their
// thread data.
#include <dlfcn.h>
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <atomic>
#include <cstdarg>
#include <cstring>

namespace {

// Threads that have been named as Qt's last ones and have not ended yet.
std::atomic<int> g_lingering{0};

struct Linger {
    Linger() { ++g_lingering; }
    ~Linger() {
        usleep(200000);
        --g_lingering;
    }
};

template <typename Function>
Function next(const char* name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" int prctl(int option, ...) {
    va_list arguments;
    va_start(arguments, option);
    unsigned long values[4];
    for (unsigned long& value : values) value = va_arg(arguments, unsigned long);
    va_end(arguments);
    using Prctl = int (*)(int, unsigned long, unsigned long, unsigned long, unsigned long);
    static const Prctl real = next<Prctl>("prctl");
    if (option == PR_SET_NAME && values[0] != 0) {
        const char* name = reinterpret_cast<const char*>(values[0]);
        if (std::strcmp(name, "Thread (pooled)") == 0 ||
            std::strcmp(name, "QtTest Watchdog") == 0) {
            static thread_local Linger linger;
            (void)&linger;
        }
    }
    return real(option, values[0], values[1], values[2], values[3]);
}

extern "C" int pthread_key_delete(pthread_key_t key) {
    using KeyDelete = int (*)(pthread_key_t);
    static const KeyDelete real = next<KeyDelete>("pthread_key_delete");
    const int result = real(key);
    // At most a second, then a moment for the last one to leave.
    for (int waited = 0; g_lingering > 0 && waited < 1000; ++waited) usleep(1000);
    usleep(20000);
    return result;
}
