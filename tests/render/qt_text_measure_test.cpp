// The measure the layouts use must be the renderer's own fonts.

#include "render/qt_text_measure.h"

#include <gtest/gtest.h>

#include <QFontInfo>
#include <QFontMetricsF>

#include "render/font_resolution.h"

namespace talmorek::render {
namespace {

print::Font font(const char* name, int size, bool bold = false) {
    print::Font f;
    f.name = name;
    f.size = size;
    f.style.bold = bold;
    f.pitch = std::string_view(name).starts_with("Courier") ? print::Pitch::Fixed : print::Pitch::Variable;
    return f;
}

TEST(QtTextMeasure, FormFontsResolveToInstalledLiberationFamilies) {
    const struct {
        const char* form;
        const char* family;
    } cases[] = {{"Arial", "Liberation Sans"},
                 {"Arial CE", "Liberation Sans"},
                 {"Courier New", "Liberation Mono"},
                 {"Courier New CE", "Liberation Mono"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.form);
        const QFont q = qtFont(font(c.form, 26));
        EXPECT_EQ(QFontInfo(q).family(), c.family);
        EXPECT_EQ(q.pixelSize(), 35);
        EXPECT_TRUE(formFontInstalled(c.form));
    }
}

TEST(QtTextMeasure, AgreesWithTheFontMetricsOfTheDrawingFont) {
    const struct {
        const char* form;
        int size;
        bool bold;
        const char* text;
    } cases[] = {
        {"Arial", 24, false, "Příloha č. 1 – Okrsková volební komise"},
        {"Arial", 32, true, "T I S K   z k u š e b n í    s t r a n y"},
        {"Courier New", 26, false, "PROTOKOL O KONTROLÁCH ZA OKRSEK"},
        {"Courier New CE", 18, true, "................................................"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const print::Font f = font(c.form, c.size, c.bold);
        const double expected = QFontMetricsF(qtFont(f)).horizontalAdvance(QString::fromUtf8(c.text));
        EXPECT_EQ(QtTextMeasure().width(c.text, f), qRound(expected));
    }
}

TEST(QtTextMeasure, CourierNewAdvancesThreeFifthsOfTheEm) {
    // 80 characters of a protocol line fill the 1700 units of the text width.
    EXPECT_EQ(QtTextMeasure().width(std::string(80, 'x'), font("Courier New", 26)), 80 * 21);
    EXPECT_EQ(QtTextMeasure().width("", font("Arial", 24)), 0);
}

TEST(QtTextMeasure, BoldIsWiderThanRegularInArial) {
    const QtTextMeasure m;
    EXPECT_GT(m.width("PROTOKOL", font("Arial", 32, true)), m.width("PROTOKOL", font("Arial", 32)));
}

}  // namespace
}  // namespace talmorek::render
