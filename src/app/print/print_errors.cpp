#include "app/print/print_errors.h"

#include "app/error_messages.h"
#include "app/print/font_resolution.h"

namespace talmorek::app {

std::string printFailureMessage(const std::exception& failure) {
    if (const auto* font = dynamic_cast<const MissingFontError*>(&failure))
        return "Písmo " + font->family().toStdString() +
               " není nainstalováno, tisk nelze provést (balík fonts-liberation2).";
    if (dynamic_cast<const PrintOutputError*>(&failure)) return failure.what();
    return czechMessage(failure);
}

}  // namespace talmorek::app
