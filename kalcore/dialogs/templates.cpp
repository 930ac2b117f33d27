#include "dialogs/templates.h"

#include <cstdio>
#include <iterator>

#include "dialogs/product_texts.h"

namespace kalcore::dialogs {

namespace {

constexpr const char kFont[] = "MS Sans Serif";
constexpr int kPointSize = 8;
constexpr int kLine = 9;  // height of one line of text

constexpr KalDialogControl Text(const char* text, int x, int y, int width, int height = kLine) {
    return {KAL_CONTROL_TEXT, -1, x, y, width, height, text, 0};
}
constexpr KalDialogControl Centered(const char* text, int x, int y, int width, int height = kLine) {
    return {KAL_CONTROL_CENTERED_TEXT, -1, x, y, width, height, text, 0};
}
constexpr KalDialogControl Group(const char* text, int x, int y, int width, int height) {
    return {KAL_CONTROL_GROUP, -1, x, y, width, height, text, 0};
}
constexpr KalDialogControl Button(const char* text, int id, int x, int y, int width) {
    return {KAL_CONTROL_BUTTON, id, x, y, width, 14, text, 0};
}
constexpr KalDialogControl DefaultButton(const char* text, int id, int x, int y, int width) {
    return {KAL_CONTROL_DEFAULT_BUTTON, id, x, y, width, 14, text, 0};
}
constexpr KalDialogControl Icon(int icon, int x, int y) {
    return {KAL_CONTROL_ICON, -1, x, y, 20, 20, nullptr, icon};
}

// Legend lines shared by the format dialogs.
constexpr const char kLegendCentury[] = "CC=Century Value,  YY=Year Value ";
constexpr const char kLegendDay[] = "DD=Day Number(01-31),   D=Day Number(1-9)";
constexpr const char kLegendMonth[] = "MM=Month Number(01-12),   M=Month Number(1-9)";
constexpr const char kLegendMonthName[] = "mmm=(Jan, Feb, ..., Nov, Dec) ";

constexpr KalDialogControl kAbout[] = {
    Icon(kProductIcon, 12, 12),
    Text(kProductVersion, 44, 12, 196),
    Text(" Year 2000 Compliant Software and Date Manipulation Utility", 44, 26, 200),
    Text(kRights, 44, 40, 200),
    Text("  Software is Windows 95/98/NT Platform Compatible", 44, 54, 200),
    DefaultButton("OK", 1, 12, 96, 50),
    Button("Contact/Price Information", 6, 70, 96, 100),
    Button("About the DLL File", 1015, 178, 96, 64),
};

constexpr KalDialogControl kContact[] = {
    Icon(kProductIcon, 12, 12),
    Icon(kContactIcon, 228, 12),
    Centered(kProductVersion, 40, 18, 180),
    Text("Contact:", 12, 44, 50),
    Text(kMaker, 70, 44, 178),
    Text("Post:", 12, 56, 50),
    Text(kPostal, 70, 56, 178),
    Text("E-mail:", 12, 68, 50),
    Text(kMail, 70, 68, 178),
    Text("Price:", 12, 80, 50),
    Text(kPrice, 70, 80, 178),
    DefaultButton("OK", 1, 105, 106, 50),
};

// Ten lines of four: the input and output formats in catalogue order.
constexpr int kColumn[4] = {16, 86, 156, 226};
constexpr int Row(int r) {
    return 18 + 10 * r;
}
constexpr KalDialogControl kFormats[] = {
    Group("These are the I/O Date Formats that the software supports", 8, 6, 284, 118),
    Text("1 = MMDDYY", kColumn[0], Row(0), 66),
    Text("2 = YYMMDD", kColumn[1], Row(0), 66),
    Text("3 = MM/DD/YY", kColumn[2], Row(0), 66),
    Text("4 = YY/MM/DD", kColumn[3], Row(0), 66),
    Text("5 = YY.MM.DD", kColumn[0], Row(1), 66),
    Text("6 = DD-mmm-YY", kColumn[1], Row(1), 66),
    Text("7 = DD-mmm-CCYY", kColumn[2], Row(1), 66),
    Text("8 = DDmmmYY", kColumn[3], Row(1), 66),
    Text("9 = DDmmmCCYY", kColumn[0], Row(2), 66),
    Text("A = MM-DD-CCYY", kColumn[1], Row(2), 66),
    Text("B = MM/DD/CCYY", kColumn[2], Row(2), 66),
    Text("C = MM-DD-YY", kColumn[3], Row(2), 66),
    Text("D = MMDDCCYY", kColumn[0], Row(3), 66),
    Text("E = CCYYMMDD", kColumn[1], Row(3), 66),
    Text("F = CCYY-mmm-DD", kColumn[2], Row(3), 66),
    Text("G = CCYY-MM-DD", kColumn[3], Row(3), 66),
    Text("H = DD/mmm/CCYY", kColumn[0], Row(4), 66),
    Text("I = DD/mmm/YY", kColumn[1], Row(4), 66),
    Text("J = CCYY/mmm/DD", kColumn[2], Row(4), 66),
    Text("K = mmm/DD/CCYY", kColumn[3], Row(4), 66),
    Text("L = mmm/DD/YY", kColumn[0], Row(5), 66),
    Text("M = mmm-DD-CCYY", kColumn[1], Row(5), 66),
    Text("N = mmm-DD-YY", kColumn[2], Row(5), 66),
    Text("O = CCYY/MM/DD", kColumn[3], Row(5), 66),
    Text("P = CCYY/DD/MM", kColumn[0], Row(6), 66),
    Text("Q = CCYY-DD-MM", kColumn[1], Row(6), 66),
    Text("R = CCYY/DD/mmm", kColumn[2], Row(6), 66),
    Text("S = CCYY-DD-mmm", kColumn[3], Row(6), 66),
    Text("T = CCYYmmmDD", kColumn[0], Row(7), 66),
    Text("U = MM-D-CCYY", kColumn[1], Row(7), 66),
    Text("V = MM/D/CCYY", kColumn[2], Row(7), 66),
    Text("W = M-DD-CCYY", kColumn[3], Row(7), 66),
    Text("X = M/DD/CCYY", kColumn[0], Row(8), 66),
    Text("Y = D-mmm-CCYY", kColumn[1], Row(8), 66),
    Text("Z = D/mmm/CCYY", kColumn[2], Row(8), 66),
    Text("* = mmm-D-CCYY", kColumn[3], Row(8), 66),
    Text("# = mmm/D/CCYY", kColumn[0], Row(9), 66),
    Text("@ = M-D-CCYY", kColumn[1], Row(9), 66),
    Text("& = M/D/CCYY", kColumn[2], Row(9), 66),
    Text("$ = DmmmCCYY", kColumn[3], Row(9), 66),
    Group("Legend/Abbreviations", 8, 128, 284, 50),
    Text(kLegendCentury, 16, 140, 268),
    Text(kLegendDay, 16, 149, 268),
    Text(kLegendMonth, 16, 158, 268),
    Text(kLegendMonthName, 16, 167, 268),
    Group("Additional Format Information", 8, 182, 284, 42),
    Text("A code is one character; a lower-case letter counts as its capital.", 16, 194, 268),
    Text("A two-digit year takes the century the caller selects (0 = current).", 16, 203, 268),
    Text("TODAY, NOW, YESTER and YESTER0 to YESTER7 are read as dates too.", 16, 212, 268),
    Button("Input Date Formats", 6, 8, 230, 70),
    Button("Output Date Formats", 4, 82, 230, 70),
    Button("Date Format Examples", 1014, 156, 230, 74),
    DefaultButton("Exit Back...", 2, 234, 230, 58),
};

constexpr KalDialogControl kInputForms[] = {
    Text("These forms are read as input but never written:", 10, 8, 200),
    Text("M-D-YY", 24, 22, 80),
    Text("M/D/YY", 24, 32, 80),
    Text("D-mmm-YY", 24, 42, 80),
    Text("D/mmm/YY", 24, 52, 80),
    Text("DmmmYY", 114, 22, 80),
    Text("mmm-D-YY", 114, 32, 80),
    Text("mmm/D/YY", 114, 42, 80),
    Group("Legend/Abbreviations", 8, 68, 204, 50),
    Text("YY=Year Value (the selected century is added)", 16, 80, 190),
    Text("D=Day Number(1-9 or 10-31)", 16, 89, 190),
    Text("M=Month Number(1-9 or 10-12)", 16, 98, 190),
    Text(kLegendMonthName, 16, 107, 190),
    DefaultButton("OK", 6, 85, 126, 50),
};

constexpr KalDialogControl kOutputForms[] = {
    Group("Eight(8) English Style Date Formats.", 8, 6, 214, 62),
    Text("[ = DD/MM/CCYY", 18, 20, 94),
    Text("] = DD/M/CCYY", 18, 30, 94),
    Text("{ = D/M/CCYY", 18, 40, 94),
    Text("} = D/MM/CCYY", 18, 50, 94),
    Text("< = DD-MM-CCYY", 118, 20, 94),
    Text("> = DD-M-CCYY", 118, 30, 94),
    Text("+ = D-M-CCYY", 118, 40, 94),
    Text("= = D-MM-CCYY", 118, 50, 94),
    Group("Legend/Abbreviations", 8, 72, 214, 52),
    Text(kLegendCentury, 16, 84, 200),
    Text(kLegendDay, 16, 93, 200),
    Text(kLegendMonth, 16, 102, 200),
    Text("The day comes first; these formats are written only.", 16, 111, 200),
    DefaultButton("Exit Back...", 6, 90, 132, 50),
};

// Each example row: "code = pattern" and 4 July 1998 written in that format.
constexpr int kExampleColumn[2] = {12, 146};
constexpr int ExampleRow(int r) {
    return 24 + 10 * r;
}
constexpr KalDialogControl Pattern(const char* text, int column, int row) {
    return Text(text, kExampleColumn[column], ExampleRow(row), 68);
}
constexpr KalDialogControl Example(const char* text, int column, int row) {
    return Text(text, kExampleColumn[column] + 70, ExampleRow(row), 54);
}
constexpr KalDialogControl kExamples[] = {
    Text("Code = pattern, and 4 July 1998 written in it:", 10, 8, 260),
    Pattern("1 = MMDDYY", 0, 0),
    Example("070498", 0, 0),
    Pattern("2 = YYMMDD", 0, 1),
    Example("980704", 0, 1),
    Pattern("3 = MM/DD/YY", 0, 2),
    Example("07/04/98", 0, 2),
    Pattern("4 = YY/MM/DD", 0, 3),
    Example("98/07/04", 0, 3),
    Pattern("5 = YY.MM.DD", 0, 4),
    Example("98.07.04", 0, 4),
    Pattern("6 = DD-mmm-YY", 0, 5),
    Example("04-Jul-98", 0, 5),
    Pattern("7 = DD-mmm-CCYY", 0, 6),
    Example("04-Jul-1998", 0, 6),
    Pattern("8 = DDmmmYY", 0, 7),
    Example("04Jul98", 0, 7),
    Pattern("9 = DDmmmCCYY", 0, 8),
    Example("04Jul1998", 0, 8),
    Pattern("A = MM-DD-CCYY", 0, 9),
    Example("07-04-1998", 0, 9),
    Pattern("B = MM/DD/CCYY", 1, 0),
    Example("07/04/1998", 1, 0),
    Pattern("D = MMDDCCYY", 1, 1),
    Example("07041998", 1, 1),
    Pattern("E = CCYYMMDD", 1, 2),
    Example("19980704", 1, 2),
    Pattern("F = CCYY-mmm-DD", 1, 3),
    Example("1998-Jul-04", 1, 3),
    Pattern("G = CCYY-MM-DD", 1, 4),
    Example("1998-07-04", 1, 4),
    Pattern("K = mmm/DD/CCYY", 1, 5),
    Example("Jul/04/1998", 1, 5),
    Pattern("T = CCYYmmmDD", 1, 6),
    Example("1998Jul04", 1, 6),
    Pattern("U = MM-D-CCYY", 1, 7),
    Example("07-4-1998", 1, 7),
    Pattern("@ = M-D-CCYY", 1, 8),
    Example("7-4-1998", 1, 8),
    Pattern("$ = DmmmCCYY", 1, 9),
    Example("4Jul1998", 1, 9),
    Text("These are some of the 40 supported formats; the list of valid date", 10, 130, 260),
    Text("formats shows them all.", 10, 139, 260),
    DefaultButton("Exit Back...", 1, 115, 158, 50),
};

template <std::size_t N>
constexpr KalDialogTemplate Dialog(int id, const char* title, int width, int height,
                                   const KalDialogControl (&controls)[N]) {
    return {id, title, kFont, kPointSize, 0, 0, width, height, static_cast<int32_t>(N), controls};
}

constexpr KalDialogTemplate kDialogs[] = {
    Dialog(kAboutDialog, "Information on the Kalendrix", 250, 120, kAbout),
    Dialog(kContactDialog, "Software and Contact Information", 260, 130, kContact),
    Dialog(kFormatsDialog, "  Kalendrix Software - Valid Date Formats", 300, 252, kFormats),
    Dialog(kInputFormsDialog, "Additional,  Input Date Formats Only", 220, 148, kInputForms),
    Dialog(kOutputFormsDialog, "Additional, Output Date Formats Only", 230, 154, kOutputForms),
    Dialog(kExamplesDialog, "Some Date Format Examples...  A Definition of... ", 280, 180,
           kExamples),
};

constexpr Command kCommands[] = {
    {kAboutDialog, 1, Action::kClose, 0},
    {kAboutDialog, 6, Action::kOpenDialog, kContactDialog},
    {kAboutDialog, 1015, Action::kShowLibraryBox, 0},
    {kContactDialog, 1, Action::kClose, 0},
    {kFormatsDialog, 6, Action::kOpenDialog, kInputFormsDialog},
    {kFormatsDialog, 4, Action::kOpenDialog, kOutputFormsDialog},
    {kFormatsDialog, 1014, Action::kOpenDialog, kExamplesDialog},
    {kFormatsDialog, 2, Action::kClose, 0},
    {kInputFormsDialog, 6, Action::kClose, 0},
    {kOutputFormsDialog, 6, Action::kClose, 0},
    {kExamplesDialog, 1, Action::kClose, 0},
};

// Lines of the information boxes. The about-the-library box joins its lines
// as they stand, so each carries its own line ends.
constexpr const char kLibraryProduct[] = "The 'Kalendrix' Software. \n\n";
constexpr const char kLibraryVersion[] = " Kalendrix Date Library, Version 3.4 \n";
constexpr const char kLibraryRights[] = " Copyright (C) 1998-2026 The Kalendrix Developers. \n";
constexpr const char kLibraryMaker[] = " Made by The Kalendrix Developers. \n";
constexpr const char kLibraryPlatform[] = " This Windows DLL is Win 95/98/NT Platform compatible. ";

constexpr const char kProductLine[] = "The 'Kalendrix' Software. ";
constexpr const char kVersionLine[] = "Kalendrix Date Library, Version 3.4";
constexpr const char kProprietaryFirst[] = "The Kalendrix software and the ideas behind it ";
constexpr const char kProprietarySecond[] = "are the property of The Kalendrix Developers.";
constexpr const char kMakerLine[] = "The Kalendrix Developers\n";
constexpr const char kContactLine[] = "E-mail: kalendrix@example.org";

}  // namespace

std::span<const KalDialogTemplate> AllDialogs() {
    return kDialogs;
}

const KalDialogTemplate* FindDialog(int id) {
    for (const KalDialogTemplate& d : kDialogs)
        if (d.id == id) return &d;
    return nullptr;
}

std::span<const Command> AllCommands() {
    return kCommands;
}

const Command* FindCommand(int dialogId, int commandId) {
    for (const Command& c : kCommands)
        if (c.dialogId == dialogId && c.commandId == commandId) return &c;
    return nullptr;
}

void LibraryBoxText(InfoText& out) {
    std::snprintf(out, sizeof out, "%s%s%s%s%s", kLibraryProduct, kLibraryVersion, kLibraryRights,
                  kLibraryMaker, kLibraryPlatform);
}

void OwnershipBoxText(InfoText& out) {
    std::snprintf(out, sizeof out, "%s\n\n%s\n\n%s\n\n%s%s\n\n%s%s", kProductLine, kVersionLine,
                  kRights, kProprietaryFirst, kProprietarySecond, kMakerLine, kContactLine);
}

}  // namespace kalcore::dialogs
