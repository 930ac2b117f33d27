#include "screens/month_calendar.h"

#include <QEvent>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>
#include <memory>

#include "common/calendar_dates.h"
#include "common/controls.h"
#include "common/hints.h"
#include "common/screen_host.h"
#include "common/services.h"

namespace kaldate {

namespace {

const QString kHeading = QStringLiteral("    S    M    T    W    T    F    S");
// A cell is as wide as five characters of the heading, whose letters stand
// at the fifth character of every five.
constexpr int kCharactersPerCell = 5;
constexpr int kColumns = 7;
constexpr int kRows = 6;

// The fixed-pitch font of the heading and the day numbers.
QFont calendarFont() {
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    font.setPointSizeF(font.pointSizeF() * 1.2);
    return font;
}

int characterWidth() {
    return QFontMetrics(calendarFont()).horizontalAdvance(QLatin1Char('0'));
}

}  // namespace

MonthSurface::MonthSurface(QWidget* parent) : QWidget(parent), date_(QDate::currentDate()) {
    setObjectName(QStringLiteral("picMonth"));
    setFont(calendarFont());
    setFocusPolicy(Qt::StrongFocus);
    const QFontMetrics metrics(font());
    setFixedSize(kColumns * kCharactersPerCell * characterWidth() + 1,
                 kRows * (metrics.height() * 17 / 10) + 1);
    cellWidth_ = (width() - 1) / kColumns;
    cellHeight_ = (height() - 1) / kRows;
}

void MonthSurface::setDate(const QDate& date) {
    if (date.month() != date_.month() || date.year() != date_.year()) {
        date_ = date;
        update();
        return;
    }
    // Unframed the old cell, framed the new one; one pixel more each way for
    // the frame's right and bottom lines.
    update(cellOf(date_.day()).adjusted(0, 0, 1, 1));
    date_ = date;
    update(cellOf(date_.day()).adjusted(0, 0, 1, 1));
}

int MonthSurface::firstColumn() const {
    return QDate(date_.year(), date_.month(), 1).dayOfWeek() % 7;
}

QRect MonthSurface::cellOf(int day) const {
    const int index = firstColumn() + day - 1;
    return QRect((index % kColumns) * cellWidth_, (index / kColumns) * cellHeight_, cellWidth_,
                 cellHeight_);
}

int MonthSurface::dayAt(const QPoint& point) const {
    if (point.x() < 0 || point.y() < 0) return 0;
    const int row = point.y() / cellHeight_;
    const int column = point.x() / cellWidth_;
    const int day = row * kColumns + column + 1 - firstColumn();
    return day >= 1 && day <= date_.daysInMonth() ? day : 0;
}

void MonthSurface::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    const QDate today = QDate::currentDate();
    const bool todayShown = today.year() == date_.year() && today.month() == date_.month();
    QFont bold = font();
    bold.setBold(true);
    for (int day = 1; day <= date_.daysInMonth(); ++day) {
        const bool isToday = todayShown && day == today.day();
        painter.setFont(isToday ? bold : font());
        painter.setPen(palette().color(isToday ? QPalette::Highlight : QPalette::ButtonText));
        painter.drawText(cellOf(day), Qt::AlignCenter, QString::number(day));
    }
    drawFrame(painter, date_.day());
}

void MonthSurface::drawFrame(QPainter& painter, int day) const {
    const QRect cell = cellOf(day);
    const int left = cell.x();
    const int top = cell.y();
    const int right = left + cellWidth_;
    const int bottom = top + cellHeight_;
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawLine(left, top, left, bottom);
    painter.drawLine(left, top, right, top);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawLine(right, top, right, bottom);
    painter.drawLine(left, bottom, right, bottom);
}

void MonthSurface::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit clicked(event->position().toPoint());
}

void MonthSurface::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit doubleClicked(event->position().toPoint());
}

