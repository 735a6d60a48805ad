#pragma once
// The verdict of a check run: which classes its findings fall into. The
// check command saves the data as "O" or "E" by `PriznakChyby`, the export
// command refuses on it and tells the commission what the receiving point
// will ask about the other two.

namespace talmorek::checks {

struct Verdict {
    bool PriznakChyby = false;          // an error: no export, no printed record
    bool PriznakPropustitelne = false;  // a passable error (04–10)
    bool PriznakUpozorneni = false;     // a warning (91–98)
    bool operator==(const Verdict&) const = default;
};

}  // namespace talmorek::checks
