// kalc: the command-line front end of kalcore.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "kalcore.h"
#include "platform/profile.h"
#include "services/configuration.h"
#include "services/daylight_saving.h"
#include "services/holidays.h"

namespace {

constexpr const char* kUsage =
    "usage: kalc COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  check DATE\n"
    "      Validate DATE (a two-digit year takes the current century) and print\n"
    "      it as Mmm/DD/CCYY. Exit status 1 when the date is invalid.\n"
    "  convert DATE [CODE] [--century N] [--preferred]\n"
    "      Print DATE in the output format CODE (default B, MM/DD/CCYY).\n"
    "      N is the century selector: 0 the current century (default),\n"
    "      1-9 the centuries 16-24 (4 = 19xx, 5 = 20xx); 1-9 also replace the\n"
    "      century of a four-digit year. With --preferred the stored preferred\n"
    "      format replaces CODE. Exit status 1 when DATE is invalid.\n"
    "  convert - [CODE] [--century N] [--preferred]\n"
    "      Convert one date per line of standard input, one result per line;\n"
    "      an invalid line gives an empty line and exit status 1 at the end.\n"
    "  days DATE1 DATE2\n"
    "      Print the number of days from DATE1 to DATE2 (negative when DATE2 is\n"
    "      the earlier one). Exit status 1 when a date is invalid.\n"
    "  add N DATE\n"
    "      Print DATE moved by N days (negative moves back) as MM/DD/CCYY.\n"
    "  lapse START END\n"
    "      Print the span from START to END as years, months, weeks and days.\n"
    "  between FIRST MIDDLE LAST\n"
    "      Print 'yes' when MIDDLE lies strictly between FIRST and LAST, else\n"
    "      'no' (exit status 1 for 'no', 2 for an invalid date).\n"
    "  julian DATE\n"
    "      Print the Julian date CCYYDDD (year and day of the year).\n"
    "  calendar CCYYDDD\n"
    "      Print the date of a Julian date as MM-DD-CCYY.\n"
    "  info DATE\n"
    "      Print every piece of DATE: day, month, year, century, day of the\n"
    "      week, week of the month, leap year, Julian date, serial day number.\n"
    "  now [CODE] [--24] [--preferred]\n"
    "      Print today's date in format CODE (default B) and the time, on the\n"
    "      12-hour clock with AM/PM, or the 24-hour clock with --24. With\n"
    "      --preferred the stored preferred format replaces CODE.\n"
    "  format DATE CODE [--abbr-month] [--abbr-day] [--time] [--24] [--ampm]\n"
    "      Print DATE spelled out: 'Saturday, July/04/1998' (CODE K), with the\n"
    "      month or day name abbreviated and the current time appended on\n"
    "      request (12-hour clock unless --24; AM/PM with --ampm).\n"
    "  window PIVOT YEARS CHECK\n"
    "      Tell whether CHECK lies within YEARS years after PIVOT (before it\n"
    "      when YEARS is negative), both ends included. Exit status 1 when it\n"
    "      does not, 2 for an invalid date.\n"
    "  prefer [CODE]\n"
    "      Store CODE as the machine's preferred output format, or show the\n"
    "      stored one.\n"
    "  config\n"
    "      Show where the configuration and the data files are and what they\n"
    "      hold.\n"
    "  nextwork DATE N [--holidays]\n"
    "      Print the date N working days after DATE (the sign of N does not\n"
    "      count, 0 counts as 1, DATE itself never counts) as MM-DD-CCYY,\n"
    "      skipping Saturdays and Sundays and, with --holidays, the holidays\n"
    "      on which work stops.\n"
    "  holiday DATE\n"
    "      Print the name of the holiday on DATE and whether work stops that\n"
    "      day. Exit status 1 when DATE is no holiday, 2 when it is invalid.\n"
    "  holidays YEAR\n"
    "      Add the holidays of YEAR to the holiday file when they are not in it\n"
    "      yet, and list them. Only years listed in the file have holidays;\n"
    "      the library adds the key year of its configuration when loaded.\n"
    "      Exit status 1 when they could not be written (the file then keeps\n"
    "      what it held) or the file holds something else than holidays.\n"
    "  dst YEAR\n"
    "      Print the time zone and the dates daylight saving time begins and\n"
    "      ends in YEAR on this machine (TZ or /etc/localtime).\n"
    "  easter YEAR\n"
    "      Print the date of Easter Sunday of YEAR as MM/DD/CCYY.\n"
    "  --help\n"
    "      Show this text.\n"
    "\n"
    "DATE is any date the library reads: 12/31/98, 1998-12-31, Dec/31/1998,\n"
    "31-Dec-1998, 19981231, 7Sep99, ... or the keywords TODAY, NOW, YESTER and\n"
    "YESTER0..YESTER7 (1..8 days before today).\n"
    "A date is read up to its first 11 characters.\n"
    "\n"
    "Output format codes:\n"
    "  1 MMDDYY       2 YYMMDD       3 MM/DD/YY     4 YY/MM/DD     5 YY.MM.DD\n"
    "  6 DD-mmm-YY    7 DD-mmm-CCYY  8 DDmmmYY      9 DDmmmCCYY    A MM-DD-CCYY\n"
    "  B MM/DD/CCYY   C MM-DD-YY     D MMDDCCYY     E CCYYMMDD     F CCYY-mmm-DD\n"
    "  G CCYY-MM-DD   H DD/mmm/CCYY  I DD/mmm/YY    J CCYY/mmm/DD  K mmm/DD/CCYY\n"
    "  L mmm/DD/YY    M mmm-DD-CCYY  N mmm-DD-YY    O CCYY/MM/DD   P CCYY/DD/MM\n"
    "  Q CCYY-DD-MM   R CCYY/DD/mmm  S CCYY-DD-mmm  T CCYYmmmDD    U MM-D-CCYY\n"
    "  V MM/D/CCYY    W M-DD-CCYY    X M/DD/CCYY    Y D-mmm-CCYY   Z D/mmm/CCYY\n"
    "  * mmm-D-CCYY   # mmm/D/CCYY   @ M-D-CCYY     & M/D/CCYY     $ DmmmCCYY\n"
    "  [ DD/MM/CCYY   ] DD/M/CCYY    { D/M/CCYY     } D/MM/CCYY    < DD-MM-CCYY\n"
    "  > DD-M-CCYY    + D-M-CCYY     = D-MM-CCYY\n"
    "  (M and D are one digit where the value allows; the wider form otherwise.)\n";

int UsageError(const char* message) {
    std::fprintf(stderr, "kalc: %s\nTry 'kalc --help'.\n", message);
    return 2;
}

// Copies a command-line date into a blank-padded 12-byte buffer, as a caller
// with a fixed-width field would.
void ToDateBuffer(std::string_view text, char (&buffer)[12]) {
    std::memset(buffer, 0, sizeof buffer);
    std::memcpy(buffer, text.data(), text.size() < 11 ? text.size() : 11);
}

int Check(const std::vector<std::string_view>& args) {
    if (args.size() != 1) return UsageError("check takes one DATE");
    char buffer[12];
    ToDateBuffer(args[0], buffer);
    if (KD_ISVDATE(buffer) != 1) {
        std::fprintf(stderr, "kalc: not a valid date: %.*s\n", static_cast<int>(args[0].size()),
                     args[0].data());
        return 1;
    }
    std::printf("%s\n", buffer);
    return 0;
}

bool ParseSelector(std::string_view text, int& selector) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '9') return false;
    selector = text[0] - '0';
    return true;
}

