/*
 * What the SQLite and PostgreSQL functions share: reading a column's text
 * with the rule for two-digit years that the call names, turning a text into
 * the date argument of the KD_ exports, and taking their numeric dates apart.
 *
 * A text is a date only when the whole of it is: what is left between the
 * blanks, control characters and bytes of 128 and above at its ends must be
 * exactly one layout, so "12/31/1998 10:30" is no date rather than a date
 * read from its beginning.
 */
#ifndef KALCORE_SQL_H
#define KALCORE_SQL_H

#include <stddef.h>
#include <string.h>

#include "kalcore.h"
#include "kalcore/dates.h"

enum { KAL_SQL_DATE_CHARS = 11 };

static inline int kal_sql_ignored_at_end(unsigned char c) {
    return c <= ' ' || c >= 128;
}

/* Copies the text (of `length` bytes, not terminated) into `out` without
 * what is ignored at its end; 0 when it is no date by its length alone. */
static inline int kal_sql_date_text(const char* text, size_t length, char out[12]) {
    while (length > 0 && kal_sql_ignored_at_end((unsigned char)text[length - 1])) --length;
    if (length == 0 || length > KAL_SQL_DATE_CHARS || memchr(text, '\0', length) != NULL) return 0;
    memcpy(out, text, length);
    memset(out + length, 0, 12 - length);
    return 1;
}

/* The rule for two-digit years of a call: the functions' optional integer
 * argument. Without it (KAL_SQL_NO_RULE) the current century, with the
 * keywords TODAY, NOW and YESTER..; 1-9 a century selector (4 = 19xx,
 * 5 = 20xx, four-digit years too); 1000-9900 the first year of a window of
 * 100 years (1950: 1950-2049, four-digit years as written). The last two
 * read no clock. 0 when `rule` is none of these. */
enum { KAL_SQL_NO_RULE = -1 };

static inline int kal_sql_options(int32_t rule, kal_options* options) {
    kal_options_init(options);
    if (rule == KAL_SQL_NO_RULE) {
        options->two_digit_years = KAL_YEARS_SELECTOR;
        options->selector = 0;
        options->flags = KAL_KEYWORDS;
    } else if (rule >= 1 && rule <= 9) {
        options->two_digit_years = KAL_YEARS_SELECTOR;
        options->selector = rule;
    } else if (rule >= 1000 && rule <= 9900) {
        options->two_digit_years = KAL_YEARS_WINDOW;
        options->window_start = rule;
    } else {
        return 0;
    }
    return 1;
}

/* Reads `length` bytes of `text` (not terminated) as a date; 1 with `date`
 * filled in, 0 when it is no date. */
static inline int kal_sql_read(const char* text, size_t length, const kal_options* options,
                               kal_date* date) {
    return length > 0 && kal_parse(text, length, options, date) == KAL_OK;
}

/* Year, month and day of the library's MM-DD-CCYY or MM/DD/CCYY. */
static inline void kal_sql_split(const char* date, int* year, int* month, int* day) {
    *month = (date[0] - '0') * 10 + (date[1] - '0');
    *day = (date[3] - '0') * 10 + (date[4] - '0');
    *year = (date[6] - '0') * 1000 + (date[7] - '0') * 100 + (date[8] - '0') * 10 + (date[9] - '0');
}

/* CCYY-MM-DD of the library's MM-DD-CCYY or MM/DD/CCYY, into 11 bytes. */
static inline void kal_sql_iso(const char* date, char out[11]) {
    const char iso[11] = {date[6], date[7], date[8], date[9], '-', date[0],
                          date[1], '-',     date[3], date[4], '\0'};
    memcpy(out, iso, sizeof iso);
}

/* 1 when `code` is one of the library's format codes: a lookup in the
 * library's table, cheap enough for every row (no date is converted). */
static inline int kal_sql_code_valid(const char* code) {
    return code[0] != '\0' && code[1] == '\0' && kal_format_width(code[0]) > 0;
}

#endif /* KALCORE_SQL_H */
