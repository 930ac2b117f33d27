#include "screens/date_entry.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/calendar_dates.h"
#include "common/controls.h"
#include "common/hints.h"
#include "common/screen_host.h"
#include "common/services.h"
#include "common/texts.h"
#include "screens/month_calendar.h"

namespace kaldate {

namespace {

// Where a picked date goes on each feature screen. The targets are tried in
// order; the first that takes the date gets it, and its focus marker (if it
// has one) is set back to "0". A screen not listed takes no date.
enum class Takes {
    Always,             // the first target, whatever it holds
    WhenEmpty,          // the first empty target
    WhenMarkedOrEmpty,  // the first target marked as last focused, or empty
};
struct Target {
    const char* field = nullptr;  // nullptr: no more targets
    const char* marker = nullptr;
};
struct Placement {
    const char* screen;
    Takes takes;
    Target targets[3];
};
const Placement kPlacements[] = {
    {"genldateinfo", Takes::Always, {{"textbox1"}}},
    {"nxtwrkdayform", Takes::Always, {{"nextstartday"}}},
    {"nwdatcnvfrm", Takes::Always, {{"datcnvdate"}}},
    {"nwdatecalcform",
     Takes::WhenMarkedOrEmpty,
     {{"dtcvstartdate", "startdate_focusval"}, {"dtcvenddate", "enddate_focusval"}}},
    {"datlapsfrm",
     Takes::WhenMarkedOrEmpty,
     {{"dlpstrtdate", "lpstartval"}, {"dlpenddate", "lpendval"}}},
    {"betweendates", Takes::WhenEmpty, {{"betwdate1"}, {"betwdate2"}, {"betwdate3"}}},
    {"afulldateform", Takes::Always, {{"afulldatevalue"}}},
    {"slidwindform", Takes::WhenEmpty, {{"pivotdate"}, {"checkdate"}}},
};

const QString kMarked = QStringLiteral("1");
const QString kAllFilled = QStringLiteral(
    " The picked date was not placed: every date field is filled. Empty one, then pick again.");
const QString kBothFilled = QStringLiteral(
    " The picked date was not placed: both dates are filled. Click into the one to replace, "
    "then pick again.");

}  // namespace

DateEntry::DateEntry(Services& services, QWidget* owner)
    : Screen(services, "frmMain", QStringLiteral("Get Calendar Information"), owner),
      date_(textField("txtDate",
                      QStringLiteral(" Enter in your date, or press the 'Calendar' button"))),
      response_(outputLabel("respondbox")) {
    setHelpScreen(QStringLiteral("mainFrmhlp"));
    date_->setMinimumWidth(160);
    response_->setMinimumWidth(160);

    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral(" Your Requested Date:")), 0, 0);
    form->addWidget(date_, 0, 1);
    form->addWidget(plainLabel(QStringLiteral(" Any Error Msgs?")), 1, 0);
    form->addWidget(response_, 1, 1);
    form->setColumnStretch(1, 1);
    form->setRowStretch(2, 1);
    arrange(
        form,
        buttonGroup({
            {Action::Ok, QStringLiteral(" Accept Date as selected."), "cmdOK"},
            {Action::Calendar, QStringLiteral(" Now Access a really flexible Calendar."),
             "cmdCalendar"},
            {Action::Clear, QStringLiteral(" Clear fields and accept default Date."), "cmdclear"},
            {Action::Help, QStringLiteral("Help for 'Get Calendar Information'."), "cmdhelp"},
            {Action::ExitBack, QStringLiteral(" Just Cancel it and forget everything. "),
             "cmdcancel", QStringLiteral("Cancel")},
        }));
    showToday();
    resultOf({date_}, {response_});
}

void DateEntry::showToday() {
    DateText today(QDate::currentDate().toString(QStringLiteral("M/d/yyyy")));
    date_->setText(kalcore().convdate(today, QLatin1Char('&'), 0, 0).text);
    statusLine()->clear();
}

void DateEntry::clear() {
    showToday();
    response_->clear();
}

