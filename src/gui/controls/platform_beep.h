#pragma once
// The platform's default beep with which the entry controls refuse a key and
// the message dialog announces itself. Tests put a counter in its place.
#include <functional>

#include "core/entry/refusal_beep.h"

namespace talmorek::gui {

using BeepHook = std::function<void()>;

// Sounds the beep (QApplication::beep unless a hook stands in for it).
void beep();

// Puts `hook` in place of the beep; an empty hook brings the platform's beep
// back. Returns the hook that was in place.
BeepHook setBeepHook(BeepHook hook);

// The beep of the program for the logic of the entry window (the refused
// Annex 1 page): the same beep, hook and all.
class PlatformBeep : public entry::Beep {
public:
    void beep() override { gui::beep(); }
};

}  // namespace talmorek::gui
