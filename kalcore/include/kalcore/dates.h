/*
 * kalcore/dates.h: reading and writing dates, one at a time or a column at a
 * time, with exact texts and a chosen rule for two-digit years.
 *
 * This interface sits beside the KD_ exports of <kalcore.h> in the same
 * library and uses the same reader and writer, so that a text means the same
 * date to both. It differs from them in its edges:
 *  - A text comes with its length. Leading and trailing blanks, control
 *    characters and bytes 128-255 are trimmed; what is left must be exactly
 *    one layout, so "12/31/1998 10:30" is no date (the KD_ exports read only
 *    the first 11 characters of a text and would take it).
 *  - A two-digit year is placed by a policy of the caller's options: a window
 *    of 100 years (the default: 1950-2049), a fixed century, or the century
 *    selector of the KD_ exports with its full effect.
 *  - A date comes back as numbers (year, month, day and days since
 *    1970-01-01) with the layout the text was read in.
 *  - The date keywords (TODAY, NOW, YESTER, YESTER0..YESTER7) are read only
 *    when the options ask for them; only they, and selector 0, read the clock.
 *
 * Every function here is thread-safe, touches no file, allocates nothing,
 * needs no start-up and reads and writes only the memory its arguments
 * describe. A required pointer that is null gets KAL_E_NULL and nothing is
 * read or written.
 *
 * Binding: the functions are exported under their plain names. On 32-bit
 * Windows they use the __stdcall convention, like the KD_ exports (ctypes:
 * WinDLL); elsewhere the platform's only C convention (ctypes: CDLL). Every
 * argument and field is a fixed-size integer, a size_t or ptrdiff_t, or a
 * pointer.
 *
 * Format codes are the 48 of <kalcore.h>: '1'-'9', 'A'-'Z', '*', '#', '@',
 * '&', '$' (read and written) and '[', ']', '{', '}', '<', '>', '+', '='
 * (written only); a lower-case letter is its upper-case code.
 */
#ifndef KALCORE_DATES_H
#define KALCORE_DATES_H

#include <stddef.h>
#include <stdint.h>

#if defined(_WIN32)
#if defined(_M_IX86) || defined(__i386__)
#define KAL_CALL __stdcall
#else
#define KAL_CALL
#endif
#if defined(KALCORE_BUILDING) && defined(__MINGW32__)
/* Exported through kalcore.def alone, under the plain names. */
#define KAL_API
#elif defined(KALCORE_BUILDING)
#define KAL_API __declspec(dllexport)
#else
#define KAL_API __declspec(dllimport)
#endif
#else
#define KAL_CALL
#define KAL_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* ---- Status values -------------------------------------------------------
 * Every function returns one of these (the batch functions return a count,
 * which is 0 or more, or one of the negative values). Negative values are
 * errors of the call: nothing was read or written. */
#define KAL_OK 0           /* done: the text was a date, the text was written */
#define KAL_NO_DATE 1      /* the text is no date (kal_parse only) */
#define KAL_E_NULL (-1)    /* a required pointer is null */
#define KAL_E_OPTIONS (-2) /* the options are malformed: size, policy, value or flags */
#define KAL_E_CODE (-3)    /* the output code is not one of the 48 format codes */
#define KAL_E_SPACE (-4)   /* an output buffer is too small (or of capacity 0) */
#define KAL_E_RANGE (-5)   /* the date does not exist or lies outside the years 1000-9999 */
#define KAL_E_SHAPE (-6)   /* a block's character size is not 1 or 4 */

/* Days since 1970-01-01 of "no date", the NaT of NumPy's datetime64[D]. */
#define KAL_NAT INT64_MIN

/* ---- Options ------------------------------------------------------------
 * How two-digit years are placed, and whether keywords are read. Fill with
 * kal_options_init (or KAL_OPTIONS_INIT), then change what you need. */

/* Two-digit-year policies (kal_options.two_digit_years). */
#define KAL_YEARS_WINDOW 0   /* a two-digit year lands in [window_start, window_start + 99] */
#define KAL_YEARS_CENTURY 1  /* a two-digit year takes the century `century` (19: 19YY) */
#define KAL_YEARS_SELECTOR 2 /* the KD_ century selector `selector`, with its full effect */

