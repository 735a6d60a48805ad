// Rule 39: section III of the record, the commission that signs it. The
// record is valid only when more than half of the commission was present and
// every member present, the clerk and the member who hands the record over
// are named.

#include "core/checks/rules.h"
#include "core/data/decimal.h"
#include "core/data/station.h"

namespace talmorek::checks {
namespace {

// The counts are fields of the course of voting. Where it was read from
// (HLASO.RCD, a record given to the tool) only the caller knows: a count
// that is no number names its field, and the caller adds the file.
data::FieldOrigin courseField(std::string_view field) { return {{}, field}; }

// Blank after removing leading and trailing spaces and control characters.
bool isBlank(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) > ' ') return false;
    }
    return true;
}

}  // namespace

bool CheckRules::Kontrola39(bool iBezHlaseni) {
    const data::Hlasovani& h = record_.hlasovani;
    std::string problems;
    const bool totalMissing = isBlank(h.ClenuOVKC);
    const bool presentMissing = isBlank(h.ClenuOVKP);
    if (totalMissing) problems += ", není vyplněn počet členů komise celkem";
    if (presentMissing) {
        problems += ", není vyplněn počet přítomných členů komise";
    } else if (h.ClenuOVKP == "0" || h.ClenuOVKP == "1") {
        // The clerk counts as the first member present; someone else must sign too.
        problems += ", není vyplněno jméno ostatního člena komise";
    } else {
        // The clerk is member 1; the list names members 2..present.
        const std::int32_t present = data::toIntStrict(h.ClenuOVKP, courseField("ClenuOVKP"));
        for (std::int32_t c = 1; c <= present - 1; ++c) {
            const auto index = static_cast<std::size_t>(c - 1);
            // A list shorter than the count lacks names just as blank entries do.
            if (index >= record_.komise.size() || isBlank(record_.komise[index].clen)) {
                problems += ", není vyplněno jméno ostatního člena komise";
                break;
            }
        }
    }
    if (!totalMissing && !presentMissing) {
        const std::int64_t present = data::toIntStrict(h.ClenuOVKP, courseField("ClenuOVKP"));
        const std::int64_t total = data::toIntStrict(h.ClenuOVKC, courseField("ClenuOVKC"));
        if (2 * present <= total) {
            problems += ", počet přítomných členů není nadpoloviční většina";
        } else if (present > total) {
            problems += ", počet přítomných členů > než celkový počet";
        }
    }
    if (isBlank(h.Zapisovat)) problems += ", není vyplněno jméno zapisovatele komise";
    // The entry window does not offer the entrusted member for a precinct abroad.
    if (isBlank(h.PoverPred) && stationKodObce_ != data::kKodZvlastnihoOkrsku)
        problems += ", není vyplněno jméno pověřené osoby";
    ProblemyKomise = "Nalezené problémy: " + (problems.empty() ? std::string() : problems.substr(2));
    return judge(problems.empty(), iBezHlaseni, "39", kZaznamT4);
}

}  // namespace talmorek::checks
