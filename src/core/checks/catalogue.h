#pragma once
// The catalogue of check messages, CISCHYB.RCD in the program directory: the
// short text of every code the checks can report. Its wording comes with the
// installation; the program only looks texts up by code.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/data/record_layout.h"

namespace talmorek::checks {

struct TChybaInfo {
    std::int32_t Chyba = 0;
    std::string TypChyby;  // one-character mark of the installation, never interpreted
    std::string ZkrText;   // str[65]
    bool operator==(const TChybaInfo&) const = default;
};

namespace cischyb {
constexpr std::size_t kRecordSize = 72;
extern const data::RecordLayout kLayout;
}  // namespace cischyb

TChybaInfo decodeChybaInfo(std::string_view record);
data::RecordBytes encodeChybaInfo(const TChybaInfo& info);

class TCisChyb {
public:
    // Loads CISCHYB.RCD of the program directory; IoError when it is missing
    // or its last record is incomplete, EmptyFileError when it holds no
    // message, and a record whose code is no check's (1..99) or whose text
    // is longer than its field is refused by record and field.
    explicit TCisChyb(const std::string& programDir);
    // A catalogue over given entries (tests, tools).
    explicit TCisChyb(std::vector<TChybaInfo> entries) : entries_(std::move(entries)) {}

    // The first entry with the code, or `NenalezenaChyba`.
    TChybaInfo NajdiChybu(std::int32_t iChyba) const;
    const std::vector<TChybaInfo>& entries() const { return entries_; }

    // Stands for a code that the catalogue lacks.
    const TChybaInfo NenalezenaChyba{-1, "", "Chyba nenalezena"};

private:
    std::vector<TChybaInfo> entries_;
};

}  // namespace talmorek::checks
