#include "app/print/font_resolution.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>

namespace talmorek::app {

MissingFontError::MissingFontError(const QString& family)
    : std::runtime_error(("font not installed: " + family).toStdString()), family_(family) {}

QString resolvedFamily(const std::string& formFontName) {
    QString name = QString::fromStdString(formFontName).trimmed();
    if (name.endsWith(QLatin1String(" CE"), Qt::CaseInsensitive)) name.chop(3);
    if (name.startsWith(QLatin1String("Courier"), Qt::CaseInsensitive)) return QStringLiteral("Liberation Mono");
    return QStringLiteral("Liberation Sans");
}

namespace {

// Checked once per family: the font database answers slowly.
void requireInstalled(const QString& family) {
    static QHash<QString, bool> known;
    auto it = known.find(family);
    if (it == known.end()) it = known.insert(family, QFontDatabase::hasFamily(family));
    if (!*it) throw MissingFontError(family);
}

}  // namespace

QFont qtFont(const print::Font& font) {
    const QString family = resolvedFamily(font.name);
    requireInstalled(family);
    QFont f(family);
    f.setPixelSize(print::emHeight(font.size));
    f.setBold(font.style.bold);
    f.setItalic(font.style.italic);
    f.setUnderline(font.style.underline);
    f.setStrikeOut(font.style.strikeOut);
    f.setStyleHint(font.pitch == print::Pitch::Fixed ? QFont::Monospace : QFont::SansSerif);
    f.setFixedPitch(font.pitch == print::Pitch::Fixed);
    // Widths must be the font's own design widths, not rounded to a screen's
    // pixels, or the measured layout and the drawn page drift apart.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

}  // namespace talmorek::app
