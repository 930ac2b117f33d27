#include "format/convert.h"

#include "format/date_reader.h"
#include "format/date_writer.h"
#include "platform/compiler.h"

namespace kalcore {

KALCORE_ONE_BODY bool ConvertDate(const DateText& input, char code, int centurySelector,
                                  DateText& out) {
    const FormatLayout* layout = LayoutForEitherCase(code);
    if (layout == nullptr) return false;
    DateReading reading;
    if (!ReadDate(input, centurySelector, reading)) return false;
    WriteDate(*layout, reading.date, out);
    return true;
}

}  // namespace kalcore
