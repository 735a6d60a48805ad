#include "render/font_resolution.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>

namespace talmorek::render {

MissingFontError::MissingFontError(const QString& family)
    : std::runtime_error(("font not installed: " + family).toStdString()), family_(family) {}

QString resolvedFamily(const std::string& formFontName) {
    QString name = QString::fromStdString(formFontName).trimmed();
    if (name.endsWith(QLatin1String(" CE"), Qt::CaseInsensitive)) name.chop(3);
    if (name.startsWith(QLatin1String("Courier"), Qt::CaseInsensitive)) return QStringLiteral("Liberation Mono");
    return QStringLiteral("Liberation Sans");
}

namespace {

// The font matcher substitutes silently: asked for a family it lacks, it
// hands out another one with other widths, and every centred or
// right-aligned text would land elsewhere than measured. So the family must
// be in the database and must be what a request for it actually resolves to.
// Checked once per family: the font database answers slowly.
bool resolvesTo(const QString& family) {
    if (!QFontDatabase::hasFamily(family)) return false;
    return QFontInfo(QFont(family)).family().compare(family, Qt::CaseInsensitive) == 0;
}

void requireInstalled(const QString& family) {
    static QHash<QString, bool> known;
    auto it = known.find(family);
    if (it == known.end()) it = known.insert(family, resolvesTo(family));
    if (!*it) throw MissingFontError(family);
}

}  // namespace

bool formFontInstalled(const std::string& formFontName) {
    try {
        requireInstalled(resolvedFamily(formFontName));
        return true;
    } catch (const MissingFontError&) {
        return false;
    }
}

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

}  // namespace talmorek::render
