// What every window of the demo gets once it is built: a body that fits the
// screen (scrolling where the screen is too small for it, as at a large
// scale factor) and a keyboard order and accessible names that follow what
// the user sees.
#pragma once

class QLayout;
class QScrollArea;
class QWidget;

namespace kaldate {

// A frameless scroll area around `content` (which takes `layout`). It asks
// for the whole size of its content, but never for more than the available
// area of its screen, so a window built around it fits the screen and
// scrolls its body where it must.
QScrollArea* fittingArea(QLayout* layout);

// Gives a window that has not been sized its preferred size, kept within the
// available area of its screen (where Qt alone would keep it within two
// thirds of the screen, too small at a large scale factor).
void fitWindow(QWidget* window);

// Sets the Tab order of `window` to the order its layouts show its controls
// in: each layout's items in turn, a grid row by row and left to right, a
// group's controls where the group stands. Gives each control an accessible
// name where the toolkit gives it none (a text field or a list takes the text
// of the label before it, else its own name) and its hint as its accessible
// description.
void orderForKeyboard(QWidget* window);

}  // namespace kaldate
