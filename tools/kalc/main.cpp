// kalc: the command-line front end of kalcore. It is built on the library's
// internal operations, linked in statically, and runs the library's start-up
// before its command as loading the library would.
#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "calendar/differences.h"
#include "calendar/full_date.h"
#include "calendar/weekday.h"
#include "civil/civil_date.h"
#include "format/convert.h"
#include "format/date_reader.h"
#include "format/date_writer.h"
#include "format/julian_text.h"
#include "format/names.h"
#include "format/text_columns.h"
#include "platform/profile.h"
#include "services/configuration.h"
#include "services/conversion_file.h"
#include "services/current_time.h"
#include "services/daylight_saving.h"
#include "services/easter.h"
#include "services/holidays.h"
#include "services/next_working_day.h"
#include "services/sliding_window.h"
#include "services/startup.h"

namespace {

using namespace kalcore;

constexpr const char* kUsage =
    "usage: kalc COMMAND [ARGS]\n"
    "\n"
    "Commands:\n"
    "  check DATE\n"
    "      Validate DATE (a two-digit year takes the current century) and print\n"
    "      it as Mmm/DD/CCYY. Exit status 1 when the date is invalid.\n"
    "  convert DATE [CODE] [--century N | --window YEAR] [--preferred]\n"
    "      Print DATE in the output format CODE (default B, MM/DD/CCYY).\n"
    "      DATE must be exactly one date once blanks are trimmed from its ends\n"
    "      ('12/31/1998 10:30' is none). N is the century selector: 0 the\n"
    "      current century (default), 1-9 the centuries 16-24 (4 = 19xx,\n"
    "      5 = 20xx); 1-9 also replace the century of a four-digit year. With\n"
    "      --window a two-digit year lands in YEAR to YEAR+99 (1000-9900) and a\n"
    "      four-digit year stays. With --preferred the stored preferred format\n"
    "      replaces CODE. Exit status 1 when DATE is invalid.\n"
    "  convert - [CODE] [--century N | --window YEAR] [--preferred]\n"
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

// A date text as the library reads it: the first 11 characters of `text`,
// up to a zero byte, and zeros after them.
void ToDateText(std::string_view text, DateText& out) {
    std::memset(out, 0, sizeof out);
    for (std::size_t i = 0; i < text.size() && i < kMaxDateChars && text[i] != '\0'; ++i)
        out[i] = text[i];
}

// Reads a command-line date; two-digit years take the current century.
bool ReadDateArg(std::string_view text, CivilDate& date) {
    DateText copy;
    ToDateText(text, copy);
    return ReadDateInCurrentCentury(copy, date);
}

// The first character of a command-line code, zero for an empty one.
char CodeOf(std::string_view text) {
    return text.empty() ? '\0' : text[0];
}

int Check(const std::vector<std::string_view>& args) {
    if (args.size() != 1) return UsageError("check takes one DATE");
    DateText date, checked;
    ToDateText(args[0], date);
    if (!ConvertDate(date, 'K', 0, checked)) {
        std::fprintf(stderr, "kalc: not a valid date: %.*s\n", static_cast<int>(args[0].size()),
                     args[0].data());
        return 1;
    }
    std::printf("%s\n", checked);
    return 0;
}

bool ParseSelector(std::string_view text, int& selector) {
    if (text.size() != 1 || text[0] < '0' || text[0] > '9') return false;
    selector = text[0] - '0';
    return true;
}

// A window's first year: four digits, 1000-9900.
bool ParseWindow(std::string_view text, int& first) {
    if (text.size() != 4 || text[0] < '1' || text[0] > '9') return false;
    int year = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        year = year * 10 + (c - '0');
    }
    if (year > 9900) return false;
    first = year;
    return true;
}

// Lines of standard input converted a batch at a time: the batch is read in
// one column call and written in one.
constexpr std::size_t kConvertBatch = 4096;

// Writes the dates of a batch (kNoDateDays for a line that is no date) in
// `layout`, one line each; false when a line was no date.
bool PrintBatch(const std::vector<std::int64_t>& days, const FormatLayout& layout) {
    constexpr std::size_t kWidth = kDateTextSize;
    std::vector<unsigned char> texts(days.size() * kWidth);
    WriteByteBlock(days.data(), days.size(), layout,
                   OutputBlock{texts.data(), kWidth, static_cast<std::ptrdiff_t>(kWidth)});
    bool all = true;
    for (std::size_t i = 0; i < days.size(); ++i) {
        all &= days[i] != kNoDateDays;
        std::printf("%.*s\n", static_cast<int>(kWidth),
                    reinterpret_cast<char*>(&texts[i * kWidth]));
    }
    return all;
}

