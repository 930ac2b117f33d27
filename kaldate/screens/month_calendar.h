// frmCalendar ("Get a Date"): a month of day cells on a drawing surface,
// `picMonth`, that the user moves through with the keys, the month and year
// labels and buttons, or the mouse, and accepts with Enter, a double click
// or OK; Escape leaves it without a date. getDate() is its one way in.
// hlpgetdate explains its buttons.
#pragma once

#include <QDate>
#include <QLabel>
#include <functional>

#include "common/screen.h"

namespace kaldate {

class ScreenHost;

// picMonth: 7 columns (Sunday first) by 6 rows of day cells. A cell is
// (width - 1) / 7 by (height - 1) / 6 pixels; the cell of the current day is
// framed, sunken, in the palette's button-shadow and highlight colours on
// the button-face background, and today's number is drawn bold in the
// highlight colour.
class MonthSurface : public QWidget {
    Q_OBJECT
  public:
    explicit MonthSurface(QWidget* parent = nullptr);

    QDate date() const { return date_; }
    // Another month or year: the whole month is drawn again; within the
    // month only the old and the new day's cells are.
    void setDate(const QDate& date);

    int cellWidth() const { return cellWidth_; }
    int cellHeight() const { return cellHeight_; }
    // The cell of day `day` of the month shown.
    QRect cellOf(int day) const;
    // The day of the month shown in the cell under `point`; 0 for a cell
    // before the 1st or after the last day.
    int dayAt(const QPoint& point) const;

  signals:
    void clicked(const QPoint& point);
    void doubleClicked(const QPoint& point);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    // The column of the 1st of the month shown (Sunday = 0).
    int firstColumn() const;
    void drawFrame(QPainter& painter, int day) const;

    QDate date_;
    int cellWidth_ = 0;
    int cellHeight_ = 0;
};

// The weekday heading over picMonth: its text is the fixed heading, but each
// letter is drawn centred over its column of day cells, at any scale, rather
// than where the font's character widths would put it.
class WeekdayHeading : public QLabel {
    Q_OBJECT
  public:
    WeekdayHeading(const QString& text, const MonthSurface* surface);
    // The centre of the letter over column `column` (Sunday = 0), in this
    // widget's coordinates.
    qreal letterCentre(int column) const;

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    const MonthSurface* surface_;
};

// The labels " <<-" and "+>>": each press of the left button is one step,
// the second press of a double click included.
class StepLabel : public QLabel {
    Q_OBJECT
  public:
    StepLabel(const char* name, const QString& text);

  signals:
    void stepped();

  protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class MonthCalendar : public Screen {
    Q_OBJECT
  public:
    MonthCalendar(Services& services, QWidget* owner);

    // The date shown, "mm/dd/yyyy".
    QString currentDate() const;
    // Shows `date`; a date outside the years 100 to 9999 is not shown.
    void setCurrentDate(const QDate& date);
    bool accepted() const { return accepted_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void showMonth();
    void accept();
    void clickAt(const QPoint& point);

    MonthSurface* surface_;
    QLabel* month_;
    bool accepted_ = false;
};

// get-date: opens frmCalendar over `owner` at `date` (by the platform's date
// test; today when it is none) under `title` (its own caption when empty),
// modally. When it closes `returned` gets whether the date was accepted and
// the caller's date: the calendar's date ("mm/dd/yyyy") when it was
// accepted, else `date` as it was.
void getDate(ScreenHost& screens, QWidget* owner, const QString& date, const QString& title,
             std::function<void(bool accepted, const QString& date)> returned);

class MonthCalendarHelp : public Screen {
    Q_OBJECT
  public:
    MonthCalendarHelp(Services& services, QWidget* owner);
};

}  // namespace kaldate