WeekdayHeading::WeekdayHeading(const QString& text, const MonthSurface* surface)
    : QLabel(text), surface_(surface) {
    setTextFormat(Qt::PlainText);
    setFont(calendarFont());
    setFixedWidth(surface->width());
}

qreal WeekdayHeading::letterCentre(int column) const {
    return column * surface_->cellWidth() + surface_->cellWidth() / 2.0;
}

void WeekdayHeading::paintEvent(QPaintEvent* /*event*/) {
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    const QStringList letters = text().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const QFontMetricsF metrics(font());
    for (int column = 0; column < letters.size() && column < kColumns; ++column) {
        const qreal width = metrics.horizontalAdvance(letters[column]);
        painter.drawText(QPointF(letterCentre(column) - width / 2, metrics.ascent()),
                         letters[column]);
    }
}

StepLabel::StepLabel(const char* name, const QString& text) : QLabel(text) {
    setObjectName(QLatin1String(name));
    setTextFormat(Qt::PlainText);
    setFont(calendarFont());
    setCursor(Qt::PointingHandCursor);
}

void StepLabel::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit stepped();
}

void StepLabel::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) emit stepped();
}

MonthCalendar::MonthCalendar(Services& services, QWidget* owner)
    : Screen(services, "frmCalendar", QStringLiteral("Get a Date"), owner),
      surface_(new MonthSurface),
      month_(plainLabel(QString())) {
    statusLine()->setVisible(false);
    setHelpScreen(QStringLiteral("hlpgetdate"));
    month_->setObjectName(QStringLiteral("lblMonth"));
    month_->setAlignment(Qt::AlignCenter);
    QFont monthFont = month_->font();
    monthFont.setPointSizeF(monthFont.pointSizeF() * 1.3);
    monthFont.setBold(true);
    month_->setFont(monthFont);

    auto* previous = new StepLabel("lblPrev", QStringLiteral(" <<-"));
    auto* next = new StepLabel("lblNext", QStringLiteral("+>>"));
    connect(previous, &StepLabel::stepped, this,
            [this] { setCurrentDate(surface_->date().addMonths(-1)); });
    connect(next, &StepLabel::stepped, this,
            [this] { setCurrentDate(surface_->date().addMonths(1)); });
    connect(surface_, &MonthSurface::clicked, this, &MonthCalendar::clickAt);
    connect(surface_, &MonthSurface::doubleClicked, this, [this](const QPoint& point) {
        clickAt(point);
        accept();
    });

    auto* monthRow = new QHBoxLayout;
    monthRow->addWidget(previous);
    monthRow->addWidget(month_, 1);
    monthRow->addWidget(next);

    // The heading's letters stand over the middle of their cells.
    auto* headingLabel = new WeekdayHeading(kHeading, surface_);
    headingLabel->setObjectName(QStringLiteral("dayheading"));
    auto* cells = new QVBoxLayout;
    cells->setSpacing(2);
    cells->addWidget(headingLabel);
    cells->addWidget(surface_);
    auto* days = new QHBoxLayout;
    days->addSpacing(2 * characterWidth());
    days->addLayout(cells);
    days->addSpacing(2 * characterWidth());

    auto button = [this](const char* name, const QString& caption, auto action) {
        QPushButton* made = pushButton(name, caption);
        connect(made, &QPushButton::clicked, this, action);
        return made;
    };
    auto* years = new QHBoxLayout;
    years->addWidget(button("prevyear", QStringLiteral("<<-Year"),
                            [this] { setCurrentDate(surface_->date().addYears(-1)); }));
    years->addWidget(button("todaysdate", QStringLiteral("Today's Date"),
                            [this] { setCurrentDate(QDate::currentDate()); }));
    years->addWidget(button("nxtyear", QStringLiteral("Year+>>"),
                            [this] { setCurrentDate(surface_->date().addYears(1)); }));
    QPushButton* ok = button("okbutton", QStringLiteral("OK"), [this] { accept(); });
    setDefaultButton(ok);
    auto* finish = new QHBoxLayout;
    finish->addStretch();
    finish->addWidget(ok);
    finish->addWidget(button("helpbutton", QStringLiteral("Help"), [this] { help(); }));

    body()->addLayout(monthRow);
    body()->addLayout(days);
    body()->addLayout(years);
    body()->addLayout(finish);
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    // The keys move the day wherever the focus is.
    installEventFilter(this);
    for (QWidget* child : findChildren<QWidget*>()) child->installEventFilter(this);
    surface_->setFocus();
    setCurrentDate(QDate::currentDate());
}

