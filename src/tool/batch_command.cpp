// `batch`: the receiving office's command over a directory of precinct
// data files.
#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <mutex>
#include <optional>
#include <ostream>
#include <sstream>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "core/data/file_io.h"
#include "core/data/path_text.h"
#include "core/platform/process.h"
#include "core/receiving/batch.h"
#include "tool/command_support.h"
#include "tool/commands.h"
#include "tool/streamed_file.h"

namespace talmorek::tool {
namespace {

using receiving::BatchRow;
using receiving::Totals;

constexpr const char* kUsage =
    "Použití: talmorek-tool batch DIR --installation INST [--jobs N] [--csv FILE] [--json FILE] [--totals FILE]\n";

struct BatchOptions {
    std::string directory, installation, csv, json, totals;
    unsigned jobs = 0;
};

std::optional<BatchOptions> parseOptions(const Args& args, std::ostream& err) {
    BatchOptions o;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        const bool takesValue = a == "--installation" || a == "--jobs" || a == "--csv" || a == "--json" || a == "--totals";
        if (takesValue && i + 1 >= args.size()) {
            err << "Volba " << a << " potřebuje hodnotu.\n" << kUsage;
            return std::nullopt;
        }
        if (a == "--installation") {
            o.installation = args[++i];
        } else if (a == "--jobs") {
            const std::string& v = args[++i];
            unsigned n = 0;
            const bool digits = !v.empty() && v.size() <= 4 && v.find_first_not_of("0123456789") == std::string::npos;
            if (digits) n = static_cast<unsigned>(std::stoul(v));
            if (!digits || n < 1 || n > 256) {
                err << "Počet vláken " << v << " musí být celé číslo 1..256.\n";
                return std::nullopt;
            }
            o.jobs = n;
        } else if (a == "--csv") {
            o.csv = args[++i];
        } else if (a == "--json") {
            o.json = args[++i];
        } else if (a == "--totals") {
            o.totals = args[++i];
        } else if (a.size() > 1 && a[0] == '-') {
            err << "Neznámá volba " << a << ".\n" << kUsage;
            return std::nullopt;
        } else if (o.directory.empty()) {
            o.directory = a;
        } else {
            err << kUsage;
            return std::nullopt;
        }
    }
    if (o.directory.empty() || o.installation.empty()) {
        err << kUsage;
        return std::nullopt;
    }
    // Two outputs in one file would leave only the last one written.
    const std::vector<std::string> outputs{o.csv, o.json, o.totals};
    for (std::size_t i = 0; i < outputs.size(); ++i) {
        for (std::size_t j = i + 1; j < outputs.size(); ++j) {
            if (!outputs[i].empty() && outputs[i] == outputs[j]) {
                err << "Soubor " << outputs[i] << " je zadán pro dva výstupy.\n";
                return std::nullopt;
            }
        }
    }
    if (o.jobs == 0) o.jobs = std::max(1u, std::thread::hardware_concurrency());
    return o;
}

// A CSV field: quoted when it holds the separator, a quote or a line break.
std::string csvField(std::string_view text) {
    if (text.find_first_of(";\"\n\r") == std::string_view::npos) return std::string(text);
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

std::string csvLine(const std::vector<std::string>& fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i) line += ';';
        line += csvField(fields[i]);
    }
    return line + "\n";
}

const std::vector<std::string> kRowColumns{
    "soubor",          "obec",           "okrsek",         "písmeno",        "výsledek",       "kódy",
    "KČ1 uložené",     "KČ1 přepočtené", "KČ2 uložené",    "KČ2 přepočtené", "KČ3 uložené",    "KČ3 přepočtené",
    "KČ4 uložené",     "KČ4 přepočtené", "otisk",          "duplicita",      "sečteno",        "důvod"};

std::vector<std::string> rowFields(const BatchRow& row) {
    const receiving::ReceivedFile& f = row.file;
    const bool read = f.outcome != receiving::Outcome::Damaged || f.obec != 0;
    auto number = [&](std::int64_t n) { return read ? std::to_string(n) : std::string(); };
    std::vector<std::string> fields{f.path,
                                    read ? std::to_string(f.obec) : (f.name ? f.name->kodObce : ""),
                                    read ? std::to_string(f.okrsek) : (f.name ? std::to_string(f.name->okrsek) : ""),
                                    f.name ? std::string(1, exporting::letterOf(f.name->letter)) : "",
                                    std::string(receiving::outcomeName(f.outcome)),
                                    f.codes};
    for (std::size_t k = 0; k < 4; ++k) {
        fields.push_back(number(f.kcStored[k]));
        fields.push_back(number(f.kcRecomputed[k]));
    }
    fields.push_back(f.fingerprint);
    fields.push_back(std::string(receiving::duplicateName(row.duplicate)));
    fields.push_back(row.counted ? "ano" : "ne");
    fields.push_back(f.reason);
    return fields;
}

