// The pattern of the two screens that take a four-digit year (daylight
// saving, Easter). Their buttons sit in the group "Options", they give no
// hints (their status line stays hidden), they check the year as the first
// day of that year, and they switch Num Lock on while they are open, for the
// numeric keypad. When they close, Num Lock goes back to the state it had
// when they opened, rather than off.
#pragma once

#include <cstdint>
#include <optional>

#include "common/screen.h"

class QLineEdit;

namespace kaldate {

class YearScreen : public Screen {
    Q_OBJECT
  protected:
    // The year field is named `yearField`; messages go under `caption`.
    YearScreen(Services& services, const char* name, const char* yearField, const QString& caption,
               QWidget* owner);

    QLineEdit* year() const { return year_; }
    // Lays the screen out: its heading, the year field, `outputs` below them
    // and the group "Options" (OK, Clear, Info, Exit Back and
    // "Calendar    Check") to their right.
    void arrangeYearScreen(const QString& headingText, QLayout* outputs);

    // Reads the year without the blanks around it into `year`. Empty: the
    // field is emptied and `whenEmpty` shown; "01-01-" and the year refused
    // by KD_ISVDATE: "Error: Bad Input Year(CCYY) value ". After either the
    // focus goes to the year field and the answer is false. On true
    // `fullYear`, when given, is the four-digit year as the library read it
    // (a two-digit year in its century).
    bool readYear(YearText& year, const QString& whenEmpty, std::int32_t* fullYear = nullptr);

    void closing() override;

  private:
    QLineEdit* year_;
    std::optional<bool> numLockBefore_;
};

}  // namespace kaldate
