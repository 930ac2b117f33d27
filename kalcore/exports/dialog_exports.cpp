// The dialog, information-box and utility exports.
#include "dialogs/dialogs.h"
#include "dialogs/templates.h"
#include "exports/utilities.h"
#include "kalcore.h"

using namespace kalcore;

extern "C" {

KALCORE_API int32_t KALCORE_CALL AboutBox(void) {
    return dialogs::RunDialog(dialogs::kAboutDialog);
}

KALCORE_API int32_t KALCORE_CALL HelpBox(void) {
    return dialogs::RunDialog(dialogs::kFormatsDialog);
}

KALCORE_API int16_t KALCORE_CALL KD_HELPABOUTME(void) {
    dialogs::ShowLibraryBox();
    return 1;
}

KALCORE_API int16_t KALCORE_CALL KD_ABOUTDLL(void) {
    dialogs::ShowOwnershipBox();
    return 1;
}

KALCORE_API int32_t KALCORE_CALL UpperCaseString(char* text) {
    if (text != nullptr) utilities::UpperCaseText(text);
    return 0;
}

KALCORE_API int16_t* KALCORE_CALL DoubleInt(int16_t* value) {
    if (value != nullptr) *value = utilities::DoubleWord(*value);
    return value;
}

KALCORE_API int32_t KALCORE_CALL DoubleInt2(int32_t value) {
    return utilities::DoubleLong(value);
}

KALCORE_API uint16_t KALCORE_CALL LoByte(uint16_t word) {
    return utilities::LowByte(word);
}

KALCORE_API uint16_t KALCORE_CALL HiByte(uint16_t word) {
    return utilities::HighByte(word);
}

KALCORE_API uint16_t KALCORE_CALL LoWord(int32_t value) {
    return utilities::LowWord(value);
}

KALCORE_API uint16_t KALCORE_CALL HiWord(int32_t value) {
    return utilities::HighWord(value);
}

KALCORE_API uint16_t KALCORE_CALL MakeWord(int32_t low, int32_t high) {
    return utilities::JoinBytes(low, high);
}

KALCORE_API int32_t KALCORE_CALL MakeLong(int32_t low, int32_t high) {
    return utilities::JoinWords(low, high);
}

KALCORE_API int32_t KALCORE_CALL ShiftLeft(int32_t value, int32_t count) {
    return utilities::ShiftWordLeft(value, count);
}

KALCORE_API uint16_t KALCORE_CALL ShiftRight(int32_t value, int32_t count) {
    return utilities::ShiftWordRight(value, count);
}

}  // extern "C"
