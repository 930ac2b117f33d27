// The library's profile (INI) file: one section of keys, read and written by
// name. A file named without a directory lives in the platform's profile
// directory.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/files.h"

namespace kalcore::platform {

// Reads `key` of `section` from `fileName` into `out` (room for `size`
// characters including the terminator), without surrounding blanks. Returns
// the number of characters read; 0 for a missing or empty key, a missing or
// unreadable file or a null argument, with `out` then empty.
int ReadProfileString(const char* section, const char* key, char* out, int size,
                      const char* fileName);

// Sets `key` of `section` in `fileName` to `value`, keeping every other
// section, key and comment. Returns false when the file cannot be written.
bool WriteProfileString(const char* section, const char* key, const char* value,
                        const char* fileName);

// The directory that profile files named without a directory live in on
// this machine, as the environment gives it (nothing is looked up). False
// when the platform gives it no place or it does not fit.
bool ProfileDirectory(char* out, std::size_t size);

// Where the profile file `fileName` is (or would be made) on this machine,
// and, when `state` is given, the state of the file found there. False when
// the platform gives it no place or the path does not fit.
bool ProfileFilePath(const char* fileName, char* path, std::size_t size,
                     FileState* state = nullptr);

// One read-modify-write of a section of a profile file: the file is opened
// once, any number of its keys are read, and every change is written back in
// one step, only when a value actually changes. Hold the home lock (see
// home_lock.h) around it, so that no other writer comes in between.
class ProfileEditor {
  public:
    ProfileEditor(const char* section, const char* fileName);
    ~ProfileEditor();
    ProfileEditor(const ProfileEditor&) = delete;
    ProfileEditor& operator=(const ProfileEditor&) = delete;

    // One key to read: its value goes to `text` (room for `size` characters
    // including the terminator), its length to `length` (0: missing or empty).
    struct Value {
        const char* key;
        char* text;
        int size;
        int length;
    };
    // Reads the keys in one pass over the file. False when the file exists
    // but could not be read; the values are then empty and Commit() fails.
    // A pipe, device or directory in the file's place reads as a missing
    // file, and Commit() fails on it.
    bool Read(Value* values, std::size_t count);

    // Sets `key` to `value` at the next Commit(); both texts must stay valid
    // until then. False for a text that would break the file's lines, or for
    // more keys than one edit holds.
    bool Set(const char* key, const char* value);

    // Writes the changes. True when they reached the file or the file held
    // them already; false, with the file left as it was, when it cannot be
    // read or written.
    bool Commit();

  private:
    static constexpr std::size_t kMaxChanges = 8;
    struct Change {
        const char* key;
        const char* value;
    };
    const char* section_;
    const char* fileName_;
    Change changes_[kMaxChanges] = {};
    std::size_t changeCount_ = 0;
    bool usable_ = true;         // names valid, file readable and replaceable
    bool readFailed_ = false;    // the file is there but could not be read
    std::intptr_t handle_ = -1;  // the open file where the platform keeps one
    char path_[4096] = "";       // the file's path where the platform needs one
};

}  // namespace kalcore::platform
