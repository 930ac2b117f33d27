#include "screens/screen_list.h"

#include "common/screen_host.h"
#include "screens/between_dates.h"
#include "screens/conversion_file.h"
#include "screens/conversion_help.h"
#include "screens/date_calculation.h"
#include "screens/date_conversion.h"
#include "screens/date_entry.h"
#include "screens/date_lapse.h"
#include "screens/date_time.h"
#include "screens/daylight_easter.h"
#include "screens/full_date_format.h"
#include "screens/general_info.h"
#include "screens/general_info_help.h"
#include "screens/information.h"
#include "screens/julian_conversion.h"
#include "screens/month_calendar.h"
#include "screens/next_working_day.h"
#include "screens/sliding_window.h"

namespace kaldate {

namespace {

template <typename ScreenType>
ScreenHost::Factory screen() {
    return [](Services& services, QWidget* owner) { return new ScreenType(services, owner); };
}

}  // namespace

void addScreens(ScreenHost& host) {
    host.add(QStringLiteral("nwdatcnvfrm"), screen<DateConversion>());
    host.add(QStringLiteral("FormTwo"), screen<ConversionFile>());
    host.add(QStringLiteral("datecnvhlpf"), screen<ConversionHelp>());
    host.add(QStringLiteral("genldateinfo"), screen<GeneralInfo>());
    host.add(QStringLiteral("genlhlpinfo"), screen<GeneralInfoHelp>());
    host.add(QStringLiteral("nwdatecalcform"), screen<DateCalculation>());
    host.add(QStringLiteral("datecalcform"), screen<DateCalculationHelp>());
    host.add(QStringLiteral("datlapsfrm"), screen<DateLapse>());
    host.add(QStringLiteral("datelapsehlpf"), screen<DateLapseHelp>());
    host.add(QStringLiteral("nxtwrkdayform"), screen<NextWorkingDay>());
    host.add(QStringLiteral("nxtwrkhlpfrm"), screen<NextWorkingDayHelp>());
    host.add(QStringLiteral("betweendates"), screen<BetweenDates>());
    host.add(QStringLiteral("julcalform"), screen<JulianConversion>());
    host.add(QStringLiteral("exampl8"), screen<JulianHelp>());
    host.add(QStringLiteral("slidwindform"), screen<SlidingWindow>());
    host.add(QStringLiteral("slidwindhelp"), screen<SlidingWindowHelp>());
    host.add(QStringLiteral("datimeretvfrm"), screen<DateTime>());
    host.add(QStringLiteral("afulldateform"), screen<FullDateFormat>());
    host.add(QStringLiteral("daylightform"), screen<DaylightSavingDates>());
    host.add(QStringLiteral("easterform"), screen<EasterDate>());

    host.add(QStringLiteral("frmMain"), screen<DateEntry>());
    host.add(QStringLiteral("frmCalendar"), screen<MonthCalendar>());
    host.add(QStringLiteral("mainFrmhlp"), screen<DateEntryHelp>());
    host.add(QStringLiteral("hlpgetdate"), screen<MonthCalendarHelp>());
    host.add(QStringLiteral("infoform"), screen<Information>());
    host.add(QStringLiteral("frmAbout"), screen<About>());
}

}  // namespace kaldate
