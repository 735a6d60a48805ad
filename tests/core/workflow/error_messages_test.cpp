// The Czech sentence a commission member reads for each kind of failure.
#include "workflow/error_messages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <stdexcept>

#include "data/errors.h"

namespace talmorek::workflow {
namespace {

struct MessageCase {
    const char* name;
    std::function<std::unique_ptr<std::exception>()> failure;
    const char* message;
};

TEST(CzechMessage, NamesTheFileOrValueOfEveryKindOfFailure) {
    const MessageCase cases[] = {
        {"missing_file", [] { return std::make_unique<data::IoError>("STRANY.RCD", ENOENT, "x"); },
         "Soubor STRANY.RCD nebyl nalezen."},
        {"short_record", [] { return std::make_unique<data::IoError>("KOMISE.RCD", 0, "x"); },
         "Soubor KOMISE.RCD je poškozen (neúplný záznam nebo čtení za koncem souboru)."},
        {"full_disk", [] { return std::make_unique<data::IoError>("EP532053.00001", ENOSPC, "x"); },
         "Na disku není dost místa pro soubor EP532053.00001."},
        {"not_a_number", [] { return std::make_unique<data::ConversionError>("47a"); },
         "Text '47a' není platné celé číslo."},
        {"damaged_register", [] {
             return std::make_unique<data::FormatError>("STRANY.RCD", 22, "x", data::FormatError::Unit::Record);
         },
         "Soubor STRANY.RCD má nesprávný obsah (záznam 23)."},
        {"value_too_wide", [] { return std::make_unique<data::FieldWidthError>("ZapsOsoby", 100000, 5); },
         "Hodnota 100000 se nevejde do pole ZapsOsoby (5 znaků); data nebyla uložena."},
        {"anything_else", [] { return std::make_unique<std::runtime_error>("boom"); },
         "Neočekávaná chyba: boom"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(czechMessage(*c.failure()), c.message);
    }
}

}  // namespace
}  // namespace talmorek::workflow
