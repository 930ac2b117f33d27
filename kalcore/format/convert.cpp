#include "format/convert.h"

#include "format/date_reader.h"
#include "format/date_writer.h"

namespace kalcore {

bool ConvertDate(const DateText& input, char code, int centurySelector, DateText& out) {
    const FormatLayout* layout = LayoutForEitherCase(code);
    if (layout == nullptr) return false;
    const std::optional<DateReading> reading = ReadDate(input, centurySelector);
    if (!reading) return false;
    WriteDate(*layout, reading->date, out);
    return true;
}

}  // namespace kalcore
