/*
 * kalcore: date validation, conversion and arithmetic for the change of
 * century, as a flat C interface.
 *
 * Conventions shared by every export:
 *  - Texts are 8-bit and NUL-terminated, in buffers the caller owns. A date
 *    argument is read up to its first 11 characters; trailing blanks are
 *    ignored, so a blank-padded fixed-width field works as well.
 *  - A buffer that receives a date must hold 12 bytes: at most 11 characters
 *    and a terminator are written. A format code is a text of which only the
 *    first character counts (upper or lower case).
 *  - A century selector gives a two-digit year its century: 0 the current
 *    century from the local clock, 1-9 the centuries 16-24 (1 = 16xx,
 *    4 = 19xx, 5 = 20xx, 9 = 24xx); 1-9 also replace the century of a date
 *    written with four digits of year. Any other selector fails the call.
 *  - Instead of a date every date argument accepts the keywords TODAY and NOW
 *    and YESTER, YESTER0 .. YESTER7 (1, 1 .. 8 days before today; any case).
 *  - 1 is success and 0 failure. A null pointer fails the call; nothing is
 *    written through it.
 *  - The library never allocates memory for the caller and never keeps a
 *    caller's pointer.
 */
#ifndef KALCORE_H
#define KALCORE_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(_M_IX86) || defined(__i386__)
#define KALCORE_CALL __stdcall
#else
#define KALCORE_CALL
#endif
#if defined(KALCORE_BUILDING) && defined(__MINGW32__)
/* Exported through kalcore.def alone: a dllexport attribute would add a
 * decorated twin (NAME@12) of every 32-bit stdcall export. */
