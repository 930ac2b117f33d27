#include "common/format_table.h"

#include <QComboBox>

namespace kaldate {

namespace {

struct OutputFormat {
    const char* label;
    char code;
};

constexpr OutputFormat kOutputFormats[kOutputFormatCount] = {
    {" MMDDYY ", '1'},      {" YYMMDD ", '2'},      {" MM/DD/YY ", '3'},    {" YY/MM/DD ", '4'},
    {" YY.MM.DD ", '5'},    {" DD-mmm-YY ", '6'},   {" DD-mmm-CCYY ", '7'}, {" DDmmmYY ", '8'},
    {" DDmmmCCYY ", '9'},   {" MM-DD-CCYY ", 'A'},  {" MM/DD/CCYY ", 'B'},  {" MM-DD-YY ", 'C'},
    {" MMDDCCYY ", 'D'},    {" CCYYMMDD ", 'E'},    {" CCYY-mmm-DD ", 'F'}, {" CCYY-MM-DD ", 'G'},
    {" DD/mmm/CCYY ", 'H'}, {" DD/mmm/YY ", 'I'},   {" CCYY/mmm/DD ", 'J'}, {" mmm/DD/CCYY ", 'K'},
    {" mmm/DD/YY ", 'L'},   {" mmm-DD-CCYY ", 'M'}, {" mmm-DD-YY ", 'N'},   {" CCYY/MM/DD", 'O'},
    {" CCYY/DD/MM", 'P'},   {" CCYY-DD-MM", 'Q'},   {" CCYY/DD/mmm", 'R'},  {" CCYY-DD-mmm", 'S'},
    {" CCYYmmmDD ", 'T'},   {" MM-D-CCYY", 'U'},    {" MM/D/CCYY", 'V'},    {" M-DD-CCYY", 'W'},
    {" M/DD/CCYY", 'X'},    {" D-mmm-CCYY", 'Y'},   {" D/mmm/CCYY", 'Z'},   {" mmm-D-CCYY", '*'},
    {" mmm/D/CCYY", '#'},   {" M-D-CCYY", '@'},     {" M/D/CCYY", '&'},     {" DmmmCCYY", '$'},
    {" DD/MM/CCYY", '['},   {" DD/M/CCYY", ']'},    {" D/M/CCYY", '{'},     {" D/MM/CCYY", '}'},
    {" DD-MM-CCYY", '<'},   {" DD-M-CCYY", '>'},    {" D-M-CCYY", '+'},     {" D-MM-CCYY", '='},
};

}  // namespace

QString formatLabel(int position) {
    return QLatin1String(kOutputFormats[position].label);
}

QChar formatCode(int position) {
    return QLatin1Char(kOutputFormats[position].code);
}

void fillFormatList(QComboBox* list, int count) {
    for (int position = 0; position < count; ++position) list->addItem(formatLabel(position));
}

}  // namespace kaldate
