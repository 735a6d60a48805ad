#pragma once
// The printed record on a recording document: a realistic record of an
// ordinary precinct (or of a special one abroad), a printer that keeps what
// direct print sends it, and helpers to find drawn texts.
//
// The measure gives every character 2/5 of the em height. That is nearer to
// Arial than the Courier-like 3/5: with 3/5 the event lines of section I,
// which are mostly dots, would already run past the text width before any
// entered reason is written, and nothing of the line breaking would show.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/record/record_of_vote.h"
#include "core/print/fixed_measure.h"
#include "core/print/preview_document.h"
#include "core/print/primitives.h"
#include "core/print/print_state.h"
#include "core/print/record_footer.h"
#include "core/print/record_job.h"
#include "core/print/recorded_page.h"
#include "core/print/recording_document.h"
#include "support/temp_dir.h"

namespace talmorek::print {

// The selected printer: keeps every job it is sent.
class KeepingPrinter : public PageSink {
public:
    struct Job {
        std::string title;
        std::vector<RecordedPage> pages;
        bool ended = false;
        bool aborted = false;
    };

    void startJob(const std::string& title) override { jobs.push_back(Job{title, {}, false, false}); }
    void printPage(const RecordedPage& page) override {
        if (failOnPage > 0 && ++printed >= failOnPage) throw std::runtime_error("printer out of paper");
        jobs.back().pages.push_back(page);
        if (onPage) onPage(jobs.back().pages.size());
    }
    void endJob() override { jobs.back().ended = true; }
    void abortJob() noexcept override { jobs.back().aborted = true; }

    std::vector<Job> jobs;
    int failOnPage = 0;  // 0: never fails
    int printed = 0;
    // Called after a page reached the printer, with its number in the job.
    std::function<void(std::size_t)> onPage;
};

// A reason of exactly 200 characters, the most the field holds.
inline std::string reasonOf200() {
    std::string reason =
        "Porucha elektrického proudu v budově volební místnosti; komise proto po dohodě se starostou obce "
        "rozhodla o odročení zahájení hlasování až do odstranění závady technikem distribuční společnosti";
    while (data::utf8Length(reason) < 200) reason += ".";
    return data::utf8Prefix(reason, 200);
}

class RecordFixture : public ::testing::Test {
protected:
    RecordFixture() {
        station.NazevObce = "Horní Lhota";
        station.NazevOkresu = "Brno-venkov";
        station.KodObce = "584231";
        station.CisloOkrsku = 3;
        dir.write("STRANY.RCD", data::encodeStrana({"2", "Strana zelených luk", "20"}) +
                                    data::encodeStrana({"3", "Třetí cesta", "5"}) +
                                    data::encodeStrana({"5", "Pátá kolona", "12"}) +
                                    data::encodeStrana({"9", "Devátá vlna", "36"}) +
                                    data::encodeStrana({"17", "Sedmnáctka", "8"}));

        record::TT4& t4 = record.T4;
        t4.RegKod = 3703;
        t4.Obec = 584231;
        t4.Okrsek = 3;
        t4.KC1 = 2;
        t4.ZapsOsoby = 812;
        t4.VydObalky = 530;
        t4.OdevzdObalky = 528;
        t4.PlatneHlasy = 521;
        t4.KC2 = 2391;
        record.TS.Obec = 584231;
        record.TS.Okrsek = 3;
        record.TS.Celkem = 20211234567;

        data::Hlasovani& h = record.hlasovani;
        h.Zahajeno1 = "14:00";
        h.Ukonceno1 = "22:00";
        h.Zahajeno2 = "08:00";
        h.Ukonceno2 = "14:00";
        h.Odroceno = h.Prodlouzeno = h.Preruseno = "N";
        h.Stiznosti = "N";
        h.Schranka = "N";
        h.PrilListu = "2";
        h.ClenuOVKC = "9";
        h.ClenuOVKP = "8";
        h.Ostatni = "Jan Novák (pozorovatel)";
        h.PoverPred = "Jaroslav Pokorný";
        h.Zapisovat = "Alena Králová  ";
        members(1);

        job.record = &record;
        job.registers = &registers;
        job.electionDates = "08.10. - 09.10.2021";
        job.partyNames = {{2, "Strana zelených luk"}, {3, "Třetí cesta"}, {5, "Pátá kolona"},
                          {9, "Devátá vlna"}, {17, "Sedmnáctka"}};
        job.footer = RecordFooterValues{584231, 3, 20211234567, timeStampText(now), nullptr};
    }

