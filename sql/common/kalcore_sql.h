/*
 * What the SQLite and PostgreSQL functions share: turning a column's text
 * into the date argument the library reads, telling the keywords that read
 * the clock, and taking the library's numeric dates apart.
 *
 * A text is a date only when the whole of it is: the library reads at most
 * 11 characters, so a text that has more before what it ignores at the end
 * (blanks, control characters, bytes of 128 and above), or that holds a NUL,
 * is no date rather than a date read from its beginning.
 */
#ifndef KALCORE_SQL_H
#define KALCORE_SQL_H

#include <stddef.h>
#include <string.h>

#include "kalcore.h"

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

/* 1 when a text from kal_sql_date_text is one of the keywords that stand for
 * a day counted from today (TODAY, NOW, YESTER, YESTER0..YESTER7, any case). */
static inline int kal_sql_is_keyword(const char date[12]) {
    static const char* const kKeywords[] = {"NOW", "TODAY", "YESTER"};
    char upper[12];
    size_t n = strlen(date);
    for (size_t i = 0; i <= n; ++i)
        upper[i] = (char)(date[i] >= 'a' && date[i] <= 'z' ? date[i] - 'a' + 'A' : date[i]);
    for (size_t k = 0; k < sizeof kKeywords / sizeof kKeywords[0]; ++k)
        if (strcmp(upper, kKeywords[k]) == 0) return 1;
    return n == 7 && strncmp(upper, "YESTER", 6) == 0 && upper[6] >= '0' && upper[6] <= '7';
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

/* 1 when `code` is one of the library's format codes: it writes a date with it. */
static inline int kal_sql_code_valid(const char* code) {
    char out[12];
    return code[0] != '\0' && code[1] == '\0' && KD_CONVDATE("01/01/2000", out, code, 0, 5) == 1;
}

/* What is known of each one-byte format code within one statement, so that a
 * code is checked once per distinct value rather than once per row: 0 not yet
 * asked, 1 a format code, 2 none. The engines keep it with the call site
 * (PostgreSQL's fn_extra, SQLite's auxiliary data). */
typedef struct {
    unsigned char known[256];
} kal_sql_code_cache;

/* kal_sql_code_valid, asked once per distinct code of the cache. */
static inline int kal_sql_code_valid_cached(kal_sql_code_cache* cache, const char* code) {
    unsigned char* known = &cache->known[(unsigned char)code[0]];
    if (code[0] == '\0' || code[1] != '\0') return 0;
    if (*known == 0) *known = kal_sql_code_valid(code) ? 1 : 2;
    return *known == 1;
}

#endif /* KALCORE_SQL_H */
