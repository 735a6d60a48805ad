// The Czech sentence a commission member reads for each kind of failure.
#include "core/workflow/error_messages.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>
#include <stdexcept>

#include "core/data/errors.h"
#include "core/export/blowfish.h"
#include "core/export/container.h"
#include "core/export/data_file.h"

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
        {"short_record_known", [] { return std::make_unique<data::IoError>("/i/KOMISE.RCD", 0, "x", 2); },
         "Soubor /i/KOMISE.RCD je poškozen (neúplný záznam 3)."},
        {"full_disk", [] { return std::make_unique<data::IoError>("EP532053.00001", ENOSPC, "x"); },
         "Na disku není dost místa pro soubor EP532053.00001."},
        {"directory_in_the_way", [] { return std::make_unique<data::IoError>("/i/data/HLASO.RCD", EISDIR, "x"); },
         "Chyba při práci se souborem /i/data/HLASO.RCD: na místě souboru je adresář."},
        {"link_in_the_way", [] { return std::make_unique<data::IoError>("/i/data/KOMISE.RCD", ELOOP, "x"); },
         "Chyba při práci se souborem /i/data/KOMISE.RCD: na místě souboru je odkaz na jiný soubor."},
        {"medium_error", [] { return std::make_unique<data::IoError>("/i/STANICE.RCD", EIO, "x"); },
         "Chyba při práci se souborem /i/STANICE.RCD: chyba čtení nebo zápisu na disku."},
        {"too_big", [] { return std::make_unique<data::IoError>("/i/x.pdf", EFBIG, "x"); },
         "Chyba při práci se souborem /i/x.pdf: soubor by byl příliš velký."},
        {"unknown_code", [] { return std::make_unique<data::IoError>("/i/x.pdf", 9999, "x"); },
         "Chyba při práci se souborem /i/x.pdf: neočekávaná chyba operačního systému č. 9999."},
        {"package_claiming_too_much", [] {
             data::FormatError e("/m/OP532053.00001", 16, "x");
             e.locate("", exporting::kPlainSizeField);
             return std::make_unique<data::FormatError>(e);
         },
         "Soubor /m/OP532053.00001 uvádí víc dat, než balíček dat může obsahovat; nebyl rozbalen."},
        {"data_file_too_large", [] {
             data::FormatError e("/m/OP532053.00001", -1, "x");
             e.locate("", exporting::kFileSizeField);
             return std::make_unique<data::FormatError>(e);
         },
         "Soubor /m/OP532053.00001 je větší, než soubor dat může být; nebyl přečten."},
        {"temporarily_unavailable", [] { return std::make_unique<data::IoError>("/i/x.pdf", EAGAIN, "x"); },
         "Chyba při práci se souborem /i/x.pdf: soubor je dočasně nedostupný."},
        {"not_a_number", [] { return std::make_unique<data::ConversionError>("47a"); },
         "Text '47a' není platné celé číslo."},
        {"not_a_number_in_a_file",
         [] { return std::make_unique<data::ConversionError>("]u", "/i/STANICE.RCD", "KodOS"); },
         "Soubor /i/STANICE.RCD, pole KodOS: text ']u' není platné celé číslo."},
        {"not_a_number_in_a_register",
         [] { return std::make_unique<data::ConversionError>("x", "/i/STRANY.RCD", "PocetKandidatu", 2); },
         "Soubor /i/STRANY.RCD, záznam 3, pole PocetKandidatu: text 'x' není platné celé číslo."},
        {"not_a_number_of_a_field", [] { return std::make_unique<data::ConversionError>("ab", "", "ClenuOVKC"); },
         "Pole ClenuOVKC: text 'ab' není platné celé číslo."},
        {"damaged_register", [] {
             return std::make_unique<data::FormatError>("STRANY.RCD", 22, "x", data::FormatError::Unit::Record);
         },
         "Soubor STRANY.RCD má nesprávný obsah (záznam 23)."},
        {"damaged_package", [] { return std::make_unique<data::FormatError>("OP532053.00001", 4, "x"); },
         "Soubor OP532053.00001 má nesprávný obsah (pozice 5)."},
        {"value_too_wide", [] { return std::make_unique<data::FieldWidthError>("ZapsOsoby", 100000, 5); },
         "Hodnota 100000 se nevejde do pole ZapsOsoby (5 znaků); data nebyla uložena."},
        {"value_too_wide_for_a_file",
         [] { return std::make_unique<data::FieldWidthError>("ZapsOsoby", 100000, 5, "/i/data/EP532053.00001"); },
         "Soubor /i/data/EP532053.00001: hodnota 100000 se nevejde do pole ZapsOsoby (5 znaků); data nebyla "
         "uložena."},
        {"value_not_allowed_in_a_record",
         [] { return std::make_unique<data::FieldValueError>("ABCDEF", "KodObce", "/i/STANICE.RCD"); },
         "Soubor /i/STANICE.RCD, pole KodObce: hodnota 'ABCDEF' není v tomto poli přípustná."},
        {"value_not_allowed_in_a_register",
         [] { return std::make_unique<data::FieldValueError>("-1", "PocetKandidatu", "/i/STRANY.RCD", 2); },
         "Soubor /i/STRANY.RCD, záznam 3, pole PocetKandidatu: hodnota '-1' není v tomto poli přípustná."},
        {"damaged_flags", [] {
             data::FormatError e("/i/data/EP532053.00001", 47, "x");
             e.locate("", "ZakrStrany");
             return std::make_unique<data::FormatError>(e);
         },
         "Soubor /i/data/EP532053.00001 má nesprávný obsah (pozice 48, pole ZakrStrany)."},
        {"weak_key", [] { return std::make_unique<exporting::KeyError>(exporting::KeyError::Reason::Weak); },
         "Zadaný klíč je pro šifru Blowfish slabý, program ho nepoužije; zvolte jiný klíč."},
        {"key_length", [] { return std::make_unique<exporting::KeyError>(exporting::KeyError::Reason::Length); },
         "Zadaný klíč musí mít 1 až 56 bajtů, program ho nepoužije; zvolte jiný klíč."},
        {"anything_else", [] { return std::make_unique<std::runtime_error>("boom"); },
         "Neočekávaná chyba: boom"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(czechMessage(*c.failure()), c.message);
    }
}