int Convert(const std::vector<std::string_view>& rawArgs) {
    std::vector<std::string_view> args;
    int selector = 0;
    int preferred = 0;
    for (std::size_t i = 0; i < rawArgs.size(); ++i) {
        std::string_view arg = rawArgs[i];
        if (arg == "--preferred") {
            preferred = 1;
        } else if (arg == "--century") {
            if (i + 1 >= rawArgs.size() || !ParseSelector(rawArgs[i + 1], selector))
                return UsageError("--century takes a selector 0-9");
            ++i;
        } else if (arg.substr(0, 10) == "--century=") {
            if (!ParseSelector(arg.substr(10), selector))
                return UsageError("--century takes a selector 0-9");
        } else {
            args.push_back(arg);
        }
    }
    if (args.empty() || args.size() > 2) return UsageError("convert takes DATE [CODE]");
    const std::string code(args.size() == 2 ? args[1] : std::string_view("B"));
    if (code.size() != 1) return UsageError("CODE is one character");

    char output[12];
    if (args[0] != "-") {
        if (KD_CONVDATE(std::string(args[0]).c_str(), output, code.c_str(), preferred, selector) !=
            1) {
            std::fprintf(stderr, "kalc: cannot convert: %.*s\n", static_cast<int>(args[0].size()),
                         args[0].data());
            return 1;
        }
        std::printf("%s\n", output);
        return 0;
    }

    int status = 0;
    std::string line;
    for (int c; (c = std::getchar()) != EOF || !line.empty();) {
        if (c != '\n' && c != EOF) {
            line.push_back(static_cast<char>(c));
            continue;
        }
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (KD_CONVDATE(line.c_str(), output, code.c_str(), preferred, selector) != 1) status = 1;
        std::printf("%s\n", output);
        line.clear();
        if (c == EOF) break;
    }
    return status;
}

