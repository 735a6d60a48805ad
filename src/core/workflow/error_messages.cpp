#include "workflow/error_messages.h"

#include <cerrno>

#include "data/errors.h"

namespace talmorek::workflow {
namespace {

std::string ioMessage(const data::IoError& e) {
    const std::string& file = e.path();
    switch (e.osError()) {
        case 0:
            return "Soubor " + file + " je poškozen (neúplný záznam nebo čtení za koncem souboru).";
        case ENOENT:
        case ENOTDIR:
            return "Soubor " + file + " nebyl nalezen.";
        case EACCES:
        case EPERM:
        case EROFS:
            return "K souboru " + file + " není povolen přístup pro čtení a zápis.";
        case ENOSPC:
            return "Na disku není dost místa pro soubor " + file + ".";
        default:
            return "Chyba při práci se souborem " + file + " (kód chyby " + std::to_string(e.osError()) + ").";
    }
}

}  // namespace

std::string czechMessage(const std::exception& failure) {
    if (const auto* io = dynamic_cast<const data::IoError*>(&failure)) return ioMessage(*io);
    if (const auto* conv = dynamic_cast<const data::ConversionError*>(&failure))
        return "Text '" + conv->text() + "' není platné celé číslo.";
    if (const auto* wide = dynamic_cast<const data::FieldWidthError*>(&failure))
        return "Hodnota " + std::to_string(wide->value()) + " se nevejde do pole " + wide->field() + " (" +
               std::to_string(wide->width()) + " znaků); data nebyla uložena.";
    if (const auto* format = dynamic_cast<const data::FormatError*>(&failure)) {
        std::string where;
        if (format->position() >= 0) {
            bool record = format->unit() == data::FormatError::Unit::Record;
            where = (record ? " (záznam " : " (pozice ") + std::to_string(format->position() + 1) + ")";
        }
        return "Soubor " + format->file() + " má nesprávný obsah" + where + ".";
    }
    return std::string("Neočekávaná chyba: ") + failure.what();
}

}  // namespace talmorek::workflow
