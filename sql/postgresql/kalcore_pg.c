/*
 * kalcore_pg: the kalcore date functions for PostgreSQL (CREATE EXTENSION
 * kalcore). kalcore--1.0.sql declares them; this file is their C side.
 *
 * Every function is STRICT: a NULL argument gives NULL without a call. A
 * text that is no date gives NULL too, so an UPDATE over a column of mixed
 * texts never stops at its first bad row. Misused arguments (an unknown
 * format code, a rule for two-digit years that is neither a century 1-9 nor
 * a window 1000-9900, a count of working days below 1) raise errors.
 *
 * The forms with a rule for two-digit years (a century selector 1-9, or the
 * first year of a window: 1950 reads 49 as 2049 and 50 as 1950) read no
 * clock and are IMMUTABLE: in them the keywords TODAY, NOW and YESTER.. are
 * no dates. The forms without one give a two-digit year the current century,
 * accept the keywords and are STABLE; the holiday functions read the
 * library's holiday file and are STABLE as well. The library is safe in many processes and threads
 * at once, so every function is PARALLEL SAFE.
 */
// clang-format off
/* postgres.h comes before every other server header. */
#include "postgres.h"
#include "fmgr.h"
#include "utils/builtins.h"
#include "utils/date.h"
#include "utils/datetime.h"
// clang-format on

#include "kalcore_sql.h"

PG_MODULE_MAGIC;

/* The text argument as the library's date; false when it is no date. */
static bool DateArgument(text* value, char out[12]) {
    return kal_sql_date_text(VARDATA_ANY(value), VARSIZE_ANY_EXHDR(value), out) == 1;
}

/* The reading options of a call: the rule argument at `ruleArg` (a century
 * 1-9 or a window 1000-9900, else an error), or for -1 the current century
 * with the keywords. */
static void ReadOptions(FunctionCallInfo fcinfo, int ruleArg, kal_options* options) {
    const int32 rule = ruleArg < 0 ? KAL_SQL_NO_RULE : PG_GETARG_INT32(ruleArg);
    if ((ruleArg < 0 || rule != KAL_SQL_NO_RULE) && kal_sql_options(rule, options)) return;
    ereport(ERROR, (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
                    errmsg("%d is neither a century selector 1-9 nor the first year of a window "
                           "1000-9900",
                           rule),
                    errhint("4 is 19xx, 5 is 20xx; 1950 reads 49 as 2049 and 50 as 1950; leave it "
                            "out for the current century.")));
}

/* The format code argument: one character naming a format, or an error. */
static void CodeArgument(text* value, char code[2]) {
    if (VARSIZE_ANY_EXHDR(value) == 1) {
        code[0] = *VARDATA_ANY(value);
        code[1] = '\0';
        if (kal_sql_code_valid(code)) return;
    }
    ereport(ERROR,
            (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
             errmsg("\"%s\" is not a format code", text_to_cstring(value)),
             errhint("A format code is one character such as G (CCYY-MM-DD) or B (MM/DD/CCYY).")));
}

/* A date of the library's MM-DD-CCYY or MM/DD/CCYY. */
static Datum DateDatum(const char* date) {
    int year, month, day;
    kal_sql_split(date, &year, &month, &day);
    return DateADTGetDatum(date2j(year, month, day) - POSTGRES_EPOCH_JDATE);
}

/* Reads the date argument 0 with the rule of argument `ruleArg` (-1: none,
 * the current century with keywords); false when it is no date. */
static bool ReadDate(FunctionCallInfo fcinfo, int ruleArg, kal_date* date) {
    kal_options options;
    text* value = PG_GETARG_TEXT_PP(0);
    ReadOptions(fcinfo, ruleArg, &options);
    return kal_sql_read(VARDATA_ANY(value), VARSIZE_ANY_EXHDR(value), &options, date) == 1;
}

static Datum Convert(FunctionCallInfo fcinfo, int ruleArg) {
    char code[2], out[12];
    kal_date date;
    CodeArgument(PG_GETARG_TEXT_PP(1), code);
    if (!ReadDate(fcinfo, ruleArg, &date) ||
        kal_format(date.year, date.month, date.day, code[0], out, sizeof out, NULL) != KAL_OK)
        PG_RETURN_NULL();
    PG_RETURN_TEXT_P(cstring_to_text(out));
}

static Datum Parse(FunctionCallInfo fcinfo, int ruleArg) {
    kal_date date;
    if (!ReadDate(fcinfo, ruleArg, &date)) PG_RETURN_NULL();
    /* Days since 1970-01-01 to days since 2000-01-01. */
    return DateADTGetDatum((DateADT)(date.days - (POSTGRES_EPOCH_JDATE - UNIX_EPOCH_JDATE)));
}

