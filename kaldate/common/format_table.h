// The demo's list of the library's 48 output formats: the label each list
// shows and the format code the library receives, by list position. The
// first 40 are the formats the library also reads.
#pragma once

#include <QChar>
#include <QString>

class QComboBox;

namespace kaldate {

constexpr int kOutputFormatCount = 48;
constexpr int kReadableFormatCount = 40;

// The label at `position` (0-47), leading and trailing blanks included.
QString formatLabel(int position);
// The format code at `position` (0-47).
QChar formatCode(int position);

// Fills `list` with the first `count` labels, in order.
void fillFormatList(QComboBox* list, int count);

}  // namespace kaldate
