#include "screens/screen_list.h"

#include "common/screen_host.h"
#include "screens/conversion_file.h"
#include "screens/conversion_help.h"
#include "screens/date_conversion.h"
#include "screens/general_info.h"
#include "screens/general_info_help.h"
#include "screens/placeholder.h"

namespace kaldate {

namespace {

template <typename ScreenType>
ScreenHost::Factory screen() {
    return [](Services& services, QWidget* owner) { return new ScreenType(services, owner); };
}

ScreenHost::Factory placeholder(const char* name, const char* caption) {
    return [name, caption](Services& services, QWidget* owner) {
        return new Placeholder(services, name, QLatin1String(caption), owner);
    };
}

}  // namespace

void addScreens(ScreenHost& host) {
    host.add(QStringLiteral("nwdatcnvfrm"), screen<DateConversion>());
    host.add(QStringLiteral("FormTwo"), screen<ConversionFile>());
    host.add(QStringLiteral("datecnvhlpf"), screen<ConversionHelp>());
    host.add(QStringLiteral("genldateinfo"), screen<GeneralInfo>());
    host.add(QStringLiteral("genlhlpinfo"), screen<GeneralInfoHelp>());

    // Screens still to be built.
    constexpr struct {
        const char* name;
        const char* caption;
    } kPlaceholders[] = {
        {"nwdatecalcform", "The Kalendrix Software Demo."},
        {"datecalcform", "Date Calculation Example"},
        {"datlapsfrm", "The Kalendrix Software Demo."},
        {"datelapsehlpf", "Date Lapse Information"},
        {"nxtwrkdayform", "The Kalendrix Software Demo."},
        {"nxtwrkhlpfrm", "The Kalendrix Software Demo."},
        {"betweendates", "The Kalendrix Software Demo."},
        {"julcalform", "The Kalendrix Software Demo"},
        {"exampl8", "Julian Date to Calendar Date Example(s)"},
        {"slidwindform", "A Sliding Date Window Feature"},
        {"slidwindhelp", "A Sliding Date Window - Help"},
        {"datimeretvfrm", "The Kalendrix Software Demo."},
        {"afulldateform", "Create your own Date Format.     Output Only."},
        {"daylightform", "The Kalendrix Software Demo."},
        {"easterform", "The Kalendrix Software Demo."},
        {"frmMain", "Get Calendar Information"},
        {"frmCalendar", "Get a Date"},
        {"mainFrmhlp", "Help for 'Get Calendar Information'"},
        {"hlpgetdate", "Help for 'Get a Date' Feature"},
        {"infoform", "Additional Information"},
        {"frmAbout", "About the Kalendrix Software"},
    };
    for (const auto& screen : kPlaceholders) {
        host.add(QLatin1String(screen.name), placeholder(screen.name, screen.caption));
    }
}

}  // namespace kaldate
