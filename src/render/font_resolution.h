#pragma once
// The printouts name the fonts of the paper forms, "Arial" and "Courier New"
// (with " CE" for the Central European variants of older printers). On this
// platform they are drawn with the metric-compatible Liberation Sans and
// Liberation Mono, so that every width the layouts measured holds on paper.
#include <QFont>
#include <QString>
#include <stdexcept>
#include <string>

#include "core/print/surface.h"

namespace talmorek::render {

// The font needed for a printout is not installed: nothing could be placed
// where the forms expect it, so the job must not run at all.
class MissingFontError : public std::runtime_error {
public:
    explicit MissingFontError(const QString& family);
    const QString& family() const { return family_; }

private:
    QString family_;
};

// The installed family that stands in for a form font name.
QString resolvedFamily(const std::string& formFontName);

// Whether the family standing in for a form font name is installed.
bool formFontInstalled(const std::string& formFontName);

// The QFont of a drawing call: resolved family, pixel size = em height (one
// pixel is 0.1 mm on the 254-dpi devices the pages are drawn on), style.
// Raises MissingFontError when the family is not installed.
QFont qtFont(const print::Font& font);

}  // namespace talmorek::render
