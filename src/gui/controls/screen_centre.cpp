#include "gui/controls/screen_centre.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace talmorek::gui {

void centreOnScreen(QWidget& window) {
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen) return;
    const QRect area = screen->geometry();
    const QSize size = window.frameGeometry().size();
    const int top = static_cast<int>(std::lround(area.height() / 2.0 - size.height() / 2.0));
    const int left = static_cast<int>(std::lround(area.width() / 2.0 - size.width() / 2.0));
    window.move(area.left() + left, area.top() + top);
}

}  // namespace talmorek::gui