    // A special precinct abroad: form T/4b.
    void abroad() {
        station.KodObce = "999997";
        station.NazevObce = "Vídeň";
        station.NazevOkresu = "Rakousko";
        record.T4.Obec = 999997;
        record.TS.Obec = 999997;
        job.footer.Obec = 999997;
        job.zvlastniOkrsek = true;
    }

    void members(int n) {
        record.komise.clear();
        for (int i = 1; i <= n; ++i) record.komise.push_back({"Člen Komise " + std::to_string(i)});
    }

    void allEvents() {
        data::Hlasovani& h = record.hlasovani;
        h.Odroceno = "B";
        h.OdrocenoD = "08.10.2021";
        h.OdrocenoH = "15";
        h.OdrocenoM = "30";
        h.DuvodOdroc = reasonOf200();
        h.Prodlouzeno = "B";
        h.ProdlouzD = "09.10.2021";
        h.ProdlouzH = "14";
        h.ProdlouzM = "30";
        h.DuvodProdl = reasonOf200();
        h.Preruseno = "B";
        h.PrerusD = "08.10.2021";
        h.PrerusOd = "16:00";
        h.PrerusDo = "16:30";
        h.DuvodPrer = reasonOf200();
    }

    // A job with its first page begun, as the record job starts each page.
    void startPage(bool direct = false) {
        InitTisk(ctx, now);
        document.setDirectPrint(direct);
        preview.ZacatekTisku();
        VratCanvas(ctx);
        ctx.stav.CisloStrany = 1;
        ctx.stav.PosledniList = 4;
        ctx.stav.ChybyVytisteny = true;
    }
    void finish() {
        preview.KonecTisku();
        document.setDirectPrint(false);
    }

    // What was drawn: the kept document, or in direct print the last job sent.
    RecordedDocument drawn() const {
        if (printer.jobs.empty() || !document.recorded().pages.empty()) return document.recorded();
        RecordedDocument out;
        out.title = printer.jobs.back().title;
        out.pages = printer.jobs.back().pages;
        return out;
    }
    std::string recording() const { return toText(drawn()); }

    std::vector<TextCall> texts(int page = 1) const {
        std::vector<TextCall> out;
        const RecordedDocument all = drawn();
        for (const DrawCall& call : all.pages.at(static_cast<std::size_t>(page - 1)).calls)
            if (const auto* t = std::get_if<TextCall>(&call)) out.push_back(*t);
        return out;
    }
    // The text calls of page n with exactly this text.
    std::vector<TextCall> named(std::string_view text, int page = 1) const {
        std::vector<TextCall> out;
        for (const TextCall& t : texts(page))
            if (t.text == text) out.push_back(t);
        return out;
    }
    TextCall only(std::string_view text, int page = 1) const {
        const auto found = named(text, page);
        EXPECT_EQ(found.size(), 1u) << text;
        return found.empty() ? TextCall{} : found.front();
    }
    // The first text call of page n that starts with `prefix` (a label
    // followed by its dotted fill).
    TextCall startingWith(std::string_view prefix, int page = 1) const {
        for (const TextCall& t : texts(page))
            if (t.text.starts_with(prefix)) return t;
        ADD_FAILURE() << "not drawn: " << prefix;
        return TextCall{};
    }
    // The index in texts(page) of the first call with this text.
    std::size_t indexOf(std::string_view text, int page = 1) const {
        const auto all = texts(page);
        for (std::size_t i = 0; i < all.size(); ++i)
            if (all[i].text == text) return i;
        ADD_FAILURE() << "not drawn: " << text;
        return all.size();
    }

    talmorek::testing::TempDir dir;
    data::Registers registers{dir.path()};
    data::TStanice station;
    record::RecordOfVote record;
    RecordJob job;
    KeepingPrinter printer;
    RecordingDocument document{&printer};
    PreviewDocument preview{document};
    FixedMeasure measure{2, 5};
    PrintContext ctx{preview, measure, station};
    data::LocalDateTime now{2021, 10, 9, 14, 5, 9, 42};
};

}  // namespace talmorek::print
