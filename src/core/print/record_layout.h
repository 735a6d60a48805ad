#pragma once
// The first pages of the printed record of the vote ("zápis"): the paper
// form T/4a, or T/4b for a special precinct abroad, filled in. The form's
// dotted lines are drawn and the entered values are written over them, so
// the printout is the filled-in form itself.
//
// Page 1 carries the heading, section I (course of voting) and section II
// (totals and the parties that received votes); section III (the commission)
// follows on the next page and continues on further pages when the members'
// signatures do not fit. The job draws the footer after each of them.

#include <functional>
#include <string>
#include <string_view>

#include "core/print/print_state.h"
#include "core/print/record_job.h"

namespace talmorek::print {

// Draws page 1 on the current page, from the top. The footer is the
// caller's.
void drawRecordPage1(PrintContext& ctx, const RecordJob& job);

// Draws section III on the current page, from the top. When the signatures
// overflow, the full page gets its footer (`PatickaZapisu`), a continuation
// page headed "III. - pokračování" is started and `CisloStrany` advances.
// The footer of the last page is the caller's.
void drawRecordSection3(PrintContext& ctx, const RecordJob& job);

namespace record_layout_detail {

// The job's record, which every record layout needs.
const record::RecordOfVote& recordOf(const RecordJob& job);

// What the pages of the record are drawn with: the job, its record and
// course of voting, the form (T/4a or T/4b), whether the copy goes straight
// to the printer, the margins and the width of a dot of the body font.
class RecordSheet {
protected:
    RecordSheet(PrintContext& ctx, const RecordJob& job);

    int w(std::string_view text) const;
    static std::string dots(int n);
    void size(int points) { ctx_.canvas.font.size = points; }

    PrintContext& ctx_;
    TiskovyStav& s_;
    const RecordJob& job_;
    const record::RecordOfVote& r_;
    const data::Hlasovani& h_;
    const bool t4b_;
    const bool direct_;
    const int L_;
    const int R_;
    int d_ = 1;
};

// Writes the rest of a broken entry from the left margin, `dy` above the
// current line, and when it is wider than the text area breaks it again and
// goes on over as many further lines as it takes: a long reason or list of
// names is printed whole instead of running off the sheet. A piece starts
// at its break character when `keepBreak` is set, else after it.
void writeRest(PrintContext& ctx, std::string rest, int dy, bool keepBreak);

// The commission members sign in three columns of signature lines with
// their names written over them. The size to write `name` in so that it
// stays within `width`: the current size when it fits, else the largest
// smaller one that does, but not below the size of the footnote markers. A
// long name would otherwise run into the next column's name, or off the
// sheet from the third column.
int nameSizeWithin(const PrintContext& ctx, std::string_view name, int width);

// The room a name has in a signature column of width `column`: a gap is left
// before the next column.
inline int nameRoom(int column) { return column - 20; }

// The other members of the commission sign in three columns of width
// (R - L) div 3, each a line of 60 dots with the member's name written just
// above it: the first member in the third column of the current line, then
// rows of three, two line steps apart, ending after the last name. After a
// full row with names still to come, a row that ended below `lowestRowY`
// makes `continuationPage` end the page and begin the next one.
void signatureColumns(PrintContext& ctx, const data::SeznamKomise& members, int lowestRowY,
                      const std::function<void()>& continuationPage);

}  // namespace record_layout_detail

}  // namespace talmorek::print