static Datum IsDate(FunctionCallInfo fcinfo, int ruleArg) {
    kal_date date;
    PG_RETURN_BOOL(ReadDate(fcinfo, ruleArg, &date));
}

/* The SQL function `name`: `form` with the rule argument at `ruleArg`
 * (-1: none). */
#define KAL_DATE_FORM(name, form, ruleArg) \
    PG_FUNCTION_INFO_V1(name);             \
    Datum name(PG_FUNCTION_ARGS) {         \
        return form(fcinfo, ruleArg);      \
    }

/* The library exports kal_parse itself: the SQL kal_parse is kal_pg_parse in C. */
KAL_DATE_FORM(kal_convert, Convert, -1)
KAL_DATE_FORM(kal_convert_century, Convert, 2)
KAL_DATE_FORM(kal_pg_parse, Parse, -1)
KAL_DATE_FORM(kal_pg_parse_century, Parse, 1)
KAL_DATE_FORM(kal_is_date, IsDate, -1)
KAL_DATE_FORM(kal_is_date_century, IsDate, 1)

PG_FUNCTION_INFO_V1(kal_days);
Datum kal_days(PG_FUNCTION_ARGS) {
    char first[12], second[12];
    int32 days = 0;
    if (!DateArgument(PG_GETARG_TEXT_PP(0), first) || !DateArgument(PG_GETARG_TEXT_PP(1), second) ||
        KD_CMPTENUMDAYS(first, second, &days) != 1)
        PG_RETURN_NULL();
    PG_RETURN_INT32(days);
}

PG_FUNCTION_INFO_V1(kal_add_days);
Datum kal_add_days(PG_FUNCTION_ARGS) {
    char date[12], out[12];
    if (!DateArgument(PG_GETARG_TEXT_PP(1), date) ||
        KD_CMPTEADATE(PG_GETARG_INT32(0), date, out) != 1)
        PG_RETURN_NULL();
    return DateDatum(out);
}

PG_FUNCTION_INFO_V1(kal_weekday);
Datum kal_weekday(PG_FUNCTION_ARGS) {
    char date[12];
    int32 day = 0;
    if (!DateArgument(PG_GETARG_TEXT_PP(0), date) || KD_NDOW(date, &day) != 1) PG_RETURN_NULL();
    PG_RETURN_INT32(day);
}

PG_FUNCTION_INFO_V1(kal_julian);
Datum kal_julian(PG_FUNCTION_ARGS) {
    char date[12], out[12];
    if (!DateArgument(PG_GETARG_TEXT_PP(0), date) || KD_JULIANDATE(date, out) != 1)
        PG_RETURN_NULL();
    PG_RETURN_INT32((int32)strtol(out, NULL, 10));
}

PG_FUNCTION_INFO_V1(kal_is_holiday);
Datum kal_is_holiday(PG_FUNCTION_ARGS) {
    char date[12], name[29];
    int32 isHoliday = 0, dayOff = 0;
    if (!DateArgument(PG_GETARG_TEXT_PP(0), date) ||
        KD_ISTODAYAHOLDY(date, &isHoliday, name, &dayOff) != 1)
        PG_RETURN_NULL();
    PG_RETURN_BOOL(isHoliday == 1);
}

PG_FUNCTION_INFO_V1(kal_next_working_day);
Datum kal_next_working_day(PG_FUNCTION_ARGS) {
    const int32 count = PG_GETARG_INT32(1);
    char date[12], out[12];
    if (count < 1)
        ereport(ERROR, (errcode(ERRCODE_INVALID_PARAMETER_VALUE),
                        errmsg("%d working days: the count starts at 1", count)));
    if (!DateArgument(PG_GETARG_TEXT_PP(0), date) ||
        KD_NXTWRKDAY(date, out, &count, PG_GETARG_BOOL(2) ? 1 : 0) != 1)
        PG_RETURN_NULL();
    return DateDatum(out);
}

PG_FUNCTION_INFO_V1(kal_easter);
Datum kal_easter(PG_FUNCTION_ARGS) {
    const int32 year = PG_GETARG_INT32(0);
    int32 month = 0, day = 0;
    if (year < 1 || year > 9999) PG_RETURN_NULL();
    KD_EASTERCALC(year, &month, &day);
    return DateADTGetDatum(date2j(year, month, day) - POSTGRES_EPOCH_JDATE);
}