// A site that read the text catches the failure raised without context,
// adds what it knows and rethrows: the kind and what the raiser knew stay.
TEST(CzechMessage, ALocatedFailureKeepsItsKindAndWhatItKnew) {
    try {
        try {
            throw data::ConversionError("5x", "", "ClenuOVKP");
        } catch (data::DataError& e) {
            e.locate("/i/data/HLASO.RCD", "ClenuOVKC", 0);
            throw;
        }
    } catch (const data::ConversionError& e) {
        EXPECT_EQ(e.file(), "/i/data/HLASO.RCD");
        EXPECT_EQ(e.field(), "ClenuOVKP") << "the raiser's field stays";
        EXPECT_EQ(e.record(), 0);
        EXPECT_EQ(czechMessage(e), "Soubor /i/data/HLASO.RCD, záznam 1, pole ClenuOVKP: text '5x' není platné celé "
                                   "číslo.");
        return;
    }
    ADD_FAILURE() << "the located failure was not rethrown as a ConversionError";
}

TEST(CzechMessage, EveryKindIsADataErrorWithItsFile) {
    const data::IoError io("/i/A.RCD", ENOENT, "x");
    const data::FormatError format("/i/B.RCD", 3, "x", data::FormatError::Unit::Record);
    const data::FormatError bytes("/i/C", 3, "x");
    const data::FieldWidthError wide("KC2", 1234567, 6, "/i/D");
    const data::DataError* all[] = {&io, &format, &bytes, &wide};
    const char* files[] = {"/i/A.RCD", "/i/B.RCD", "/i/C", "/i/D"};
    const long long records[] = {-1, 3, -1, -1};
    for (std::size_t i = 0; i < std::size(all); ++i) {
        SCOPED_TRACE(files[i]);
        EXPECT_EQ(all[i]->file(), files[i]);
        EXPECT_EQ(all[i]->record(), records[i]);
        EXPECT_EQ(czechMessage(*all[i]), czechMessage(static_cast<const std::exception&>(*all[i])));
    }
    EXPECT_EQ(wide.field(), "KC2");
}

}  // namespace
}  // namespace talmorek::workflow
