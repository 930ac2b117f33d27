// Sets the TZ variable for the life of a test and restores it afterwards.
#pragma once

#include <cstdlib>
#include <ctime>
#include <string>

namespace kalcore::testing {

class ScopedTz {
  public:
    // nullptr unsets TZ.
    explicit ScopedTz(const char* value) {
        const char* old = std::getenv("TZ");
        hadValue_ = old != nullptr;
        if (hadValue_) old_ = old;
        Set(value);
    }
    ~ScopedTz() { Set(hadValue_ ? old_.c_str() : nullptr); }
    ScopedTz(const ScopedTz&) = delete;
    ScopedTz& operator=(const ScopedTz&) = delete;

  private:
    static void Set(const char* value) {
        if (value != nullptr)
            setenv("TZ", value, 1);
        else
            unsetenv("TZ");
        tzset();
    }
    bool hadValue_ = false;
    std::string old_;
};

}  // namespace kalcore::testing
