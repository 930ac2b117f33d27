#include "dialogs/templates.h"

#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "fixed_clock.h"
#include "format/convert.h"

namespace {

using kalcore::dialogs::Action;
using kalcore::dialogs::AllCommands;
using kalcore::dialogs::AllDialogs;
using kalcore::dialogs::FindCommand;
using kalcore::dialogs::FindDialog;

std::vector<const KalDialogControl*> Buttons(const KalDialogTemplate& d) {
    std::vector<const KalDialogControl*> out;
    for (int i = 0; i < d.controlCount; ++i)
        if (d.controls[i].kind == KAL_CONTROL_BUTTON ||
            d.controls[i].kind == KAL_CONTROL_DEFAULT_BUTTON)
            out.push_back(&d.controls[i]);
    return out;
}

std::vector<std::string> Texts(const KalDialogTemplate& d, int kind) {
    std::vector<std::string> out;
    for (int i = 0; i < d.controlCount; ++i)
        if (d.controls[i].kind == kind) out.push_back(d.controls[i].text);
    return out;
}

bool HasText(const KalDialogTemplate& d, const std::string& text) {
    for (int i = 0; i < d.controlCount; ++i)
        if (d.controls[i].text != nullptr && text == d.controls[i].text) return true;
    return false;
}

TEST(DialogTemplates, TitlesButtonsAndWhatEachButtonDoes) {
    struct ButtonRow {
        const char* caption;
        int id;
        Action action;
        int target;
    };
    struct Row {
        int id;
        const char* title;
        std::vector<ButtonRow> buttons;
    };
    const Row rows[] = {
        {101,
         "Information on the Kalendrix",
         {{"OK", 1, Action::kClose, 0},
          {"Contact/Price Information", 6, Action::kOpenDialog, 104},
          {"About the DLL File", 1015, Action::kShowLibraryBox, 0}}},
        {104, "Software and Contact Information", {{"OK", 1, Action::kClose, 0}}},
        {109,
         "  Kalendrix Software - Valid Date Formats",
         {{"Input Date Formats", 6, Action::kOpenDialog, 110},
          {"Output Date Formats", 4, Action::kOpenDialog, 111},
          {"Date Format Examples", 1014, Action::kOpenDialog, 112},
          {"Exit Back...", 2, Action::kClose, 0}}},
        {110, "Additional,  Input Date Formats Only", {{"OK", 6, Action::kClose, 0}}},
        {111, "Additional, Output Date Formats Only", {{"Exit Back...", 6, Action::kClose, 0}}},
        {112,
         "Some Date Format Examples...  A Definition of... ",
         {{"Exit Back...", 1, Action::kClose, 0}}},
    };
    ASSERT_EQ(AllDialogs().size(), std::size(rows));
    std::size_t commandCount = 0;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.id);
        const KalDialogTemplate* d = FindDialog(row.id);
        ASSERT_NE(d, nullptr);
        EXPECT_STREQ(d->title, row.title);
        EXPECT_STREQ(d->font, "MS Sans Serif");
        EXPECT_TRUE(d->pointSize == 8 || d->pointSize == 9);
        const auto buttons = Buttons(*d);
        ASSERT_EQ(buttons.size(), row.buttons.size());
        int defaults = 0;
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_STREQ(buttons[i]->text, row.buttons[i].caption);
            EXPECT_EQ(buttons[i]->id, row.buttons[i].id);
            defaults += buttons[i]->kind == KAL_CONTROL_DEFAULT_BUTTON;
            const auto* command = FindCommand(row.id, row.buttons[i].id);
            ASSERT_NE(command, nullptr) << row.buttons[i].caption;
            EXPECT_EQ(command->action, row.buttons[i].action);
            if (row.buttons[i].action == Action::kOpenDialog) {
                EXPECT_EQ(command->target, row.buttons[i].target);
            }
        }
        EXPECT_EQ(defaults, 1);
        commandCount += row.buttons.size();
    }
    // No command without its button.
    EXPECT_EQ(AllCommands().size(), commandCount);
    EXPECT_EQ(FindDialog(100), nullptr);
    EXPECT_EQ(FindCommand(101, 4), nullptr);
}

