#pragma once
// The journal of what was typed since the last save: every field the
// commission leaves with a new value, every radio button chosen, party box
// ticked or un-ticked, name typed in the grid and party chosen on Annex 1
// is appended to ZURNAL.<precinct> in the station's data directory, one
// synced write per entry, before the program goes on. A page change and a
// save write everything to the data files and empty the journal, so it
// never holds more than what was typed on the page shown. When the program
// dies (a power cut, a crash, the process killed), the next opening of the
// entry window finds the journal and offers to type it again.
//
// The file is UTF-8 text, one line per entry, never rewritten in place:
//
//   TALMOREK ZURNAL 1 <tab> <municipality> <tab> <precinct> <tab> <results> <tab> <course> <tab>
//       <commission> <tab> <crc>
//   <seq> <tab> <yyyy-mm-ddThh:mm:ss> <tab> <page> <tab> <kind> <tab> <control> <tab> <index> <tab>
//       <party> <tab> <value> <tab> <crc>
//
// <control> is the control's object name ("R_EdPocHl", "CandEdit12"),
// <index> the candidate's order, the party of a box or the row of the names
// grid (0 for the others).
//
// The first line ties the journal to the precinct and to the saved record
// it extends, by the fingerprints of its three parts (`fingerprintOf`), so
// that it is never replayed onto another.
// Sequence numbers count from 1 without a gap; <crc> is the CRC-32 of the
// line before its last tab, as eight hex digits; tabs, line breaks and
// backslashes in a value are written "\t", "\n", "\r" and "\\". A last line
// that a power cut cut short (no line break, or a wrong CRC with nothing
// after it) was never confirmed to anybody and is left out; any other
// damage makes the whole journal unusable (FormatError naming the file and
// the line).

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/clock.h"
#include "core/data/file_system.h"
#include "core/data/working_files.h"
#include "core/entry/entry_fields.h"
#include "core/record/record_of_vote.h"

namespace talmorek::entry {

// What the user did.
enum class JournalKind {
    Field,  // left an edit field with `value` in it
    Radio,  // chose the radio button `control`
    Tick,   // ticked ("1") or un-ticked ("0") the box of party `party`
    Name,   // left row `control.index` of the names grid with `value`
    Party,  // chose party `party` in the combo box of Annex 1
};

struct JournalEntry {
    long long seq = 0;  // 1, 2, …; given by the journal when appended
    data::LocalDateTime time;
    EntryPage page = EntryPage::Section1;  // the page shown
    JournalKind kind = JournalKind::Field;
    EntryControl control;
    int party = 0;  // Annex 1: the party shown; a tick or a choice: its party; else 0
    std::string value;
    bool operator==(const JournalEntry&) const = default;
};

// What the typed values of a saved record come to, part by part as the
// files keep them: the results block (the totals of section II, the
// parties with votes and their votes: the data file), the course of voting
// (HLASO.RCD) and the names of the commission (KOMISE.RCD), each hashed.
// Computed values (check numbers, the summary, the moment of the last
// check) are left out, so that a check run that rewrites the data file
// without changing a typed value leaves the journal applicable. A save
// writes the parts one file after another: a save cut short leaves some
// parts new and some old, which the parts tell apart.
struct SavedFingerprint {
    std::string results, course, commission;
    bool operator==(const SavedFingerprint&) const = default;
};
SavedFingerprint fingerprintOf(const record::RecordOfVote& saved);

struct JournalHeader {
    std::string kodObce;
    std::int32_t okrsek = 0;
    SavedFingerprint fingerprint;
    bool operator==(const JournalHeader&) const = default;
};

struct JournalContent {
    JournalHeader header;
    std::vector<JournalEntry> entries;
    bool tornTail = false;  // a last line cut short was left out
};

std::string encodeJournalHeader(const JournalHeader& header);
std::string encodeJournalEntry(const JournalEntry& entry);
// The journal in `bytes`; nothing when not even its first line reached the
// disk whole (a journal whose first write a power cut interrupted holds
// nothing confirmed). FormatError naming `file` and the line otherwise.
std::optional<JournalContent> decodeJournal(std::string_view bytes, const std::string& file);

// The journal file of one precinct: appends, reads, empties and sets aside.
class EntryJournal {
public:
    EntryJournal(data::FileSystem& files, std::string path);
    const std::string& path() const { return path_; }

    // Appends `entry` (its `seq` given here), written and synced in one go.
    // The first entry creates the file with `header`. IoError on failure;
    // after a failure nothing more is appended until `clear` or `rewrite`,
    // so that an entry written half never stands before a whole one.
    // Nothing is appended to a held journal.
    void append(const JournalHeader& header, JournalEntry entry);
    // Entries appended (or taken over by `rewrite`) since the last `clear`.
    long long entries() const { return nextSeq_ - 1; }
    bool failed() const { return failed_ || held_; }
    // Leaves the file on disk as it is, whatever comes: nothing is appended
    // to it and neither `clear` nor `rewrite` removes it. For a journal the
    // opening could neither read nor set aside, which still holds typing.
    void hold() { held_ = true; }
    bool held() const { return held_; }

    // The journal on disk; nothing when there is none or it holds nothing
    // confirmed. FormatError when damaged, IoError when unreadable.
    std::optional<JournalContent> read();
    // Writes `content` afresh (crash-safe) and goes on appending after it:
    // a torn last line never stands before a new entry.
    void rewrite(const JournalContent& content);
    // Removes the journal (nothing to do when nothing was written since the
    // last `clear`, or while held). IoError when it stays.
    void clear();
    // Renames the journal to the path with ".bad" (".bad2" … when one was
    // set aside before, which stays) and returns that path.
    std::string setAside();

private:
    void closeFile();

    data::FileSystem& files_;
    std::string path_;
    std::unique_ptr<data::File> file_;
    std::size_t size_ = 0;
    long long nextSeq_ = 1;
    bool failed_ = false;
    bool held_ = false;
    // Whether a file may stand at the path: unknown at first, then known.
    bool mayExist_ = true;
};

}  // namespace talmorek::entry
