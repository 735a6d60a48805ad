#pragma once
// What a field exit of the entry window reports, and how the report waits
// for the user.
//
// A finding is a value: the check that failed (its code and parameter, as
// `checks::fieldMessage` words it), the field to correct and the party of
// Annex 1 it belongs to. The window shows it in the message dialog once the
// focus change that raised it has finished; "&Opravit" brings the field back,
// the second button lets the user go on.

#include <cstdint>
#include <string>

#include "core/checks/field_message.h"
#include "core/entry/entry_fields.h"

namespace talmorek::entry {

struct FieldFinding {
    std::int32_t code = 0;  // iChyba: the number of the rule
    std::string param;      // iParam: the detail (UTF-8), may be empty
    EntryControl field;     // oprEdit: the field to correct
    int party = 0;          // the party shown on Annex 1 when it was found; 0 for none
    bool iInfo = false;     // a warning ("Upozornění"), else an error
    bool iPropust = false;  // an error the commission may confirm rather than ignore

    // "&Potvrdit" for a warning or a passable error, else "&Ignorovat".
    std::string secondButton() const { return checks::secondButtonCaption(checks::confirms(iInfo, iPropust)); }
    bool operator==(const FieldFinding&) const = default;
};

// The two buttons of the message dialog. Escape and closing the dialog count as "&Opravit".
enum class ReportAnswer {
    Opravit,  // back to the field
    GoOn,     // "&Ignorovat" or "&Potvrdit"
};

// What the user asked for while a report was still waiting: it runs only
// when the report is answered with the second button.
enum class WaitingAction {
    None,
    Save,                // "Uložit" or F2
    ContinueSection1,    // "Pokračovat" of page I
    ContinueSection2,    // "Pokračovat" of page II, or Enter on its last party box
};

}  // namespace talmorek::entry
