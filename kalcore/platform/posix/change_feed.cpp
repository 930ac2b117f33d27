// The change feed on Linux: one inotify instance for the process, read
// without blocking. Only file systems whose every change passes through this
// machine's kernel are watched (a network file system changed by another
// machine sends no word); elsewhere nothing is
// watched and the caches check their files themselves.
#include "platform/change_feed.h"

#include <pthread.h>
#include <sys/inotify.h>
#include <sys/vfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>

namespace kalcore::platform {

namespace {

// The changes that can make a cached reading stale: content, attributes
// (a link count, a time, a mode), the names in a directory, and the watched
// object's own removal or move.
constexpr std::uint32_t kChanges = IN_MODIFY | IN_ATTRIB | IN_CREATE | IN_DELETE | IN_MOVED_FROM |
                                   IN_MOVED_TO | IN_DELETE_SELF | IN_MOVE_SELF;

// A process watches a few files and their directories; past this many
// watches (a caller going through many directories) the feed starts over.
constexpr int kMaxWatches = 64;

// File systems whose changes all pass through the local kernel.
bool LocalFileSystem(const char* path) {
    struct statfs fs;
    if (::statfs(path, &fs) != 0) return false;
    switch (static_cast<unsigned long>(fs.f_type)) {
        case 0xEF53UL:      // ext2, ext3, ext4
        case 0x58465342UL:  // xfs
        case 0x9123683EUL:  // btrfs
        case 0x01021994UL:  // tmpfs
        case 0x858458F6UL:  // ramfs
        case 0x794C7630UL:  // overlayfs
        case 0xF2F52010UL:  // f2fs
        case 0x2FC12FC1UL:  // zfs
        case 0xCA451A4EUL:  // bcachefs
        case 0x3153464AUL:  // jfs
        case 0x52654973UL:  // reiserfs
            return true;
        default:
            return false;
    }
}

struct FeedState {
    pthread_mutex_t mutex = PTHREAD_MUTEX_INITIALIZER;
    int fd = -1;
    std::uint64_t count = 0;
    std::uint64_t generation = 0;
    bool forked = false;  // this is a forked child: the instance is the parent's
    bool atForkSet = false;
};

FeedState& State() {
    static FeedState state;
    return state;
}

// A forked child shares the parent's instance, and whichever reads an
// event takes it from the other: the child starts a feed of its own. The
// mutex is held across the fork, so that the child's copy is free.
void BeforeFork() {
    pthread_mutex_lock(&State().mutex);
}
void AfterForkParent() {
    pthread_mutex_unlock(&State().mutex);
}
void AfterForkChild() {
    State().forked = true;
    pthread_mutex_unlock(&State().mutex);
}

// Drops the instance: every watch is gone and every cached reading must be
// checked again. Called with the mutex held.
void Reset(FeedState& s) {
    if (s.fd >= 0) ::close(s.fd);
    s.fd = -1;
    ++s.count;
    ++s.generation;
    s.forked = false;
}

class Hold {
  public:
    explicit Hold(FeedState& s) : s_(s) {
        pthread_mutex_lock(&s_.mutex);
        if (s_.forked) Reset(s_);
    }
    ~Hold() { pthread_mutex_unlock(&s_.mutex); }
    Hold(const Hold&) = delete;
    Hold& operator=(const Hold&) = delete;

  private:
    FeedState& s_;
};

}  // namespace

ChangeFeed& ChangeFeed::Instance() {
    static ChangeFeed feed;
    return feed;
}

std::uint64_t ChangeFeed::Look() {
    FeedState& s = State();
    Hold hold(s);
    if (s.fd < 0) return s.count;
    alignas(inotify_event) char events[4096];
    for (;;) {
        const ssize_t n = ::read(s.fd, events, sizeof events);
        if (n > 0) {
            // Any event counts, an overflow of the queue too.
            ++s.count;
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) Reset(s);
        return s.count;
    }
}

std::uint64_t ChangeFeed::Watch(const char* path) {
    FeedState& s = State();
    Hold hold(s);
    if (path == nullptr || path[0] == '\0' || !LocalFileSystem(path)) return 0;
    if (!s.atForkSet) {
        s.atForkSet = pthread_atfork(BeforeFork, AfterForkParent, AfterForkChild) == 0;
        if (!s.atForkSet) return 0;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (s.fd < 0) {
            s.fd = ::inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
            if (s.fd < 0) return 0;
            ++s.generation;
        }
        const int wd = ::inotify_add_watch(s.fd, path, kChanges);
        if (wd < 0) return 0;
        // Watch numbers grow within an instance.
        if (wd <= kMaxWatches) return s.generation;
        Reset(s);
    }
    return 0;
}

std::uint64_t ChangeFeed::Generation() const {
    FeedState& s = State();
    Hold hold(s);
    return s.fd >= 0 ? s.generation : 0;
}

}  // namespace kalcore::platform