int Days(const std::vector<std::string_view>& args) {
    if (args.size() != 2) return UsageError("days takes DATE1 DATE2");
    int32_t days = 0;
    if (KD_CMPTENUMDAYS(std::string(args[0]).c_str(), std::string(args[1]).c_str(), &days) != 1) {
        std::fprintf(stderr, "kalc: not a valid pair of dates\n");
        return 1;
    }
    std::printf("%d\n", static_cast<int>(days));
    return 0;
}

int Add(const std::vector<std::string_view>& args) {
    if (args.size() != 2) return UsageError("add takes N DATE");
    const std::string count(args[0]);
    char* end = nullptr;
    errno = 0;
    const long n = std::strtol(count.c_str(), &end, 10);
    if (count.empty() || *end != '\0' || errno != 0 || n < INT32_MIN || n > INT32_MAX)
        return UsageError("N is a whole number of days");
    char moved[12];
    if (KD_CMPTEADATE(static_cast<int32_t>(n), std::string(args[1]).c_str(), moved) != 1) {
        std::fprintf(stderr, "kalc: cannot move that date by %ld days\n", n);
        return 1;
    }
    std::printf("%s\n", moved);
    return 0;
}

// Runs an export that fills a 12-byte text from one date argument.
int PrintText(const std::vector<std::string_view>& args, const char* usage,
              int (*fn)(const char*, char*)) {
    if (args.size() != 1) return UsageError(usage);
    char text[12];
    if (fn(std::string(args[0]).c_str(), text) != 1) {
        std::fprintf(stderr, "kalc: not valid: %.*s\n", static_cast<int>(args[0].size()),
                     args[0].data());
        return 1;
    }
    std::printf("%s\n", text);
    return 0;
}

int Lapse(const std::vector<std::string_view>& args) {
    if (args.size() != 2) return UsageError("lapse takes START END");
    int32_t years, months, weeks, days, reversed;
    if (KD_DATELAPSE(std::string(args[0]).c_str(), std::string(args[1]).c_str(), &years, &months,
                     &weeks, &days, &reversed) != 1) {
        std::fprintf(stderr, "kalc: not a valid pair of dates\n");
        return 1;
    }
    std::printf("%d years %d months %d weeks %d days%s\n", static_cast<int>(years),
                static_cast<int>(months), static_cast<int>(weeks), static_cast<int>(days),
                reversed ? " (end before start)" : "");
    return 0;
}

