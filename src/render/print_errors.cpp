#include "render/print_errors.h"

#include "core/workflow/error_messages.h"
#include "core/data/errors.h"
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

std::string recordCopiesFailureMessage(const std::exception& failure, int printed, int requested) {
    std::string message = "Zápis se nepodařilo vytisknout.\r" + printFailureMessage(failure) + "\r\r";
    message += "Vytištěno kopií: " + std::to_string(printed) + " z " + std::to_string(requested) + ".";
    if (printed + 1 < requested) message += " Další kopie se netisknou.";
    message += "\rZápis se nyní zobrazí v náhledu, odkud jej lze po odstranění závady vytisknout "
               "(tlačítko Tisk).";
    return message;
}

}  // namespace talmorek::render