#define KALCORE_API
#elif defined(KALCORE_BUILDING)
#define KALCORE_API __declspec(dllexport)
#else
#define KALCORE_API __declspec(dllimport)
#endif
#else
#define KALCORE_CALL
#define KALCORE_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/*
 * Tests whether `date` holds a valid date (a two-digit year takes the current
 * century). When it does, rewrites the buffer in place as Mmm/DD/CCYY, for
 * example "Dec/31/1998" (11 characters and a terminator: the buffer must hold
 * 12 bytes, and its first 11 are read whatever the text's length) and returns
 * 1. Otherwise returns 0 and leaves the buffer as it was.
 */
KALCORE_API int32_t KALCORE_CALL KD_ISVDATE(char* date);

/*
 * Converts the date in `input` into the format named by `code`, writing at
 * most 11 characters and a terminator into `output` (12 bytes; on success the
 * bytes after the terminator are zeroed). With
 * `useConversionFile` 1 the preferred format stored by the library replaces
 * `code`. `centurySelector` as described above. Returns 1 on success; on
 * failure returns 0 and leaves `output` empty. `input` and `code` are not
 * modified.
 */
KALCORE_API int32_t KALCORE_CALL KD_CONVDATE(const char* input, char* output, const char* code,
                                             int32_t useConversionFile, int32_t centurySelector);

/*
 * Counts the days from `first` to `second` into `*days`: positive when the
 * second date is the later one. Returns 1; when either date is invalid
 * returns 0 with `*days` = 0.
 */
KALCORE_API int32_t KALCORE_CALL KD_CMPTENUMDAYS(const char* first, const char* second,
                                                 int32_t* days);

/*
 * Moves `date` by `days` (negative moves back) and writes the result as
 * MM/DD/CCYY into `result` (12 bytes). Returns 1; returns 0 with an empty
 * result when the date is invalid or the moved date falls outside the years
 * 1000-9999.
 */
KALCORE_API int16_t KALCORE_CALL KD_CMPTEADATE(int32_t days, const char* date, char* result);

/*
 * Returns 1 when `middle` lies strictly between `first` and `last`
 * (first < middle < last), -1 when it does not, 0 when a date is invalid.
 */
KALCORE_API int32_t KALCORE_CALL KD_BETWEEN(const char* first, const char* middle,
                                            const char* last);

/*
 * The span from `start` to `end` in years, months, weeks and days; a span
 * within one month counts its days, partial first and last months add up.
 * `*reversed` = 1 when the end precedes the start (the four values are then
 * negative or zero). Returns 1; returns 0 with all five set to -1 when a date
 * is invalid.
 */
KALCORE_API int32_t KALCORE_CALL KD_DATELAPSE(const char* start, const char* end, int32_t* years,
                                              int32_t* months, int32_t* weeks, int32_t* days,
                                              int32_t* reversed);

/*
 * Writes the English day name of `date` ("Sunday" .. "Saturday") into `name`
 * (at least 10 bytes) and returns 1; returns 0 with an empty name for an
 * invalid date.
 */
KALCORE_API int16_t KALCORE_CALL KD_CDOW(const char* date, char* name);

/*
 * Sets `*number` to the day of the week of `date`, 1 = Sunday .. 7 =
 * Saturday, and returns 1; returns 0 with -1 for an invalid date.
 */
KALCORE_API int32_t KALCORE_CALL KD_NDOW(const char* date, int32_t* number);

/*
 * Sets `*week` to the week of the month of `date`: the number of Sundays from
 * the 1st of the month up to the date, 0-5. Returns 1; returns 0 with -1 for
 * an invalid date.
 */
KALCORE_API int32_t KALCORE_CALL KD_WEEKNO(const char* date, int32_t* week);

/*
 * Writes the Julian date CCYYDDD (year and day of the year, 1998365 for
 * 31 December 1998) of `date` into `julian` (at least 8 bytes) and returns 1;
 * returns 0 with an empty text for an invalid date.
 */
KALCORE_API int32_t KALCORE_CALL KD_JULIANDATE(const char* date, char* julian);

/*
 * Converts a Julian date CCYYDDD (only its first 7 characters are read) into
 * MM-DD-CCYY in `date` (12 bytes) and returns 1; returns 0 with an empty
 * text when it is not 7 digits naming a day of the years 1000-9999.
 */
KALCORE_API int16_t KALCORE_CALL KD_REVJULIANDATE(const char* julian, char* date);

/*
 * Pieces of a date. Each returns 1, or 0 for an invalid date. The character
 * forms write a text (3 bytes: day "04", year within the century "98",
 * century "19"; 5 bytes: four-digit year "1998"; 10 bytes: month name
 * "December") and leave it empty on failure. The numeric forms write a number
 * and on failure -1 (day, month) or 0 (years, century, leap flag).
 */
KALCORE_API int16_t KALCORE_CALL KD_CDAYNO(const char* date, char* text);
KALCORE_API int32_t KALCORE_CALL KD_NDAYNO(const char* date, int32_t* number);
KALCORE_API int16_t KALCORE_CALL KD_CMONTH(const char* date, char* text);
KALCORE_API int32_t KALCORE_CALL KD_NMONTH(const char* date, int32_t* number);
KALCORE_API int16_t KALCORE_CALL KD_CYEAR(const char* date, char* text);
KALCORE_API int16_t KALCORE_CALL KD_NYEAR(const char* date, int32_t* number);
KALCORE_API int16_t KALCORE_CALL KD_CCNTRY(const char* date, char* text);
KALCORE_API int16_t KALCORE_CALL KD_NCNTRY(const char* date, int32_t* number);
KALCORE_API int16_t KALCORE_CALL KD_CFULCNTRYYR(const char* date, char* text);
KALCORE_API int16_t KALCORE_CALL KD_NFULCNTRYYR(const char* date, int32_t* number);
/* `*number` = 1 when the date's year is a Gregorian leap year, else 0. */
KALCORE_API int32_t KALCORE_CALL KD_ISLEAPYR(const char* date, int32_t* number);

/*
 * The century a selector names, as two characters in `text` (3 bytes) or as
 * a number; 0 gives the current century. Always returns 1; a selector outside
 * 0-9 gives an empty text or 0.
 */
KALCORE_API int16_t KALCORE_CALL KD_CGETCNTRY(int32_t selector, char* text);
KALCORE_API int16_t KALCORE_CALL KD_IGETCNTRY(int32_t selector, int32_t* number);

/*
 * Serial day numbers (1 January 2000 is 730500, one per day of the Gregorian
 * calendar). Mode 1: `*serial` receives the number of `date`. Mode 2: `date`
 * (12 bytes) receives MM-DD-CCYY of the number in `*serial`. Returns 1; 0 for
 * an invalid date, a number outside the years 1-9999 (the buffer is then left
 * as it was), or another mode.
 */
KALCORE_API int16_t KALCORE_CALL KD_CNTRYDAY(char* date, int32_t mode, int32_t* serial);

/*
 * Writes `date` as day name, ", " and the date in the format `code` names,
 * for example "Saturday, July/04/1998" (code K) or "Sat, 07/04/1998 at
 * 14:05:09 PM", into `output` (44 bytes; at most 43 characters). For the
 * twenty codes with a month abbreviation the month is spelled out unless
 * `abbreviateMonth` is 1. `abbreviateDay` 1 gives "Sat". `includeTime` 1
 * appends " at " and the current time, on the 24-hour clock unless
 * `twentyFourHour` is 0, followed by " AM"/" PM" unless `amPm` is 0. A
 * keyword date (TODAY, ...) always brings the time: with `includeTime` 0 it
 * is on the 24-hour clock with " AM"/" PM". Returns 1; 0 with an empty output
 * for an invalid date or code.
 */
KALCORE_API int16_t KALCORE_CALL KD_AFULLDATEFORMAT(const char* date, char* output,
                                                    const char* code, int32_t abbreviateMonth,
                                                    int32_t abbreviateDay, int32_t includeTime,
                                                    int32_t twentyFourHour, int32_t amPm);

/*
 * The clock. `hourMode` 1 is the 24-hour clock; any other value the 12-hour
 * clock, on which 13-23 become 1-11 while 0 and 12 stay as they are.
 *
 * KD_DATE: today's date in the format `code` names into `date` (12 bytes).
 * KD_DATEANDTIME: the same (with `useConversionFile` 1 the stored preferred
 * format replaces `code`), the time HH:MM:SS into `time` (9 bytes) and "AM"
 * or "PM" (by the 24-hour hour) into `amPm` (3 bytes). Both return 1, or 0
 * with empty outputs for a code the writer refuses.
 */
KALCORE_API int16_t KALCORE_CALL KD_DATE(char* date, const char* code);
KALCORE_API int16_t KALCORE_CALL KD_DATEANDTIME(char* date, const char* code, char* time,
                                                char* amPm, int32_t hourMode,
                                                int32_t useConversionFile);
/* HH:MM:SS into `time` (9 bytes). */
KALCORE_API int16_t KALCORE_CALL KD_TIME(char* time, int32_t hourMode);
/* The hour as a number (`*hour`) or as two digits (`hour`, 3 bytes). */
KALCORE_API int32_t KALCORE_CALL KD_HOUR(int32_t* hour, int32_t hourMode);
KALCORE_API int32_t KALCORE_CALL KD_CHOUR(char* hour, int32_t hourMode);
/* The minute and second, 0-59, as numbers or as two digits (3 bytes). */
KALCORE_API int16_t KALCORE_CALL KD_MINT(int32_t* minute);
KALCORE_API int16_t KALCORE_CALL KD_SEC(int32_t* second);
KALCORE_API int16_t KALCORE_CALL KD_CMINT(char* minute);
KALCORE_API int16_t KALCORE_CALL KD_CSEC(char* second);

/*
 * The preferred output format, kept in the date conversion file for every
 * caller on the machine. KD_DTCVCREATEFILE stores the format that the first
 * character of `code` names; 0 when it is no format code (the stored one is
 * kept) or the file cannot be written. KD_DATECNVFILE returns 1 when a valid
 * format is stored; `unused` is neither read nor written.
 */
KALCORE_API int16_t KALCORE_CALL KD_DTCVCREATEFILE(const char* code);
KALCORE_API int32_t KALCORE_CALL KD_DATECNVFILE(const char* unused);

/*
 * Whether `check` lies in the window that starts at `pivot` and reaches
 * `years` years forward (positive) or back (negative), both ends included:
 * `*inWindow` 1 or 0, `*direction` the sign of `years` (a window of 0 years
 * holds no date). A window reaching past the years 1-9999 ends there.
 * Returns 1; 0 with both outputs 0 when either date is invalid.
 */
KALCORE_API int32_t KALCORE_CALL KD_SLIDINGWINDOWPROC(const char* pivot, int32_t years,
                                                      const char* check, int32_t* inWindow,
                                                      int32_t* direction);

/*
 * Holidays and working days. The library keeps a holiday file that it fills,
 * each time it is loaded, with the holidays of the key year of its
 * configuration; only dates of years built into the file can be holidays.
 */

/*
 * Writes into `result` (12 bytes) the date, as MM-DD-CCYY, that lies `*count`
 * working days after `date` (the absolute value counts; 0 counts as 1; the
 * start date itself never counts). Saturdays and Sundays are skipped; with
 * `useHolidays` 1 so are the holidays on which work stops (a missing holiday
 * file makes no day a holiday). Returns 1; 0 with an empty result for an
 * invalid date, a holiday file that holds no record (with `useHolidays` 1),
 * or a result beyond the year 9999. `*count` is not changed.
 */
KALCORE_API int16_t KALCORE_CALL KD_NXTWRKDAY(const char* date, char* result, const int32_t* count,
                                              int32_t useHolidays);

/*
 * Tells whether `date` is a holiday: `*isHoliday` 1 with its name in `name`
 * (29 bytes; for example "Christmas_Day - Observed.") and `*dayOff` 1 when
 * work stops that day, or 0 for a holiday that is a working day or the
 * calendar date of a holiday whose day off was moved. A date with several
 * holidays (Friday 31 December: New Years Eve, and the next year's New Year
 * observed) reports the one on which work stops. Not a holiday (or no
 * holiday file): 0, an empty name and 0. Returns 1; 0 with `*isHoliday` and
 * `*dayOff` 0 and the name untouched for an invalid date or a holiday file
 * that holds no record.
 */
KALCORE_API int16_t KALCORE_CALL KD_ISTODAYAHOLDY(const char* date, int32_t* isHoliday, char* name,
                                                  int32_t* dayOff);

/*
 * Daylight saving and Easter.
 */

/*
 * The dates on which daylight saving time begins and ends in a year on this
 * machine. `year` is two or four digits (only its first 7 characters are
 * read; two digits take the current century). On success returns 1 with
 * `*status` = 1 and writes:
 *  - `zone` (75 bytes): "GMT +hh:mm " or "GMT -hh:mm " and the zone's name
 *    in force, e.g. "GMT -05:00 EST"; the name alone when the offset is under
 *    one hour;
 *  - `*sameDay`: 1 when both dates fall on the same day, else 0;
 *  - `begin` and `end` (12 bytes each): MM-DD-CCYY;
 *  - `beginLabel` and `endLabel` (24 bytes each): "DayLight Savings Begins"
 *    and "DayLight Savings Ends  ".
 * A zone without daylight saving (or no zone information) gives 1 with every
 * text empty and `*sameDay` 0. A year that is not valid gives 0 with
 * `*status` = 0 and the other outputs untouched.
 */
KALCORE_API int16_t KALCORE_CALL KD_DAYLIGHTSAVINGSTIMES(const char* year, char* zone,
                                                         int32_t* status, int32_t* sameDay,
                                                         char* begin, char* end, char* beginLabel,
                                                         char* endLabel);

/*
 * The date of Western (Gregorian) Easter Sunday of `year` (a full year such
 * as 2024): `*month` 3 or 4 and `*day`. Returns 1.
 */
KALCORE_API int16_t KALCORE_CALL KD_EASTERCALC(int32_t year, int32_t* month, int32_t* day);

/*
 * Dialogs and information boxes. AboutBox runs the product information
 * dialog and HelpBox the dialog of valid date formats, modally and without an
 * owner window; each returns 1 when a button closed it and -1 when it could
 * not be created (on POSIX systems: no display, or no dialog module
 * kalcore3/libkalcore_dialogs.so beside the library). KD_HELPABOUTME shows the
 * about-the-library box and KD_ABOUTDLL the ownership box; both return 1,
 * also when no box can be shown.
 */
KALCORE_API int32_t KALCORE_CALL AboutBox(void);
KALCORE_API int32_t KALCORE_CALL HelpBox(void);
KALCORE_API int16_t KALCORE_CALL KD_HELPABOUTME(void);
KALCORE_API int16_t KALCORE_CALL KD_ABOUTDLL(void);

/*
 * Integer and text helpers for languages without bit operators. A "word" is
 * 16 bits unsigned; results wrap within their width.
 */

/* Upper-cases `text` in place (a-z only; every other byte stays); returns 0.
 * A null text is left alone. */
KALCORE_API int32_t KALCORE_CALL UpperCaseString(char* text);

/* Doubles the 16-bit integer in place (0x4000 becomes -32768) and returns
 * the pointer it was given. */
KALCORE_API int16_t* KALCORE_CALL DoubleInt(int16_t* value);

/* `value` times 2, wrapping within 32 bits. */
KALCORE_API int32_t KALCORE_CALL DoubleInt2(int32_t value);

/* The low and high 8 bits of a word. */
KALCORE_API uint16_t KALCORE_CALL LoByte(uint16_t word);
KALCORE_API uint16_t KALCORE_CALL HiByte(uint16_t word);

/* The low and high 16 bits of a 32-bit value (HiWord(-1) is 65535). */
KALCORE_API uint16_t KALCORE_CALL LoWord(int32_t value);
KALCORE_API uint16_t KALCORE_CALL HiWord(int32_t value);

/* high * 256 + low, of the low 8 bits of each. */
KALCORE_API uint16_t KALCORE_CALL MakeWord(int32_t low, int32_t high);

/* high * 65536 + low, of the low 16 bits of each. */
KALCORE_API int32_t KALCORE_CALL MakeLong(int32_t low, int32_t high);

/* The low 16 bits of `value` shifted by the low 5 bits of `count`: left into
 * a 32-bit result (ShiftLeft(0xFFFF, 4) is 0xFFFF0), or right, unsigned,
 * within 16 bits. */
KALCORE_API int32_t KALCORE_CALL ShiftLeft(int32_t value, int32_t count);
KALCORE_API uint16_t KALCORE_CALL ShiftRight(int32_t value, int32_t count);

#ifdef __cplusplus
}
#endif

#endif /* KALCORE_H */