nlohmann::ordered_json rowJson(const BatchRow& row) {
    const std::vector<std::string> fields = rowFields(row);
    nlohmann::ordered_json json = nlohmann::ordered_json::object();
    for (std::size_t i = 0; i < fields.size(); ++i) json[kRowColumns[i]] = fields[i];
    return json;
}

std::string totalsCsv(const Totals& t) {
    std::string csv = csvLine({"položka", "strana", "pořadí", "hodnota"});
    const auto line = [&](const char* item, std::string party, std::string order, std::int64_t value) {
        csv += csvLine({item, std::move(party), std::move(order), std::to_string(value)});
    };
    line("sečtené okrsky", "", "", t.precincts);
    line("voliči v seznamu", "", "", t.zapsOsoby);
    line("vydané obálky", "", "", t.vydObalky);
    line("odevzdané obálky", "", "", t.odevzdObalky);
    line("platné hlasy", "", "", t.platneHlasy);
    line("KČ2", "", "", t.kc2);
    for (const auto& [number, p] : t.parties) {
        const std::string party = std::to_string(number);
        line("hlasy strany", party, "", p.votes);
        for (int j = 1; j <= record::kCandidates; ++j) {
            const std::int64_t v = p.preferential[static_cast<std::size_t>(j - 1)];
            if (v != 0) line("přednostní hlasy", party, std::to_string(j), v);
        }
        line("KČ2 strany", party, "", p.kc2);
        line("KČ3 strany", party, "", p.kc3);
        line("KČ4 strany", party, "", p.kc4);
    }
    return csv;
}

nlohmann::ordered_json totalsJson(const Totals& t) {
    nlohmann::ordered_json json{{"sečtené okrsky", t.precincts},   {"voliči v seznamu", t.zapsOsoby},
                                {"vydané obálky", t.vydObalky},     {"odevzdané obálky", t.odevzdObalky},
                                {"platné hlasy", t.platneHlasy},    {"KČ2", t.kc2},
                                {"strany", nlohmann::ordered_json::array()}};
    for (const auto& [number, p] : t.parties) {
        nlohmann::ordered_json prefs = nlohmann::ordered_json::array();
        for (std::int64_t v : p.preferential) prefs.push_back(v);
        json["strany"].push_back({{"strana", number},
                                  {"hlasy", p.votes},
                                  {"přednostní hlasy", prefs},
                                  {"KČ2", p.kc2},
                                  {"KČ3", p.kc3},
                                  {"KČ4", p.kc4}});
    }
    return json;
}

// Files done of all, the rate and the time left, on one line of a terminal.
class Progress {
public:
    Progress(std::size_t total, bool shown) : total_(total), shown_(shown), start_(Clock::now()), last_(start_) {}
    void update(std::size_t done, bool final = false) {
        if (!shown_) return;
        const Clock::time_point now = Clock::now();
        if (!final && now - last_ < std::chrono::milliseconds(200)) return;
        last_ = now;
        const double seconds = std::chrono::duration<double>(now - start_).count();
        const double rate = seconds > 0 ? static_cast<double>(done) / seconds : 0;
        const double left = rate > 0 ? static_cast<double>(total_ - done) / rate : 0;
        std::fprintf(stderr, "\rZpracováno %zu/%zu souborů, %.0f souborů/s, zbývá %.0f s   ", done, total_, rate, left);
        if (final) std::fputc('\n', stderr);
        std::fflush(stderr);
    }

private:
    using Clock = std::chrono::steady_clock;
    std::size_t total_;
    bool shown_;
    Clock::time_point start_, last_;
};

}  // namespace

