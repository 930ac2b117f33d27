// The date conversion file: four bytes "F", a format code, "X", "T" naming
// the preferred output format of the machine.
#pragma once

#include "format/layouts.h"

namespace kalcore::services {

// Stores the first character of `code`, upper-cased, as the preferred
// format, under the home lock. False when it is no format code (the file is
// then not touched) or when the file cannot be written (it then keeps its
// former content).
bool WriteConversionCode(const char* code);

// Replaces the conversion file at `path` by one naming `code` (a format code,
// upper-cased). The caller holds the home lock. False when it cannot be
// written.
bool StoreConversionCode(const char* path, char code);

// Reads the stored code, upper-cased, into `code`. False, with `code`
// untouched, when the file is missing or unreadable or holds no format code.
bool ReadConversionCode(char& code);

// The code a date is written in: the stored preferred code when
// `usePreferredFormat` is set and a valid one is stored, else `requested`.
char OutputCode(char requested, bool usePreferredFormat);

// Reads `input` and writes it in the output code (see OutputCode) with the
// century selector given, as ConvertDate does.
bool ConvertWithPreferredFormat(const DateText& input, char code, bool usePreferredFormat,
                                int centurySelector, DateText& out);

}  // namespace kalcore::services