/* Flags (kal_options.flags); every other bit must be 0. */
#define KAL_KEYWORDS 1u /* read TODAY, NOW, YESTER, YESTER0..YESTER7 (any case) */

typedef struct kal_options {
    /* sizeof(kal_options) as the caller's header has it: 24 for this
     * version. Any other value is KAL_E_OPTIONS. */
    uint32_t size;
    /* KAL_YEARS_WINDOW, KAL_YEARS_CENTURY or KAL_YEARS_SELECTOR. Under the
     * first two a four-digit year is never changed. */
    int32_t two_digit_years;
    /* KAL_YEARS_WINDOW: the first year of the window, 1000-9900 (1950: the
     * year 49 is 2049, the year 50 is 1950). Default 1950. */
    int32_t window_start;
    /* KAL_YEARS_CENTURY: the century of every two-digit year, 10-99 (19:
     * the year 98 is 1998). Default 20. */
    int32_t century;
    /* KAL_YEARS_SELECTOR: 0 the current century from the local clock for a
     * two-digit year (a four-digit year stays as written); 1-9 the centuries
     * 16-24 for every year, four-digit years too ("12/31/1998" with 5 is
     * 2098), exactly as KD_CONVDATE reads. Default 0. */
    int32_t selector;
    /* KAL_KEYWORDS or 0. Default 0. */
    uint32_t flags;
} kal_options;

/* The defaults: a 1950-2049 window, no keywords. */
#define KAL_OPTIONS_INIT \
    { (uint32_t)sizeof(kal_options), KAL_YEARS_WINDOW, 1950, 20, 0, 0u }

/* Sets `options` to the defaults. KAL_OK, or KAL_E_NULL. */
KAL_API int32_t KAL_CALL kal_options_init(kal_options* options);

/* ---- Layouts -------------------------------------------------------------
 * The layout a text was read in: the format code character of one of the 40
 * input formats ('1'-'9', 'A'-'Z', '*', '#', '@', '&', '$'; '6' for
 * DD-mmm-YY, whose two trailing blanks are trimmed), one of the further
 * forms below that have no format code, or KAL_FORM_KEYWORD. 0 means no
 * date. Every value fits in a byte. */
#define KAL_FORM_NONE 0
#define KAL_FORM_M_D_YY_DASH 1     /* M-D-YY */
#define KAL_FORM_M_D_YY_SLASH 2    /* M/D/YY */
#define KAL_FORM_M_DD_YY_DASH 3    /* M-DD-YY */
#define KAL_FORM_M_DD_YY_SLASH 4   /* M/DD/YY */
#define KAL_FORM_MM_D_YY_DASH 5    /* MM-D-YY */
#define KAL_FORM_MM_D_YY_SLASH 6   /* MM/D/YY */
#define KAL_FORM_D_MMM_YY_DASH 7   /* D-mmm-YY */
#define KAL_FORM_D_MMM_YY_SLASH 8  /* D/mmm/YY */
#define KAL_FORM_DMMMYY 9          /* DmmmYY */
#define KAL_FORM_MMM_D_YY_DASH 10  /* mmm-D-YY */
#define KAL_FORM_MMM_D_YY_SLASH 11 /* mmm/D/YY */
#define KAL_FORM_KEYWORD 12        /* TODAY, NOW, YESTER, YESTER0..YESTER7 */

/* ---- One date ---------------------------------------------------------- */

/* A date read from a text. */
typedef struct kal_date {
    int64_t days;          /* days since 1970-01-01; KAL_NAT for no date */
    int32_t year;          /* 1000-9999 */
    int32_t month;         /* 1-12 */
    int32_t day;           /* 1-31 */
    int32_t layout;        /* the layout the text was read in (see Layouts) */
    int32_t century_given; /* 1: the text wrote four digits of year (or was a keyword) */
    int32_t reserved;      /* 0 */
} kal_date;

/*
 * Reads the `length` characters at `text` as a date, under `options`.
 * KAL_OK with `*date` filled in; KAL_NO_DATE when the text is no date (then
 * `*date` has days KAL_NAT and every other field 0). KAL_E_NULL when `text`,
 * `options` or `date` is null (also with length 0); KAL_E_OPTIONS for
 * malformed options.
 *
 * A zero byte inside the text (not among the trimmed characters at its ends)
 * makes it no date. Under KAL_YEARS_SELECTOR the date must exist in the
 * century it ends up in: "02/29/2000" with selector 4 (19xx) is no date.
 */