// Judges every precinct data file under DIR against the registers of INST
// on N threads and reports one row per file in a fixed order, then the
// totals of the precincts that may be counted. Exit 0: every file clean; 1:
// findings (errors, passable errors, warnings, files of a precinct that
// disagree); 2: a damaged file or a bad argument.
int runBatch(const Args& args, std::ostream& out, std::ostream& err) {
    const std::optional<BatchOptions> options = parseOptions(args, err);
    if (!options) return kExitFailure;
    std::optional<receiving::ReceivingRegisters> registers;
    try {
        registers.emplace(data::utf8Of(data::pathOf(options->installation) / ""));
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    std::error_code dirError;
    if (!std::filesystem::is_directory(data::pathOf(options->directory), dirError)) {
        err << "Adresář " << options->directory << " neexistuje nebo to není adresář.\n";
        return kExitFailure;
    }
    std::vector<std::string> paths;
    try {
        paths = receiving::findDataFiles(options->directory);
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }

    // Every output is written beside its target and made the file only
    // when the whole batch went through: a batch that fails leaves the
    // earlier outputs as they were, all of them.
    std::optional<StreamedFile> csv, json, totals;
    try {
        if (!options->csv.empty()) csv.emplace(options->csv);
        if (!options->json.empty()) json.emplace(options->json);
        if (!options->totals.empty()) totals.emplace(options->totals);
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }
    const bool rowsToOut = !csv && !json;
    const std::string header = csvLine(kRowColumns);
    bool firstJson = true;

    receiving::BatchCollector collector([&](const BatchRow& row) {
        const std::string line = csvLine(rowFields(row));
        if (csv) csv->write(line);
        if (rowsToOut) out << line;
        if (json) {
            // A path in another encoding (a carrier written elsewhere) is
            // shown with replacement characters rather than refused.
            json->write((firstJson ? "\n" : ",\n") +
                        rowJson(row).dump(-1, ' ', false, nlohmann::ordered_json::error_handler_t::replace));
            firstJson = false;
        }
    });

    // The files are judged on the threads in any order and reported here in
    // the order found; a thread keeps its own register snapshot.
    std::vector<std::optional<receiving::ReceivedFile>> judged(paths.size());
    std::mutex mutex;
    std::condition_variable ready, room;
    std::atomic<std::size_t> next{0};
    std::exception_ptr failure;
    const unsigned jobs = std::min<unsigned>(options->jobs, std::max<std::size_t>(paths.size(), 1));
    // The threads run ahead of the rows written by at most this many files,
    // so that a slow output holds a few files in memory, not the country.
    const std::size_t window = 64 * std::size_t{jobs};
    std::size_t emitted = 0;
    auto work = [&] {
        data::RegisterSnapshot snapshot(registers->registers);
        for (std::size_t i; (i = next++) < paths.size();) {
            {
                std::unique_lock lock(mutex);
                room.wait(lock, [&] { return i < emitted + window || failure; });
                if (failure) return;
            }
            std::optional<receiving::ReceivedFile> file;
            std::exception_ptr failed;
            try {
                file = receiving::receiveFile(paths[i], *registers, snapshot);
            } catch (...) {
                failed = std::current_exception();
            }
            const std::lock_guard lock(mutex);
            if (failed) {
                if (!failure) failure = failed;
                next = paths.size();
                room.notify_all();
            } else {
                judged[i] = std::move(file);
            }
            ready.notify_all();
        }
    };
    std::vector<std::thread> threads;
    for (unsigned t = 0; t < jobs; ++t) threads.emplace_back(work);

    Progress progress(paths.size(), platform::standardErrorIsTerminal());
    try {
        if (csv) csv->write(header);
        if (rowsToOut) out << header;
        if (json) json->write("{\"soubory\": [");
        for (std::size_t i = 0; i < paths.size(); ++i) {
            std::unique_lock lock(mutex);
            ready.wait(lock, [&] { return judged[i].has_value() || failure; });
            if (failure) break;
            receiving::ReceivedFile file = std::move(*judged[i]);
            judged[i].reset();
            emitted = i + 1;
            lock.unlock();
            room.notify_all();
            collector.add(std::move(file));
            progress.update(i + 1);
        }
    } catch (...) {
        // An output that cannot be written stops the threads before it is told.
        const std::lock_guard lock(mutex);
        if (!failure) failure = std::current_exception();
        next = paths.size();
    }
    room.notify_all();
    for (std::thread& t : threads) t.join();
    progress.update(paths.size(), true);
    try {
        if (failure) std::rethrow_exception(failure);
        collector.finish();
        if (json) json->write("\n], \"součty\": " + totalsJson(collector.totals()).dump() + "}\n");
        if (totals) totals->write(totalsCsv(collector.totals()));
        // Everything is written; only now do the files change, one after another.
        if (csv) csv->commit();
        if (json) json->commit();
        if (totals) totals->commit();
    } catch (const std::exception& e) {
        return reportFailure(e, err);
    }

    const receiving::BatchCounts& c = collector.counts();
    err << "Souborů: " << c.files << " (bez chyb " << c.clean << ", s upozorněním " << c.warnings
        << ", s propustitelnými chybami " << c.passable << ", s chybami " << c.errors << ", poškozených "
        << c.damaged << "); shodných kopií " << c.identical << ", rozdílných souborů téhož okrsku " << c.different
        << "; sečteno okrsků " << collector.totals().precincts << ".\n";
    if (c.damaged > 0) return kExitFailure;
    if (c.errors + c.passable + c.warnings + c.different > 0) return kExitFindings;
    return kExitOk;
}

}  // namespace talmorek::tool
