#include "calendar/components.h"

#include "calendar/serial_days.h"

namespace kalcore {

const char* const kMonthNames[13] = {"",        "January",  "February", "March",  "April",
                                     "May",     "June",     "July",     "August", "September",
                                     "October", "November", "December"};

bool DateParts(const DateText& date, DatePieces& pieces) {
    CivilDate d{};
    if (!ReadCivilDate(date, d)) {
        pieces = DatePieces{-1, -1, -1, -1, ""};
        return false;
    }
    pieces = DatePieces{d.month, d.day, d.year / 100, d.year % 100, kMonthNames[d.month]};
    return true;
}

bool YearOfFirstJanuary(char separator, const char* yearText, int& year) {
    if (yearText == nullptr) return false;
    DateText date = {'0', '1', separator, '0', '1', separator};
    for (std::size_t i = 0; yearText[i] != '\0' && 6 + i < kMaxDateChars; ++i)
        date[6 + i] = yearText[i];
    DatePieces pieces;
    if (!DateParts(date, pieces)) return false;
    year = pieces.FullYear();
    return true;
}

}  // namespace kalcore
