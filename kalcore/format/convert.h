// A date text read and written again in another format: the conversion that
// the validation and conversion exports and the clock's dates are made of.
#pragma once

#include "format/layouts.h"

namespace kalcore {

// Reads `input` as ReadDate does, with the century selector given, and
// writes the date in the format `code` names (upper or lower case) into
// `out`. False, with `out` not written, when `code` is no format code or the
// text is no date.
bool ConvertDate(const DateText& input, char code, int centurySelector, DateText& out);

}  // namespace kalcore
