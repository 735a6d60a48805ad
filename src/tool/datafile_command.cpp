#include <algorithm>
#include <optional>
#include <ostream>

#include "core/data/decimal.h"
#include "core/data/working_files.h"

#include "core/data/file_io.h"
#include "core/data/station.h"
#include "core/record/recompute.h"
#include "core/export/data_file.h"
#include "core/export/export_fingerprint.h"
#include "core/export/package.h"
#include "tool/check_command.h"
#include "tool/command_support.h"
#include "tool/commands.h"
#include "tool/installation.h"
#include "tool/record_json.h"
#include "core/workflow/saved_record.h"

namespace talmorek::tool {
namespace {

constexpr const char* kUsage =
    "Použití: talmorek-tool datafile show SOUBOR [--json]\n"
    "         talmorek-tool datafile write DIR [STATION] --record FILE.json --letter E|O "
    "[--recompute] [--now YYYY-MM-DDTHH:MM:SS] [--seed N]\n";

void writeBlock(const record::RecordOfVote& r, std::ostream& out) {
    const auto& t4 = r.T4;
    out << "Obec: " << t4.Obec << "  Okrsek: " << t4.Okrsek << "  RegKod: " << t4.RegKod << "  KČ1: " << t4.KC1
        << "  Chyba: " << t4.Chyba << "\n"
        << "Zapsané osoby: " << t4.ZapsOsoby << "  Vydané obálky: " << t4.VydObalky
        << "  Odevzdané obálky: " << t4.OdevzdObalky << "  Platné hlasy: " << t4.PlatneHlasy << "  KČ2: " << t4.KC2
        << "\n";
    for (int n = 1; n <= record::kFlagPositions; ++n) {
        if (!r.isFlagged(n)) continue;
        const auto& p = r.party(n);
        out << "Strana " << n << ": hlasy " << p.PocHlasu << ", KČ2 " << p.KC2 << ", KČ3 " << p.KC3 << ", KČ4 "
            << p.KC4 << ", poslední kandidát " << p.PoslKand << ", přednostní hlasy:";
        for (int j = 1; j <= record::kCandidates; ++j) {
            if (p.pref(j)) out << " " << j << "=" << p.pref(j);
        }
        out << "\n";
    }
    const auto& ts = r.TS;
    out << "Souhrn: datum " << ts.Datum << " čas " << ts.Cas << ", chyby \"" << ts.SeznamChyb << "\", Celkem "
        << ts.Celkem << "\n";
}

// The block of the record that names another precinct than the station's
// ("záznam" for T4, "příloha strany n" for a flagged party's annex), or
// nothing. Such a record would be saved under this station's name and
// exported as its result.
std::optional<std::string> foreignBlock(const record::RecordOfVote& record, const data::TStanice& station) {
    const std::int32_t obec = data::toIntOr(station.KodObce, 0);
    auto foreign = [&](const auto& block) { return block.Obec != obec || block.Okrsek != station.CisloOkrsku; };
    auto named = [](const auto& block) {
        return " (obec " + std::to_string(block.Obec) + ", okrsek " + std::to_string(block.Okrsek) + ")";
    };
    if (foreign(record.T4)) return "Záznam" + named(record.T4);
    for (int n = 1; n <= record::kFlagPositions; ++n)
        if (record.isFlagged(n) && foreign(record.party(n)))
            return "Příloha strany " + std::to_string(n) + named(record.party(n));
    return std::nullopt;
}

int show(const Args& args, std::ostream& out, std::ostream& err) {
    bool json = false;
    std::string file;
    for (const auto& a : args) {
        if (a == "--json") {
            json = true;
        } else if (file.empty() && !a.empty() && a[0] != '-') {
            file = a;
        } else {
            err << kUsage;
            return kExitFailure;
        }
    }
    if (file.empty()) {
        err << kUsage;
        return kExitFailure;
    }
    try {
        record::RecordOfVote record;
        const std::string bytes = data::readWholeFile(file);
        exporting::parseResultsLine(exporting::readResultsPackage(bytes, file), record, file);
        if (json) {
            nlohmann::ordered_json j = recordToJson(record);
            j.erase("Hlasovani");  // the data file holds the results block only
            j.erase("Komise");
            out << j.dump(2) << "\n";
        } else {
            writeBlock(record, out);
            // The receiving point compares it with what the commission read
            // off the screen after the export. The JSON form stays a record
            // that can be fed back.
            out << "Otisk souboru: " << exporting::exportFingerprint(bytes) << "\n";
        }
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    return kExitOk;
}

int write(const Args& args, std::ostream& out, std::ostream& err) {
    auto options = parseRecordOptions(args, err);
    if (!options) return kExitFailure;
    if (options->recordFile.empty() || !options->letter) {
        err << kUsage;
        return kExitFailure;
    }
    auto dirs = installationDirectories(options->positional, err);
    if (!dirs) return kExitFailure;
    try {
        const data::TStanice station = data::NactiStanici(dirs->station);
        record::RecordOfVote record = parseRecordJson(data::readWholeFile(options->recordFile));
        if (options->recompute) {
            const data::PartyList parties = data::Registers(dirs->program).NactiStrany();
            recomputeTyped(record, parties, station, sourcesFor(*options));
        }
        // A record of another precinct would be saved under this station's
        // name and exported as its result.
        if (const auto foreign = foreignBlock(record, station)) {
            err << options->recordFile << ": " << *foreign << " je z jiného okrsku než stanice (obec "
                << station.KodObce << ", okrsek " << station.CisloOkrsku << "); data nebyla uložena.\n";
            return kExitFailure;
        }
        // Exactly as the entry window saves: the station marked "N", the
        // results block, the course of voting, and the commission when
        // members other than the chair were present.
        std::optional<data::SeznamKomise> komise;
        if (const std::optional<int> others =
                data::otherMembersPresent(record.hlasovani.ClenuOVKP, {options->recordFile, "ClenuOVKP"})) {
            komise = record.komise;
            data::DelkaKomise(*komise, static_cast<std::size_t>(*others));
        }
        data::TStanice saved = station;
        workflow::saveEnteredRecord(*dirs, saved, record, *options->letter, komise);
        out << exporting::dataFilePath(dirs->data, *options->letter, station.KodObce, station.CisloOkrsku) << "\n";
    } catch (const RecordJsonError& e) {
        err << options->recordFile << ": " << e.what() << "\n";
        return kExitFailure;
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    return kExitOk;
}

}  // namespace

int runDatafile(const Args& args, std::ostream& out, std::ostream& err) {
    if (!args.empty() && args[0] == "show") return show(Args(args.begin() + 1, args.end()), out, err);
    if (!args.empty() && args[0] == "write") return write(Args(args.begin() + 1, args.end()), out, err);
    err << kUsage;
    return kExitFailure;
}

}  // namespace talmorek::tool