TEST(DialogTemplates, ControlsLieInsideTheirDialogAndCarryWhatTheyNeed) {
    for (const KalDialogTemplate& d : AllDialogs()) {
        SCOPED_TRACE(d.id);
        std::set<int> buttonIds;
        for (int i = 0; i < d.controlCount; ++i) {
            const KalDialogControl& c = d.controls[i];
            SCOPED_TRACE(i);
            EXPECT_GE(c.x, 0);
            EXPECT_GE(c.y, 0);
            EXPECT_GT(c.width, 0);
            EXPECT_GT(c.height, 0);
            EXPECT_LE(c.x + c.width, d.width);
            EXPECT_LE(c.y + c.height, d.height);
            if (c.kind == KAL_CONTROL_ICON) {
                EXPECT_TRUE(c.icon == 102 || c.icon == 105);
                EXPECT_EQ(c.text, nullptr);
            } else {
                ASSERT_NE(c.text, nullptr);
                EXPECT_GT(std::strlen(c.text), 0u);
                // Kept out of resource-script strings, where they would need escapes.
                EXPECT_EQ(std::strpbrk(c.text, "\"\\"), nullptr) << c.text;
            }
            if (c.kind == KAL_CONTROL_BUTTON || c.kind == KAL_CONTROL_DEFAULT_BUTTON)
                EXPECT_TRUE(buttonIds.insert(c.id).second) << "duplicate button id";
            else
                EXPECT_EQ(c.id, -1);
        }
    }
}

TEST(DialogTemplates, IconsOfTheInformationDialogs) {
    auto icons = [](int id) {
        std::vector<int> out;
        const KalDialogTemplate* d = FindDialog(id);
        for (int i = 0; i < d->controlCount; ++i)
            if (d->controls[i].kind == KAL_CONTROL_ICON) out.push_back(d->controls[i].icon);
        return out;
    };
    EXPECT_EQ(icons(101), std::vector<int>{102});
    EXPECT_EQ(icons(104), (std::vector<int>{102, 105}));
}

TEST(DialogTemplates, FixedTextsOfTheAboutAndFormatDialogs) {
    const KalDialogTemplate& about = *FindDialog(101);
    EXPECT_TRUE(HasText(about, " Year 2000 Compliant Software and Date Manipulation Utility"));
    EXPECT_TRUE(HasText(about, "  Software is Windows 95/98/NT Platform Compatible"));
    EXPECT_TRUE(HasText(about, "Kalendrix, Version 3.4"));
    EXPECT_TRUE(HasText(*FindDialog(104), "Kalendrix, Version 3.4"));

    const KalDialogTemplate& formats = *FindDialog(109);
    const std::vector<std::string> groups = Texts(formats, KAL_CONTROL_GROUP);
    EXPECT_EQ(groups,
              (std::vector<std::string>{"These are the I/O Date Formats that the software supports",
                                        "Legend/Abbreviations", "Additional Format Information"}));
    for (const char* legend :
         {"CC=Century Value,  YY=Year Value ", "DD=Day Number(01-31),   D=Day Number(1-9)",
          "MM=Month Number(01-12),   M=Month Number(1-9)", "mmm=(Jan, Feb, ..., Nov, Dec) "})
        EXPECT_TRUE(HasText(formats, legend)) << legend;
    EXPECT_EQ(Texts(*FindDialog(111), KAL_CONTROL_GROUP)[0],
              "Eight(8) English Style Date Formats.");
}

// Writes 4 July 1998 the way a pattern of the format list describes it.
std::string Instantiate(std::string pattern) {
    const std::pair<const char*, const char*> fields[] = {
        {"CCYY", "1998"}, {"mmm", "Jul"}, {"MM", "07"}, {"DD", "04"},
        {"YY", "98"},     {"M", "7"},     {"D", "4"},
    };
    std::string out;
    for (std::size_t i = 0; i < pattern.size();) {
        bool matched = false;
        for (const auto& [field, value] : fields) {
            if (pattern.compare(i, std::strlen(field), field) == 0) {
                out += value;
                i += std::strlen(field);
                matched = true;
                break;
            }
        }
        if (!matched) out += pattern[i++];
    }
    return out;
}

std::string Write(char code, const char* date = "07/04/1998") {
    kalcore::DateText input{}, output{};
    std::strncpy(input, date, sizeof input - 1);
    if (!kalcore::ConvertDate(input, code, 0, output)) return "<invalid>";
    std::string text = output;
    while (!text.empty() && text.back() == ' ') text.pop_back();
    return text;
}

// The "code = pattern" cells of a dialog, in order.
std::vector<std::pair<char, std::string>> FormatCells(const KalDialogTemplate& d) {
    std::vector<std::pair<char, std::string>> cells;
    for (int i = 0; i < d.controlCount; ++i) {
        const char* t = d.controls[i].text;
        if (t != nullptr && std::strlen(t) > 4 && std::strncmp(t + 1, " = ", 3) == 0)
            cells.emplace_back(t[0], t + 4);
    }
    return cells;
}

