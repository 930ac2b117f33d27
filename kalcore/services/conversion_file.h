// The date conversion file: four bytes "F", a format code, "X", "T" naming
// the preferred output format of the machine.
#pragma once

#include "format/catalogue.h"

namespace kalcore::services {

// The only valid request mode of ReadConversionCode.
inline constexpr int kConversionFileRead = 1;

// The code ReadConversionCode reports when the file gives none.
inline constexpr char kFallbackConversionCode = 'F';

// Stores the first character of `code`, upper-cased, as the preferred
// format, under the home lock. False when it is no format code (the file is
// then not touched) or when the file cannot be written (it then keeps its
// former content).
bool WriteConversionCode(const char* code);

// Replaces the conversion file at `path` by one naming `code` (a format code,
// upper-cased). The caller holds the home lock. False when it cannot be
// written.
bool StoreConversionCode(const char* path, char code);

// Reads the stored code (upper-cased) into `code`. True (the library's "N")
// when the file exists and holds a format code; otherwise `code` holds the
// fall-back "F" and the result is false. A mode other than 1 is refused.
bool ReadConversionCode(CodeText& code, int mode);

}  // namespace kalcore::services
