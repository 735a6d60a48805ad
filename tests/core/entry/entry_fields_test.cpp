// The controls of the entry window by their object names.

#include <gtest/gtest.h>

#include "core/entry/entry_fields.h"
#include "core/entry/entry_precinct.h"

namespace talmorek::entry {
namespace {

TEST(EntryFields, EveryNamedControlIsFoundByItsObjectName) {
    for (int i = static_cast<int>(EntryField::None) + 1; i < static_cast<int>(EntryField::Other); ++i) {
        const auto field = static_cast<EntryField>(i);
        const EntryControl control{field, field == EntryField::CandEdit || field == EntryField::PartyBox ? 7 : 0};
        SCOPED_TRACE(objectName(control));
        EXPECT_EQ(controlNamed(objectName(control)), control);
    }
}

TEST(EntryFields, GeneratedRowsCarryTheirIndex) {
    EXPECT_EQ(objectName({EntryField::CandEdit, 12}), "CandEdit12");
    EXPECT_EQ(controlNamed("CandEdit36"), (EntryControl{EntryField::CandEdit, 36}));
    EXPECT_EQ(controlNamed("PartyBox7"), (EntryControl{EntryField::PartyBox, 7}));
    for (const char* unknown : {"", "CandEdit", "CandEdit0", "CandEditx", "R_EdObec_ZZ", "R_Label35"}) {
        SCOPED_TRACE(unknown);
        EXPECT_EQ(controlNamed(unknown), std::nullopt);
    }
}

TEST(EntryFields, PagesAndFieldKinds) {
    EXPECT_EQ(pageOf(EntryField::R_SEdZahajeno1), EntryPage::Section1);
    EXPECT_EQ(pageOf(EntryField::R_EdZapsOsoby), EntryPage::Section2);
    EXPECT_EQ(pageOf(EntryField::CandEdit), EntryPage::Annex1);
    EXPECT_EQ(pageOf(EntryField::R_SEdOstatni), EntryPage::Section3);
    EXPECT_EQ(pageOf(EntryField::zrusitBtn), std::nullopt);
    EXPECT_EQ(pageCaption(EntryPage::Annex1), "Příloha č. 1");
    struct Case {
        EntryField field;
        FieldKind kind;
        int maxLength;
        std::string_view defaultValue;
    } cases[] = {
        {EntryField::R_SEdZahajeno1, FieldKind::Text, 5, ""},
        {EntryField::R_SEdOdrocenoD, FieldKind::Text, 10, ""},
        {EntryField::R_SEdOdrocenoH, FieldKind::Digits, 2, ""},
        {EntryField::R_SEdDuvodPrer, FieldKind::Text, 200, ""},
        {EntryField::R_SEdZapisovat, FieldKind::Text, 35, ""},
        {EntryField::R_SEdClenuOVKP, FieldKind::Digits, 2, ""},
        {EntryField::R_EdZapsOsoby, FieldKind::Digits, 5, "0"},
        {EntryField::R_SEdPrilListu, FieldKind::Display, 2, ""},
        {EntryField::R_OdrocBRB, FieldKind::Choice, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(controlName(c.field));
        const FieldInput input = fieldInput(c.field);
        EXPECT_EQ(input.kind, c.kind);
        EXPECT_EQ(input.maxLength, c.maxLength);
        EXPECT_EQ(input.defaultValue, c.defaultValue);
    }
}

TEST(EntryFields, TheWindowCaptionNamesTheMainWindow) {
    EXPECT_EQ(entryWindowCaption().rfind("Vstup dat za okrsek - Volby do Poslanecké sněmovny", 0), 0u);
}

}  // namespace
}  // namespace talmorek::entry
