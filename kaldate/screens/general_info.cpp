#include "screens/general_info.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/texts.h"

namespace kaldate {

GeneralInfo::GeneralInfo(Services& services, QWidget* owner)
    : Screen(services, "genldateinfo", QStringLiteral(" The Kalendrix Software Demo."), owner),
      date_(textField("textbox1",
                      QStringLiteral(" Enter in a Date, in any of the 40 supported I/O Date "
                                     "Formats"))),
      checkedDate_(textField("textbox2")),
      leapYear_(outputLabel("leapyrbox", QStringLiteral(" Returns a Leap Year indicator"))),
      julian_(outputLabel("juledateout",
                          QStringLiteral(" Performs Calendar(12/31/1998) to Julian(1998365) Date "
                                         "Conversions"))),
      dayName_(outputLabel("cdowbox", QStringLiteral(" Day of Week - In character form"))),
      dayNumber_(outputLabel("ndowbox", QStringLiteral(" Day of Week - In numeric form"))),
      week_(outputLabel("wknobox", QStringLiteral(" Current Week No. in character form"))),
      weekNumber_(outputLabel("nwknobox", QStringLiteral(" Current Week No. in numeric form"))),
      month_(outputLabel("monbox", QStringLiteral(" Current Month Name - In character form"))),
      monthNumber_(
          outputLabel("nmonbox", QStringLiteral(" Current Month indicator - In numeric form"))),
      day_(outputLabel("daynambox", QStringLiteral(" Current Day No. - In character form"))),
      dayOfMonth_(outputLabel("ndaynambox", QStringLiteral(" Current Day No. - In numeric form"))),
      holidayName_(
          outputLabel("holidayname", QStringLiteral(" Holiday Name Indicator, If option is used"))),
      dayOff_(outputLabel("holdyidsw")),
      year_(outputLabel("yrbox", QStringLiteral(" Current Century - In character form"))),
      yearNumber_(outputLabel("nyrbox", QStringLiteral(" Current Century - In numeric form"))),
      century_(outputLabel("cntrybox", QStringLiteral(" Current Year - In character form"))),
      centuryNumber_(outputLabel("ncntrybox", QStringLiteral(" Current Year - In numeric form"))),
      fullYear_(
          outputLabel("cntryyrbox", QStringLiteral(" Current Century/Year - In character form"))),
      fullYearNumber_(
          outputLabel("ncntryyrbox", QStringLiteral(" Current Century/Year - In numeric form"))) {
    setMessageCaption(QStringLiteral("General Date Information"));
    setHelpScreen(QStringLiteral("genlhlpinfo"));
    checkedDate_->setReadOnly(true);

    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral("Enter in a Start Date:")), 0, 0);
    form->addWidget(date_, 0, 1, 1, 2);
    form->addWidget(plainLabel(QStringLiteral("Retrieved Information, based on Input Date of: ")),
                    1, 0);
    form->addWidget(checkedDate_, 1, 1, 1, 2);
    form->addWidget(plainLabel(QStringLiteral("     Data  Char/Numeric")), 2, 1, 1, 2);
    const struct {
        const char* label;
        QLabel* text;
        QLabel* number;
    } rows[] = {
        {"This Year a Leap Year? :", leapYear_, nullptr},
        {"Calendar to Julian Date:", julian_, nullptr},
        {"Day of Week:         DOW", dayName_, dayNumber_},
        {"Current Week No:", week_, weekNumber_},
        {"Current Month:", month_, monthNumber_},
        {"Current Day No.", day_, dayOfMonth_},
        {"Holiday?:", holidayName_, dayOff_},
        {"Current Year:", year_, yearNumber_},
        {"Current Century:", century_, centuryNumber_},
        {"Current Century/Year:", fullYear_, fullYearNumber_},
    };
    int row = 3;
    for (const auto& entry : rows) {
        form->addWidget(plainLabel(QLatin1String(entry.label)), row, 0);
        form->addWidget(entry.text, row, 1);
        if (entry.number != nullptr) form->addWidget(entry.number, row, 2);
        ++row;
    }
    form->setColumnStretch(1, 3);
    form->setColumnStretch(2, 1);
    form->setColumnMinimumWidth(1, 200);
    form->setColumnMinimumWidth(2, 60);

    auto* left = new QVBoxLayout;
    left->addWidget(heading(QStringLiteral("General Date Information")));
    left->addLayout(form);
    left->addStretch();
    arrange(
        left,
        buttonGroup({
            {Action::Ok,
             QStringLiteral(" Press the OK Button to retrieve vast amount of Date Information")},
            {Action::Clear, usual_hints::kClear},
            {Action::Calendar, usual_hints::kCalendar},
            {Action::DateFormats, usual_hints::kDateFormats},
            {Action::Help, QStringLiteral(" Help for the General Date Information"), "help1button"},
            {Action::Info, usual_hints::kInfo, "aboutbutn"},
            {Action::ExitBack, usual_hints::kExitBack},
        }));

    date_->clear();
    emptyOutputs();
    resultOf({date_}, [this] { emptyOutputs(); });
}

