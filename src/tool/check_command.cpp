#include "tool/check_command.h"

#include <charconv>
#include <optional>
#include <ostream>

#include "core/checks/check_run.h"
#include "core/checks/error_class.h"
#include "core/data/file_io.h"
#include "core/data/station.h"
#include "core/workflow/saved_record.h"
#include "core/record/check_numbers.h"
#include "core/record/recompute.h"
#include "tool/command_support.h"
#include "tool/commands.h"
#include "tool/installation.h"
#include "tool/record_json.h"

namespace talmorek::tool {
namespace {

constexpr const char* kUsage =
    "Použití: talmorek-tool check DIR [STATION] [--record FILE.json] [--recompute] "
    "[--now YYYY-MM-DDTHH:MM:SS] [--seed N] [--json]\n";

template <typename T>
std::optional<T> digitsAsNumber(std::string_view text) {
    T value{};
    if (text.empty() || text.find_first_not_of("0123456789") != std::string_view::npos) return std::nullopt;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}

// "2021-10-09T14:30:05".
std::optional<data::LocalDateTime> parseNow(std::string_view text) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != 'T' || text[13] != ':' ||
        text[16] != ':')
        return std::nullopt;
    auto part = [&](std::size_t at, std::size_t n) { return digitsAsNumber<int>(text.substr(at, n)); };
    auto y = part(0, 4), mo = part(5, 2), d = part(8, 2), h = part(11, 2), mi = part(14, 2), s = part(17, 2);
    if (!y || !mo || !d || !h || !mi || !s) return std::nullopt;
    if (*mo < 1 || *mo > 12 || *d < 1 || *d > 31 || *h > 23 || *mi > 59 || *s > 59) return std::nullopt;
    return data::LocalDateTime{*y, *mo, *d, *h, *mi, *s};
}

}  // namespace

std::optional<RecordOptions> parseRecordOptions(const Args& args, std::ostream& err) {
    RecordOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&]() -> const std::string* {
            if (i + 1 >= args.size()) {
                err << "Volba " << a << " potřebuje hodnotu.\n";
                return nullptr;
            }
            return &args[++i];
        };
        if (a == "--letter") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.letter.reset();
            for (auto letter : {exporting::DataLetter::E, exporting::DataLetter::O})
                if (*v == std::string(1, exporting::letterOf(letter))) o.letter = letter;
            if (!o.letter) {
                err << "Písmeno souboru dat musí být E nebo O.\n";
                return std::nullopt;
            }
        } else if (a == "--record") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.recordFile = *v;
        } else if (a == "--recompute") {
            o.recompute = true;
        } else if (a == "--json") {
            o.json = true;
        } else if (a == "--now") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.now = parseNow(*v);
            if (!o.now) {
                err << "Čas " << *v << " není ve tvaru YYYY-MM-DDTHH:MM:SS.\n";
                return std::nullopt;
            }
        } else if (a == "--seed") {
            const std::string* v = value();
            if (!v) return std::nullopt;
            o.seed = digitsAsNumber<std::uint32_t>(*v);
            if (!o.seed) {
                err << "Semínko " << *v << " není celé číslo 0..4294967295.\n";
                return std::nullopt;
            }
        } else if (a.size() > 1 && a[0] == '-') {
            err << "Neznámá volba " << a << ".\n" << kUsage;
            return std::nullopt;
        } else {
            o.positional.push_back(a);
        }
    }
    return o;
}

std::shared_ptr<const data::Clock> clockFor(const RecordOptions& o) {
    if (o.now) return std::make_shared<data::FixedClock>(*o.now);
    return data::systemClock();
}

record::RecomputeSources sourcesFor(const RecordOptions& o, std::shared_ptr<const data::Clock> clock) {
    return record::sourcesOf(std::move(clock), o.seed);
}

record::RecomputeSources sourcesFor(const RecordOptions& o) { return sourcesFor(o, clockFor(o)); }

void recomputeTyped(record::RecordOfVote& record, const data::PartyList& parties, const data::TStanice& station,
                    const record::RecomputeSources& sources) {
    record.T4.KC2 = record::kc2OfSection2(record.T4);
    record::RecomputeAll(record, parties, record::tickedParties(record, parties), station, sources);
}