int BetweenDates(const std::vector<std::string_view>& args) {
    if (args.size() != 3) return UsageError("between takes FIRST MIDDLE LAST");
    const int32_t r = KD_BETWEEN(std::string(args[0]).c_str(), std::string(args[1]).c_str(),
                                 std::string(args[2]).c_str());
    if (r == 0) {
        std::fprintf(stderr, "kalc: not a valid date among the three\n");
        return 2;
    }
    std::printf("%s\n", r == 1 ? "yes" : "no");
    return r == 1 ? 0 : 1;
}

int Info(const std::vector<std::string_view>& args) {
    if (args.size() != 1) return UsageError("info takes DATE");
    const std::string date(args[0]);
    const char* d = date.c_str();
    char name[12], month[12], julian[12], text[12];
    int32_t day = 0, monthNumber = 0, year = 0, century = 0, fullYear = 0, weekday = 0, week = 0,
            leap = 0, serial = 0;
    std::strncpy(text, d, 11);
    text[11] = '\0';
    if (KD_NDAYNO(d, &day) != 1) {
        std::fprintf(stderr, "kalc: not a valid date: %s\n", d);
        return 1;
    }
    KD_NMONTH(d, &monthNumber);
    KD_CMONTH(d, month);
    KD_NYEAR(d, &year);
    KD_NCNTRY(d, &century);
    KD_NFULCNTRYYR(d, &fullYear);
    KD_CDOW(d, name);
    KD_NDOW(d, &weekday);
    KD_WEEKNO(d, &week);
    KD_ISLEAPYR(d, &leap);
    KD_JULIANDATE(d, julian);
    KD_CNTRYDAY(text, 1, &serial);
    std::printf("day %d\nmonth %d %s\nyear %02d\ncentury %d\nfull year %d\n", static_cast<int>(day),
                static_cast<int>(monthNumber), month, static_cast<int>(year),
                static_cast<int>(century), static_cast<int>(fullYear));
    std::printf("day of week %d %s\nweek of month %d\nleap year %s\njulian %s\nserial %d\n",
                static_cast<int>(weekday), name, static_cast<int>(week), leap ? "yes" : "no",
                julian, static_cast<int>(serial));
    return 0;
}

int Julian(const char* date, char* out) {
    return KD_JULIANDATE(date, out);
}
int Calendar(const char* julian, char* out) {
    return KD_REVJULIANDATE(julian, out);
}

// Splits the flags given in `known` off `args`; false for an unknown flag.
bool TakeFlags(std::vector<std::string_view>& args, std::initializer_list<std::string_view> known,
               std::vector<std::string_view>& flags) {
    std::vector<std::string_view> rest;
    for (std::string_view arg : args) {
        if (arg.substr(0, 2) != "--") {
            rest.push_back(arg);
            continue;
        }
        bool found = false;
        for (std::string_view k : known) found = found || k == arg;
        if (!found) return false;
        flags.push_back(arg);
    }
    args = rest;
    return true;
}

bool HasFlag(const std::vector<std::string_view>& flags, std::string_view flag) {
    for (std::string_view f : flags)
        if (f == flag) return true;
    return false;
}

int Now(std::vector<std::string_view> args) {
    std::vector<std::string_view> flags;
    if (!TakeFlags(args, {"--24", "--preferred"}, flags) || args.size() > 1)
        return UsageError("now takes [CODE] [--24] [--preferred]");
    const std::string code(args.empty() ? std::string_view("B") : args[0]);
    const bool hour24 = HasFlag(flags, "--24");
    char date[12], time[9], amPm[3];
    if (KD_DATEANDTIME(date, code.c_str(), time, amPm, hour24 ? 1 : 0,
                       HasFlag(flags, "--preferred") ? 1 : 0) != 1) {
        std::fprintf(stderr, "kalc: not a format code: %s\n", code.c_str());
        return 1;
    }
    if (hour24)
        std::printf("%s %s\n", date, time);
    else
        std::printf("%s %s %s\n", date, time, amPm);
    return 0;
}

