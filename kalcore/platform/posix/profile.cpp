// The profile file on POSIX: an INI file in the user's configuration
// directory, read line by line from fixed buffers. A write copies the file to
// a temporary file beside it with the keys changed and renames it over the
// original, so readers see the old or the new file, never a mixture. A read
// error ends a write with the file left as it was.
//
// A profile file that is a symbolic link (as dotfile managers make them)
// stays one: the link's target is replaced in its own directory, or, where
// that directory cannot take a temporary file, rewritten in place under the
// target's lock, which readers take shared. A link is followed only to a
// profile file: a regular file of this user named like the profile file
// (perhaps after a prefix, as "private_KalDatFl.Ini"); a link to anything
// else is neither read nor written through.
#include "platform/profile.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/directories.h"
#include "platform/posix/paths.h"

namespace kalcore::platform {

namespace {

// Longest line kept; the rest of a longer line is dropped when read and
// copied unchanged when the file is rewritten.
constexpr std::size_t kLineSize = 1024;

// Reads a file descriptor line by line from its start. A line longer than
// the buffer is returned in pieces: `continued` tells that a piece does not
// start a line, `complete` that it ends one. A read error other than an
// interruption ends the reading and is remembered.
class LineReader {
  public:
    explicit LineReader(int fd) : fd_(fd) {}

    // The next piece without its line end; false at the end of the file or
    // after a read error.
    bool Next(char (&line)[kLineSize], std::size_t& length, bool& continued, bool& complete) {
        continued = midLine_;
        length = 0;
        for (;;) {
            if (pos_ == end_) {
                const ssize_t n = pread(fd_, buffer_, sizeof buffer_, offset_);
                if (n < 0 && errno == EINTR) continue;
                if (n <= 0) {
                    failed_ = n < 0;
                    line[length] = '\0';
                    midLine_ = false;
                    complete = true;
                    return !failed_ && length > 0;
                }
                offset_ += n;
                pos_ = 0;
                end_ = static_cast<std::size_t>(n);
            }
            const char c = buffer_[pos_++];
            if (c == '\n') {
                line[length] = '\0';
                midLine_ = false;
                complete = true;
                return true;
            }
            line[length++] = c;
            if (length == kLineSize - 1) {
                line[length] = '\0';
                midLine_ = true;
                complete = false;
                return true;
            }
        }
    }

    bool Failed() const { return failed_; }

  private:
    int fd_;
    char buffer_[4096];
    off_t offset_ = 0;
    std::size_t pos_ = 0, end_ = 0;
    bool midLine_ = false;
    bool failed_ = false;
};

// Buffered writes into a replacement file, which is begun at the first
// write that reaches it: a file that turns out unchanged needs none. With
// `staging` a file whose directory takes no temporary file is rewritten in
// place, staged beside `staging`; `permissions` (0: private) are the new
// file's.
class Writer {
  public:
    Writer(posix::Replacement& out, const char* path, const char* staging = nullptr,
           mode_t permissions = 0)
        : out_(out), path_(path), staging_(staging), permissions_(permissions) {}
    void Put(const char* text, std::size_t n) {
        while (n > 0) {
            if (used_ == sizeof buffer_) Flush();
            const std::size_t take = std::min(n, sizeof buffer_ - used_);
            std::memcpy(buffer_ + used_, text, take);
            used_ += take;
            text += take;
            n -= take;
        }
    }
    void Put(const char* text) { Put(text, std::strlen(text)); }
    bool Flush() {
        if (!begun_ && !failed_) {
            begun_ = true;
            failed_ = !out_.Begin(path_, permissions_);
            if (failed_ && staging_ != nullptr && (errno == EACCES || errno == EPERM))
                failed_ = !out_.BeginInPlace(path_, staging_);
        }
        failed_ = failed_ || !out_.Write(buffer_, used_);
        used_ = 0;
        return !failed_;
    }