bool ConvertBatch(const std::vector<std::string>& lines, const ReadingRules& rules,
                  const FormatLayout& layout) {
    std::vector<const char*> texts;
    std::vector<std::size_t> lengths;
    for (const std::string& line : lines) {
        texts.push_back(line.data());
        lengths.push_back(line.size());
    }
    std::vector<std::int64_t> days(lines.size());
    ReadTextColumn(texts.data(), lengths.data(), lines.size(), rules,
                   DayColumn{days.data(), nullptr});
    return PrintBatch(days, layout);
}

int Convert(const std::vector<std::string_view>& rawArgs) {
    std::vector<std::string_view> args;
    int selector = 0, window = 0;
    bool preferred = false, centuryGiven = false;
    for (std::size_t i = 0; i < rawArgs.size(); ++i) {
        std::string_view arg = rawArgs[i];
        if (arg == "--preferred") {
            preferred = true;
        } else if (arg == "--century" || arg.substr(0, 10) == "--century=") {
            const bool split = arg == "--century";
            if ((split && i + 1 >= rawArgs.size()) ||
                !ParseSelector(split ? rawArgs[++i] : arg.substr(10), selector))
                return UsageError("--century takes a selector 0-9");
            centuryGiven = true;
        } else if (arg == "--window" || arg.substr(0, 9) == "--window=") {
            const bool split = arg == "--window";
            if ((split && i + 1 >= rawArgs.size()) ||
                !ParseWindow(split ? rawArgs[++i] : arg.substr(9), window))
                return UsageError("--window takes a first year 1000-9900");
        } else {
            args.push_back(arg);
        }
    }
    if (centuryGiven && window != 0) return UsageError("--century and --window exclude each other");
    if (args.empty() || args.size() > 2) return UsageError("convert takes DATE [CODE]");
    const std::string code(args.size() == 2 ? args[1] : std::string_view("B"));
    if (code.size() != 1) return UsageError("CODE is one character");

    // Keywords are dates on the command line, whichever rule places two-digit years.
    const ReadingRules rules{window != 0 ? YearRule{YearRule::Kind::kWindow, window}
                                         : YearRule{YearRule::Kind::kSelector, selector},
                             true};
    const FormatLayout* layout = LayoutForEitherCase(services::OutputCode(code[0], preferred));
    if (args[0] != "-") {
        DateReading reading;
        if (layout == nullptr || !ReadExactText(args[0].data(), args[0].size(), rules, reading)) {
            std::fprintf(stderr, "kalc: cannot convert: %.*s\n", static_cast<int>(args[0].size()),
                         args[0].data());
            return 1;
        }
        DateText output;
        WriteDate(*layout, reading.date, output);
        std::printf("%s\n", output);
        return 0;
    }

    bool all = true;
    std::vector<std::string> lines;
    std::string line;
    const auto flush = [&] {
        if (layout == nullptr) {
            for (std::size_t i = 0; i < lines.size(); ++i) std::printf("\n");
            all = all && lines.empty();
        } else {
            all = ConvertBatch(lines, rules, *layout) && all;
        }
        lines.clear();
    };
    for (int c; (c = std::getchar()) != EOF || !line.empty();) {
        if (c != '\n' && c != EOF) {
            line.push_back(static_cast<char>(c));
            continue;
        }
        lines.push_back(std::move(line));
        line.clear();
        if (lines.size() == kConvertBatch) flush();
        if (c == EOF) break;
    }
    flush();
    return all ? 0 : 1;
}

int Days(const std::vector<std::string_view>& args) {
    if (args.size() != 2) return UsageError("days takes DATE1 DATE2");
    CivilDate first, second;
    if (!ReadDateArg(args[0], first) || !ReadDateArg(args[1], second)) {
        std::fprintf(stderr, "kalc: not a valid pair of dates\n");
        return 1;
    }
    std::printf("%d\n", static_cast<int>(DaysBetween(first, second)));
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
    CivilDate date, moved;
    if (!ReadDateArg(args[1], date) || !MoveDate(date, static_cast<int32_t>(n), moved)) {
        std::fprintf(stderr, "kalc: cannot move that date by %ld days\n", n);
        return 1;
    }
    DateText text;
    WriteDate(LayoutOf<'B'>(), moved, text);
    std::printf("%s\n", text);
    return 0;
}

