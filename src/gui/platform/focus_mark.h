#pragma once
// Where the keys go, at a glance. A commission working by keyboard alone,
// late at night, must see which control takes the next key: the fields of
// pages I and III have no border, and a radio button or check box reached
// with Enter shows no focus of its own. One frame in a strong colour
// follows the keyboard focus through every window of the program: around
// the field, radio button, check box, combo box, button or grid that holds
// it (the grid's current cell is highlighted by the grid itself).
#include <QColor>

class QApplication;

namespace talmorek::gui {

// The colour of the frame: apart from the red of errors and the blue of
// warnings, and strong on white as on the grey of buttons.
inline const QColor kFocusMarkColour{255, 128, 0};

// Marks the control with the keyboard focus for as long as `application`
// lives; calling it again changes nothing.
void markKeyboardFocus(QApplication& application);

}  // namespace talmorek::gui
