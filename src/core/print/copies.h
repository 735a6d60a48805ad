#pragma once
// The number of copies of the record that go straight to the printer after
// the export, as the commission types it into the copies dialog
// (`TZ_PocetKopii_F`): one character, "2" until changed.

#include <string>
#include <string_view>

namespace talmorek::print {

// The copies printed when the dialog is closed without OK (Escape, the
// window's close): the field's first value.
inline constexpr int kVychoziPocetKopii = 2;

// What OK makes of the field: the text it shows before the dialog closes
// and the number of copies printed directly.
struct PocetKopii {
    std::string shown;
    int copies = 1;
    bool operator==(const PocetKopii&) const = default;
};

// A single digit "1".."9" is taken as it is. Anything else (an empty field,
// "0", a letter, more than one character) prints one copy and the field
// shows "1", so the commission sees what is printed: the record is always
// printed at least once.
PocetKopii potvrdPocetKopii(std::string_view text);

}  // namespace talmorek::print
