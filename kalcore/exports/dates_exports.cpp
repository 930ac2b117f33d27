// The exports of kalcore/dates.h: texts of a stated length read with a chosen
// rule for two-digit years, and dates written into bounded buffers, one at a
// time or a column at a time. Each checks its arguments, resolves the
// options once, and hands the work to the column reader or the writer.

#include "format/date_writer.h"
#include "format/layouts.h"
#include "format/text_columns.h"
#include "kalcore/dates.h"

using namespace kalcore;

namespace {

static_assert(sizeof(kal_options) == 24, "the options of this version are 24 bytes");
static_assert(sizeof(kal_date) == 32 && offsetof(kal_date, year) == 8);
static_assert(KAL_FORM_M_D_YY_DASH == kFormMDYYDash && KAL_FORM_M_D_YY_SLASH == kFormMDYYSlash &&
              KAL_FORM_M_DD_YY_DASH == kFormMDDYYDash &&
              KAL_FORM_M_DD_YY_SLASH == kFormMDDYYSlash &&
              KAL_FORM_MM_D_YY_DASH == kFormMMDYYDash &&
              KAL_FORM_MM_D_YY_SLASH == kFormMMDYYSlash &&
              KAL_FORM_D_MMM_YY_DASH == kFormDMmmYYDash &&
              KAL_FORM_D_MMM_YY_SLASH == kFormDMmmYYSlash && KAL_FORM_DMMMYY == kFormDMmmYY &&
              KAL_FORM_MMM_D_YY_DASH == kFormMmmDYYDash &&
              KAL_FORM_MMM_D_YY_SLASH == kFormMmmDYYSlash && KAL_FORM_KEYWORD == kKeywordLayout);
static_assert(KAL_NAT == kNoDateDays);

// The reading rules of a caller's options; false when they are malformed.
bool RulesOf(const kal_options& options, ReadingRules& rules) {
    if (options.size != sizeof(kal_options) || (options.flags & ~KAL_KEYWORDS) != 0) return false;
    rules.keywords = (options.flags & KAL_KEYWORDS) != 0;
    switch (options.two_digit_years) {
        case KAL_YEARS_WINDOW:
            if (options.window_start < 1000 || options.window_start > 9900) return false;
            rules.years = YearRule{YearRule::Kind::kWindow, options.window_start};
            return true;
        case KAL_YEARS_CENTURY:
            if (options.century < 10 || options.century > 99) return false;
            rules.years = YearRule{YearRule::Kind::kCentury, options.century};
            return true;
        case KAL_YEARS_SELECTOR:
            if (options.selector < 0 || options.selector > 9) return false;
            rules.years = YearRule{YearRule::Kind::kSelector, options.selector};
            return true;
        default:
            return false;
    }
}

// The checks every batch reader makes before it reads: a negative status, or
// 0 with `rules` filled in.
int32_t CheckBatch(const void* texts, const kal_options* options, const int64_t* days,
                   ReadingRules& rules) {
    if (texts == nullptr || options == nullptr || days == nullptr) return KAL_E_NULL;
    return RulesOf(*options, rules) ? KAL_OK : KAL_E_OPTIONS;
}

}  // namespace

