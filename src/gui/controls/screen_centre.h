#pragma once
// The program's windows and dialogs open in the middle of the screen, not
// where the window manager would put them.
class QWidget;

namespace talmorek::gui {

// Moves `window` so that its frame is centred on the screen it is on (the
// primary screen when it has none yet).
void centreOnScreen(QWidget& window);

}  // namespace talmorek::gui
