// A fixed-width text field as the date library sees it: exactly `width`
// 8-bit characters. Text goes in from the left, blank-padded to the width
// and cut at it; whatever the library writes comes back byte for byte, so a
// field may hold a NUL the library wrote. Shown to the user, a field reads up
// to its first NUL, trailing blanks included.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace kaldate {

class FixedText {
  public:
    FixedText(int width, QStringView text);

    int width() const { return static_cast<int>(bytes_.size()); }
    // Exactly width() bytes.
    const QByteArray& bytes() const { return bytes_; }
    // The text up to the first NUL (the whole field when there is none).
    QString shown() const;

    // Replaces the field's bytes with the first width() bytes of `source`.
    void copyFrom(const char* source);

  private:
    QByteArray bytes_;
};

// The widths the library's callers use, by what the field holds. Screens
// name the kind of field, never a width.
template <int Width>
class Field : public FixedText {
  public:
    static constexpr int kWidth = Width;
    explicit Field(QStringView text = {}) : FixedText(Width, text) {}
};

using DateText = Field<12>;   // every date, input or output
using YearText = Field<5>;    // a four-digit year
using JulianText = Field<8>;  // a Julian date CCYYDDD given to the library

}  // namespace kaldate
