#pragma once
// The protocol of the last check run: its findings, sorted so that findings
// of the precinct as a whole come first, then each party in ascending number,
// within a party by code and then by detail text.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/checks/catalogue.h"

namespace talmorek::checks {

struct TChyba {
    std::int32_t KStrana = 0;  // 0 = the precinct as a whole
    std::int32_t Chyba = 0;
    std::string Param;  // detail completing the catalogue text; at most 200 characters

    // Party and code right-aligned in two characters each, then the detail:
    // " 0 4" for (0, 4); "1218(kand. č. 3)" for (12, 18, "(kand. č. 3)").
    std::string AsString() const;
    bool operator==(const TChyba&) const = default;
};

class TChybProt {
public:
    explicit TChybProt(const TCisChyb& catalogue) : CisChyb(&catalogue) {}

    // Inserts in front of the first finding whose key is not smaller (by
    // bytes), so a finding added twice stands twice, the newer first.
    void PridejChybu(std::int32_t iKStrana, std::int32_t iChyba, const std::string& iParam = {});
    void Clear() { findings_.clear(); }
    std::size_t Count() const { return findings_.size(); }

    const TChyba& VratChybu(std::size_t index) const { return findings_.at(index); }
    // The catalogue text of the finding's code.
    std::string VratHlasku(std::size_t index) const;
    // The catalogue text, one space, and the detail (the space also when it is empty).
    std::string VratHlaskuParam(std::size_t index) const;

    const std::vector<TChyba>& findings() const { return findings_; }
    const TCisChyb* CisChyb;

private:
    std::vector<TChyba> findings_;
};

}  // namespace talmorek::checks