extern "C" {

KAL_API int32_t KAL_CALL kal_options_init(kal_options* options) {
    if (options == nullptr) return KAL_E_NULL;
    *options = kal_options KAL_OPTIONS_INIT;
    return KAL_OK;
}

KAL_API int32_t KAL_CALL kal_parse(const char* text, size_t length, const kal_options* options,
                                   kal_date* date) {
    if (text == nullptr || options == nullptr || date == nullptr) return KAL_E_NULL;
    ReadingRules rules;
    if (!RulesOf(*options, rules)) return KAL_E_OPTIONS;
    DateReading reading;
    std::int64_t days;
    if (!ReadExactText(text, length, rules, reading, days)) {
        *date = kal_date{KAL_NAT, 0, 0, 0, 0, 0, 0};
        return KAL_NO_DATE;
    }
    *date = kal_date{days,
                     reading.date.year,
                     reading.date.month,
                     reading.date.day,
                     static_cast<unsigned char>(reading.layout),
                     reading.twoDigitYear ? 0 : 1,
                     0};
    return KAL_OK;
}

KAL_API int32_t KAL_CALL kal_format(int32_t year, int32_t month, int32_t day, char code, char* out,
                                    size_t capacity, size_t* length) {
    if (out == nullptr && capacity != 0) return KAL_E_NULL;
    const FormatLayout* layout = LayoutForEitherCase(code);
    if (layout == nullptr) return KAL_E_CODE;
    const CivilDate date{year, month, day};
    if (!IsReadableYear(year) || !IsValidDate(date)) return KAL_E_RANGE;
    const std::size_t written = WrittenLayout(*layout, month, day).length;
    if (length != nullptr) *length = written;
    if (capacity < written + 1) return KAL_E_SPACE;
    // The terminator is the first of the zeros the writer leaves after the
    // text; nothing past it is written.
    PutTextBytes(reinterpret_cast<unsigned char*>(out), DateWords(*layout, date), written + 1);
    return KAL_OK;
}

KAL_API int32_t KAL_CALL kal_format_width(char code) {
    const FormatLayout* layout = LayoutForEitherCase(code);
    return layout == nullptr ? KAL_E_CODE : LongestText(*layout);
}

KAL_API int64_t KAL_CALL kal_parse_many(const char* const* texts, const size_t* lengths, size_t n,
                                        const kal_options* options, int64_t* days,
                                        uint8_t* layouts) {
    ReadingRules rules;
    if (lengths == nullptr) return KAL_E_NULL;
    const int32_t status = CheckBatch(texts, options, days, rules);
    if (status != KAL_OK) return status;
    return static_cast<int64_t>(ReadTextColumn(texts, lengths, n, rules, DayColumn{days, layouts}));
}

KAL_API int64_t KAL_CALL kal_parse_many_fixed(const void* block, size_t n, size_t char_size,
                                              size_t width, ptrdiff_t stride,
                                              const kal_options* options, int64_t* days,
                                              uint8_t* layouts) {
    ReadingRules rules;
    const int32_t status = CheckBatch(block, options, days, rules);
    if (status != KAL_OK) return status;
    const TextBlock texts{static_cast<const unsigned char*>(block), width, stride};
    const DayColumn out{days, layouts};
    switch (char_size) {
        case 1:
            return static_cast<int64_t>(ReadByteBlock(texts, n, rules, out));
        case 4:
            return static_cast<int64_t>(ReadUcs4Block(texts, n, rules, out));
        default:
            return KAL_E_SHAPE;
    }
}

KAL_API int64_t KAL_CALL kal_format_many(const int64_t* days, size_t n, char code, void* out,
                                         size_t char_size, size_t width, ptrdiff_t stride) {
    if (days == nullptr || out == nullptr) return KAL_E_NULL;
    const FormatLayout* layout = LayoutForEitherCase(code);
    if (layout == nullptr) return KAL_E_CODE;
    if (char_size != 1 && char_size != 4) return KAL_E_SHAPE;
    if (width < static_cast<size_t>(LongestText(*layout))) return KAL_E_SPACE;
    const OutputBlock block{static_cast<unsigned char*>(out), width, stride};
    return static_cast<int64_t>(char_size == 1 ? WriteByteBlock(days, n, *layout, block)
                                               : WriteUcs4Block(days, n, *layout, block));
}

KAL_API const char* KAL_CALL kal_status_text(int32_t status) {
    switch (status) {
        case KAL_OK:
            return "done";
        case KAL_NO_DATE:
            return "no date";
        case KAL_E_NULL:
            return "a required pointer is null";
        case KAL_E_OPTIONS:
            return "malformed options";
        case KAL_E_CODE:
            return "no such format code";
        case KAL_E_SPACE:
            return "the output buffer is too small";
        case KAL_E_RANGE:
            return "no date of the years 1000-9999";
        case KAL_E_SHAPE:
            return "a character size other than 1 or 4";
        default:
            return "unknown status";
    }
}

}  // extern "C"
