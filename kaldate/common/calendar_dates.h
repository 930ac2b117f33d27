// The platform's date rules the date entry and the month calendar use, as
// opposed to the library's: its date test, the English month names, and the
// range of dates it knows (the years 100 to 9999).
#pragma once

#include <QDate>
#include <QString>
#include <QStringView>
#include <optional>

namespace kaldate {

// The platform's date test, in the United States' order: blanks around it
// allowed; three parts separated by '/', '-', '.', ',' or blanks:
// month/day/year ("12/25/1998", "12-6-26"), or year/month/day when the first
// part has three or four digits ("1998-12-25"); or a month name, full or its
// first three letters in any case, with the day and year ("Dec/25/1998",
// "December 25, 1998", "25-Dec-1998", "1998-Dec-25"). A year of one or two
// digits lies in 1930-2029. Nothing when the text is no such date, or the
// date does not exist or lies outside the years 100 to 9999.
std::optional<QDate> platformDate(QStringView text);

// Whether a date lies in the years the platform's dates cover.
bool inPlatformRange(const QDate& date);

// "January" to "December" for 1 to 12.
QString monthName(int month);

}  // namespace kaldate
