// The whole printed record at its largest, 22 Annex 1 sheets and 30
// commission members, laid out with the program's fonts and written to a
// PDF file. Reported next to a floor measured in the same run: the same
// number of text and line calls drawn straight onto a PDF painter, with no
// layout, measuring or recording in between. The record should cost at
// most three times the floor.

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>
#include <QString>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>
#include <variant>

#include "render/font_resolution.h"
#include "render/paged_output.h"
#include "render/qt_text_measure.h"
#include "core/checks/catalogue.h"
#include "core/checks/protocol.h"
#include "core/data/clock.h"
#include "core/data/registers.h"
#include "core/data/station.h"
#include "core/print/primitives.h"
#include "core/print/record_document.h"
#include "core/print/recording_document.h"
#include "tool/demo_installation.h"
#include "bench_end.h"
#include "bench_support.h"

namespace {

using namespace talmorek;

// Fonts and PDF writing need a GUI application; the benchmark has no display.
void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "talmorek-bench";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QGuiApplication> app;
    if (QCoreApplication::instance() != nullptr) return;
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    app = std::make_unique<QGuiApplication>(argc, argv);
    bench::atEnd([] { app.reset(); });
}

struct LargestRecord {
    std::string dir;
    std::string pdf;
    data::TStanice station;
    record::RecordOfVote record;

    LargestRecord() {
        ensureGuiApplication();
        dir = bench::temporaryDirectory("print") + "/";
        tool::writeDemoInstallation(dir, false);
        pdf = dir + "zapis.pdf";
        station = data::NactiStanici(dir);
        record.T4.Obec = 532053;
        record.T4.Okrsek = 1;
        for (int n = 1; n <= 22; ++n) {
            record.MarkParty(n, true);
            record::TT4P& p = record.T4P[static_cast<std::size_t>(n)];
            p.PocHlasu = 360;
            for (int j = 1; j <= 36; ++j) p.PrefHlasy[static_cast<std::size_t>(j - 1)] = static_cast<std::uint16_t>(j);
        }
        record.hlasovani.Zapisovat = "Jana Malá";
        for (int i = 1; i <= 30; ++i) record.komise.push_back({"Člen Komise " + std::to_string(i)});
    }
    ~LargestRecord() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
};

LargestRecord& largest() {
    static LargestRecord r;
    return r;
}

print::RecordedDocument buildRecord(const LargestRecord& r, const render::QtTextMeasure& measure) {
    const data::Registers registers(r.dir);
    const checks::TCisChyb catalogue(r.dir);
    const checks::TChybProt protocol(catalogue);
    print::RecordingDocument document;
    print::PreviewDocument preview(document);
    print::PrintContext ctx(preview, measure, r.station);
    const data::LocalDateTime now = data::systemClock()->now();
    const print::RecordJob job = print::makeRecordJob(r.record, registers, r.station, &protocol, true, now);
    print::InitTisk(ctx, now);
    print::SestavZapis(ctx, job);
    return document.recorded();
}

void BM_RecordDocumentToPdf(benchmark::State& state) {
    LargestRecord& r = largest();
    const render::QtTextMeasure measure;
    std::size_t pages = 0;
    for (auto _ : state) {
        const print::RecordedDocument doc = buildRecord(r, measure);
        render::writePdf(doc, QString::fromStdString(r.pdf));
        pages = doc.pages.size();
    }
    state.counters["pages"] = static_cast<double>(pages);
}
BENCHMARK(BM_RecordDocumentToPdf)->Unit(benchmark::kMillisecond);

// The floor: as many texts (at their positions, in one font) and lines as
// the record draws, straight onto a PDF painter page by page.
void BM_SameCallsStraightToPdfFloor(benchmark::State& state) {
    LargestRecord& r = largest();
    const print::RecordedDocument doc = buildRecord(r, render::QtTextMeasure{});
    const QFont font = render::qtFont(print::Font{});
    std::size_t texts = 0, shapes = 0;
    for (auto _ : state) {
        texts = shapes = 0;
        QPdfWriter writer(QString::fromStdString(r.pdf));
        writer.setResolution(254);
        writer.setPageSize(QPageSize(QPageSize::A4));
        QPainter painter(&writer);
        painter.setFont(font);
        bool first = true;
        for (const auto& page : doc.pages) {
            if (!first) writer.newPage();
            first = false;
            for (const auto& call : page.calls) {
                if (const auto* t = std::get_if<print::TextCall>(&call)) {
                    painter.drawText(t->x, t->y + 30, QString::fromStdString(t->text));
                    ++texts;
                } else {
                    painter.drawLine(100, 100, 1900, 100);
                    ++shapes;
                }
            }
        }
        painter.end();
    }
    state.counters["texts"] = static_cast<double>(texts);
    state.counters["shapes"] = static_cast<double>(shapes);
}
BENCHMARK(BM_SameCallsStraightToPdfFloor)->Unit(benchmark::kMillisecond);

}  // namespace
