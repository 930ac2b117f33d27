/*
 * kalcore_sqlite: the kalcore date functions as SQLite scalar functions.
 *
 *   .load kalcore_sqlite
 *   SELECT kal_convert('12/31/98', 'G', 4);   -- 1998-12-31
 *
 * A NULL argument gives NULL, and so does a text that is no date: cleaning a
 * column never stops at its first bad row. Dates come back as CCYY-MM-DD,
 * the text SQLite's own date functions read. Misused arguments (an unknown
 * format code, a rule for two-digit years that is neither a century 1-9 nor
 * a window 1000-9900, a count of working days below 1) are errors.
 *
 * Forms that take a rule for two-digit years (a century selector 1-9, or
 * the first year of a window: 1950 reads 49 as 2049 and 50 as 1950) read no
 * clock and are flagged deterministic (usable in indexes and generated
 * columns): in them the keywords TODAY, NOW and YESTER.. are no dates. The
 * other forms give a two-digit year the current century and accept the
 * keywords.
 */
#include <sqlite3ext.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include "kalcore_sql.h"

SQLITE_EXTENSION_INIT1

/* The date argument `index` into `out`; 0 for NULL or a text that is no date. */
static int DateArgument(sqlite3_value** argv, int index, char out[12]) {
    if (sqlite3_value_type(argv[index]) == SQLITE_NULL) return 0;
    const char* text = (const char*)sqlite3_value_text(argv[index]);
    return text != NULL && kal_sql_date_text(text, (size_t)sqlite3_value_bytes(argv[index]), out);
}

/* A whole-number argument that fits 32 bits; 0 for NULL or anything else. */
static int Int32Argument(sqlite3_value* value, int32_t* out) {
    if (sqlite3_value_numeric_type(value) != SQLITE_INTEGER) return 0;
    const sqlite3_int64 n = sqlite3_value_int64(value);
    if (n < INT32_MIN || n > INT32_MAX) return 0;
    *out = (int32_t)n;
    return 1;
}

/* The rule argument of a deterministic form (a century 1-9 or a window
 * 1000-9900) as reading options, or an error. */
static int RuleArgument(sqlite3_context* context, sqlite3_value* value, kal_options* options) {
    int32_t rule = 0;
    if (Int32Argument(value, &rule) && rule != KAL_SQL_NO_RULE && kal_sql_options(rule, options))
        return 1;
    sqlite3_result_error(context,
                         "kalcore: the century is a selector 1-9 (4 = 19xx, 5 = 20xx) or the first "
                         "year of a window 1000-9900 (1950: 1950-2049); leave it out for the "
                         "current century",
                         -1);
    return 0;
}

/* The options of a call whose rule is argument `index` when there are more
 * than `index` arguments, else the current century with keywords; 0 after an
 * error. */
static int ReadOptions(sqlite3_context* context, int argc, sqlite3_value** argv, int index,
                       kal_options* options) {
    if (argc > index) return RuleArgument(context, argv[index], options);
    return kal_sql_options(KAL_SQL_NO_RULE, options);
}

/* Reads argument 0 as a date; 0 when it is no date. */
static int ReadArgument(sqlite3_value** argv, const kal_options* options, kal_date* date) {
    const char* text = (const char*)sqlite3_value_text(argv[0]);
    return text != NULL && kal_sql_read(text, (size_t)sqlite3_value_bytes(argv[0]), options, date);
}

static int AnyNull(int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) return 1;
    return 0;
}

static void ResultIso(sqlite3_context* context, const char* date) {
    char iso[11];
    kal_sql_iso(date, iso);
    sqlite3_result_text(context, iso, 10, SQLITE_TRANSIENT);
}

/* kal_convert(date, code [, century or window]): the date in the output format `code`. */
static void Convert(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) return;
    kal_options options;
    if (!ReadOptions(context, argc, argv, 2, &options)) return;
    const char* code = (const char*)sqlite3_value_text(argv[1]);
    if (code == NULL || sqlite3_value_bytes(argv[1]) != 1) {
        sqlite3_result_error(context, "kal_convert: the format code is one character", -1);
        return;
    }
    kal_date date;
    char out[12];
    int32_t status = KAL_E_CODE;
    if (ReadArgument(argv, &options, &date)) {
        status = kal_format(date.year, date.month, date.day, code[0], out, sizeof out, NULL);
        if (status == KAL_OK) {
            sqlite3_result_text(context, out, -1, SQLITE_TRANSIENT);
            return;
        }
    } else if (kal_sql_code_valid(code)) {
        return; /* no date: NULL */
    }
    if (status == KAL_E_CODE) sqlite3_result_error(context, "kal_convert: not a format code", -1);
}

/* kal_is_date(text [, century or window]): 1 when the text is a date, else 0. */
static void IsDate(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) return;
    kal_options options;
    if (!ReadOptions(context, argc, argv, 1, &options)) return;
    kal_date date;
    sqlite3_result_int(context, ReadArgument(argv, &options, &date));
}

