/*
 * An LD_PRELOAD shim that makes one call of the process fail, for testing
 * what the library leaves in its files when a write, a flush, a rename, a
 * truncation, a close or a read goes wrong.
 *
 *   KALCORE_FAULT=NAME:N:ERRNO  the N-th call of NAME fails with ERRNO
 *                               (ENOSPC, EIO or EINTR), or with KILL the
 *                               process is killed (SIGKILL) in its place.
 *                               NAME is write, fsync, rename, ftruncate,
 *                               close, read, or dirsync (an fsync of a
 *                               directory).
 *   KALCORE_FAULT_LOG=FILE      a line is appended when the fault is made.
 *   KALCORE_TRACE=FILE          every open, rename and link of a file and every
 *                               fsync of a file or directory is logged.
 *   KALCORE_FAULT_PROGRAM=NAME  only a program of that name is affected (the
 *                               shim is inherited by the wrappers that start
 *                               it).
 *   KALCORE_FAULT_DIR=DIR       only files below DIR count.
 *
 * Only calls on regular files count (writes, flushes, truncations and closes
 * only on files open for writing), so that the program's own output to a
 * terminal or a pipe is left alone. A failed close still closes.
 */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <signal.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

static char g_name[16];
static long g_when;
static int g_errno;
static int g_kill;
static long g_count;
static int g_ready;
static int g_active = 1;

static void Setup(void) {
    if (g_ready) return;
    g_ready = 1;
    const char* program = getenv("KALCORE_FAULT_PROGRAM");
    if (program != NULL && strcmp(program, program_invocation_short_name) != 0) {
        g_active = 0;
        return;
    }
    const char* fault = getenv("KALCORE_FAULT");
    if (fault == NULL) return;
    char error[16] = "";
    if (sscanf(fault, "%15[a-z]:%ld:%15[A-Z]", g_name, &g_when, error) != 3) return;
    g_errno = strcmp(error, "ENOSPC") == 0 ? ENOSPC : strcmp(error, "EINTR") == 0 ? EINTR : EIO;
    g_kill = strcmp(error, "KILL") == 0;
}

static ssize_t RealWrite(int fd, const void* data, size_t size) {
    static ssize_t (*real)(int, const void*, size_t);
    if (real == NULL) real = (ssize_t(*)(int, const void*, size_t))dlsym(RTLD_NEXT, "write");
    return real(fd, data, size);
}

static int RealOpen(const char* path, int flags, mode_t mode) {
    static int (*real)(const char*, int, ...);
    if (real == NULL) real = (int (*)(const char*, int, ...))dlsym(RTLD_NEXT, "open");
    return real(path, flags, mode);
}

static int RealClose(int fd) {
    static int (*real)(int);
    if (real == NULL) real = (int (*)(int))dlsym(RTLD_NEXT, "close");
    return real(fd);
}

static void Append(const char* variable, const char* line) {
    Setup();
    const char* file = getenv(variable);
    if (file == NULL || !g_active) return;
    const int saved = errno;
    const int fd = RealOpen(file, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd >= 0) {
        RealWrite(fd, line, strlen(line));
        RealClose(fd);
    }
    errno = saved;
}

/* Whether `path` lies below KALCORE_FAULT_DIR (when that is set). */
static int Below(const char* path) {
    const char* dir = getenv("KALCORE_FAULT_DIR");
    return dir == NULL || strncmp(path, dir, strlen(dir)) == 0;
}

/* Whether `fd` is a regular file below the directory, and with `writing`
 * open for writing. */
/* The path of `fd` into `path` (empty when unknown). */
static void PathOf(int fd, char* path, size_t size) {
    char link[64];
    snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, path, size - 1);
    path[n < 0 ? 0 : n] = '\0';
}

static int Counts(int fd, int writing) {
    Setup();
    if (!g_active || g_name[0] == '\0') return 0;
    struct stat st;
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return 0;
    if (writing) {
        const int flags = fcntl(fd, F_GETFL);
        if (flags < 0 || (flags & O_ACCMODE) == O_RDONLY) return 0;
    }
    char path[4096];
    PathOf(fd, path, sizeof path);
    return path[0] != '\0' && Below(path);
}

/* True when this call of `name` is the one to fail; errno is then set. */
static int Fail(const char* name) {
    Setup();
    if (!g_active || strcmp(name, g_name) != 0) return 0;
    if (++g_count != g_when) return 0;
    char line[64];
    snprintf(line, sizeof line, "fault %s %ld\n", name, g_when);
    Append("KALCORE_FAULT_LOG", line);
    if (g_kill) raise(SIGKILL);
    errno = g_errno;
    return 1;
}