// Runs a command that fills a 12-byte text from one argument.
int PrintText(const std::vector<std::string_view>& args, const char* usage,
              bool (*fn)(std::string_view, DateText&)) {
    if (args.size() != 1) return UsageError(usage);
    DateText text;
    if (!fn(args[0], text)) {
        std::fprintf(stderr, "kalc: not valid: %.*s\n", static_cast<int>(args[0].size()),
                     args[0].data());
        return 1;
    }
    std::printf("%s\n", text);
    return 0;
}

int LapseCommand(const std::vector<std::string_view>& args) {
    if (args.size() != 2) return UsageError("lapse takes START END");
    CivilDate start, end;
    if (!ReadDateArg(args[0], start) || !ReadDateArg(args[1], end)) {
        std::fprintf(stderr, "kalc: not a valid pair of dates\n");
        return 1;
    }
    const Lapse lapse = LapseBetween(start, end);
    std::printf("%d years %d months %d weeks %d days%s\n", static_cast<int>(lapse.years),
                static_cast<int>(lapse.months), static_cast<int>(lapse.weeks),
                static_cast<int>(lapse.days), lapse.reversed ? " (end before start)" : "");
    return 0;
}

int BetweenDates(const std::vector<std::string_view>& args) {
    if (args.size() != 3) return UsageError("between takes FIRST MIDDLE LAST");
    CivilDate first, middle, last;
    if (!ReadDateArg(args[0], first) || !ReadDateArg(args[1], middle) ||
        !ReadDateArg(args[2], last)) {
        std::fprintf(stderr, "kalc: not a valid date among the three\n");
        return 2;
    }
    const bool between = IsBetween(first, middle, last);
    std::printf("%s\n", between ? "yes" : "no");
    return between ? 0 : 1;
}

int Info(const std::vector<std::string_view>& args) {
    if (args.size() != 1) return UsageError("info takes DATE");
    CivilDate d;
    if (!ReadDateArg(args[0], d)) {
        std::fprintf(stderr, "kalc: not a valid date: %s\n", std::string(args[0]).c_str());
        return 1;
    }
    const Weekday weekday = WeekdayOf(d);
    JulianText julian;
    WriteJulianText(d, julian);
    std::printf("day %d\nmonth %d %s\nyear %02d\ncentury %d\nfull year %d\n", d.day, d.month,
                kMonthNames[d.month], YearOfCentury(d.year), CenturyOf(d.year), d.year);
    std::printf("day of week %d %s\nweek of month %d\nleap year %s\njulian %s\nserial %d\n",
                static_cast<int>(weekday), DayName(weekday), WeekOfMonth(d),
                IsLeapYear(d.year) ? "yes" : "no", julian, static_cast<int>(SerialDay(d)));
    return 0;
}

bool Julian(std::string_view text, DateText& out) {
    CivilDate d;
    if (!ReadDateArg(text, d)) return false;
    JulianText julian;
    WriteJulianText(d, julian);
    std::memcpy(out, julian, sizeof julian);
    return true;
}

bool Calendar(std::string_view text, DateText& out) {
    // At most the first 7 characters, as a Julian text holds.
    JulianText julian = {};
    for (std::size_t i = 0; i < text.size() && i < 7 && text[i] != '\0'; ++i) julian[i] = text[i];
    CivilDate d;
    if (!ReadJulianText(julian, d)) return false;
    WriteDate(LayoutOf<'A'>(), d, out);
    return true;
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
    DateText date;
    TimeOfDayText time;
    if (!services::CurrentDateTime(CodeOf(code), HasFlag(flags, "--preferred"), hour24, date,
                                   time)) {
        std::fprintf(stderr, "kalc: not a format code: %s\n", code.c_str());
        return 1;
    }
    if (hour24)
        std::printf("%s %s\n", date, time.time);
    else
        std::printf("%s %s %s\n", date, time.time, time.amPm);
    return 0;
}

