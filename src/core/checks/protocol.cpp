#include "core/checks/protocol.h"

#include <algorithm>

#include "core/data/cp1250.h"

namespace talmorek::checks {
namespace {
constexpr std::size_t kParamCapacity = 200;

std::string rightAligned2(std::int32_t value) {
    std::string s = std::to_string(value);
    return s.size() < 2 ? std::string(2 - s.size(), ' ') + s : s;
}
}  // namespace

std::string TChyba::AsString() const { return rightAligned2(KStrana) + rightAligned2(Chyba) + Param; }

void TChybProt::PridejChybu(std::int32_t iKStrana, std::int32_t iChyba, const std::string& iParam) {
    TChyba entry{iKStrana, iChyba, data::utf8Prefix(iParam, kParamCapacity)};
    const std::string key = entry.AsString();
    // std::string compares by unsigned bytes, the ordinal order of the keys.
    auto at = std::find_if(findings_.begin(), findings_.end(),
                           [&](const TChyba& existing) { return existing.AsString() >= key; });
    findings_.insert(at, std::move(entry));
}

std::string TChybProt::VratHlasku(std::size_t index) const {
    return CisChyb->NajdiChybu(VratChybu(index).Chyba).ZkrText;
}

std::string TChybProt::VratHlaskuParam(std::size_t index) const {
    return VratHlasku(index) + " " + VratChybu(index).Param;
}

}  // namespace talmorek::checks
