// The precinct data files of a batch: found, grouped by precinct, totalled.
#include "core/receiving/batch.h"

#include <algorithm>
#include <filesystem>
#include <set>
#include <system_error>
#include <tuple>

#include "core/data/errors.h"
#include "core/data/path_text.h"
#include "core/data/station.h"

namespace talmorek::receiving {
namespace {

// The key that keeps the files of a precinct together: its name's
// municipality and precinct.
std::string groupKeyOf(const std::string& path) {
    const std::optional<DataFileName> name = parseDataFileName(data::utf8Of(data::pathOf(path).filename()));
    if (!name) return "~" + path;
    return name->kodObce + "." + data::precinctFiveDigits(name->okrsek);
}

}  // namespace

std::vector<std::string> findDataFiles(const std::string& directory) {
    std::vector<std::string> found;
    std::error_code ec;
    std::filesystem::recursive_directory_iterator it(data::pathOf(directory), ec), end;
    std::string at = directory;
    for (; !ec && it != end; it.increment(ec)) {
        at = data::utf8Of(it->path());
        std::error_code kindError;
        if (!it->is_regular_file(kindError)) continue;
        if (parseDataFileName(data::utf8Of(it->path().filename()))) found.push_back(at);
    }
    // A directory that cannot be read would leave its files out unseen.
    if (ec) throw data::IoError(at, ec.value(), "cannot walk the directory");
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(found.size());
    for (std::string& path : found) keyed.emplace_back(groupKeyOf(path), std::move(path));
    std::sort(keyed.begin(), keyed.end());
    std::vector<std::string> ordered;
    ordered.reserve(keyed.size());
    for (auto& [key, path] : keyed) ordered.push_back(std::move(path));
    return ordered;
}

std::string_view duplicateName(Duplicate duplicate) {
    switch (duplicate) {
        case Duplicate::None: return "";
        case Duplicate::Identical: return "shodný";
        case Duplicate::Different: return "rozdílný";
    }
    return {};
}

void BatchCollector::add(ReceivedFile file) {
    const std::string key = groupKeyOf(file.path);
    if (!group_.empty() && key != groupKey_) flush();
    groupKey_ = key;
    group_.push_back(std::move(file));
}

void BatchCollector::finish() { flush(); }

void BatchCollector::count(const PrecinctVotes& v) {
    ++totals_.precincts;
    totals_.zapsOsoby += v.zapsOsoby;
    totals_.vydObalky += v.vydObalky;
    totals_.odevzdObalky += v.odevzdObalky;
    totals_.platneHlasy += v.platneHlasy;
    totals_.kc2 = totals_.zapsOsoby + totals_.vydObalky + totals_.odevzdObalky + totals_.platneHlasy;
    for (const auto& [number, party] : v.parties) {
        Totals::Party& t = totals_.parties[number];
        t.votes += party.votes;
        t.kc3 = 0;
        for (int j = 1; j <= record::kCandidates; ++j) {
            std::int64_t& sum = t.preferential[static_cast<std::size_t>(j - 1)];
            sum += party.preferential[static_cast<std::size_t>(j - 1)];
            t.kc3 += j * sum;
        }
        t.kc2 = t.votes + number;
        t.kc4 = t.kc2 + t.kc3;
    }
}

void BatchCollector::flush() {
    // The readable files of the precinct, and whether they agree.
    std::set<std::string> contents;
    for (const ReceivedFile& f : group_)
        if (f.outcome != Outcome::Damaged) contents.insert(f.contentHash);
    const bool disagree = contents.size() > 1;
    std::size_t readable = 0;
    for (const ReceivedFile& f : group_) readable += f.outcome != Outcome::Damaged ? 1 : 0;
    // Copies beyond the first of a precinct whose files agree.
    if (!disagree && readable > 1) counts_.identical += static_cast<std::int64_t>(readable - 1);
    bool counted = false;
    for (ReceivedFile& f : group_) {
        BatchRow row;
        ++counts_.files;
        switch (f.outcome) {
            case Outcome::Damaged: ++counts_.damaged; break;
            case Outcome::Errors: ++counts_.errors; break;
            case Outcome::Passable: ++counts_.passable; break;
            case Outcome::Warnings: ++counts_.warnings; break;
            case Outcome::Clean: ++counts_.clean; break;
        }
        if (f.outcome != Outcome::Damaged && readable > 1) {
            row.duplicate = disagree ? Duplicate::Different : Duplicate::Identical;
            if (disagree) ++counts_.different;
        }
        const bool countable = f.outcome != Outcome::Damaged && f.outcome != Outcome::Errors && f.votes;
        if (countable && !disagree && !counted) {
            count(*f.votes);
            counted = true;
            row.counted = true;
        }
        f.votes.reset();
        row.file = std::move(f);
        emit_(row);
    }
    group_.clear();
}

}  // namespace talmorek::receiving