int Format(std::vector<std::string_view> args) {
    std::vector<std::string_view> flags;
    if (!TakeFlags(args, {"--abbr-month", "--abbr-day", "--time", "--24", "--ampm"}, flags) ||
        args.size() != 2)
        return UsageError(
            "format takes DATE CODE [--abbr-month] [--abbr-day] [--time] [--24] [--ampm]");
    DateText input;
    ToDateText(args[0], input);
    // A keyword as it stands brings the time.
    int daysBack;
    const bool keyword = MatchDateKeyword(input, daysBack);
    CivilDate read;
    FullDateText text;
    if (!ReadDateInCurrentCentury(input, read) ||
        !SpellOutDate(read, CodeOf(args[1]), keyword,
                      {HasFlag(flags, "--abbr-month"), HasFlag(flags, "--abbr-day"),
                       HasFlag(flags, "--time"), HasFlag(flags, "--24"), HasFlag(flags, "--ampm")},
                      text)) {
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
    CivilDate pivot, check;
    if (!ReadDateArg(args[0], pivot) || !ReadDateArg(args[2], check)) {
        std::fprintf(stderr, "kalc: not a valid pair of dates\n");
        return 2;
    }
    const services::WindowAnswer answer =
        services::SlidingWindow(pivot, static_cast<int32_t>(years), check);
    if (answer.inWindow)
        std::printf("inside the %s window\n", answer.direction > 0 ? "forward" : "backward");
    else
        std::printf("outside the window\n");
    return answer.inWindow ? 0 : 1;
}

// The stored preferred format, 0 when none is stored.
char PreferredCode() {
    char code = 0;
    return services::ReadConversionCode(code) ? code : 0;
}

int Prefer(const std::vector<std::string_view>& args) {
    if (args.size() > 1) return UsageError("prefer takes [CODE]");
    char code;
    if (args.size() == 1) {
        if (!services::WriteConversionCode(std::string(args[0]).c_str())) {
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
    DateText sample = "";
    WriteDate(*LayoutForEitherCase(code), CivilDate{1998, 7, 4}, sample);
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
    CivilDate start, next;
    if (!ReadDateArg(args[0], start) ||
        !services::NextWorkingDay(start, count, HasFlag(flags, "--holidays"), next)) {
        std::fprintf(stderr,
                     "kalc: no working day found (invalid date, unreadable holiday file or past "
                     "the year 9999)\n");
        return 1;
    }
    DateText result;
    WriteDate(LayoutOf<'A'>(), next, result);
    std::printf("%s\n", result);
    return 0;
}

int Holiday(const std::vector<std::string_view>& args) {
    if (args.size() != 1) return UsageError("holiday takes DATE");
    CivilDate date;
    services::HolidayLookup found;
    if (!ReadDateArg(args[0], date) || !services::LookUpHoliday(date, found)) {
        std::fprintf(stderr, "kalc: not a valid date, or the holiday file holds no record: %s\n",
                     std::string(args[0]).c_str());
        return 2;
    }
    if (!found.isHoliday) {
        std::printf("no holiday\n");
        return 1;
    }
    std::printf("%s (%s)\n", found.name, found.dayOff ? "day off" : "working day");
    return 0;
}

int Holidays(const std::vector<std::string_view>& args) {
    using namespace kalcore::services;
    if (args.size() != 1) return UsageError("holidays takes YEAR");
    const std::string yearText(args[0]);
    int year = 0;
    if (!ReadYearText(yearText.c_str(), year)) return UsageError("YEAR is a year such as 2026");
    HostPath path = "";
    const int written = AddHolidayYear(year, path);
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
    int year = 0;
    if (!ReadYearText(std::string(args[0]).c_str(), year)) {
        std::fprintf(stderr, "kalc: not a year: %s\n", std::string(args[0]).c_str());
        return 1;
    }
    const services::DaylightSavingDates dates = services::DaylightSavingTimes(year);
    if (dates.begin[0] == '\0' && dates.end[0] == '\0') {
        std::printf("no daylight saving time\n");
        return 0;
    }
    std::printf("%s\n%s %s\n%s %s\n", dates.zone, dates.beginLabel, dates.begin, dates.endLabel,
                dates.end);
    if (dates.sameDay) std::printf("both on the same day\n");
    return 0;
}

int Easter(const std::vector<std::string_view>& args) {
    int32_t year = 0;
    if (args.size() != 1 || !ParseInt32(args[0], year) || year < 1 || year > 9999)
        return UsageError("easter takes a YEAR of 1-9999");
    const services::MonthDay easter = services::EasterSunday(year);
    std::printf("%02d/%02d/%04d\n", easter.month, easter.day, static_cast<int>(year));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    kalcore::services::RunStartUp();
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
    if (command == "lapse") return LapseCommand(args);
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