/* `real`: the function `fn` of the library after this one. */
#define REAL(fn)                 \
    static __typeof__(&fn) real; \
    if (real == NULL) real = (__typeof__(&fn))dlsym(RTLD_NEXT, #fn)

ssize_t write(int fd, const void* data, size_t size) {
    if (Counts(fd, 1) && Fail("write")) return -1;
    return RealWrite(fd, data, size);
}

ssize_t pwrite(int fd, const void* data, size_t size, off_t offset) {
    REAL(pwrite);
    if (Counts(fd, 1) && Fail("write")) return -1;
    return real(fd, data, size, offset);
}

ssize_t pwrite64(int fd, const void* data, size_t size, off64_t offset) {
    REAL(pwrite64);
    if (Counts(fd, 1) && Fail("write")) return -1;
    return real(fd, data, size, offset);
}

ssize_t read(int fd, void* data, size_t size) {
    REAL(read);
    if (Counts(fd, 0) && Fail("read")) return -1;
    return real(fd, data, size);
}

ssize_t pread(int fd, void* data, size_t size, off_t offset) {
    REAL(pread);
    if (Counts(fd, 0) && Fail("read")) return -1;
    return real(fd, data, size, offset);
}

ssize_t pread64(int fd, void* data, size_t size, off64_t offset) {
    REAL(pread64);
    if (Counts(fd, 0) && Fail("read")) return -1;
    return real(fd, data, size, offset);
}

/* Whether `fd` is a directory below KALCORE_FAULT_DIR. */
static int CountsDirectory(int fd) {
    Setup();
    struct stat st;
    if (!g_active || g_name[0] == '\0' || fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode)) return 0;
    char path[4096];
    PathOf(fd, path, sizeof path);
    return path[0] != '\0' && Below(path);
}

int fsync(int fd) {
    REAL(fsync);
    if (getenv("KALCORE_TRACE") != NULL) {
        struct stat st;
        char path[4096], line[4200];
        PathOf(fd, path, sizeof path);
        snprintf(line, sizeof line, "%s %s\n",
                 fstat(fd, &st) == 0 && S_ISDIR(st.st_mode) ? "dirsync" : "fsync", path);
        Append("KALCORE_TRACE", line);
    }
    if (Counts(fd, 1) && Fail("fsync")) return -1;
    if (CountsDirectory(fd) && Fail("dirsync")) return -1;
    return real(fd);
}

int fdatasync(int fd) {
    REAL(fdatasync);
    if (Counts(fd, 1) && Fail("fsync")) return -1;
    return real(fd);
}

int ftruncate(int fd, off_t size) {
    REAL(ftruncate);
    if (Counts(fd, 1) && Fail("ftruncate")) return -1;
    return real(fd, size);
}

int ftruncate64(int fd, off64_t size) {
    REAL(ftruncate64);
    if (Counts(fd, 1) && Fail("ftruncate")) return -1;
    return real(fd, size);
}

int close(int fd) {
    if (Counts(fd, 1) && Fail("close")) {
        const int saved = errno;
        RealClose(fd);
        errno = saved;
        return -1;
    }
    return RealClose(fd);
}

int rename(const char* from, const char* to) {
    REAL(rename);
    char line[8300];
    snprintf(line, sizeof line, "rename %s %s\n", from, to);
    Append("KALCORE_TRACE", line);
    if (Below(to) && Fail("rename")) return -1;
    return real(from, to);
}

int link(const char* from, const char* to) {
    REAL(link);
    char line[8300];
    snprintf(line, sizeof line, "link %s %s\n", from, to);
    Append("KALCORE_TRACE", line);
    return real(from, to);
}

static int Open(const char* name, const char* path, int flags, va_list rest) {
    mode_t mode = 0;
    if ((flags & (O_CREAT | O_TMPFILE)) != 0) mode = va_arg(rest, mode_t);
    char line[8300];
    snprintf(line, sizeof line, "open %s\n", path);
    Append("KALCORE_TRACE", line);
    int (*real)(const char*, int, ...) = (int (*)(const char*, int, ...))dlsym(RTLD_NEXT, name);
    return real(path, flags, mode);
}

/* open() and open64(), traced. */
#define TRACED_OPEN(fn)                              \
    int fn(const char* path, int flags, ...) {       \
        va_list rest;                                \
        va_start(rest, flags);                       \
        const int fd = Open(#fn, path, flags, rest); \
        va_end(rest);                                \
        return fd;                                   \
    }
TRACED_OPEN(open)
TRACED_OPEN(open64)
