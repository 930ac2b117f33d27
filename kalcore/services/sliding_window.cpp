#include "services/sliding_window.h"

namespace kalcore::services {

WindowAnswer SlidingWindow(const CivilDate& pivot, std::int32_t years, const CivilDate& check) {
    const int direction = (years > 0) - (years < 0);
    CivilDate end{};
    if (!AddYears(pivot, years, end))
        end = years > 0 ? CivilDate{9999, 12, 31} : CivilDate{1, 1, 1};
    const std::int32_t pivotSerial = SerialDay(pivot);
    const std::int32_t checkSerial = SerialDay(check);
    const std::int32_t endSerial = SerialDay(end);
    bool inside = false;
    if (direction > 0) inside = pivotSerial <= checkSerial && checkSerial <= endSerial;
    if (direction < 0) inside = endSerial <= checkSerial && checkSerial <= pivotSerial;
    return WindowAnswer{inside, direction};
}

}  // namespace kalcore::services
