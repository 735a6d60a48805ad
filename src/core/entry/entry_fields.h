#pragma once
// The controls of the entry window `TR_Vstupni_Form` that its logic names:
// the fields whose values it stores, the controls it sends the focus to and
// the fields a finding asks to correct. Each keeps the object name of its
// control on the form (`R_SEdZahajeno1`, `UlozitOkrBtn`), so the window maps
// them one to one and a reader finds the field of the paper form.

#include <optional>
#include <string>
#include <string_view>

namespace talmorek::entry {

// The pages of the notebook `R_TN_T4PR`, in their order.
enum class EntryPage : int {
    Section1 = 0,  // "T/4 - odd. I": identification and the course of voting
    Section2 = 1,  // "T/4 - odd. II": the totals and the parties with votes
    Annex1 = 2,    // "Příloha č. 1": one party at a time
    Section3 = 3,  // "T/4 - odd. III": the commission
};
inline constexpr int kEntryPageCount = 4;

// The caption of the page's tab.
std::string_view pageCaption(EntryPage page);

enum class EntryField {
    None,
    // Page I: identification (display), the election dates (display), then the sentences of the form.
    R_EdObec_Z, R_EdOkrsek_Z, R_EdT4KC_1_Z, R_SEdDatumVoleb,
    R_SEdZahajeno1, R_SEdUkonceno1, R_SEdZahajeno2, R_SEdUkonceno2,
    R_OdrocNRB, R_OdrocBRB, R_SEdOdrocenoD, R_SEdOdrocenoH, R_SEdOdrocenoM, R_SEdDuvodOdroc,
    R_ProdlNRB, R_ProdlBRB, R_SEdProdlouzD, R_SEdProdlouzH, R_SEdProdlouzM, R_SEdDuvodProdl,
    R_PrerusNRB, R_PrerusBRB, R_SEdPrerusD, R_SEdPrerusOd, R_SEdPrerusDo, R_SEdDuvodPrer,
    R_StiznBRB, R_StiznNRB, R_SEdStizListu,
    R_SchrankaBRB, R_SchrankaNRB,
    R_Dalsi_Btn,
    // Page II.
    R_EdObec, R_EdOkrsek, R_EdT4KC_1,
    R_EdZapsOsoby, R_EdVydObalky, R_EdOdevzdObalky, R_EdPlatneHlasy, R_EdT4KC_2,
    PartyBox,  // one of the party check boxes; the party number travels as the index
    R_Dalsi2_Btn,
    // Annex 1.
    R_CBT4P_1, R_EdCisStr, R_EdPocHl, R_EdT4PKC2,
    CandEdit,  // the preferential votes of candidate j, j (1..36) as the index
    R_EdT4PKC3, R_EdT4PKC4, R_EdT4PPoslKand, R_T4POpravaCB,
    // Page III.
    R_SEdPrilListu, R_SEdClenuOVKC, R_SEdClenuOVKP, R_SEdZapisovat, R_JmenaKomise_SG,
    R_SEdPoverPred, R_SEdOstatni, UlozitOkrBtn,
    // The frame: "Zrušit", shown on every page.
    zrusitBtn,
    // Any control the logic does not name.
    Other,
};

// A control: the field and, for the generated rows, which one (the
// candidate's list order for `CandEdit`, the party number for `PartyBox`).
struct EntryControl {
    EntryControl(EntryField f = EntryField::None, int i = 0) : field(f), index(i) {}
    EntryField field;
    int index;
    bool operator==(const EntryControl&) const = default;
};

// "R_SEdZahajeno1"; the generated rows "CandEdit" and "PartyBox".
std::string_view controlName(EntryField field);
// The object name of the control: the generated rows carry their index
// ("CandEdit12", "PartyBox7"), every other control its name.
std::string objectName(const EntryControl& control);
// The control of an object name; nothing for a name the logic does not know.
std::optional<EntryControl> controlNamed(std::string_view objectName);
// The page that holds the control; nothing for the frame's controls.
std::optional<EntryPage> pageOf(EntryField field);

// How a field takes what is typed (the `ValueType` of `TSEdit`).
enum class FieldKind {
    Text,     // any character
    Digits,   // "0".."9" only
    Display,  // filled by the program, never typed
    Choice,   // a radio button, check box, combo box, grid or button
};

struct FieldInput {
    FieldKind kind = FieldKind::Choice;
    int maxLength = 0;         // characters the control takes; 0 for no edit
    std::string_view defaultValue;  // put in when the field is left empty
};

// The kind, length and default of a control's field.
FieldInput fieldInput(EntryField field);

}  // namespace talmorek::entry
