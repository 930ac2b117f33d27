// The demo's one way into the date library: kalcore is loaded by file name
// at the first call (libkalcore.so beside the program, then the installed
// libkalcore.so.3) and each function is looked up by its exported name on its
// own first call; later calls go straight to the resolved address.
//
// One typed wrapper per bound function. Each prepares the fixed-width
// fields the library expects (blank-padded, cut at the width, an 8-bit copy
// with a NUL after it), calls, copies every field back (inputs included, so
// a date that KD_ISVDATE rewrote reaches the next call rewritten), and gives
// the status as its low 16 bits. Screens hand in the date, year and Julian
// fields they keep and get output fields back as the text they show.
//
// When the library or a function cannot be found, the problem handler is
// told (naming the file or the function) and the wrapper returns 0 with its
// outputs blank and its numbers untouched.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

#include "binding/fixed_text.h"

namespace kaldate {

// A text output as the screen shows it, with the call's status.
struct TextResult {
    std::int16_t status = 0;
    QString text;
};

// What crossed to the library in one call, for whoever watches (tests).
struct CallRecord {
    QByteArray function;
    QList<QByteArray> textsSent;      // each field's 8-bit copy with its NUL
    QList<QByteArray> textsReturned;  // each field as copied back
    QList<std::int32_t> numbersSent;  // by-value integers and the values behind addresses
    std::int32_t result = 0;
};

// KD_JULIANDATE's output width: 7 on the general information screen, 8 on
// the Julian conversion screen.
enum class JulianOutput { GeneralInformation, Conversion };

struct DateAndTime {
    std::int16_t status = 0;
    QString date, time, amPm;
};

struct DaylightSaving {
    std::int16_t status = 0;
    QString zone, start, end, startLabel, endLabel;
};

class KalcoreBinding {
  public:
    // The places the library is looked for, in order: libkalcore.so beside
    // the program, then the installed SONAME.
    static QStringList defaultLocations();

    explicit KalcoreBinding(QStringList locations = defaultLocations());
    KalcoreBinding(const KalcoreBinding&) = delete;
    KalcoreBinding& operator=(const KalcoreBinding&) = delete;

    void setProblemHandler(std::function<void(const QString&)> handler);
    void setCallObserver(std::function<void(const CallRecord&)> observer);
    // Whether a missing library or function has been reported to the problem
    // handler since the event loop last ran, that is during the current
    // button press.
    bool problemReported() const { return *problemPending_; }

    // Validation and conversion.
    std::int16_t isvdate(DateText& date);
    TextResult convdate(DateText& input, QChar code, std::int32_t useConversionFile,
                        std::int32_t century);
    TextResult cgetcntry(std::int32_t selector);
    std::int16_t igetcntry(std::int32_t selector, std::int32_t& century);

    // Pieces of a date.
    std::int16_t isleapyr(DateText& date, std::int32_t& leap);
    TextResult juliandate(DateText& date, JulianOutput width);
    TextResult revjuliandate(JulianText& julian);
    TextResult cdow(DateText& date);
    std::int16_t ndow(DateText& date, std::int32_t& number);
    std::int16_t weekno(DateText& date, std::int32_t& number);
    TextResult cmonth(DateText& date);
    std::int16_t nmonth(DateText& date, std::int32_t& number);
    TextResult cdayno(DateText& date);
    std::int16_t ndayno(DateText& date, std::int32_t& number);
    TextResult cyear(DateText& date);
    std::int16_t nyear(DateText& date, std::int32_t& number);
    TextResult ccntry(DateText& date);
    std::int16_t ncntry(DateText& date, std::int32_t& number);
    TextResult cfulcntryyr(DateText& date);
    std::int16_t nfulcntryyr(DateText& date, std::int32_t& number);

    // Holidays and working days.
    TextResult istodayaholdy(DateText& date, std::int32_t& isHoliday, std::int32_t& dayOff);
    TextResult nxtwrkday(DateText& start, std::int32_t& days, std::int32_t useHolidays);

