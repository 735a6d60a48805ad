// The entry window's logic at the speed of typing: a field exit, and a page
// change, which saves the record crash-safely in four files (the precinct
// data file, HLASO.RCD, KOMISE.RCD and the station record). The page change
// is reported beside its floor: the same four files' bytes written with the
// same flush to the disk and rename, and nothing else.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

#include "core/checks/catalogue.h"
#include "core/checks/catalogue_texts.h"
#include "core/data/file_io.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/data/working_files.h"
#include "core/export/data_file.h"
#include "core/entry/entry_form.h"
#include "core/entry/entry_journal.h"
#include "bench_support.h"

namespace {

using namespace talmorek;

constexpr int kParties = 22;

class SilentPrompts : public workflow::Prompts {
public:
    bool question(const std::string&, const std::string&) override { return false; }
    bool questionDefaultNo(const std::string&, const std::string&) override { return false; }
    workflow::Answer questionOrDismiss(const std::string&, const std::string&) override {
        return workflow::Answer::Dismissed;
    }
    void exclamation(const std::string&, const std::string&) override {}
    void information(const std::string&, const std::string&) override {}
    void infoDialog(const std::string&, const std::string&, const std::string&) override {}
    void failure(const std::string& text, const std::string&) override { std::fprintf(stderr, "%s\n", text.c_str()); }
};

class NoPrintJobs : public workflow::PrintJobs {
public:
    void protocolOfChecks(const checks::TChybProt&, const record::TT4&, const data::TStanice&, bool,
                          const data::LocalDateTime&) override {}
    void tallySheet(const data::PartyList&, const data::CandidateTable&, const data::TStanice&, bool,
                    const data::LocalDateTime&) override {}
    void testPage(const data::TStanice&, bool, const data::LocalDateTime&) override {}
    void selectPrinter() override {}
    void recordOfVote(const workflow::RecordPrintRequest&) override {}
};

// The entry window never exports on its own; a save offers it, which the
// benchmark declines.
class NoExport : public workflow::ExportDialogs {
public:
    bool exportTarget(const data::Directories&, const data::TStanice&) override { return false; }
    int pocetKopii() override { return 2; }
};

class NoBeep : public entry::Beep {
public:
    void beep() override {}
};

data::TStanice benchStation() {
    data::TStanice s;
    s.Oznaceni = "PS";
    s.KodUzemi = "0";
    s.NazevObce = "Testov";
    s.KodObce = "554782";
    s.CisloOkrsku = 3;
    s.KodOkresu = "3201";
    s.CisloKraje = "7";
    s.KodOS = "17";
    s.Stav = "N";
    return s;
}

// An installation whose precinct has all 22 parties with votes, every
// candidate with preferential votes, and five members present.
struct EntryInstallation {
    std::string dir;
    std::string dataDir;