int Format(std::vector<std::string_view> args) {
    std::vector<std::string_view> flags;
    if (!TakeFlags(args, {"--abbr-month", "--abbr-day", "--time", "--24", "--ampm"}, flags) ||
        args.size() != 2)
        return UsageError(
            "format takes DATE CODE [--abbr-month] [--abbr-day] [--time] [--24] [--ampm]");
    char text[44];
    if (KD_AFULLDATEFORMAT(std::string(args[0]).c_str(), text, std::string(args[1]).c_str(),
                           HasFlag(flags, "--abbr-month"), HasFlag(flags, "--abbr-day"),
                           HasFlag(flags, "--time"), HasFlag(flags, "--24"),
                           HasFlag(flags, "--ampm")) != 1) {
        std::fprintf(stderr, "kalc: cannot write that date in that format\n");
        return 1;
    }
    std::printf("%s\n", text);
    return 0;
}

int Window(const std::vector<std::string_view>& args) {
    if (args.size() != 3) return UsageError("window takes PIVOT YEARS CHECK");
    const std::string count(args[1]);
    char* end = nullptr;
    errno = 0;
    const long years = std::strtol(count.c_str(), &end, 10);
    if (count.empty() || *end != '\0' || errno != 0 || years < INT32_MIN || years > INT32_MAX)
        return UsageError("YEARS is a whole number");
    int32_t inside = 0, direction = 0;
    if (KD_SLIDINGWINDOWPROC(std::string(args[0]).c_str(), static_cast<int32_t>(years),
                             std::string(args[2]).c_str(), &inside, &direction) != 1) {
        std::fprintf(stderr, "kalc: not a valid pair of dates\n");
        return 2;
    }
    if (inside)
        std::printf("inside the %s window\n", direction > 0 ? "forward" : "backward");
    else
        std::printf("outside the window\n");
    return inside ? 0 : 1;
}

// The format a conversion with the stored preferred format uses, found by
// writing a date whose every code gives a text of its own.
char PreferredCode() {
    static const char kCodes[] = "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$[]{}<>+=";
    char preferred[12];
    if (KD_DATECNVFILE("") != 1 || KD_CONVDATE("07/04/1998", preferred, "", 1, 0) != 1) return 0;
    for (const char* c = kCodes; *c != '\0'; ++c) {
        char text[12];
        const char code[2] = {*c, '\0'};
        if (KD_CONVDATE("07/04/1998", text, code, 0, 0) == 1 && std::strcmp(text, preferred) == 0)
            return *c;
    }
    return 0;
}

int Prefer(const std::vector<std::string_view>& args) {
    if (args.size() > 1) return UsageError("prefer takes [CODE]");
    char code;
    if (args.size() == 1) {
        if (KD_DTCVCREATEFILE(std::string(args[0]).c_str()) != 1) {
            std::fprintf(stderr, "kalc: cannot store %.*s as the preferred format\n",
                         static_cast<int>(args[0].size()), args[0].data());
            return 1;
        }
        // The code stored, as the library stores it: upper case.
        code = args[0][0] >= 'a' && args[0][0] <= 'z' ? static_cast<char>(args[0][0] - 'a' + 'A')
                                                      : args[0][0];
    } else {
        code = PreferredCode();
        if (code == 0) {
            std::printf("no preferred format stored\n");
            return 1;
        }
    }
    char sample[12];
    const char text[2] = {code, '\0'};
    KD_CONVDATE("07/04/1998", sample, text, 0, 0);
    std::printf("%c (4 July 1998 is written %s)\n", code, sample);
    return 0;
}

// Prints a text file, indented, or says it is missing.
void ShowFile(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) {
        std::printf("  (missing)\n");
        return;
    }
    char line[512];
    while (std::fgets(line, sizeof line, f) != nullptr) std::printf("  %s", line);
    std::fclose(f);
}