    // Two and three dates.
    std::int16_t datelapse(DateText& start, DateText& end, std::int32_t& years,
                           std::int32_t& months, std::int32_t& weeks, std::int32_t& days,
                           std::int32_t& reversed);
    std::int16_t between(DateText& first, DateText& second, DateText& third);
    std::int16_t cmptenumdays(DateText& start, DateText& end, std::int32_t& days);
    TextResult cmpteadate(std::int32_t days, DateText& start);

    // The clock.
    TextResult date(QChar code);
    TextResult time(std::int32_t hourMode);
    std::int16_t hour(std::int32_t& hour, std::int32_t hourMode);
    std::int16_t mint(std::int32_t& minute);
    std::int16_t sec(std::int32_t& second);
    TextResult chour(std::int32_t hourMode);
    TextResult cmint();
    TextResult csec();
    DateAndTime dateandtime(QChar code, std::int32_t hourMode, std::int32_t useConversionFile);

    // The conversion file, spelled-out dates, the sliding window.
    std::int16_t dtcvcreatefile(QChar code);
    std::int16_t datecnvfile();
    TextResult afulldateformat(DateText& date, QChar code, std::int32_t abbreviateMonth,
                               std::int32_t abbreviateDay, std::int32_t includeTime,
                               std::int32_t twentyFourHour, std::int32_t amPm);
    std::int16_t slidingwindowproc(DateText& pivot, std::int32_t years, DateText& check,
                                   std::int32_t& inWindow, std::int32_t& direction);

    // Daylight saving and Easter. The zone is shown as its first 63
    // characters; the field handed to the library holds the whole text.
    DaylightSaving daylightsavingstimes(YearText& year, std::int32_t& status,
                                        std::int32_t& sameDay);
    std::int16_t eastercalc(std::int32_t year, std::int32_t& month, std::int32_t& day);

    // The library's own dialogs; their results are not used.
    void helpaboutme();
    void aboutBox();
    void helpBox();

    // The functions bound, by exported name, in the order of the table above.
    enum Function {
        kIsvDate,
        kConvDate,
        kCGetCntry,
        kIGetCntry,
        kIsLeapYr,
        kJulianDate,
        kRevJulianDate,
        kCDow,
        kNDow,
        kWeekNo,
        kCMonth,
        kNMonth,
        kCDayNo,
        kNDayNo,
        kCYear,
        kNYear,
        kCCntry,
        kNCntry,
        kCFulCntryYr,
        kNFulCntryYr,
        kIsTodayAHoldy,
        kNxtWrkDay,
        kDateLapse,
        kBetween,
        kCmpteNumDays,
        kCmpteADate,
        kDate,
        kTime,
        kHour,
        kMint,
        kSec,
        kCHour,
        kCMint,
        kCSec,
        kDateAndTime,
        kDtCvCreateFile,
        kDateCnvFile,
        kAFullDateFormat,
        kSlidingWindowProc,
        kDaylightSavingsTimes,
        kEasterCalc,
        kHelpAboutMe,
        kAboutBox,
        kHelpBox,
        kFunctionCount
    };
    static const char* exportedName(Function function);

  private:
    class Call;
    template <typename Fn>
    TextResult textQuery(Function function, DateText& date, int width);
    template <typename Fn>
    std::int16_t numberQuery(Function function, DateText& date, std::int32_t& number);
    void* resolve(Function function);
    bool load();
    void report(const QString& problem) const;

    QStringList locations_;
    void* handle_ = nullptr;
    QString loadedFrom_;
    std::array<void*, kFunctionCount> addresses_{};
    std::function<void(const QString&)> problemHandler_;
    std::shared_ptr<bool> problemPending_ = std::make_shared<bool>(false);
    std::function<void(const CallRecord&)> observer_;
};

}  // namespace kaldate
