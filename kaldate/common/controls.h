// The controls screens are built from, each made with its object name (the
// name its Part gives it, so that tests and screen readers find it) and its
// hint. Texts are shown as they stand: plain text, blanks kept.
#pragma once

#include <QString>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace kaldate {

QLineEdit* textField(const char* name, const QString& hint = {});
// A label that shows a result: framed, its text as the library gave it.
QLabel* outputLabel(const char* name, const QString& hint = {});
// A label with fixed text and no hint, on one line.
QLabel* plainLabel(const QString& text);
// A longer fixed text and no hint, wrapped: at the width its layout gives it,
// or at `width` pixels when that is set.
QLabel* textBlock(const QString& text, int width = 0);
QCheckBox* checkBox(const char* name, const QString& text, const QString& hint = {});
QComboBox* dropDownList(const char* name, const QString& hint = {});
QGroupBox* group(const QString& title, const QString& hint = {});
QPushButton* pushButton(const char* name, const QString& caption, const QString& hint = {});
// A button whose caption wraps onto more lines within `width` pixels, as a
// caption laid out with runs of blanks for a narrow button expects.
QPushButton* wrappingButton(const char* name, const QString& caption, int width,
                            const QString& hint = {});

}  // namespace kaldate