void writeProtocolText(const checks::TChybProt& protocol, std::ostream& out) {
    if (protocol.Count() == 0) {
        out << "Nebyly zjištěny žádné chyby\n";
        return;
    }
    // Findings of the precinct as a whole come first, without a heading;
    // once a party's heading was written, every further line is indented.
    int lastParty = 0;
    std::string indent;
    bool first = true;
    for (std::size_t i = 0; i < protocol.Count(); ++i) {
        const checks::TChyba& f = protocol.VratChybu(i);
        if (f.KStrana != lastParty) {
            if (!first) out << "\n";
            out << "Strana: " << f.KStrana << "\n";
            indent = "  ";
        }
        out << indent << checks::twoDigitCode(f.Chyba) << " - " << protocol.VratHlasku(i) << " " << f.Param << "\n";
        lastParty = f.KStrana;
        first = false;
    }
}

nlohmann::ordered_json outcomeToJson(const checks::TChybProt& protocol, const checks::Verdict& verdict,
                                     const record::RecordOfVote& record) {
    using Json = nlohmann::ordered_json;
    Json json = Json::object();
    json["findings"] = Json::array();
    for (std::size_t i = 0; i < protocol.Count(); ++i) {
        const checks::TChyba& f = protocol.VratChybu(i);
        json["findings"].push_back(
            {{"party", f.KStrana}, {"code", f.Chyba}, {"detail", f.Param}, {"text", protocol.VratHlasku(i)}});
    }
    json["PriznakChyby"] = verdict.PriznakChyby;
    json["PriznakPropustitelne"] = verdict.PriznakPropustitelne;
    json["PriznakUpozorneni"] = verdict.PriznakUpozorneni;
    json["SeznamChyb"] = record.TS.SeznamChyb;
    Json flags = Json::object();
    flags["T4"] = record.T4.Chyba;
    flags["TS"] = record.TS.Chyba;
    Json annexes = Json::object();
    for (int n = 1; n <= record::kPartySlots; ++n) {
        if (record.isFlagged(n) || record.party(n).Chyba != 0) annexes[std::to_string(n)] = record.party(n).Chyba;
    }
    flags["T4P"] = std::move(annexes);
    json["Chyba"] = std::move(flags);
    return json;
}

int runCheck(const Args& args, std::ostream& out, std::ostream& err) {
    auto options = parseRecordOptions(args, err);
    if (!options) return kExitFailure;
    if (options->letter) {
        err << "Volba --letter patří k příkazu datafile write.\n" << kUsage;
        return kExitFailure;
    }
    auto dirs = installationDirectories(options->positional, err);
    if (!dirs) return kExitFailure;
    try {
        const data::TStanice station = data::NactiStanici(dirs->station);
        record::RecordOfVote record;
        if (options->recordFile.empty()) {
            // The saved data, loaded as the program's check procedure loads them.
            if (!workflow::loadSavedRecord(*dirs, station, record)) {
                err << "Data nejsou pořízena!!!\n";
                return kExitFailure;
            }
        } else {
            record = parseRecordJson(data::readWholeFile(options->recordFile));
        }
        const data::Registers registers(dirs->program);
        const data::PartyList parties = registers.NactiStrany();
        const checks::TCisChyb catalogue(dirs->program);
        if (options->recompute) recomputeTyped(record, parties, station, sourcesFor(*options));
        // The run of the program's check command.
        checks::TChybProt protocol(catalogue);
        const std::string courseFile =
            options->recordFile.empty() ? workflow::courseOfVotingFile(*dirs) : options->recordFile;
        const checks::Verdict verdict = checks::ProvedKontroly(record, registers, parties, station.KodObce, protocol,
                                                               checks::Vybrano::CheckCommandOrSave, courseFile);
        if (options->json) {
            out << outcomeToJson(protocol, verdict, record).dump(2) << "\n";
        } else {
            writeProtocolText(protocol, out);
        }
        return verdict.PriznakChyby ? kExitFindings : kExitOk;
    } catch (const RecordJsonError& e) {
        err << options->recordFile << ": " << e.what() << "\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
}

}  // namespace talmorek::tool
