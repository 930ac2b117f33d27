// The profile file on POSIX: an INI file in the user's configuration
// directory, read line by line from fixed buffers. A write copies the file to
// a temporary file beside it with the one key changed and renames it over
// the original, so readers see the old or the new file, never a mixture.
#include "platform/profile.h"

#include <fcntl.h>
#include <strings.h>
#include <unistd.h>

#include <algorithm>
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

// Reads a file descriptor line by line. A line longer than the buffer is
// returned in pieces: `continued` tells that a piece does not start a line,
// `complete` that it ends one.
class LineReader {
  public:
    explicit LineReader(int fd) : fd_(fd) {}

    // The next piece without its line end; false at the end of the file.
    bool Next(char (&line)[kLineSize], std::size_t& length, bool& continued, bool& complete) {
        continued = midLine_;
        length = 0;
        for (;;) {
            if (pos_ == end_) {
                const ssize_t n = read(fd_, buffer_, sizeof buffer_);
                if (n <= 0) {
                    line[length] = '\0';
                    midLine_ = false;
                    complete = true;
                    return length > 0;
                }
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

  private:
    int fd_;
    char buffer_[4096];
    std::size_t pos_ = 0, end_ = 0;
    bool midLine_ = false;
};

// Buffered writes to a file descriptor; remembers whether any write failed.
class Writer {
  public:
    explicit Writer(int fd) : fd_(fd) {}
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
        std::size_t done = 0;
        while (done < used_) {
            const ssize_t n = write(fd_, buffer_ + done, used_ - done);
            if (n <= 0) {
                failed_ = true;
                break;
            }
            done += static_cast<std::size_t>(n);
        }
        used_ = 0;
        return !failed_;
    }

  private:
    int fd_;
    char buffer_[4096];
    std::size_t used_ = 0;
    bool failed_ = false;
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
bool ProfilePath(const char* fileName, bool create, char* path, std::size_t size) {
    char directory[PATH_MAX];
    return posix::UserDirectory("XDG_CONFIG_HOME", "/.config", create, directory,
                                sizeof directory) &&
           JoinDataFile(directory, fileName, path, size);
}

bool ValidName(const char* text) {
    return text != nullptr && text[0] != '\0' && std::strpbrk(text, "\n\r") == nullptr;
}

}  // namespace

bool ProfileFilePath(const char* fileName, char* path, std::size_t size) {
    if (size > 0) path[0] = '\0';
    return ValidName(fileName) && path != nullptr && ProfilePath(fileName, false, path, size);
}

int ReadProfileString(const char* section, const char* key, char* out, int size,
                      const char* fileName) {
    if (out == nullptr || size <= 0) return 0;
    out[0] = '\0';
    if (!ValidName(section) || !ValidName(key) || !ValidName(fileName)) return 0;
    char path[PATH_MAX];
    if (!ProfilePath(fileName, false, path, sizeof path)) return 0;
    const int fd = open(path, O_RDONLY | O_CLOEXEC);
    if (fd < 0) return 0;
    LineReader reader(fd);
    char text[kLineSize];
    std::size_t length;
    bool continued, complete;
    bool inSection = false;
    int result = 0;
    while (reader.Next(text, length, continued, complete)) {
        if (continued) continue;
        const Line line = Classify(text);
        if (line.kind == Line::kSection) {
            inSection = SameName(line.nameBegin, line.nameEnd, section);
        } else if (inSection && line.kind == Line::kKey &&
                   SameName(line.nameBegin, line.nameEnd, key)) {
            const std::size_t n =
                std::min(static_cast<std::size_t>(line.valueEnd - line.valueBegin),
                         static_cast<std::size_t>(size - 1));
            std::memcpy(out, line.valueBegin, n);
            out[n] = '\0';
            result = static_cast<int>(n);
            break;
        }
    }
    close(fd);
    return result;
}

bool WriteProfileString(const char* section, const char* key, const char* value,
                        const char* fileName) {
    if (!ValidName(section) || !ValidName(key) || !ValidName(fileName) || value == nullptr ||
        std::strpbrk(value, "\n\r") != nullptr)
        return false;
    // A key that already holds the value is not written again: start-up sets
    // most keys to what they hold, and each rewrite costs a file replacement.
    char current[kLineSize];
    const std::size_t valueLength = std::strlen(value);
    if (valueLength + 1 < sizeof current &&
        ReadProfileString(section, key, current, sizeof current, fileName) ==
            static_cast<int>(valueLength) &&
        std::strcmp(current, value) == 0 && valueLength > 0)
        return true;
    char path[PATH_MAX];
    if (!ProfilePath(fileName, true, path, sizeof path)) return false;
    char temporary[PATH_MAX];
    if (!posix::JoinTexts(path, ".XXXXXX", temporary, sizeof temporary)) return false;
    const int out = mkostemp(temporary, O_CLOEXEC);
    if (out < 0) return false;

    Writer writer(out);
    auto putEntry = [&] {
        writer.Put(key);
        writer.Put("=");
        writer.Put(value);
        writer.Put("\n");
    };
    bool inSection = false, sectionSeen = false, written = false;
    const int in = open(path, O_RDONLY | O_CLOEXEC);
    if (in >= 0) {
        LineReader reader(in);
        char text[kLineSize];
        std::size_t length;
        bool continued, complete;
        bool skipping = false;  // dropping the rest of the replaced line
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
                if (inSection && !written) {
                    putEntry();
                    written = true;
                }
                inSection = SameName(line.nameBegin, line.nameEnd, section);
                sectionSeen = sectionSeen || inSection;
            } else if (inSection && !written && line.kind == Line::kKey &&
                       SameName(line.nameBegin, line.nameEnd, key)) {
                putEntry();
                written = true;
                skipping = !complete;
                continue;
            }
            writer.Put(text, length);
            if (complete) writer.Put("\n");
        }
        close(in);
    }
    if (!written) {
        if (!sectionSeen) {
            writer.Put("[");
            writer.Put(section);
            writer.Put("]\n");
        }
        putEntry();
    }
    const bool ok = writer.Flush() && fsync(out) == 0;
    if (close(out) != 0 || !ok || rename(temporary, path) != 0) {
        unlink(temporary);
        return false;
    }
    return true;
}

}  // namespace kalcore::platform
