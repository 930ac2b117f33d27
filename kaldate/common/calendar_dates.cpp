#include "common/calendar_dates.h"

#include <QList>
#include <array>

namespace kaldate {

namespace {

constexpr std::array<const char*, 12> kMonths = {"January",   "February", "March",    "April",
                                                 "May",       "June",     "July",     "August",
                                                 "September", "October",  "November", "December"};

constexpr int kFirstYear = 100;
constexpr int kLastYear = 9999;

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.') ||
           c == QLatin1Char(',') || c == QLatin1Char(' ');
}

// The parts between separators; runs of separators count as one, except that
// two of '/', '-' or '.' in a row leave an empty part (and so no date).
QList<QStringView> partsOf(QStringView text) {
    QList<QStringView> parts;
    qsizetype start = -1;
    bool hardSeparator = false;
    for (qsizetype i = 0; i <= text.size(); ++i) {
        const bool separator = i == text.size() || isSeparator(text[i]);
        if (!separator) {
            if (start < 0) start = i;
            hardSeparator = false;
            continue;
        }
        if (start >= 0) {
            parts.append(text.mid(start, i - start));
            start = -1;
        } else if (hardSeparator && i < text.size() && text[i] != QLatin1Char(' ')) {
            parts.append(QStringView());
        }
        if (i < text.size() && text[i] != QLatin1Char(' ') && text[i] != QLatin1Char(','))
            hardSeparator = true;
    }
    return parts;
}

// A number of one to four digits, or nothing.
std::optional<int> numberOf(QStringView part) {
    if (part.isEmpty() || part.size() > 4) return std::nullopt;
    int value = 0;
    for (QChar c : part) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

// 1 to 12 for a month's name or its first three letters, or nothing.
std::optional<int> monthOf(QStringView part) {
    if (part.size() < 3) return std::nullopt;
    for (int month = 1; month <= 12; ++month) {
        const QString name = QLatin1String(kMonths[month - 1]);
        if (part.compare(name, Qt::CaseInsensitive) == 0 ||
            (part.size() == 3 && part.compare(name.left(3), Qt::CaseInsensitive) == 0)) {
            return month;
        }
    }
    return std::nullopt;
}

// A year as written: one or two digits lie in 1930-2029.
int fullYear(QStringView part, int year) {
    if (part.size() > 2) return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

std::optional<QDate> dateOf(int year, int month, int day) {
    const QDate date(year, month, day);
    if (!date.isValid() || !inPlatformRange(date)) return std::nullopt;
    return date;
}

}  // namespace

std::optional<QDate> platformDate(QStringView text) {
    text = text.trimmed();
    if (text.isEmpty() || isSeparator(text.front()) || isSeparator(text.back()))
        return std::nullopt;
    const QList<QStringView> parts = partsOf(text);
    if (parts.size() != 3) return std::nullopt;
    std::optional<int> numbers[3];
    std::optional<int> months[3];
    int named = -1;
    for (int i = 0; i < 3; ++i) {
        numbers[i] = numberOf(parts[i]);
        months[i] = monthOf(parts[i]);
        if (months[i]) {
            if (named >= 0) return std::nullopt;
            named = i;
        } else if (!numbers[i]) {
            return std::nullopt;
        }
    }
    const bool yearFirst = parts[0].size() >= 3 && numbers[0].has_value();
    switch (named) {
        case -1:  // all numbers
            if (yearFirst) return dateOf(*numbers[0], *numbers[1], *numbers[2]);
            return dateOf(fullYear(parts[2], *numbers[2]), *numbers[0], *numbers[1]);
        case 0:  // Dec/25/1998
            return dateOf(fullYear(parts[2], *numbers[2]), *months[0], *numbers[1]);
        case 1:  // 25-Dec-1998 or 1998-Dec-25
            if (yearFirst) return dateOf(*numbers[0], *months[1], *numbers[2]);
            return dateOf(fullYear(parts[2], *numbers[2]), *months[1], *numbers[0]);
        default:
            return std::nullopt;
    }
}

bool inPlatformRange(const QDate& date) {
    return date.isValid() && date.year() >= kFirstYear && date.year() <= kLastYear;
}

QString monthName(int month) {
    if (month < 1 || month > 12) return QString();
    return QLatin1String(kMonths[month - 1]);
}

}  // namespace kaldate