/* kal_days(a, b): the days from a to b. */
static void Days(sqlite3_context* context, int argc, sqlite3_value** argv) {
    (void)argc;
    char first[12], second[12];
    int32_t days = 0;
    if (DateArgument(argv, 0, first) && DateArgument(argv, 1, second) &&
        KD_CMPTENUMDAYS(first, second, &days) == 1)
        sqlite3_result_int(context, days);
}

/* kal_add_days(n, date): the date moved by n days. */
static void AddDays(sqlite3_context* context, int argc, sqlite3_value** argv) {
    (void)argc;
    int32_t days = 0;
    char date[12], out[12];
    if (Int32Argument(argv[0], &days) && DateArgument(argv, 1, date) &&
        KD_CMPTEADATE(days, date, out) == 1)
        ResultIso(context, out);
}

/* kal_weekday(date): 1 (Sunday) to 7 (Saturday). */
static void Weekday(sqlite3_context* context, int argc, sqlite3_value** argv) {
    (void)argc;
    char date[12];
    int32_t day = 0;
    if (DateArgument(argv, 0, date) && KD_NDOW(date, &day) == 1) sqlite3_result_int(context, day);
}

/* kal_julian(date): CCYYDDD as a number. */
static void Julian(sqlite3_context* context, int argc, sqlite3_value** argv) {
    (void)argc;
    char date[12], out[12];
    if (DateArgument(argv, 0, date) && KD_JULIANDATE(date, out) == 1)
        sqlite3_result_int(context, (int)strtol(out, NULL, 10));
}

/* kal_is_holiday(date): 1 when the date is a holiday of the holiday file. */
static void IsHoliday(sqlite3_context* context, int argc, sqlite3_value** argv) {
    (void)argc;
    char date[12], name[29];
    int32_t isHoliday = 0, dayOff = 0;
    if (DateArgument(argv, 0, date) && KD_ISTODAYAHOLDY(date, &isHoliday, name, &dayOff) == 1)
        sqlite3_result_int(context, isHoliday == 1);
}

/* kal_next_working_day(date, n [, holidays]): n working days after the date,
 * past weekends and (unless `holidays` is 0) the holidays that stop work. */
static void NextWorkingDay(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (AnyNull(argc, argv)) return;
    int32_t count = 0;
    if (!Int32Argument(argv[1], &count) || count < 1) {
        sqlite3_result_error(context, "kal_next_working_day: n counts working days from 1", -1);
        return;
    }
    const int holidays = argc == 3 ? sqlite3_value_int(argv[2]) != 0 : 1;
    char date[12], out[12];
    if (DateArgument(argv, 0, date) && KD_NXTWRKDAY(date, out, &count, holidays) == 1)
        ResultIso(context, out);
}

/* kal_easter(year): Easter Sunday of a year 1-9999. */
static void Easter(sqlite3_context* context, int argc, sqlite3_value** argv) {
    (void)argc;
    int32_t year = 0, month = 0, day = 0;
    if (!Int32Argument(argv[0], &year) || year < 1 || year > 9999) return;
    KD_EASTERCALC(year, &month, &day);
    char date[12];
    snprintf(date, sizeof date, "%02d-%02d-%04d", (int)month, (int)day, (int)year);
    ResultIso(context, date);
}

#ifdef _WIN32
__declspec(dllexport)
#endif
    int sqlite3_kalcoresqlite_init(sqlite3* db, char** error, const sqlite3_api_routines* api) {
    (void)error;
    SQLITE_EXTENSION_INIT2(api);
    enum {
        kFixed = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS,
        kClock = SQLITE_UTF8 | SQLITE_INNOCUOUS,
        kFiles = SQLITE_UTF8,
    };
    static const struct {
        const char* name;
        int arguments;
        int flags;
        void (*function)(sqlite3_context*, int, sqlite3_value**);
    } kFunctions[] = {
        {"kal_convert", 2, kClock, Convert},
        {"kal_convert", 3, kFixed, Convert},
        {"kal_is_date", 1, kClock, IsDate},
        {"kal_is_date", 2, kFixed, IsDate},
        {"kal_days", 2, kClock, Days},
        {"kal_add_days", 2, kClock, AddDays},
        {"kal_weekday", 1, kClock, Weekday},
        {"kal_julian", 1, kClock, Julian},
        {"kal_is_holiday", 1, kFiles, IsHoliday},
        {"kal_next_working_day", 2, kFiles, NextWorkingDay},
        {"kal_next_working_day", 3, kFiles, NextWorkingDay},
        {"kal_easter", 1, kFixed, Easter},
    };
    for (size_t i = 0; i < sizeof kFunctions / sizeof kFunctions[0]; ++i) {
        const int rc =
            sqlite3_create_function(db, kFunctions[i].name, kFunctions[i].arguments,
                                    kFunctions[i].flags, NULL, kFunctions[i].function, NULL, NULL);
        if (rc != SQLITE_OK) return rc;
    }
    return SQLITE_OK;
}