    EntryInstallation() {
        std::random_device rd;
        dir = (std::filesystem::temp_directory_path() / ("talmorek-bench-entry-" + std::to_string(rd()))).string() + "/";
        dataDir = dir + "data/";
        std::filesystem::create_directories(dataDir);
        std::string strany, cischyb;
        for (int n = 1; n <= kParties; ++n) strany += data::encodeStrana({std::to_string(n), "Strana", "36"});
        for (const auto& entry : checks::catalogueTexts()) cischyb += checks::encodeChybaInfo(entry);
        data::replaceFileAtomically(dir + "OKRSKY.RCD", data::encodeOkrsky({"554782", "Testov", "1", "12", "3201", "Chrudim"}));
        data::replaceFileAtomically(dir + "PSRZVO.RCD", "");
        data::replaceFileAtomically(dir + "PSRVOK.RCD", data::encodePsrvok({"554782", 3, 812}));
        data::replaceFileAtomically(dir + "STRANY.RCD", strany);
        data::replaceFileAtomically(dir + "KANDIDAT.RCD", "");
        data::replaceFileAtomically(dir + "CISCHYB.RCD", cischyb);
        data::replaceFileAtomically(dir + "STANICE.RCD", data::encodeStanice(benchStation()));

        record::RecordOfVote r;
        r.ClearResults();
        r.T4.RegKod = 3201;
        r.T4.Obec = 554782;
        r.T4.Okrsek = 3;
        r.T4.ZapsOsoby = 1200;
        for (int n = 1; n <= kParties; ++n) {
            r.MarkParty(n, true);
            r.party(n).PocHlasu = static_cast<std::uint16_t>(30 + n);
            for (std::size_t j = 0; j < record::kCandidates; ++j)
                r.party(n).PrefHlasy[j] = static_cast<std::uint16_t>((n + j) % 7);
        }
        r.hlasovani.ClenuOVKP = "5";
        r.hlasovani.Zapisovat = "Jana Nováková";
        exporting::saveResults(r, dataDir, "554782", 3, exporting::DataLetter::E);
        data::ZapisHlasovani(dataDir, r.hlasovani);
        data::ZapisKomisi(dataDir, {{"Karel Dvořák"}, {"Eva Malá"}, {"Tomáš Černý"}, {"Lucie Bílá"}});
    }
    ~EntryInstallation() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
};

struct OpenForm {
    EntryInstallation installation;
    SilentPrompts prompts;
    NoPrintJobs printJobs;
    NoExport exportDialogs;
    NoBeep beep;
    workflow::Workflow workflow{data::Directories{installation.dir, installation.dir, installation.dataDir, false},
                                prompts, printJobs, exportDialogs};
    entry::EntryForm form{workflow, prompts, beep};
    bool opened = form.open();
};

// Leaving a field with rules without changing it: the persons in the
// extracts stored again and the rules of section II asked, the registered
// voters of the precinct looked up (the journal takes only changes;
// BM_EntryFieldExitJournaled measures one).
void BM_EntryFieldExit(benchmark::State& state) {
    OpenForm f;
    if (!f.opened || f.form.changePage(entry::EntryPage::Section2) != entry::PageChange::Changed) {
        state.SkipWithError("the entry window did not open");
        return;
    }
    const std::string shown = f.form.fieldText(entry::EntryField::R_EdZapsOsoby);
    for (auto _ : state) benchmark::DoNotOptimize(f.form.fieldExit(entry::EntryField::R_EdZapsOsoby, shown));
    if (f.form.unsavedChanges() != 0) state.SkipWithError("a field left unchanged reached the journal");
}
BENCHMARK(BM_EntryFieldExit);

// Its floor: the same work the plainest way: the typed digits read as a
// number, the section II check number summed, and the registered voters of
// the precinct found by reading PSRVOK.RCD and comparing each record's
// municipality, as the rules do.
void BM_EntryFieldExitFloor(benchmark::State& state) {
    EntryInstallation installation;
    const std::string path = installation.dir + "PSRVOK.RCD";
    for (auto _ : state) {
        const std::optional<std::string> psrvok = bench::readPlain(path);
        if (!psrvok) {
            state.SkipWithError("PSRVOK.RCD could not be read");
            return;
        }
        const std::string& bytes = *psrvok;
        const std::string typed = "1200";
        long zaps = std::strtol(typed.c_str(), nullptr, 10);
        long kc2 = zaps + 700 + 698 + 690;
        int found = 0;
        for (std::size_t at = 0; at + data::psrvok::kRecordSize <= bytes.size(); at += data::psrvok::kRecordSize)
            if (bytes.compare(at, 6, "554782") == 0) found = data::decodePsrvok(bytes.substr(at, data::psrvok::kRecordSize)).Volicu;
        benchmark::DoNotOptimize(kc2);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_EntryFieldExitFloor);

// A journaled change of a field with rules: the envelopes issued left
// with a new number, the rules of section II asked, the entry appended to
// the journal and synced. Its floor is BM_JournalAppendFloor: the same
// bytes, appended and synced.
void BM_EntryFieldExitJournaled(benchmark::State& state) {
    OpenForm f;
    if (!f.opened || f.form.changePage(entry::EntryPage::Section2) != entry::PageChange::Changed) {
        state.SkipWithError("the entry window did not open");
        return;
    }
    bool odd = false;
    for (auto _ : state) {
        odd = !odd;
        benchmark::DoNotOptimize(f.form.fieldExit(entry::EntryField::R_EdVydObalky, odd ? "701" : "702"));
    }
    if (f.form.unsavedChanges() != static_cast<long long>(state.iterations()))
        state.SkipWithError("not every change reached the journal");
}
BENCHMARK(BM_EntryFieldExitJournaled)->Unit(benchmark::kMicrosecond);

// The first change typed on a page: the saved data read back for the
// journal's first line, the journal created with that line and the entry,
// synced with its directory (the page change before it is not timed).
void BM_EntryFirstFieldExitOfAPage(benchmark::State& state) {
    OpenForm f;
    if (!f.opened) {
        state.SkipWithError("the entry window did not open");
        return;
    }
    bool toSection3 = false;
    bool odd = false;
    for (auto _ : state) {
        state.PauseTiming();
        toSection3 = !toSection3;
        if (f.form.changePage(toSection3 ? entry::EntryPage::Section3 : entry::EntryPage::Section1) !=
            entry::PageChange::Changed) {
            state.SkipWithError("the page did not change");
            return;
        }
        odd = !odd;
        state.ResumeTiming();
        benchmark::DoNotOptimize(f.form.fieldExit(entry::EntryField::R_SEdOstatni, odd ? "nikdo" : "nikdo jiný"));
        if (f.form.unsavedChanges() != 1) state.SkipWithError("the change was not journaled");
    }
}
BENCHMARK(BM_EntryFirstFieldExitOfAPage)->Unit(benchmark::kMicrosecond);

// One entry appended to the journal: the line built, written, synced.
void BM_JournalAppend(benchmark::State& state) {
    EntryInstallation installation;
    entry::EntryJournal journal(data::systemFileSystem(), installation.dataDir + "ZURNAL.00003");
    entry::JournalEntry e;
    e.page = entry::EntryPage::Annex1;
    e.control = {entry::EntryField::CandEdit, 12};
    e.party = 7;
    e.value = "15";
    const std::string digest(64, 'a');
    const entry::JournalHeader header{"554782", 3, {digest, digest, digest}};
    for (auto _ : state) journal.append(header, e);
    if (journal.entries() != static_cast<long long>(state.iterations())) state.SkipWithError("entries lost");
}
BENCHMARK(BM_JournalAppend)->Unit(benchmark::kMicrosecond);

// The floor: the same line appended with write() and fdatasync() in plain C.
void BM_JournalAppendFloor(benchmark::State& state) {
    EntryInstallation installation;
    entry::JournalEntry e;
    e.seq = 1;
    e.page = entry::EntryPage::Annex1;
    e.control = {entry::EntryField::CandEdit, 12};
    e.party = 7;
    e.value = "15";
    const std::string line = entry::encodeJournalEntry(e);
    const std::string path = installation.dataDir + "ZURNAL.floor";
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) {
        state.SkipWithError("cannot create the floor's file");
        return;
    }
    for (auto _ : state) {
        if (::write(fd, line.data(), line.size()) != static_cast<ssize_t>(line.size()) || ::fdatasync(fd) != 0) {
            state.SkipWithError("cannot append");
            break;
        }
    }
    ::close(fd);
}
BENCHMARK(BM_JournalAppendFloor)->Unit(benchmark::kMicrosecond);

// Page I ⇄ page III: each change recomputes the record and saves it.
void BM_EntryPageChange(benchmark::State& state) {
    OpenForm f;
    if (!f.opened) {
        state.SkipWithError("the entry window did not open");
        return;
    }
    bool toSection3 = false;
    for (auto _ : state) {
        toSection3 = !toSection3;
        const auto result = f.form.changePage(toSection3 ? entry::EntryPage::Section3 : entry::EntryPage::Section1);
        if (result != entry::PageChange::Changed) state.SkipWithError("the page did not change");
    }
}
BENCHMARK(BM_EntryPageChange)->Unit(benchmark::kMicrosecond);

// The same page change with a journal to empty: a change typed on the page
// (not timed) before each one.
void BM_EntryPageChangeWithJournal(benchmark::State& state) {
    OpenForm f;
    if (!f.opened) {
        state.SkipWithError("the entry window did not open");
        return;
    }
    bool toSection3 = false;
    bool five = false;
    for (auto _ : state) {
        state.PauseTiming();
        five = !five;
        f.form.fieldExit(entry::EntryField::R_SEdZahajeno1, five ? "5" : "7");
        if (f.form.unsavedChanges() != 1) state.SkipWithError("the change was not journaled");
        state.ResumeTiming();
        toSection3 = !toSection3;
        const auto result = f.form.changePage(toSection3 ? entry::EntryPage::Section3 : entry::EntryPage::Section1);
        if (result != entry::PageChange::Changed || f.form.unsavedChanges() != 0)
            state.SkipWithError("the page did not change");
    }
}
BENCHMARK(BM_EntryPageChangeWithJournal)->Unit(benchmark::kMicrosecond);

// The floor: the bytes a page change leaves in the four files, each written
// to a temporary file, flushed to the disk, renamed over its target and the
// directory flushed, as the program does.
void BM_EntryPageChangeFloor(benchmark::State& state) {
    OpenForm f;
    if (!f.opened || f.form.changePage(entry::EntryPage::Section3) != entry::PageChange::Changed) {
        state.SkipWithError("the entry window did not save");
        return;
    }
    std::vector<std::pair<std::string, std::string>> files;
    for (const std::string& path :
         {f.workflow.dataFilePath(exporting::DataLetter::E), f.installation.dataDir + "HLASO.RCD",
          f.installation.dataDir + "KOMISE.RCD", f.installation.dir + "STANICE.RCD"})
        files.emplace_back(path, data::readWholeFile(path));
    for (auto _ : state) {
        for (const auto& [path, bytes] : files) {
            const std::string temp = path + ".floor~";
            std::FILE* out = std::fopen(temp.c_str(), "wb");
            if (!out) {
                state.SkipWithError("cannot write");
                return;
            }
            std::fwrite(bytes.data(), 1, bytes.size(), out);
            std::fflush(out);
            ::fsync(fileno(out));
            std::fclose(out);
            std::rename(temp.c_str(), path.c_str());
            const std::string dir = std::filesystem::path(path).parent_path().string();
            const int dirFd = ::open(dir.c_str(), O_RDONLY | O_DIRECTORY);
            if (dirFd < 0 || ::fsync(dirFd) != 0) {
                state.SkipWithError("cannot flush the directory");
                return;
            }
            ::close(dirFd);
        }
    }
}
BENCHMARK(BM_EntryPageChangeFloor)->Unit(benchmark::kMicrosecond);

}  // namespace