int Config(const std::vector<std::string_view>& args) {
    using namespace kalcore::services;
    if (!args.empty()) return UsageError("config takes no arguments");
    HostPath path;
    if (kalcore::platform::ProfileFilePath(kConfigFileName, path, sizeof path)) {
        std::printf("configuration file: %s\n", path);
        ShowFile(path);
    } else {
        std::printf("configuration file: no place for it (HOME is not set)\n");
    }
    const FileSettings settings = ReadFileSettings();
    std::printf("data directory: %s\n", settings.directory);
    if (DataFilePath(settings, settings.conversionFile, path)) {
        const char code = PreferredCode();
        std::printf("date conversion file: %s\n  preferred format: %c%s\n", path,
                    code != 0 ? code : '-', code != 0 ? "" : " (none stored)");
    }
    if (DataFilePath(settings, settings.holidayFile, path)) {
        std::printf("holiday file: %s\n", path);
        HolidayFile file;
        if (!file.Open(path, kalcore::platform::DataFile::Mode::kRead)) {
            std::printf("  (missing)\n");
        } else if (file.Check() != HolidayContent::kRecords) {
            std::printf("  (no holiday file, or unreadable: no date is a holiday)\n");
        } else {
            int first = 0, last = 0;
            file.ForEach([&](const HolidayRecord& r) {
                const int year = static_cast<int>(r.holidayYear);
                if (first == 0 || year < first) first = year;
                if (year > last) last = year;
                return true;
            });
            std::printf("  %lld records", static_cast<long long>(file.RecordCount()));
            if (first != 0) std::printf(", holiday years %d to %d", first, last);
            std::printf("\n");
        }
    }
    return 0;
}

// A whole number that fits 32 bits.
bool ParseInt32(std::string_view text, int32_t& value) {
    const std::string s(text);
    char* end = nullptr;
    errno = 0;
    const long long n = std::strtoll(s.c_str(), &end, 10);
    if (s.empty() || *end != '\0' || errno != 0 || n < INT32_MIN || n > INT32_MAX) return false;
    value = static_cast<int32_t>(n);
    return true;
}

int NextWork(std::vector<std::string_view> args) {
    std::vector<std::string_view> flags;
    int32_t count = 0;
    if (!TakeFlags(args, {"--holidays"}, flags) || args.size() != 2)
        return UsageError("nextwork takes DATE N [--holidays]");
    if (!ParseInt32(args[1], count)) return UsageError("N is a whole number of working days");
    char result[12];
    if (KD_NXTWRKDAY(std::string(args[0]).c_str(), result, &count,
                     HasFlag(flags, "--holidays") ? 1 : 0) != 1) {
        std::fprintf(stderr,
                     "kalc: no working day found (invalid date, unreadable holiday file or past "
                     "the year 9999)\n");
        return 1;
    }
    std::printf("%s\n", result);
    return 0;
}

int Holiday(const std::vector<std::string_view>& args) {
    if (args.size() != 1) return UsageError("holiday takes DATE");
    int32_t isHoliday = 0, dayOff = 0;
    char name[29];
    if (KD_ISTODAYAHOLDY(std::string(args[0]).c_str(), &isHoliday, name, &dayOff) != 1) {
        std::fprintf(stderr, "kalc: not a valid date, or the holiday file holds no record: %s\n",
                     std::string(args[0]).c_str());
        return 2;
    }
    if (isHoliday != 1) {
        std::printf("no holiday\n");
        return 1;
    }
    std::printf("%s (%s)\n", name, dayOff == 1 ? "day off" : "working day");
    return 0;
}

