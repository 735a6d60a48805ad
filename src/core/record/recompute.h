#pragma once
// Recomputing the derived values of the record of the vote: the check
// numbers, the per-party control sums and the summary record that the
// receiving office uses to prove the block was not altered.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>

#include "core/data/clock.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/record/record_of_vote.h"

namespace talmorek::record {

// The clock and the pseudo-random source of `Nahoda`, injected so that a
// recomputation can be repeated exactly in tests and by the tool. The clock
// is the one the printouts of the same run read.
struct RecomputeSources {
    std::shared_ptr<const data::Clock> clock;
    std::function<std::int32_t()> nahoda;  // uniform in 0..999998
};

// `clock` and a generator seeded with `seed`, or from the system clock when
// there is none.
RecomputeSources sourcesOf(std::shared_ptr<const data::Clock> clock, std::optional<std::uint32_t> seed = {});
// The local clock and a generator seeded from it.
RecomputeSources systemSources();
// A clock standing at `now` and a generator with a fixed seed.
RecomputeSources fixedSources(const data::LocalDateTime& now, std::uint32_t seed);

// `ZakrStrany` from the ticked parties: the flag of each party of the party
// list says whether it is ticked; the flag of a party the list does not hold
// (which no box can change) stays as it is.
void ProcDopoctiT4ZakrStrana(RecordOfVote& r, const data::PartyList& parties, const std::set<int>& ticked);

// The parties of the list that `ZakrStrany` flags now (the ticks the entry
// window shows when a record is loaded).
std::set<int> tickedParties(const RecordOfVote& r, const data::PartyList& parties);

// KČ1–KČ4, PoslKand and KSoucet of party `iKStrana`.
void ProcDopoctiT4P(RecordOfVote& r, int iKStrana, const data::PartyList& parties);

// The summary record and `PrilListu`. Raises ConversionError naming the
// station record's file and `KodOS` when the operating-system code is not a
// number.
void ProcDopoctiTS(RecordOfVote& r, const data::PartyList& parties, const data::TStanice& station,
                   const RecomputeSources& sources);

// `ProcDopoctiT4ZakrStrana`, every flagged party in list order, then `ProcDopoctiTS`.
void RecomputeAll(RecordOfVote& r, const data::PartyList& parties, const std::set<int>& ticked,
                  const data::TStanice& station, const RecomputeSources& sources);

// Annex 1 sheets: one per flagged party among 1..22.
int PocetListuPrilohy(const RecordOfVote& r);

// The summary's totals over `T4`, `TS` and the flagged parties in list order.
struct SummarySums {
    std::int64_t kc1 = 0, kc2 = 0, kc3 = 0, kc4 = 0, kSoucet = 0;
};
SummarySums summarySums(const RecordOfVote& r, const data::PartyList& parties);

// Datum + the sums + Cas + Rezerva + Nahoda, as the summary's `Celkem`.
std::int64_t celkemOf(const TTS& ts);

}  // namespace talmorek::record
