// The exported entry points. Each copies its arguments in, runs the internal
// operation and copies the result out; the logic lives in the subsystems.
#include "calendar/differences.h"
#include "format/conventions.h"
#include "format/date_reader.h"
#include "kalcore.h"

using namespace kalcore;

extern "C" {

KALCORE_API int32_t KALCORE_CALL KD_ISVDATE(char* date) {
    if (date == nullptr) return 0;
    DateText copy, result;
    CodeText code = {'K', '\0'};
    CopyDateArgument(date, copy);
    if (!ParseConvertDate(copy, result, code, 0, 0)) return 0;
    DeliverDate(result, date);
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_CONVDATE(const char* input, char* output, const char* code,
                                             int32_t useConversionFile, int32_t centurySelector) {
    if (output == nullptr) return 0;
    output[0] = '\0';
    if (input == nullptr) return 0;
    DateText copy, result;
    CodeText workingCode;
    CopyCodeArgument(code, workingCode);
    CopyDateArgument(input, copy);
    if (!ParseConvertDate(copy, result, workingCode, useConversionFile, centurySelector)) return 0;
    DeliverDate(result, output);
    return 1;
}

KALCORE_API int32_t KALCORE_CALL KD_CMPTENUMDAYS(const char* first, const char* second,
                                                 int32_t* days) {
    if (days == nullptr) return 0;
    DateText a, b;
    CopyDateArgument(first, a);
    CopyDateArgument(second, b);
    return (first != nullptr && second != nullptr && CountDays(a, b, *days)) ? 1 : 0;
}

KALCORE_API int16_t KALCORE_CALL KD_CMPTEADATE(int32_t days, const char* date, char* result) {
    if (result == nullptr) return 0;
    result[0] = '\0';
    if (date == nullptr) return 0;
    DateText copy, moved;
    CopyDateArgument(date, copy);
    if (!AddDays(copy, days, moved)) return 0;
    DeliverDate(moved, result);
    return 1;
}

}  // extern "C"
