#pragma once
// The initial Blowfish P-array and S-boxes: every implementation starts from
// these same published constants, which is what lets the receiving office
// decrypt a package made here.

#include <array>
#include <cstddef>
#include <cstdint>

namespace talmorek::exporting {

// 16 rounds use P1..P16; P17 and P18 whiten the halves at the end.
inline constexpr std::size_t kBlowfishSubkeys = 18;

extern const std::array<std::uint32_t, kBlowfishSubkeys> kBlowfishInitialP;
extern const std::array<std::array<std::uint32_t, 256>, 4> kBlowfishInitialS;

}  // namespace talmorek::exporting
