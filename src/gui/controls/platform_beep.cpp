#include "gui/controls/platform_beep.h"

#include <QApplication>
#include <utility>

namespace talmorek::gui {
namespace {

BeepHook& currentHook() {
    static BeepHook hook;
    return hook;
}

}  // namespace

void beep() {
    if (const BeepHook& hook = currentHook()) {
        hook();
    } else {
        QApplication::beep();
    }
}

BeepHook setBeepHook(BeepHook hook) { return std::exchange(currentHook(), std::move(hook)); }

}  // namespace talmorek::gui
