#pragma once
// The windows and dialogs were laid out in pixels of a 96-dpi
// screen; on another screen every size scales by the ratio of the two.
#include <QFont>
#include <QWidget>
#include <QtMath>

#include "render/font_resolution.h"

namespace talmorek::gui {

inline int designPixels(const QWidget& widget, int pixels) {
    return qRound(pixels * widget.logicalDpiX() / 96.0);
}

// A font of the forms ("Arial", "Tahoma") at a pixel height of the design,
// drawn with the installed family that stands in for it.
inline QFont designFont(const QWidget& widget, const char* formFamily, int pixels, bool bold) {
    QFont font(render::resolvedFamily(formFamily));
    font.setPixelSize(designPixels(widget, pixels));
    font.setBold(bold);
    return font;
}

}  // namespace talmorek::gui
