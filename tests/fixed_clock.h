// A fixed local time for unit tests, installed through the clock seam.
#pragma once

namespace kalcore::testing {

// Makes the library's clock read the given local time until the guard goes.
class FixedClock {
  public:
    FixedClock(int year, int month, int day, int hour = 0, int minute = 0, int second = 0);
    ~FixedClock();
    FixedClock(const FixedClock&) = delete;
    FixedClock& operator=(const FixedClock&) = delete;
};

}  // namespace kalcore::testing
