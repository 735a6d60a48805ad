// The sentence a user reads about a failed print job.
#include "render/print_errors.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <functional>
#include <memory>

#include "core/data/errors.h"
#include "render/font_resolution.h"

namespace talmorek::render {
namespace {

TEST(PrintFailureMessage, WordsTheDataAsEveryCommandAndThePlatformInItsOwnWords) {
    struct Case {
        const char* name;
        std::function<std::unique_ptr<std::exception>()> failure;
        const char* message;
    } cases[] = {
        {"register_field",
         [] { return std::make_unique<data::ConversionError>("x", "/i/STRANY.RCD", "PocetKandidatu", 0); },
         "Soubor /i/STRANY.RCD, záznam 1, pole PocetKandidatu: text 'x' není platné celé číslo."},
        {"missing_register", [] { return std::make_unique<data::IoError>("/i/KANDIDAT.RCD", ENOENT, "x"); },
         "Soubor /i/KANDIDAT.RCD nebyl nalezen."},
        {"missing_font", [] { return std::make_unique<MissingFontError>(QStringLiteral("Liberation Mono")); },
         "Písmo Liberation Mono není nainstalováno, tisk nelze provést (balík fonts-liberation2)."},
        {"refused_output", [] { return std::make_unique<PrintOutputError>("Tiskárna odmítla tisk."); },
         "Tiskárna odmítla tisk."},
        {"anything_else", [] { return std::make_unique<std::logic_error>("boom"); }, "Neočekávaná chyba: boom"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(printFailureMessage(*c.failure()), c.message);
    }
}

TEST(RecordCopiesFailureMessage, SaysWhyHowManyCameOutAndWhereToPrintFrom) {
    const PrintOutputError refused("Tisk nelze zahájit: tiskárna nebo soubor odmítá výstup.");
    struct Case {
        const char* name;
        int printed;
        int requested;
        const char* counts;
    } cases[] = {
        {"only_copy_failed", 0, 1, "Vytištěno kopií: 0 z 1."},
        {"first_of_two_failed", 0, 2, "Vytištěno kopií: 0 z 2. Další kopie se netisknou."},
        {"second_of_three_failed", 1, 3, "Vytištěno kopií: 1 z 3. Další kopie se netisknou."},
        {"last_of_three_failed", 2, 3, "Vytištěno kopií: 2 z 3."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(recordCopiesFailureMessage(refused, c.printed, c.requested),
                  std::string("Zápis se nepodařilo vytisknout.\rTisk nelze zahájit: tiskárna nebo soubor odmítá "
                              "výstup.\r\r") +
                      c.counts +
                      "\rZápis se nyní zobrazí v náhledu, odkud jej lze po odstranění závady vytisknout "
                      "(tlačítko Tisk).");
    }
}

}  // namespace
}  // namespace talmorek::render
