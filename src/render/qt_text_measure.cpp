#include "render/qt_text_measure.h"

#include <QFontMetricsF>
#include <QString>
#include <QtMath>

#include "render/font_resolution.h"

namespace talmorek::render {

int QtTextMeasure::width(std::string_view text, const print::Font& font) const {
    if (text.empty()) return 0;
    // Without a paint device the metrics are those of the font's own design
    // at the pixel size, unhinted: the same advances the renderer lays out
    // on any device, since its painter works in these units.
    const QFontMetricsF metrics(qtFont(font));
    return qRound(metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()))));
}

}  // namespace talmorek::render