int Holidays(const std::vector<std::string_view>& args) {
    using namespace kalcore::services;
    if (args.size() != 1) return UsageError("holidays takes YEAR");
    const std::string yearText(args[0]);
    int year = 0;
    if (!YearOfText(yearText.c_str(), year)) return UsageError("YEAR is a year such as 2026");
    char yearDigits[8];
    std::snprintf(yearDigits, sizeof yearDigits, "%04d", year);
    HostPath path = "";
    const int written = AddHolidayYear(yearDigits, path);
    if (written == kBuildForeignFile) {
        std::fprintf(stderr, "kalc: %s is no holiday file; it is left as it is\n", path);
        return 1;
    }
    if (written < 0) {
        std::fprintf(stderr, "kalc: cannot write the holiday file %s; it keeps what it held\n",
                     path[0] != '\0' ? path : "(no place for it on this machine)");
        return 1;
    }
    std::fprintf(stderr, "%s: %d record%s added\n", path, written, written == 1 ? "" : "s");
    // The exit status tells whether the year is in the file; a listing that
    // cannot be read back is only reported.
    HolidayFile file;
    const bool read =
        file.Open(path, kalcore::platform::DataFile::Mode::kRead) &&
        file.ForEach([&](const HolidayRecord& r) {
            if (r.holidayYear == year)
                std::printf("%02d/%02d/%02d%02d  %-28s  %s\n", static_cast<int>(r.month),
                            static_cast<int>(r.day), static_cast<int>(r.century),
                            static_cast<int>(r.twoDigitYear), r.name,
                            r.dayOff == 1 ? "day off" : "working day");
            return true;
        });
    if (!read) std::fprintf(stderr, "kalc: cannot read the holiday file back to list it\n");
    return 0;
}

int Dst(const std::vector<std::string_view>& args) {
    if (args.size() != 1) return UsageError("dst takes YEAR");
    char zone[75], begin[12], end[12], beginLabel[24], endLabel[24];
    int32_t status = 0, sameDay = 0;
    if (KD_DAYLIGHTSAVINGSTIMES(std::string(args[0]).c_str(), zone, &status, &sameDay, begin, end,
                                beginLabel, endLabel) != 1) {
        std::fprintf(stderr, "kalc: not a year: %s\n", std::string(args[0]).c_str());
        return 1;
    }
    if (begin[0] == '\0' && end[0] == '\0') {
        std::printf("no daylight saving time\n");
        return 0;
    }
    std::printf("%s\n%s %s\n%s %s\n", zone, beginLabel, begin, endLabel, end);
    if (sameDay == 1) std::printf("both on the same day\n");
    return 0;
}

int Easter(const std::vector<std::string_view>& args) {
    int32_t year = 0, month = 0, day = 0;
    if (args.size() != 1 || !ParseInt32(args[0], year) || year < 1 || year > 9999)
        return UsageError("easter takes a YEAR of 1-9999");
    KD_EASTERCALC(year, &month, &day);
    std::printf("%02d/%02d/%04d\n", static_cast<int>(month), static_cast<int>(day),
                static_cast<int>(year));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string_view> args(argv + 1, argv + argc);
    if (args.empty()) return UsageError("no command given");
    const std::string_view command = args.front();
    args.erase(args.begin());
    if (command == "--help" || command == "-h" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (command == "check") return Check(args);
    if (command == "convert") return Convert(args);
    if (command == "days") return Days(args);
    if (command == "add") return Add(args);
    if (command == "lapse") return Lapse(args);
    if (command == "between") return BetweenDates(args);
    if (command == "julian") return PrintText(args, "julian takes DATE", Julian);
    if (command == "calendar") return PrintText(args, "calendar takes CCYYDDD", Calendar);
    if (command == "info") return Info(args);
    if (command == "now") return Now(args);
    if (command == "format") return Format(args);
    if (command == "window") return Window(args);
    if (command == "prefer") return Prefer(args);
    if (command == "config") return Config(args);
    if (command == "nextwork") return NextWork(args);
    if (command == "holiday") return Holiday(args);
    if (command == "holidays") return Holidays(args);
    if (command == "dst") return Dst(args);
    if (command == "easter") return Easter(args);
    return UsageError("unknown command");
}