void DateEntry::calendar() {
    if (!platformDate(date_->text())) {
        response_->setText(QStringLiteral("Err: You Blew it. "));
        return;
    }
    getDate(services().screens, this, date_->text(), QString(),
            [this](bool accepted, const QString& date) {
                if (accepted) date_->setText(date);
                response_->setText(QStringLiteral(" "));
            });
}

void DateEntry::ok() {
    DateText date(date_->text());
    const TextResult converted = kalcore().convdate(date, QLatin1Char('M'), 0, 0);
    if (converted.status != 1) {
        date_->setFocus();
        response_->setText(QStringLiteral(" A Bad Date!"));
        return;
    }
    place(trimBlanks(converted.text));
    const QList<QWidget*> screens = services().screens.openScreens();
    if (!screens.isEmpty()) {
        if (auto* hidden = screens.first()->findChild<QLineEdit*>(QStringLiteral("hiddendate"))) {
            hidden->setText(date_->text());
        }
    }
    close();
}

void DateEntry::place(const QString& date) {
    const QList<QWidget*> screens = services().screens.openScreens();
    if (screens.size() < 2) return;
    QWidget* screen = screens[1];
    for (const Placement& placement : kPlacements) {
        if (screen->objectName() != QLatin1String(placement.screen)) continue;
        for (const Target& target : placement.targets) {
            if (target.field == nullptr) break;
            auto* field = screen->findChild<QLineEdit*>(QLatin1String(target.field));
            auto* marker = target.marker != nullptr
                               ? screen->findChild<QLineEdit*>(QLatin1String(target.marker))
                               : nullptr;
            if (field == nullptr) continue;
            const bool empty = trimBlanks(field->text()).isEmpty();
            const bool takes = placement.takes == Takes::Always ||
                               (placement.takes == Takes::WhenEmpty && empty) ||
                               (placement.takes == Takes::WhenMarkedOrEmpty &&
                                (empty || (marker != nullptr && marker->text() == kMarked)));
            if (!takes) continue;
            // As if typed: the screen sees its input edited.
            field->selectAll();
            field->insert(date);
            if (marker != nullptr) marker->setText(QStringLiteral("0"));
            return;
        }
        // Every field is taken: the screen's status line says why the date
        // did not arrive, rather than nothing at all.
        if (auto* line = screen->findChild<StatusLine*>(QString(), Qt::FindDirectChildrenOnly)) {
            line->showNotice(placement.takes == Takes::WhenEmpty ? kAllFilled : kBothFilled);
        }
        return;
    }
}

DateEntryHelp::DateEntryHelp(Services& services, QWidget* owner)
    : Screen(services, "mainFrmhlp", QStringLiteral("Help for 'Get Calendar Information'"), owner) {
    auto* column = new QVBoxLayout;
    column->addWidget(heading(QStringLiteral("Get Calendar Information")));
    column->addWidget(plainLabel(QStringLiteral("The five buttons:")));
    for (const char* text : {
             "1) Calendar: Provides an online calendar to choose a valid date from.",
             "2) OK: Means you accept the date, and then validation and edit checks        "
             "will be performed on the date. If any errors occur, Correct it.",
             "3) Clear: Clears the two boxes, and then uses Todays Date as a start.",
             "4) Help: You are reading the Help Section.",
             "5) Cancel: Just exits out without selecting any date. ",
         }) {
        column->addWidget(textBlock(QLatin1String(text)));
    }
    column->addSpacing(8);
    column->addWidget(plainLabel(QStringLiteral("In the calendar:")));
    for (const char* text : {
             "Page Down and Page Up change the month and, at a year break, the year.",
             "The arrow keys move the day: left and right a day, up and down a week.",
             "A double click on a day, or Enter, accepts the day.",
         }) {
        column->addWidget(textBlock(QLatin1String(text), 420));
    }
    column->addStretch();
    arrange(column, buttonGroup({{Action::ExitBack, QString()}}));
}

}  // namespace kaldate
