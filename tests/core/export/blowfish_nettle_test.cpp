// The package key against Nettle's own key schedule (the Linux build's
// cipher): after it every S-box holds 256 different words, counted here
// apart from the library's own check; the same count does find the
// repeated word of a weak key. libgcrypt keeps its schedule to itself, so
// the Windows build has no such count.
#include <nettle/blowfish.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "core/export/blowfish.h"
#include "core/export/blowfish_weak_key.h"
#include "core/export/package.h"

namespace talmorek::exporting {
namespace {

std::size_t fewestDistinctInAnSBox(const std::string& key) {
    blowfish_ctx context;
    blowfish_set_key(&context, key.size(), reinterpret_cast<const std::uint8_t*>(key.data()));
    std::size_t fewest = 256;
    for (const auto& box : context.s) {
        fewest = std::min(fewest, std::set<std::uint32_t>(std::begin(box), std::end(box)).size());
    }
    return fewest;
}

TEST(BlowfishNettleSchedule, thePackageKeyLeavesEveryWordOfEveryBoxDifferent) {
    EXPECT_NO_THROW(Blowfish{kPackageKey});
    EXPECT_EQ(256u, fewestDistinctInAnSBox(std::string(kPackageKey)));
    EXPECT_EQ(255u, fewestDistinctInAnSBox("00012570"));
}

// Nettle and the schedule computed apart agree on which keys are weak:
// every eight-digit text up to one past the first weak key, and a weak key
// of each S-box.
TEST(BlowfishNettleSchedule, agreesWithTheScheduleComputedApart) {
    std::vector<std::string> keys{"00123954", "00126191", "00251099", "00263265"};
    char text[16];
    for (int n = 0; n <= 12571; n += 7) {
        std::snprintf(text, sizeof text, "%08d", n);
        keys.emplace_back(text);
    }
    keys.emplace_back("00012570");
    for (const std::string& key : keys) {
        blowfish_ctx context;
        const bool nettleWeak =
            blowfish_set_key(&context, key.size(), reinterpret_cast<const std::uint8_t*>(key.data())) == 0;
        EXPECT_EQ(nettleWeak, leavesRepeatedSBoxWord(key)) << key;
    }
}

}  // namespace
}  // namespace talmorek::exporting
