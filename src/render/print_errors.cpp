#include "render/print_errors.h"

#include "workflow/error_messages.h"
#include "data/errors.h"
#include "render/font_resolution.h"

namespace talmorek::render {

std::string printFailureMessage(const std::exception& failure) {
    if (const auto* dataError = dynamic_cast<const data::DataError*>(&failure))
        return workflow::czechMessage(*dataError);
    if (const auto* font = dynamic_cast<const MissingFontError*>(&failure))
        return "Písmo " + font->family().toStdString() +
               " není nainstalováno, tisk nelze provést (balík fonts-liberation2).";
    if (dynamic_cast<const PrintOutputError*>(&failure)) return failure.what();
    return workflow::czechMessage(failure);
}

}  // namespace talmorek::render
