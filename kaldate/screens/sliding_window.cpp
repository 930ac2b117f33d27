#include "screens/sliding_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "binding/kalcore_binding.h"
#include "common/controls.h"
#include "common/hints.h"
#include "common/texts.h"

namespace kaldate {

namespace {

const QString kPositiveInside =
    QStringLiteral("A Positive Window - CheckDate is within the Window");
const QString kNegativeInside =
    QStringLiteral("A Negative Window - CheckDate is within the Window");
const QString kZeroYears = QStringLiteral("Error! You need a + or - Number of Years, Not Zero(0).");

// The window's three inputs and its answer, laid out alike on both screens.
QGridLayout* windowForm(QWidget* pivot, QWidget* years, QWidget* check, QWidget* answer) {
    auto* output = group(QStringLiteral("Output - Type of Window"));
    auto* outputRow = new QHBoxLayout(output);
    outputRow->addWidget(answer);
    auto* form = new QGridLayout;
    form->addWidget(plainLabel(QStringLiteral("Enter in a Pivot Date")), 0, 0);
    form->addWidget(pivot, 0, 1);
    form->addWidget(
        textBlock(QStringLiteral("For a Sliding Window, Enter in a desired number of years: ")), 1,
        0);
    form->addWidget(years, 1, 1);
    form->addWidget(plainLabel(QStringLiteral("Enter in a Check Date:")), 2, 0);
    form->addWidget(check, 2, 1);
    form->addWidget(output, 3, 0, 1, 2);
    form->setColumnStretch(0, 1);
    form->setColumnMinimumWidth(1, 150);
    return form;
}

}  // namespace

SlidingWindow::SlidingWindow(Services& services, QWidget* owner)
    : Screen(services, "slidwindform", QStringLiteral("A Sliding Date Window Feature"), owner),
      pivot_(textField("pivotdate", QStringLiteral(" Enter in a Pivot Date "))),
      years_(textField("sldwndnum",
                       QStringLiteral(" Enter a Positive or Negative Number of Years. Not "
                                      "Zero(0)!"))),
      check_(textField("checkdate", QStringLiteral(" Enter in a Check Date"))),
      answer_(outputLabel("answertext", QStringLiteral(" Output: Type of Sliding Date Window "))) {
    setMessageCaption(QStringLiteral("Sliding Date Window Information"));
    setHelpScreen(QStringLiteral("slidwindhelp"));
    answer_->setMinimumWidth(answer_->fontMetrics().horizontalAdvance(kPositiveInside) + 16);

    auto* column = new QVBoxLayout;
    column->addWidget(heading(QStringLiteral("A Sliding Date Window Feature")));
    column->addLayout(windowForm(pivot_, years_, check_, answer_));
    column->addStretch();
    arrange(column,
            buttonGroup({
                {Action::Ok, QStringLiteral(" Press OK to execute the Sliding Window Feature"),
                 "OKButton1"},
                {Action::Clear, usual_hints::kClear, "clrbutton4"},
                {Action::Calendar, usual_hints::kCalendar, "Command1"},
                {Action::Help, QStringLiteral(" Help about the Sliding Date Window Feature."),
                 "HelpButton2"},
                {Action::Info, usual_hints::kInfo, "abtbutton3"},
                {Action::ExitBack, usual_hints::kExitBack, "exitbutton5"},
            }));
    resultOf({pivot_, years_, check_}, {answer_});
}

void SlidingWindow::ok() {
    // An answer stays only beside the inputs it was computed from.
    answer_->clear();
    DateText pivot;
    DateText check;
    if (!readDate(pivot_, pivot, QStringLiteral("Error: A Pivot Date is Needed "),
                  QStringLiteral("Error: An Invalid Pivot Date ")) ||
        !readDate(check_, check, QStringLiteral("Error: A Check Date is Needed "),
                  QStringLiteral("Error: An Invalid Check Date"))) {
        return;
    }
    // Zero years is refused before the library is asked; a number beyond 32
    // bits counts as not numeric.
    const std::optional<std::int32_t> years = toInt32(years_->text());
    if (!years || *years == 0) {
        message(!years ? QStringLiteral("Error: You need NUMERIC Number of Days.")
                       : QStringLiteral("Error: You need a + or - Number of Years, Not Zero(0)."));
        years_->setFocus();
        return;
    }
    std::int32_t inWindow = 0;
    std::int32_t direction = 0;
    const std::int16_t status =
        kalcore().slidingwindowproc(pivot, *years, check, inWindow, direction);
    pivot_->setFocus();
    if (status != 1) {
        message(QStringLiteral("Error: An Program Error in calculation"));
    } else if (inWindow == 1) {
        answer_->setText(direction == 1 ? kPositiveInside : kNegativeInside);
        message(QStringLiteral("Success, CheckDate is within the Window"));
    } else if (direction == 1) {
        answer_->setText(QStringLiteral("Error: CheckDate not within the positive Window"));
        message(QStringLiteral("Error: Check Date is not within the Positive Window"));
    } else {
        answer_->setText(QStringLiteral("Error: CheckDate not within the negative Window"));
        message(QStringLiteral("Error: Check Date is not within the Negative Window"));
    }
}

void SlidingWindow::clear() {
    pivot_->clear();
    years_->clear();
    check_->clear();
    answer_->clear();
    statusLine()->clear();
}

SlidingWindowHelp::SlidingWindowHelp(Services& services, QWidget* owner)
    : Screen(services, "slidwindhelp", QStringLiteral("A Sliding Date Window - Help"), owner),
      pivot_(outputLabel("hlp_pivotdate")),
      years_(outputLabel("hlp_sldwndnum")),
      check_(outputLabel("hlp_checkdate")),
      answer_(outputLabel("answertext")),
      number_(plainLabel(QString())) {
    number_->setObjectName(QStringLiteral("hlp_example_no"));
    answer_->setMinimumWidth(answer_->fontMetrics().horizontalAdvance(kZeroYears) + 16);

    auto* column = new QVBoxLayout;
    column->addWidget(textBlock(QStringLiteral(
        "A sliding date window is a span of years that starts at a Pivot Date and reaches a "
        "number of years forward (a positive window) or back (a negative window). A Check Date "
        "is then tested against it: it is either within the window or outside it.")));
    column->addWidget(textBlock(QStringLiteral(
        "The three inputs: the Pivot Date, the number of years, which must be a whole number "
        "other than zero (a + number opens a positive window, a - number a negative one), and "
        "the Check Date. Both dates may be in any of the 40 supported I/O Date Formats; every "
        "input date is validated first.")));
    column->addWidget(number_);
    column->addLayout(windowForm(pivot_, years_, check_, answer_));
    column->addWidget(textBlock(QStringLiteral(
        "Press 'Examples' to step through five examples; after the fifth the first comes "
        "back.")));
    column->addStretch();
    QGroupBox* buttons = buttonGroup({{Action::ExitBack, QString()}});
    auto* examples = pushButton("clickmebutton", QStringLiteral("Examples"));
    static_cast<QVBoxLayout*>(buttons->layout())->insertWidget(0, examples);
    connect(examples, &QPushButton::clicked, this, [this] {
        example_ = example_ % 5 + 1;
        showExample();
    });
    arrange(column, buttons);
    showExample();
}

void SlidingWindowHelp::showExample() {
    // Fixed texts; no library call is made.
    const struct {
        const char* pivot;
        const char* years;
        const char* check;
        const QString& output;
    } examples[] = {
        {"01/01/1998", "2", "MAr/31/1999", kPositiveInside},
        {"Sep/11/1998", "-2", "DEC/7/1997", kNegativeInside},
        {"Feb/4/2001", "-3", "JUL-4-1998", kNegativeInside},
        {"04101998", "4", "02122002", kPositiveInside},
        {"mar-3-1990", "0", "07/4/1996", kZeroYears},
    };
    const auto& example = examples[example_ - 1];
    pivot_->setText(QLatin1String(example.pivot));
    years_->setText(QLatin1String(example.years));
    check_->setText(QLatin1String(example.check));
    answer_->setText(example.output);
    number_->setText(QStringLiteral("Example #: ") + QString::number(example_));
}

}  // namespace kaldate
