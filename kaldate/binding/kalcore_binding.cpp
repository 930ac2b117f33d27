#include "binding/kalcore_binding.h"

#include <dlfcn.h>
#include <kalcore.h>

#include <QCoreApplication>
#include <QTimer>
#include <algorithm>
#include <tuple>
#include <vector>

namespace kaldate {

namespace {

// Exported names, in the order of KalcoreBinding::Function.
constexpr const char* kExportedNames[] = {
    "KD_ISVDATE",
    "KD_CONVDATE",
    "KD_CGETCNTRY",
    "KD_IGETCNTRY",
    "KD_ISLEAPYR",
    "KD_JULIANDATE",
    "KD_REVJULIANDATE",
    "KD_CDOW",
    "KD_NDOW",
    "KD_WEEKNO",
    "KD_CMONTH",
    "KD_NMONTH",
    "KD_CDAYNO",
    "KD_NDAYNO",
    "KD_CYEAR",
    "KD_NYEAR",
    "KD_CCNTRY",
    "KD_NCNTRY",
    "KD_CFULCNTRYYR",
    "KD_NFULCNTRYYR",
    "KD_ISTODAYAHOLDY",
    "KD_NXTWRKDAY",
    "KD_DATELAPSE",
    "KD_BETWEEN",
    "KD_CMPTENUMDAYS",
    "KD_CMPTEADATE",
    "KD_DATE",
    "KD_TIME",
    "KD_HOUR",
    "KD_MINT",
    "KD_SEC",
    "KD_CHOUR",
    "KD_CMINT",
    "KD_CSEC",
    "KD_DATEANDTIME",
    "KD_DTCVCREATEFILE",
    "KD_DATECNVFILE",
    "KD_AFULLDATEFORMAT",
    "KD_SLIDINGWINDOWPROC",
    "KD_DAYLIGHTSAVINGSTIMES",
    "KD_EASTERCALC",
    "KD_HELPABOUTME",
    "AboutBox",
    "HelpBox",
};
static_assert(std::size(kExportedNames) == KalcoreBinding::kFunctionCount);

// Widths of the fields the wrappers make themselves.
constexpr int kCodeWidth = 2;
constexpr int kShortWidth = 3;  // hour, minute, second, year, century, AM/PM
constexpr int kYearWidth = 5;   // century and year
constexpr int kNameWidth = 10;  // day and month names, day number
constexpr int kTimeWidth = 9;
constexpr int kHolidayNameWidth = 41;
constexpr int kFullDateWidth = 51;
constexpr int kZoneWidth = 63;
constexpr int kZoneCapacity = 75;  // the longest zone text the library writes, and its NUL
constexpr int kDaylightLabelWidth = 24;

}  // namespace

// One call in progress: the 8-bit copies of its fields, what it sends, and
// the copy back when the library returns.
class KalcoreBinding::Call {
  public:
    Call(KalcoreBinding& binding, Function function)
        : binding_(binding), address_(binding.resolve(function)) {
        record_.function = kExportedNames[function];
        copies_.reserve(8);
    }

    // The library's copy of `field`: its bytes, a NUL, and zeros up to
    // `capacity` when the library may write more than the field shows.
    char* text(FixedText& field, int capacity = 0) {
        std::vector<char> copy(std::max(field.width() + 1, capacity), '\0');
        std::copy(field.bytes().begin(), field.bytes().end(), copy.begin());
        record_.textsSent.append(QByteArray(copy.data(), field.width() + 1));
        copies_.emplace_back(&field, std::move(copy));
        return copies_.back().second.data();
    }
    std::int32_t value(std::int32_t number) {
        record_.numbersSent.append(number);
        return number;
    }
    std::int32_t* address(std::int32_t& number) {
        record_.numbersSent.append(number);
        return &number;
    }