TEST(DialogTemplates, FormatListsAgreeWithTheWriter) {
    const auto all = FormatCells(*FindDialog(109));
    std::string codes;
    for (const auto& [code, pattern] : all) {
        SCOPED_TRACE(code);
        codes += code;
        EXPECT_EQ(Instantiate(pattern), Write(code));
    }
    EXPECT_EQ(codes, "123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ*#@&$");

    const auto dayFirst = FormatCells(*FindDialog(111));
    codes.clear();
    for (const auto& [code, pattern] : dayFirst) {
        SCOPED_TRACE(code);
        codes += code;
        EXPECT_EQ(Instantiate(pattern), Write(code));
    }
    EXPECT_EQ(codes, "[]{}<>+=");
}

TEST(DialogTemplates, TheTwentyExamplesAreWhatTheWriterWrites) {
    const KalDialogTemplate& d = *FindDialog(112);
    int examples = 0;
    for (int i = 0; i + 1 < d.controlCount; ++i) {
        const char* t = d.controls[i].text;
        if (t == nullptr || std::strlen(t) < 5 || std::strncmp(t + 1, " = ", 3) != 0) continue;
        SCOPED_TRACE(t);
        const std::string example = d.controls[i + 1].text;
        EXPECT_EQ(example, Write(t[0]));
        EXPECT_EQ(example, Instantiate(t + 4));
        // The example sits on the pattern's line.
        EXPECT_EQ(d.controls[i + 1].y, d.controls[i].y);
        ++examples;
    }
    EXPECT_EQ(examples, 20);
    EXPECT_TRUE(HasText(d, "These are some of the 40 supported formats; the list of valid date"));
}

TEST(DialogTemplates, TheInputOnlyFormsAreReadButAreNoOutputFormat) {
    const std::vector<std::string> forms = {"M-D-YY", "M/D/YY",   "D-mmm-YY", "D/mmm/YY",
                                            "DmmmYY", "mmm-D-YY", "mmm/D/YY"};
    const kalcore::testing::FixedClock clock(2026, 5, 1);
    const KalDialogTemplate& d = *FindDialog(110);
    std::set<std::string> outputPatterns;
    for (const auto& [code, pattern] : FormatCells(*FindDialog(109)))
        outputPatterns.insert(pattern);
    for (const std::string& form : forms) {
        SCOPED_TRACE(form);
        EXPECT_TRUE(HasText(d, form));
        EXPECT_EQ(outputPatterns.count(form), 0u);
        // 4 July 1998 written in the form is read back as that date.
        EXPECT_EQ(Write('B', Instantiate(form).c_str()), "07/04/2098")
            << "two-digit years take the current century";
    }
}

TEST(InformationBoxes, CaptionsAndLines) {
    EXPECT_STREQ(kalcore::dialogs::kLibraryBoxCaption, "     About the DLL File ");
    EXPECT_STREQ(kalcore::dialogs::kOwnershipBoxCaption, "      Software Ownership Information.  ");

    kalcore::dialogs::InfoText text;
    kalcore::dialogs::LibraryBoxText(text);
    const std::string library = text;
    EXPECT_EQ(library.rfind("The 'Kalendrix' Software. \n\n", 0), 0u);
    EXPECT_NE(library.find("3.4"), std::string::npos);
    const std::string platform = " This Windows DLL is Win 95/98/NT Platform compatible. ";
    ASSERT_GT(library.size(), platform.size());
    EXPECT_EQ(library.substr(library.size() - platform.size()), platform);
    EXPECT_LT(library.size() + 1, sizeof text);

    kalcore::dialogs::OwnershipBoxText(text);
    const std::string ownership = text;
    EXPECT_EQ(ownership.rfind("The 'Kalendrix' Software. \n\n", 0), 0u);
    EXPECT_NE(ownership.find("Version 3.4\n\n"), std::string::npos);
    EXPECT_NE(ownership.find("kalendrix@example.org"), std::string::npos);
    // Product, version, rights, notice and maker blocks, each apart.
    std::size_t blocks = 1;
    for (std::size_t p = ownership.find("\n\n"); p != std::string::npos;
         p = ownership.find("\n\n", p + 2))
        ++blocks;
    EXPECT_EQ(blocks, 5u);
    EXPECT_LT(ownership.size() + 1, sizeof text);
}

}  // namespace
