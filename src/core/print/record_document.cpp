#include "core/print/record_document.h"

#include "core/data/blanks.h"
#include "core/data/decimal.h"
#include "core/data/errors.h"
#include "core/print/annex_layout.h"
#include "core/print/primitives.h"
#include "core/print/record_footer.h"
#include "core/print/record_layout.h"
#include "core/print/recording_document.h"

namespace talmorek::print {
namespace {

// Annex 1 sheets exist for the parties 1..22 only.
constexpr int kAnnexParties = 22;

// Direct print lasts for one copy: whatever happens while it is drawn, the
// document is back in preview mode afterwards.
class DirectPrintCopy {
public:
    explicit DirectPrintCopy(PrintDocument& document) : document_(document) { document_.setDirectPrint(true); }
    ~DirectPrintCopy() { document_.setDirectPrint(false); }
    DirectPrintCopy(const DirectPrintCopy&) = delete;
    DirectPrintCopy& operator=(const DirectPrintCopy&) = delete;

private:
    PrintDocument& document_;
};

}  // namespace

std::string recordJobTitle(bool zvlastniOkrsek) { return zvlastniOkrsek ? "PST4b.pdf" : "PST4a.pdf"; }

RecordJob makeRecordJob(const record::RecordOfVote& record, const data::Registers& registers,
                        const data::TStanice& station, const checks::TChybProt* chyby, bool sDiakritikou,
                        const data::LocalDateTime& now) {
    RecordJob job;
    job.record = &record;
    job.registers = &registers;
    job.zvlastniOkrsek = data::isSpecialPrecinct(station);
    job.sDiakritikou = sDiakritikou;
    job.electionDates = data::electionDates(station);

    const data::PartyList parties = registers.NactiStrany();
    for (int i = 1; i <= parties.length; ++i) {
        const data::TStrana& entry = parties.at(i);
        const int number = data::toIntOr(data::trimBlanks(entry.CisloStrany), 0);
        if (number > 0) job.partyNames[number] = entry.NazevStrany;
    }

    job.footer.Obec = record.TS.Obec;
    job.footer.Okrsek = record.TS.Okrsek;
    job.footer.Celkem = record.TS.Celkem;
    job.footer.casovaZnacka = timeStampText(now);
    job.footer.chyby = chyby;
    return job;
}

namespace {

void drawRecordDocument(PrintContext& ctx, const RecordJob& job, int pageTotal) {
    const record::RecordOfVote& record = record_layout_detail::recordOf(job);
    TiskovyStav& s = ctx.stav;
    s.BezHacku = !job.sDiakritikou;
    s.CisloListu = 1;
    s.PosledniList = 1;

    // Beginning the document before the page count is reset means that the
    // first page asked for below is this same first page, counted as page 1.
    ctx.preview.ZacatekTisku();
    VratCanvas(ctx);
    ctx.preview.ZacatekTisku();

    s.PosledniList = pageTotal;

    VratCanvas(ctx);
    s.CisloStrany = 1;
    s.ChybyVytisteny = false;
    drawRecordPage1(ctx, job);
    PatickaZapisu(ctx, job.footer);

    VratCanvas(ctx);
    s.CisloStrany += 1;
    drawRecordSection3(ctx, job);
    PatickaZapisu(ctx, job.footer);

    s.CisloStrany += 1;
    for (int n = 1; n <= kAnnexParties; ++n) {
        if (!record.isFlagged(n)) continue;
        VratCanvas(ctx);
        // The annex sheets are set closer than the record.
        s.KrokRadku = 45;
        TiskPrilohy1(ctx, job, n);
        PatickaZapisu(ctx, job.footer);
        s.CisloStrany += 1;
        s.CisloListu += 1;
    }
    ctx.preview.KonecTisku();
}

}  // namespace

int pocetStranZapisu(const PrintContext& ctx, const RecordJob& job) {
    RecordingDocument scratch;
    scratch.setOrientation(ctx.preview.document().orientation());
    PreviewDocument scratchPreview(scratch);
    PrintContext dry(scratchPreview, ctx.measure, ctx.station);
    dry.stav = ctx.stav;
    // The total only changes the footers, which are drawn after each page's
    // content and never move a page break, so any total lays out the same pages.
    drawRecordDocument(dry, job, 1);
    return scratch.TotalPages();
}

void SestavZapis(PrintContext& ctx, const RecordJob& job) {
    // Laid out first, so that the footer of the first page already carries
    // the number of pages that follow it.
    const int pageTotal = pocetStranZapisu(ctx, job);
    // A register that fails to read half-way leaves no half-built document
    // and, in direct print, no half copy on the printer.
    buildDocument(ctx.preview.document(), [&] { drawRecordDocument(ctx, job, pageTotal); });
}

KopieZapisu TiskZapisu(PrintContext& ctx, const RecordJob& job, int pocetKopii, const data::LocalDateTime& now) {
    InitTisk(ctx, now);
    PrintDocument& document = ctx.preview.document();
    document.setPrintJobTitle(recordJobTitle(job.zvlastniOkrsek));

    KopieZapisu kopie;
    kopie.pozadovano = pocetKopii >= 2 ? pocetKopii : 1;
    for (; kopie.vytisteno < kopie.pozadovano; ++kopie.vytisteno) {
        InitTisk(ctx, now);
        const DirectPrintCopy direct(document);
        try {
            SestavZapis(ctx, job);
        } catch (const data::DataError&) {
            throw;  // the preview could not be drawn either
        } catch (const std::exception&) {
            kopie.selhani = std::current_exception();
            break;
        }
    }

    InitTisk(ctx, now);
    SestavZapis(ctx, job);
    return kopie;
}

}  // namespace talmorek::print
