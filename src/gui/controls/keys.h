#pragma once
// The keys every window of the program reads the same way.
class QKeyEvent;

namespace talmorek::gui {

// Enter, on the main keyboard or the keypad, as the commission presses it to
// go on: alone or with Shift (held by a hand still on the digits). With
// Ctrl or Alt it is another key: Ctrl+Enter jumps to the check numbers.
bool isEnter(const QKeyEvent& event);

}  // namespace talmorek::gui
