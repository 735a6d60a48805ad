#include "core/checks/field_message.h"

#include <gtest/gtest.h>

#include "core/checks/catalogue_texts.h"

namespace talmorek::checks {
namespace {

// A catalogue text of exactly `count` characters, with letters of two bytes
// each in UTF-8 so that a count of bytes would land elsewhere.
std::string textOf(std::size_t count) {
    std::string text;
    for (std::size_t i = 0; i < count; ++i) text += (i % 2 == 0) ? "ř" : "a";
    return text;
}

const TCisChyb& shipped() {
    static const TCisChyb catalogue(std::vector<TChybaInfo>(catalogueTexts().begin(), catalogueTexts().end()));
    return catalogue;
}

TEST(FieldMessage, HeadingColourAndSecondButton) {
    struct Case {
        const char* name;
        std::int32_t code;
        bool info;
        bool propust;
        const char* heading;
        bool warning;
        const char* secondButton;
    };
    const Case cases[] = {
        {"error_passable_is_confirmed", 5, false, true, "Chyba č. 5", false, "&Potvrdit"},
        {"error_blocking_is_ignored", 11, false, false, "Chyba č. 11", false, "&Ignorovat"},
        {"warning_is_confirmed", 96, true, false, "Upozornění (č. 96)", true, "&Potvrdit"},
        {"warning_passable_flag_changes_nothing", 91, true, true, "Upozornění (č. 91)", true, "&Potvrdit"},
        {"code_missing_from_the_catalogue_keeps_its_number", 55, false, false, "Chyba č. 55", false, "&Ignorovat"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FieldMessage m = fieldMessage(shipped(), c.code, "", c.info, c.propust);
        EXPECT_EQ(m.heading, c.heading);
        EXPECT_EQ(m.warning, c.warning);
        EXPECT_EQ(m.secondButton(), c.secondButton);
        EXPECT_EQ(m.confirms, std::string_view(c.secondButton) == "&Potvrdit");
    }
}

TEST(FieldMessage, TextWithTheDetailOfTheShippedCatalogue) {
    struct Case {
        const char* name;
        std::int32_t code;
        const char* detail;
        const char* text;
    };
    const Case cases[] = {
        {"no_detail_is_the_catalogue_text_alone", 5, "", "Voličům nebyly vydány žádné úřední obálky"},
        {"detail_in_parentheses", 11, "2391", "Chybné kontrolní číslo KČ2 v oddílu II (2391)"},
        {"expected_electorate_after_a_space", 96, "500",
         "Počet zapsaných voličů se výrazně liší od očekávaného 500"},
        {"expected_electorate_without_detail", 96, "", "Počet zapsaných voličů se výrazně liší od očekávaného"},
        {"unknown_code", 55, "", "Chyba nenalezena"},
        {"unknown_code_with_detail", 55, "7", "Chyba nenalezena (7)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(fieldMessage(shipped(), c.code, c.detail, c.code == 96, false).text, c.text);
    }
}

TEST(FieldMessage, TheSeparatorIsCutAtTheEndOfTheLineButNeverTheCatalogueText) {
    struct Case {
        const char* name;
        std::int32_t code;
        std::size_t textLength;
        const char* after;  // what follows the catalogue text
    };
    const Case cases[] = {
        {"other_62_keeps_space_and_parenthesis", 11, 62, " (12)"},
        {"other_63_keeps_the_space_only", 11, 63, " 12)"},
        {"other_64_keeps_no_separator", 11, 64, "12)"},
        {"other_65_text_stays_whole", 11, 65, "12)"},
        {"electorate_62_keeps_the_space", 96, 62, " 12"},
        {"electorate_63_keeps_no_space", 96, 63, "12"},
        {"electorate_65_text_stays_whole", 96, 65, "12"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string text = textOf(c.textLength);
        const TCisChyb catalogue(std::vector<TChybaInfo>{{c.code, "C", text}});
        EXPECT_EQ(fieldMessage(catalogue, c.code, "12", c.code == 96, false).text, text + c.after);
    }
}

}  // namespace
}  // namespace talmorek::checks