KAL_API int32_t KAL_CALL kal_parse(const char* text, size_t length, const kal_options* options,
                                   kal_date* date);

/*
 * Writes year-month-day in the layout of format `code` into `out`, a buffer
 * of `capacity` bytes: the text and a terminating zero. A one-digit field
 * whose value needs two digits moves the date to the wider layout, as
 * KD_CONVDATE does (code '@' for 12 May 2003 gives "5-12-2003"); code '6'
 * ends in two blanks. `*length` (when `length` is not null) receives the
 * text's length without the terminator, also when the buffer is too small.
 * KAL_OK; KAL_E_SPACE when capacity is below length + 1 (nothing written),
 * so a call with capacity 0 and out null asks for the length;
 * KAL_E_NULL when `out` is null and capacity is not 0; KAL_E_CODE for a code
 * that is not one of the 48; KAL_E_RANGE for a date that does not exist or
 * lies outside the years 1000-9999.
 */
KAL_API int32_t KAL_CALL kal_format(int32_t year, int32_t month, int32_t day, char code, char* out,
                                    size_t capacity, size_t* length);

/* The longest text format `code` writes (6-11 characters), or KAL_E_CODE. */
KAL_API int32_t KAL_CALL kal_format_width(char code);

/* ---- Many dates ---------------------------------------------------------
 * The batch functions return the number of items that were dates (0 to n),
 * or a negative status when the call itself is wrong (then nothing is
 * written). Every required pointer must be non-null even when n is 0. */

/*
 * Reads n texts, texts[i] of lengths[i] characters, as kal_parse does:
 * days[i] receives the days since 1970-01-01 or KAL_NAT, and layouts[i]
 * (when `layouts` is not null) the layout of the text or 0. A null texts[i]
 * is a missing text: KAL_NAT. Returns the number of dates; KAL_E_NULL when
 * texts, lengths, options or days is null; KAL_E_OPTIONS.
 */
KAL_API int64_t KAL_CALL kal_parse_many(const char* const* texts, const size_t* lengths, size_t n,
                                        const kal_options* options, int64_t* days,
                                        uint8_t* layouts);

/*
 * Reads n texts from a fixed-width block, as NumPy stores arrays of dtype S
 * (char_size 1) and U (char_size 4, UCS-4 code units in the machine's byte
 * order): item i has `width` characters of `char_size` bytes at
 * block + i * stride (stride in bytes, may be negative or smaller than the
 * item). Characters are read without any alignment. Zero characters pad a
 * text at its end; they are trimmed like blanks. A 4-byte character is read
 * as the byte of the same value; one above 255 makes the text no date.
 * Results as kal_parse_many. KAL_E_NULL when block, options or days is
 * null; KAL_E_OPTIONS; KAL_E_SHAPE when char_size is neither 1 nor 4.
 */
KAL_API int64_t KAL_CALL kal_parse_many_fixed(const void* block, size_t n, size_t char_size,
                                              size_t width, ptrdiff_t stride,
                                              const kal_options* options, int64_t* days,
                                              uint8_t* layouts);

/*
 * Writes n dates (days since 1970-01-01) in format `code` into a fixed-width
 * block of the same shape as kal_parse_many_fixed reads: item i at
 * out + i * stride, `width` characters of `char_size` (1 or 4) bytes, the
 * text followed by zero characters up to `width` (no terminator when it
 * fills it). An item of KAL_NAT, or of a date outside the years 1000-9999,
 * is written as `width` zero characters. Returns the number of texts
 * written; KAL_E_NULL when days or out is null; KAL_E_CODE; KAL_E_SHAPE;
 * KAL_E_SPACE when width is below kal_format_width(code).
 */
KAL_API int64_t KAL_CALL kal_format_many(const int64_t* days, size_t n, char code, void* out,
                                         size_t char_size, size_t width, ptrdiff_t stride);

/* A short English text for a status value ("no date", ...); never null. */
KAL_API const char* KAL_CALL kal_status_text(int32_t status);

#ifdef __cplusplus
}
#endif

#endif /* KALCORE_DATES_H */
