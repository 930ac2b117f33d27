// Environment variables set for the life of a test and restored afterwards.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace kalcore::testing {

// Sets (or, with nullptr, unsets) one variable until the guard goes.
class ScopedEnv {
  public:
    ScopedEnv(const char* name, const char* value) : name_(name) {
        const char* old = std::getenv(name);
        hadValue_ = old != nullptr;
        if (hadValue_) old_ = old;
        Set(value);
    }
    ~ScopedEnv() { Set(hadValue_ ? old_.c_str() : nullptr); }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

  private:
    void Set(const char* value) {
        if (value != nullptr)
            setenv(name_, value, 1);
        else
            unsetenv(name_);
    }
    const char* name_;
    bool hadValue_ = false;
    std::string old_;
};

// TZ set for the life of a test, with the C library's zone data reloaded on
// the way in and out; nullptr unsets TZ.
class ScopedTz {
  public:
    explicit ScopedTz(const char* value) : tz_("TZ", value) { tzset(); }

  private:
    // Members go in reverse order: TZ is restored first, then reloaded.
    struct Reload {
        ~Reload() { tzset(); }
    } reload_;
    ScopedEnv tz_;
};

}  // namespace kalcore::testing