  private:
    posix::Replacement& out_;
    const char* path_;
    const char* staging_;
    mode_t permissions_;
    char buffer_[4096];
    std::size_t used_ = 0;
    bool begun_ = false, failed_ = false;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The text between `begin` and `end` without surrounding blanks.
void Trim(const char*& begin, const char*& end) {
    while (begin < end && IsBlank(*begin)) ++begin;
    while (end > begin && IsBlank(end[-1])) --end;
}

bool SameName(const char* begin, const char* end, const char* name) {
    const std::size_t n = static_cast<std::size_t>(end - begin);
    return std::strlen(name) == n && strncasecmp(begin, name, n) == 0;
}

// What one line of the file is.
struct Line {
    enum Kind { kOther, kSection, kKey } kind = kOther;
    const char *nameBegin = nullptr, *nameEnd = nullptr;  // section or key name
    const char *valueBegin = nullptr, *valueEnd = nullptr;
};

Line Classify(const char* text) {
    Line line;
    const char* begin = text;
    const char* end = text + std::strlen(text);
    Trim(begin, end);
    if (begin == end || *begin == ';' || *begin == '#') return line;
    if (*begin == '[') {
        const char* close = static_cast<const char*>(std::memchr(begin, ']', end - begin));
        if (close == nullptr) return line;
        line.kind = Line::kSection;
        line.nameBegin = begin + 1;
        line.nameEnd = close;
        Trim(line.nameBegin, line.nameEnd);
        return line;
    }
    const char* equals = static_cast<const char*>(std::memchr(begin, '=', end - begin));
    if (equals == nullptr) return line;
    line.kind = Line::kKey;
    line.nameBegin = begin;
    line.nameEnd = equals;
    Trim(line.nameBegin, line.nameEnd);
    line.valueBegin = equals + 1;
    line.valueEnd = end;
    Trim(line.valueBegin, line.valueEnd);
    return line;
}

// The host path of a profile file, its name matched without regard to case.
bool ProfilePath(const char* fileName, bool create, char* path, std::size_t size,
                 FileState* state = nullptr) {
    char directory[PATH_MAX];
    return posix::UserDirectory("XDG_CONFIG_HOME", "/.config", create, directory,
                                sizeof directory) &&
           JoinDataFile(directory, fileName, path, size, state);
}

bool ValidName(const char* text) {
    return text != nullptr && text[0] != '\0' && std::strpbrk(text, "\n\r") == nullptr;
}

// What stands at a profile file's path.
enum class Standing { kNoLink, kProfileLink, kForeignLink };

// Whether `path` is a symbolic link, and for a link whether it leads to a
// profile file `fileName`: a regular file of this user whose name ends in
// `fileName` (without regard to case). The target goes to `target` and its
// permissions to `permissions`.
Standing LinkAt(const char* path, const char* fileName, char (&target)[PATH_MAX],
                mode_t* permissions = nullptr) {
    struct stat st;
    if (lstat(path, &st) != 0 || !S_ISLNK(st.st_mode)) return Standing::kNoLink;
    if (realpath(path, target) == nullptr || stat(target, &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != geteuid())
        return Standing::kForeignLink;
    const char* slash = std::strrchr(target, '/');
    const char* name = slash != nullptr ? slash + 1 : target;
    const std::size_t n = std::strlen(name), m = std::strlen(fileName);
    if (n < m || strcasecmp(name + n - m, fileName) != 0) return Standing::kForeignLink;
    if (permissions != nullptr) *permissions = st.st_mode & 07777;
    return Standing::kProfileLink;
}

}  // namespace

bool ProfileDirectory(char* out, std::size_t size) {
    return out != nullptr && posix::UserDirectory("XDG_CONFIG_HOME", "/.config", false, out, size);
}

bool ProfileFilePath(const char* fileName, char* path, std::size_t size, FileState* state) {
    if (size > 0) path[0] = '\0';
    if (state != nullptr) *state = FileState{};
    return ValidName(fileName) && path != nullptr &&
           ProfilePath(fileName, false, path, size, state);
}

ProfileEditor::ProfileEditor(const char* section, const char* fileName)
    : section_(section), fileName_(fileName) {
    usable_ = ValidName(section) && ValidName(fileName);
    FileState state;
    if (!usable_ || !ProfilePath(fileName, false, path_, sizeof path_, &state)) {
        path_[0] = '\0';
        return;
    }
    if (state.kind == FileState::Kind::kMissing) return;
    // A directory, pipe or device in the file's place holds no keys and is
    // not replaced.
    if (state.kind == FileState::Kind::kOther) {
        usable_ = false;
        return;
    }
    // A link out to anything but a profile file is not followed.
    char target[PATH_MAX];
    if (LinkAt(path_, fileName, target) == Standing::kForeignLink) {
        usable_ = false;
        return;
    }
    const int fd = posix::OpenRegular(path_, O_RDONLY);
    if (fd >= 0) {
        handle_ = fd;
        // A file rewritten in place is read whole or not at all.
        posix::LockFile(fd, LOCK_SH);
    } else {
        // Gone meanwhile, it is missing; otherwise it is there but unreadable.
        usable_ = false;
        readFailed_ = errno != ENOENT;
    }
}

ProfileEditor::~ProfileEditor() {
    if (handle_ >= 0) close(static_cast<int>(handle_));
}

bool ProfileEditor::Read(Value* values, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        values[i].length = 0;
        if (values[i].text != nullptr && values[i].size > 0) values[i].text[0] = '\0';
    }
    if (handle_ < 0) return !readFailed_;
    LineReader reader(static_cast<int>(handle_));
    char text[kLineSize];
    std::size_t length;
    bool continued, complete;
    bool inSection = false;
    while (reader.Next(text, length, continued, complete)) {
        if (continued) continue;
        const Line line = Classify(text);
        if (line.kind == Line::kSection) {
            inSection = SameName(line.nameBegin, line.nameEnd, section_);
            continue;
        }
        if (!inSection || line.kind != Line::kKey) continue;
        for (std::size_t i = 0; i < count; ++i) {
            Value& v = values[i];
            // The first line of a key counts.
            if (v.text == nullptr || v.size <= 0 || v.length != 0 || !ValidName(v.key) ||
                !SameName(line.nameBegin, line.nameEnd, v.key))
                continue;
            const std::size_t n =
                std::min(static_cast<std::size_t>(line.valueEnd - line.valueBegin),
                         static_cast<std::size_t>(v.size - 1));
            std::memcpy(v.text, line.valueBegin, n);
            v.text[n] = '\0';
            // An empty first line of a key leaves it missing, later ones unread.
            v.length = n > 0 ? static_cast<int>(n) : -1;
        }
    }
    for (std::size_t i = 0; i < count; ++i) {
        if (values[i].length < 0 || reader.Failed()) values[i].length = 0;
        if (reader.Failed() && values[i].text != nullptr && values[i].size > 0)
            values[i].text[0] = '\0';
    }
    if (reader.Failed()) usable_ = false, readFailed_ = true;
    return !readFailed_;
}

bool ProfileEditor::Set(const char* key, const char* value) {
    if (!ValidName(key) || value == nullptr || std::strpbrk(value, "\n\r") != nullptr) return false;
    for (std::size_t i = 0; i < changeCount_; ++i) {
        if (strcasecmp(changes_[i].key, key) == 0) {
            changes_[i].value = value;
            return true;
        }
    }
    if (changeCount_ == kMaxChanges) return false;
    changes_[changeCount_++] = Change{key, value};
    return true;
}

bool ProfileEditor::Commit() {
    if (changeCount_ == 0) return usable_;
    if (!usable_) return false;
    char path[PATH_MAX];
    if (!ProfilePath(fileName_, true, path, sizeof path)) return false;
    // Something other than a regular file in the file's place is not replaced.
    if (ReadFileState(path).kind == FileState::Kind::kOther) return false;
    // A link stays: its target is replaced (or rewritten in place), and only
    // when it is a profile file.
    char target[PATH_MAX];
    mode_t permissions = 0;
    const Standing standing = LinkAt(path, fileName_, target, &permissions);
    if (standing == Standing::kForeignLink) return false;
    const bool linked = standing == Standing::kProfileLink;
    posix::Replacement out;
    Writer writer(out, linked ? target : path, linked ? path : nullptr, permissions);
    bool written[kMaxChanges] = {};
    bool changed = false;
    auto putEntry = [&](std::size_t i) {
        writer.Put(changes_[i].key);
        writer.Put("=");
        writer.Put(changes_[i].value);
        writer.Put("\n");
        written[i] = true;
        changed = true;
    };
    // The changes not yet written go at the end of the section.
    auto putRest = [&] {
        for (std::size_t i = 0; i < changeCount_; ++i)
            if (!written[i]) putEntry(i);
    };
    bool inSection = false, sectionSeen = false;
    if (handle_ >= 0) {
        LineReader reader(static_cast<int>(handle_));
        char text[kLineSize];
        std::size_t length;
        bool continued, complete;
        bool skipping = false;  // dropping the rest of a replaced line
        while (reader.Next(text, length, continued, complete)) {
            if (continued) {
                if (!skipping) {
                    writer.Put(text, length);
                    if (complete) writer.Put("\n");
                }
                continue;
            }
            skipping = false;
            const Line line = Classify(text);
            if (line.kind == Line::kSection) {
                if (inSection) putRest();
                inSection = SameName(line.nameBegin, line.nameEnd, section_);
                sectionSeen = sectionSeen || inSection;
            } else if (inSection && line.kind == Line::kKey) {
                std::size_t i = 0;
                while (i < changeCount_ &&
                       (written[i] || !SameName(line.nameBegin, line.nameEnd, changes_[i].key)))
                    ++i;
                if (i < changeCount_) {
                    const std::size_t n = static_cast<std::size_t>(line.valueEnd - line.valueBegin);
                    if (complete && n == std::strlen(changes_[i].value) &&
                        std::memcmp(line.valueBegin, changes_[i].value, n) == 0) {
                        written[i] = true;  // the line holds the value already
                    } else {
                        putEntry(i);
                        skipping = !complete;
                        continue;
                    }
                }
            }
            writer.Put(text, length);
            if (complete) writer.Put("\n");
        }
        if (reader.Failed()) return false;
    }
    if (!sectionSeen) {
        bool pending = false;
        for (std::size_t i = 0; i < changeCount_; ++i) pending = pending || !written[i];
        if (pending) {
            writer.Put("[");
            writer.Put(section_);
            writer.Put("]\n");
        }
    }
    putRest();
    // Nothing to change: the file stays as it is.
    if (!changed) return true;
    // A rewrite in place waits for the file's lock, which this reader must
    // not hold itself.
    if (handle_ >= 0) posix::LockFile(static_cast<int>(handle_), LOCK_UN);
    return writer.Flush() && out.Commit();
}

int ReadProfileString(const char* section, const char* key, char* out, int size,
                      const char* fileName) {
    if (out == nullptr || size <= 0) return 0;
    out[0] = '\0';
    ProfileEditor editor(section, fileName);
    ProfileEditor::Value value{key, out, size, 0};
    editor.Read(&value, 1);
    return value.length;
}

bool WriteProfileString(const char* section, const char* key, const char* value,
                        const char* fileName) {
    ProfileEditor editor(section, fileName);
    return editor.Set(key, value) && editor.Commit();
}

}  // namespace kalcore::platform