QString MonthCalendar::currentDate() const {
    return surface_->date().toString(QStringLiteral("MM/dd/yyyy"));
}

void MonthCalendar::setCurrentDate(const QDate& date) {
    if (!inPlatformRange(date)) return;
    surface_->setDate(date);
    month_->setText(monthName(date.month()) + QLatin1Char(' ') + QString::number(date.year()));
}

void MonthCalendar::clickAt(const QPoint& point) {
    const int day = surface_->dayAt(point);
    if (day == 0) return;
    const QDate shown = surface_->date();
    setCurrentDate(QDate(shown.year(), shown.month(), day));
}

void MonthCalendar::accept() {
    accepted_ = true;
    close();
}

bool MonthCalendar::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::KeyPress) return false;
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        accept();
        return true;
    }
    // The keys that move the day: by days, or by months.
    constexpr struct {
        int key;
        int days;
        int months;
    } kMoves[] = {
        {Qt::Key_Right, 1, 0}, {Qt::Key_Left, -1, 0},    {Qt::Key_Down, 7, 0},
        {Qt::Key_Up, -7, 0},   {Qt::Key_PageDown, 0, 1}, {Qt::Key_PageUp, 0, -1},
    };
    for (const auto& move : kMoves) {
        if (move.key != key) continue;
        setCurrentDate(surface_->date().addDays(move.days).addMonths(move.months));
        return true;
    }
    return false;
}

void getDate(ScreenHost& screens, QWidget* owner, const QString& date, const QString& title,
             std::function<void(bool accepted, const QString& date)> returned) {
    auto opened = std::make_shared<QPointer<MonthCalendar>>();
    QDialog* screen = screens.open(QStringLiteral("frmCalendar"), owner, [opened, date, returned] {
        const MonthCalendar* calendar = *opened;
        const bool accepted = calendar != nullptr && calendar->accepted();
        returned(accepted, accepted ? calendar->currentDate() : date);
    });
    auto* calendar = qobject_cast<MonthCalendar*>(screen);
    if (calendar == nullptr) return;
    *opened = calendar;
    if (const std::optional<QDate> given = platformDate(date)) calendar->setCurrentDate(*given);
    if (!title.isEmpty()) calendar->setWindowTitle(title);
}

MonthCalendarHelp::MonthCalendarHelp(Services& services, QWidget* owner)
    : Screen(services, "hlpgetdate", QStringLiteral("Help for 'Get a Date' Feature"), owner) {
    auto* column = new QVBoxLayout;
    column->addWidget(heading(QStringLiteral("Get a Date")));
    for (const char* text : {
             "The month shown is the month of the date you brought from 'Get Calendar "
             "Information'; its day is framed.",
             " <<-  and  +>>  (above the month): the month before and the month after. Each "
             "click is one month; a double click is two.",
             "<<-Year and Year+>>: the same day a year earlier or a year later.",
             "Today's Date: back to today, whose number stands out in bold.",
             "A click on a day picks it. The arrow keys move a day or a week, Page Up and Page "
             "Down a month. A day that the new month lacks becomes its last day.",
             "OK, Enter or a double click on a day takes the date back; Escape or the window's "
             "close box leaves without it.",
         }) {
        column->addWidget(textBlock(QLatin1String(text), 360));
    }
    column->addStretch();
    arrange(column, buttonGroup({{Action::ExitBack, QString()}}));
}

}  // namespace kaldate