void GeneralInfo::emptyOutputs() {
    checkedDate_->clear();
    for (QLabel* output : {leapYear_, julian_, dayName_, dayNumber_, week_, weekNumber_, month_,
                           monthNumber_, day_, dayOfMonth_, holidayName_, dayOff_, year_,
                           yearNumber_, century_, centuryNumber_, fullYear_, fullYearNumber_}) {
        output->clear();
    }
    // The day-off box shows only beside a holiday.
    dayOff_->setVisible(false);
}

void GeneralInfo::ok() {
    emptyOutputs();
    DateText date;
    if (!readDate(date_, date, QStringLiteral("Error: A Date is needed "),
                  QStringLiteral("Error: Bad Date Entered in "))) {
        return;
    }
    KalcoreBinding& library = kalcore();
    // Every following call gets the date as KD_ISVDATE rewrote it. One
    // number receives every numeric answer; it is reset before some groups
    // of calls and not before others, and shown whatever the call's status.
    checkedDate_->setText(date.shown());
    std::int32_t number = 0;
    // A numeric query shown in standard decimal form; the number is reset
    // first unless `reset` says otherwise.
    const auto numeric = [&](QLabel* output,
                             std::int16_t (KalcoreBinding::*query)(DateText&, std::int32_t&),
                             bool reset = true) {
        if (reset) number = 0;
        (library.*query)(date, number);
        output->setText(decimalForm(number));
    };
    library.isleapyr(date, number);
    leapYear_->setText(number == 1 ? QStringLiteral(" Yes ") : QStringLiteral(" No "));
    julian_->setText(library.juliandate(date, JulianOutput::GeneralInformation).text);
    dayName_->setText(library.cdow(date).text);
    numeric(dayNumber_, &KalcoreBinding::ndow);
    numeric(week_, &KalcoreBinding::weekno);
    weekNumber_->setText(decimalForm(number));
    month_->setText(library.cmonth(date).text);
    numeric(monthNumber_, &KalcoreBinding::nmonth);
    day_->setText(library.cdayno(date).text);
    numeric(dayOfMonth_, &KalcoreBinding::ndayno);

    number = 0;
    std::int32_t dayOff = 0;
    const TextResult holiday = library.istodayaholdy(date, number, dayOff);
    if (number == 1) {
        holidayName_->setText(holiday.text);
        dayOff_->setText(dayOff == 1 ? QStringLiteral("Y") : QStringLiteral("N"));
        dayOff_->setVisible(true);
    } else {
        holidayName_->setText(QStringLiteral(" Nope "));
    }

    year_->setText(library.cyear(date).text);
    numeric(yearNumber_, &KalcoreBinding::nyear);
    century_->setText(library.ccntry(date).text);
    numeric(centuryNumber_, &KalcoreBinding::ncntry, false);
    fullYear_->setText(library.cfulcntryyr(date).text);
    numeric(fullYearNumber_, &KalcoreBinding::nfulcntryyr);
}

void GeneralInfo::clear() {
    date_->clear();
    emptyOutputs();
    date_->setFocus();
}

}  // namespace kaldate
