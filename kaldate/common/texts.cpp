#include "common/texts.h"

#include <cmath>
#include <limits>

namespace kaldate {

namespace {

bool isDigitIn(QChar c, int base) {
    const int value = c.isDigit() ? c.digitValue()
                      : (c.toUpper() >= QLatin1Char('A') && c.toUpper() <= QLatin1Char('F'))
                          ? c.toUpper().unicode() - 'A' + 10
                          : 99;
    return value < base;
}

// Base 16 or 8 for "&H..." and "&O...", 10 otherwise; `digits` is set to
// what follows the prefix.
int radixOf(QStringView text, QStringView& digits) {
    if (text.size() > 2 && text[0] == QLatin1Char('&')) {
        const QChar kind = text[1].toUpper();
        if (kind == QLatin1Char('H') || kind == QLatin1Char('O')) {
            digits = text.mid(2);
            return kind == QLatin1Char('H') ? 16 : 8;
        }
    }
    digits = text;
    return 10;
}

QStringView withoutBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == QLatin1Char(' ')) ++begin;
    while (end > begin && text[end - 1] == QLatin1Char(' ')) --end;
    return text.mid(begin, end - begin);
}

bool isDecimal(QStringView text) {
    qsizetype i = 0;
    if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
    int digits = 0;
    while (i < text.size() && text[i].isDigit()) ++i, ++digits;
    if (i < text.size() && text[i] == QLatin1Char('.')) {
        ++i;
        while (i < text.size() && text[i].isDigit()) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < text.size() && QStringLiteral("eEdD").contains(text[i])) {
        ++i;
        if (i < text.size() && (text[i] == QLatin1Char('+') || text[i] == QLatin1Char('-'))) ++i;
        int exponentDigits = 0;
        while (i < text.size() && text[i].isDigit()) ++i, ++exponentDigits;
        if (exponentDigits == 0) return false;
    }
    return i == text.size();
}

}  // namespace

QString trimBlanks(QStringView text) {
    return withoutBlanks(text).toString();
}

bool isNumeric(QStringView text) {
    const QStringView trimmed = withoutBlanks(text);
    QStringView digits;
    const int radix = radixOf(trimmed, digits);
    if (radix == 10) return isDecimal(trimmed);
    for (QChar c : digits) {
        if (!isDigitIn(c, radix)) return false;
    }
    return true;
}

std::optional<std::int32_t> toInt32(QStringView text) {
    if (!isNumeric(text)) return std::nullopt;
    const QStringView trimmed = withoutBlanks(text);
    QStringView digits;
    const int radix = radixOf(trimmed, digits);
    double value = 0;
    if (radix == 10) {
        // The exponent letter D reads as E; the decimal point is always '.'.
        QString decimal = trimmed.toString();
        decimal.replace(QLatin1Char('d'), QLatin1Char('e'), Qt::CaseInsensitive);
        value = std::nearbyint(decimal.toDouble());
    } else {
        for (QChar c : digits) {
            value =
                value * radix + (c.isDigit() ? c.digitValue() : c.toUpper().unicode() - 'A' + 10);
        }
    }
    if (!(value >= std::numeric_limits<std::int32_t>::min() &&
          value <= std::numeric_limits<std::int32_t>::max())) {
        return std::nullopt;
    }
    return static_cast<std::int32_t>(value);
}

QString decimalForm(std::int32_t number) {
    return number < 0 ? QString::number(number) : QLatin1Char(' ') + QString::number(number);
}

}  // namespace kaldate