    // Calls the resolved function with `arguments` (made in order, left to
    // right, by the calls above), copies every field back and gives the
    // status's low 16 bits; 0 without a call when the function is missing.
    template <typename Fn, typename... Arguments>
    std::int16_t run(std::tuple<Arguments...> arguments) {
        if (address_ == nullptr) return 0;
        const auto function = reinterpret_cast<Fn>(address_);
        record_.result = static_cast<std::int32_t>(std::apply(function, arguments));
        for (auto& [field, copy] : copies_) {
            field->copyFrom(copy.data());
            record_.textsReturned.append(field->bytes());
        }
        if (binding_.observer_) binding_.observer_(record_);
        return static_cast<std::int16_t>(record_.result);
    }

  private:
    KalcoreBinding& binding_;
    void* address_;
    CallRecord record_;
    std::vector<std::pair<FixedText*, std::vector<char>>> copies_;
};

QStringList KalcoreBinding::defaultLocations() {
    return {QCoreApplication::applicationDirPath() + QStringLiteral("/libkalcore.so"),
            QStringLiteral("libkalcore.so.3")};
}

KalcoreBinding::KalcoreBinding(QStringList locations) : locations_(std::move(locations)) {}

void KalcoreBinding::setProblemHandler(std::function<void(const QString&)> handler) {
    problemHandler_ = std::move(handler);
}

void KalcoreBinding::setCallObserver(std::function<void(const CallRecord&)> observer) {
    observer_ = std::move(observer);
}

const char* KalcoreBinding::exportedName(Function function) {
    return kExportedNames[function];
}

void KalcoreBinding::report(const QString& problem) const {
    if (!problemHandler_) return;
    if (!*problemPending_) {
        *problemPending_ = true;
        QTimer::singleShot(0, [pending = problemPending_] { *pending = false; });
    }
    problemHandler_(problem);
}

bool KalcoreBinding::load() {
    if (handle_ != nullptr) return true;
    QString lastError;
    for (const QString& location : locations_) {
        handle_ = dlopen(location.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
        if (handle_ != nullptr) {
            loadedFrom_ = location;
            return true;
        }
        lastError = QString::fromLocal8Bit(dlerror());
    }
    report(QStringLiteral("The date library could not be loaded.\n\nLooked for: %1\n\n%2")
               .arg(locations_.join(QStringLiteral(", ")), lastError));
    return false;
}

void* KalcoreBinding::resolve(Function function) {
    if (addresses_[function] != nullptr) return addresses_[function];
    if (!load()) return nullptr;
    addresses_[function] = dlsym(handle_, kExportedNames[function]);
    if (addresses_[function] == nullptr) {
        report(QStringLiteral("The function %1 was not found in the date library %2.")
                   .arg(QLatin1String(kExportedNames[function]), loadedFrom_));
    }
    return addresses_[function];
}

std::int16_t KalcoreBinding::isvdate(DateText& date) {
    Call call(*this, kIsvDate);
    return call.run<decltype(&KD_ISVDATE)>(std::tuple{call.text(date)});
}

TextResult KalcoreBinding::convdate(DateText& input, QChar code, std::int32_t useConversionFile,
                                    std::int32_t century) {
    Call call(*this, kConvDate);
    DateText output;
    FixedText codeField(kCodeWidth, QString(code));
    const auto status = call.run<decltype(&KD_CONVDATE)>(
        std::tuple{call.text(input), call.text(output), call.text(codeField),
                   call.value(useConversionFile), call.value(century)});
    return {status, output.shown()};
}

TextResult KalcoreBinding::cgetcntry(std::int32_t selector) {
    Call call(*this, kCGetCntry);
    FixedText output(kShortWidth, {});
    const auto status =
        call.run<decltype(&KD_CGETCNTRY)>(std::tuple{call.value(selector), call.text(output)});
    return {status, output.shown()};
}

std::int16_t KalcoreBinding::igetcntry(std::int32_t selector, std::int32_t& century) {
    Call call(*this, kIGetCntry);
    return call.run<decltype(&KD_IGETCNTRY)>(
        std::tuple{call.value(selector), call.address(century)});
}

std::int16_t KalcoreBinding::isleapyr(DateText& date, std::int32_t& leap) {
    Call call(*this, kIsLeapYr);
    return call.run<decltype(&KD_ISLEAPYR)>(std::tuple{call.text(date), call.address(leap)});
}

TextResult KalcoreBinding::juliandate(DateText& date, JulianOutput width) {
    Call call(*this, kJulianDate);
    FixedText output(width == JulianOutput::GeneralInformation ? 7 : JulianText::kWidth, {});
    const auto status =
        call.run<decltype(&KD_JULIANDATE)>(std::tuple{call.text(date), call.text(output)});
    return {status, output.shown()};
}

TextResult KalcoreBinding::revjuliandate(JulianText& julian) {
    Call call(*this, kRevJulianDate);
    DateText output;
    const auto status =
        call.run<decltype(&KD_REVJULIANDATE)>(std::tuple{call.text(julian), call.text(output)});
    return {status, output.shown()};
}

// The text queries of one date: the date and an output field of `width`.
template <typename Fn>
TextResult KalcoreBinding::textQuery(Function function, DateText& date, int width) {
    Call call(*this, function);
    FixedText output(width, {});
    const auto status = call.run<Fn>(std::tuple{call.text(date), call.text(output)});
    return {status, output.shown()};
}

// The numeric queries of one date: the date and the address of a number.
template <typename Fn>
std::int16_t KalcoreBinding::numberQuery(Function function, DateText& date, std::int32_t& number) {
    Call call(*this, function);
    return call.run<Fn>(std::tuple{call.text(date), call.address(number)});
}

TextResult KalcoreBinding::cdow(DateText& date) {
    return textQuery<decltype(&KD_CDOW)>(kCDow, date, kNameWidth);
}
TextResult KalcoreBinding::cmonth(DateText& date) {
    return textQuery<decltype(&KD_CMONTH)>(kCMonth, date, kNameWidth);
}
TextResult KalcoreBinding::cdayno(DateText& date) {
    return textQuery<decltype(&KD_CDAYNO)>(kCDayNo, date, kNameWidth);
}
TextResult KalcoreBinding::cyear(DateText& date) {
    return textQuery<decltype(&KD_CYEAR)>(kCYear, date, kShortWidth);
}
TextResult KalcoreBinding::ccntry(DateText& date) {
    return textQuery<decltype(&KD_CCNTRY)>(kCCntry, date, kShortWidth);
}
TextResult KalcoreBinding::cfulcntryyr(DateText& date) {
    return textQuery<decltype(&KD_CFULCNTRYYR)>(kCFulCntryYr, date, kYearWidth);
}
std::int16_t KalcoreBinding::ndow(DateText& date, std::int32_t& number) {
    return numberQuery<decltype(&KD_NDOW)>(kNDow, date, number);
}
std::int16_t KalcoreBinding::weekno(DateText& date, std::int32_t& number) {
    return numberQuery<decltype(&KD_WEEKNO)>(kWeekNo, date, number);
}
std::int16_t KalcoreBinding::nmonth(DateText& date, std::int32_t& number) {
    return numberQuery<decltype(&KD_NMONTH)>(kNMonth, date, number);
}
std::int16_t KalcoreBinding::ndayno(DateText& date, std::int32_t& number) {
    return numberQuery<decltype(&KD_NDAYNO)>(kNDayNo, date, number);
}
std::int16_t KalcoreBinding::nyear(DateText& date, std::int32_t& number) {
    return numberQuery<decltype(&KD_NYEAR)>(kNYear, date, number);
}
std::int16_t KalcoreBinding::ncntry(DateText& date, std::int32_t& number) {
    return numberQuery<decltype(&KD_NCNTRY)>(kNCntry, date, number);
}
std::int16_t KalcoreBinding::nfulcntryyr(DateText& date, std::int32_t& number) {
    return numberQuery<decltype(&KD_NFULCNTRYYR)>(kNFulCntryYr, date, number);
}

TextResult KalcoreBinding::istodayaholdy(DateText& date, std::int32_t& isHoliday,
                                         std::int32_t& dayOff) {
    Call call(*this, kIsTodayAHoldy);
    FixedText name(kHolidayNameWidth, {});
    const auto status = call.run<decltype(&KD_ISTODAYAHOLDY)>(std::tuple{
        call.text(date), call.address(isHoliday), call.text(name), call.address(dayOff)});
    return {status, name.shown()};
}

TextResult KalcoreBinding::nxtwrkday(DateText& start, std::int32_t& days,
                                     std::int32_t useHolidays) {
    Call call(*this, kNxtWrkDay);
    DateText result;
    const auto status = call.run<decltype(&KD_NXTWRKDAY)>(std::tuple{
        call.text(start), call.text(result), call.address(days), call.value(useHolidays)});
    return {status, result.shown()};
}

std::int16_t KalcoreBinding::datelapse(DateText& start, DateText& end, std::int32_t& years,
                                       std::int32_t& months, std::int32_t& weeks,
                                       std::int32_t& days, std::int32_t& reversed) {
    Call call(*this, kDateLapse);
    return call.run<decltype(&KD_DATELAPSE)>(
        std::tuple{call.text(start), call.text(end), call.address(years), call.address(months),
                   call.address(weeks), call.address(days), call.address(reversed)});
}

std::int16_t KalcoreBinding::between(DateText& first, DateText& second, DateText& third) {
    Call call(*this, kBetween);
    return call.run<decltype(&KD_BETWEEN)>(
        std::tuple{call.text(first), call.text(second), call.text(third)});
}

std::int16_t KalcoreBinding::cmptenumdays(DateText& start, DateText& end, std::int32_t& days) {
    Call call(*this, kCmpteNumDays);
    return call.run<decltype(&KD_CMPTENUMDAYS)>(
        std::tuple{call.text(start), call.text(end), call.address(days)});
}

TextResult KalcoreBinding::cmpteadate(std::int32_t days, DateText& start) {
    Call call(*this, kCmpteADate);
    DateText end;
    const auto status = call.run<decltype(&KD_CMPTEADATE)>(
        std::tuple{call.value(days), call.text(start), call.text(end)});
    return {status, end.shown()};
}

TextResult KalcoreBinding::date(QChar code) {
    Call call(*this, kDate);
    DateText output;
    FixedText codeField(kCodeWidth, QString(code));
    const auto status =
        call.run<decltype(&KD_DATE)>(std::tuple{call.text(output), call.text(codeField)});
    return {status, output.shown()};
}

TextResult KalcoreBinding::time(std::int32_t hourMode) {
    Call call(*this, kTime);
    FixedText output(kTimeWidth, {});
    const auto status =
        call.run<decltype(&KD_TIME)>(std::tuple{call.text(output), call.value(hourMode)});
    return {status, output.shown()};
}

std::int16_t KalcoreBinding::hour(std::int32_t& hour, std::int32_t hourMode) {
    Call call(*this, kHour);
    return call.run<decltype(&KD_HOUR)>(std::tuple{call.address(hour), call.value(hourMode)});
}

std::int16_t KalcoreBinding::mint(std::int32_t& minute) {
    Call call(*this, kMint);
    return call.run<decltype(&KD_MINT)>(std::tuple{call.address(minute)});
}

std::int16_t KalcoreBinding::sec(std::int32_t& second) {
    Call call(*this, kSec);
    return call.run<decltype(&KD_SEC)>(std::tuple{call.address(second)});
}

TextResult KalcoreBinding::chour(std::int32_t hourMode) {
    Call call(*this, kCHour);
    FixedText output(kShortWidth, {});
    const auto status =
        call.run<decltype(&KD_CHOUR)>(std::tuple{call.text(output), call.value(hourMode)});
    return {status, output.shown()};
}

TextResult KalcoreBinding::cmint() {
    Call call(*this, kCMint);
    FixedText output(kShortWidth, {});
    const auto status = call.run<decltype(&KD_CMINT)>(std::tuple{call.text(output)});
    return {status, output.shown()};
}

TextResult KalcoreBinding::csec() {
    Call call(*this, kCSec);
    FixedText output(kShortWidth, {});
    const auto status = call.run<decltype(&KD_CSEC)>(std::tuple{call.text(output)});
    return {status, output.shown()};
}

DateAndTime KalcoreBinding::dateandtime(QChar code, std::int32_t hourMode,
                                        std::int32_t useConversionFile) {
    Call call(*this, kDateAndTime);
    DateText date;
    FixedText codeField(kCodeWidth, QString(code));
    FixedText time(kTimeWidth, {});
    FixedText amPm(kShortWidth, {});
    const auto status = call.run<decltype(&KD_DATEANDTIME)>(
        std::tuple{call.text(date), call.text(codeField), call.text(time), call.text(amPm),
                   call.value(hourMode), call.value(useConversionFile)});
    return {status, date.shown(), time.shown(), amPm.shown()};
}

std::int16_t KalcoreBinding::dtcvcreatefile(QChar code) {
    Call call(*this, kDtCvCreateFile);
    FixedText codeField(kCodeWidth, QString(code));
    return call.run<decltype(&KD_DTCVCREATEFILE)>(std::tuple{call.text(codeField)});
}

std::int16_t KalcoreBinding::datecnvfile() {
    Call call(*this, kDateCnvFile);
    FixedText unused(kCodeWidth, {});
    return call.run<decltype(&KD_DATECNVFILE)>(std::tuple{call.text(unused)});
}

TextResult KalcoreBinding::afulldateformat(DateText& date, QChar code, std::int32_t abbreviateMonth,
                                           std::int32_t abbreviateDay, std::int32_t includeTime,
                                           std::int32_t twentyFourHour, std::int32_t amPm) {
    Call call(*this, kAFullDateFormat);
    FixedText output(kFullDateWidth, {});
    FixedText codeField(kCodeWidth, QString(code));
    const auto status = call.run<decltype(&KD_AFULLDATEFORMAT)>(
        std::tuple{call.text(date), call.text(output), call.text(codeField),
                   call.value(abbreviateMonth), call.value(abbreviateDay), call.value(includeTime),
                   call.value(twentyFourHour), call.value(amPm)});
    return {status, output.shown()};
}

std::int16_t KalcoreBinding::slidingwindowproc(DateText& pivot, std::int32_t years, DateText& check,
                                               std::int32_t& inWindow, std::int32_t& direction) {
    Call call(*this, kSlidingWindowProc);
    return call.run<decltype(&KD_SLIDINGWINDOWPROC)>(
        std::tuple{call.text(pivot), call.value(years), call.text(check), call.address(inWindow),
                   call.address(direction)});
}

DaylightSaving KalcoreBinding::daylightsavingstimes(YearText& year, std::int32_t& status,
                                                    std::int32_t& sameDay) {
    Call call(*this, kDaylightSavingsTimes);
    FixedText zone(kZoneWidth, {});
    DateText start;
    DateText end;
    FixedText startLabel(kDaylightLabelWidth, {});
    FixedText endLabel(kDaylightLabelWidth, {});
    const auto result = call.run<decltype(&KD_DAYLIGHTSAVINGSTIMES)>(
        std::tuple{call.text(year), call.text(zone, kZoneCapacity), call.address(status),
                   call.address(sameDay), call.text(start), call.text(end), call.text(startLabel),
                   call.text(endLabel)});
    return {result, zone.shown(), start.shown(), end.shown(), startLabel.shown(), endLabel.shown()};
}

std::int16_t KalcoreBinding::eastercalc(std::int32_t year, std::int32_t& month, std::int32_t& day) {
    Call call(*this, kEasterCalc);
    return call.run<decltype(&KD_EASTERCALC)>(
        std::tuple{call.value(year), call.address(month), call.address(day)});
}

void KalcoreBinding::helpaboutme() {
    Call call(*this, kHelpAboutMe);
    call.run<decltype(&KD_HELPABOUTME)>(std::tuple{});
}

void KalcoreBinding::aboutBox() {
    Call call(*this, kAboutBox);
    call.run<decltype(&AboutBox)>(std::tuple{});
}

void KalcoreBinding::helpBox() {
    Call call(*this, kHelpBox);
    call.run<decltype(&HelpBox)>(std::tuple{});
}

}  // namespace kaldate
